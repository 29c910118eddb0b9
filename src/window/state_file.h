#pragma once
// Where the state file kwl.usr lives: the per-user configuration folder, in
// the subfolder named by catalogue text 310.
#include <string>

#include "files/status.h"

namespace kwl {
struct Session;

// The full path of the state file; creates every missing folder of that path.
// Empty when the user has no configuration folder. The second form also says
// which folder could not be made.
std::string StateFilePath(const Session& s);
std::string StateFilePath(const Session& s, Status& folderStatus);

}  // namespace kwl
