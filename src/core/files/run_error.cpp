#include "files/run_error.h"

#include <cerrno>
#include <cstring>

namespace kwl {

std::string RunErrorReport(int number, const std::string& description, const std::string& procedure) {
  return "At " + procedure + " error #" + std::to_string(number) + ".\r\nDescription: " + description;
}

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

RunError RunError::FromStatus(const Status& status) {
  using Kind = Status::Kind;
  switch (status.kind) {
    case Kind::kOutOfMemory:
      return FromErrno(ENOMEM);
    case Kind::kNotRegular:
      if (status.err != 0) return FromErrno(status.err);
      return RunError(75, "Not a regular file (a named pipe, a device or a socket)");
    default:
      return FromErrno(status.err != 0 ? status.err : EIO);
  }
}

RunError RunError::FromOutputStatus(const Status& status) {
  if (status.kind == Status::Kind::kNotRegular && status.err == 0)
    return RunError(75, "The output file " + status.path + " is " + status.detail + ", not a file.");
  return FromErrno(status.err != 0 ? status.err : EIO);
}

}  // namespace kwl
