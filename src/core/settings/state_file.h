#pragma once
// Where the user's state file kwl.usr lives: the per-user configuration
// folder ($XDG_CONFIG_HOME, else ~/.config), in a subfolder of its own.
#include <string>

#include "files/status.h"

namespace kwl {

// The full path of the state file in the subfolder folderName; creates every
// missing folder of that path, because a new account need not have
// ~/.config yet. Empty when the user has no configuration folder. A folder
// that cannot be made leaves folderStatus as kWriteFailed with its errno and
// path; the path of the state file is returned all the same.
std::string UserStateFilePath(const std::string& folderName, Status& folderStatus);
std::string UserStateFilePath(const std::string& folderName);

}  // namespace kwl
