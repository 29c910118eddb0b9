#include "state_file.h"

#include "session.h"
#include "settings/state_file.h"

namespace kwl {

std::string StateFilePath(const Session& s) { return UserStateFilePath(s.Text(310)); }

}  // namespace kwl
