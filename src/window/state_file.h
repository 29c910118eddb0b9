#pragma once
// Where the state file kwl.usr lives: the per-user configuration folder, in
// the subfolder named by catalogue text 310.
#include <string>

namespace kwl {
struct Session;

// The full path of the state file; creates the subfolder (one level) when it
// is missing. Empty when the user has no configuration folder.
std::string StateFilePath(const Session& s);

}  // namespace kwl
