#include "state_file.h"

#include "session.h"
#include "settings/state_file.h"

namespace kwl {

std::string StateFilePath(const Session& s) { return UserStateFilePath(s.Text(310)); }

std::string StateFilePath(const Session& s, Status& folderStatus) {
  return UserStateFilePath(s.Text(310), folderStatus);
}

}  // namespace kwl
