#include "files/run_error.h"

#include <cerrno>
#include <cstring>

namespace kwl {

RunError RunError::FromErrno(int err) {
  switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
      return RunError(70, "Permission denied");
    case ENOMEM:
      return RunError(7, "Out of memory");
    default:
      return RunError(err, std::strerror(err));
  }
}

}  // namespace kwl
