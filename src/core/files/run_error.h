#pragma once
// A run-time failure inside a driver procedure: its number and description,
// as the run's error report shows them. File failures keep the program's
// numbers: 70 for permission denied, 7 for out of memory; any other failure
// carries the system's error number and description.
#include <stdexcept>
#include <string>

#include "files/status.h"

namespace kwl {

class RunError : public std::runtime_error {
 public:
  RunError(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }
  std::string Description() const { return what(); }

  // The failure for an errno value.
  static RunError FromErrno(int err);
  // The failure as the run's error report shows a status of a file that was
  // to be read: FromErrno of its errno, 7 for want of memory, and 75 ("Path/
  // File access error") for a named pipe, a device or a socket.
  static RunError FromStatus(const Status& status);
  // The failure as the run's error report shows a status of the output file:
  // 75 "The output file P is a named pipe, not a file." (or a device, a
  // socket) for what cannot take a file, otherwise FromErrno of its errno.
  static RunError FromOutputStatus(const Status& status);

 private:
  int number_;
};

// The run's error report: "At PROCEDURE error #N.", then on its own line
// "Description: " and the description.
std::string RunErrorReport(int number, const std::string& description, const std::string& procedure);

}  // namespace kwl
