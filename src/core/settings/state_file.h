#pragma once
// Where the user's state file kwl.usr lives: the per-user configuration
// folder ($XDG_CONFIG_HOME, else ~/.config), in a subfolder of its own.
#include <string>

namespace kwl {

// The full path of the state file in the subfolder folderName; creates the
// subfolder (one level) when it is missing. Empty when the user has no
// configuration folder.
std::string UserStateFilePath(const std::string& folderName);

}  // namespace kwl
