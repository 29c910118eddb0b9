#pragma once
// How an operation of the core ended: one value for every failure, naming
// what failed, the system's error number and the file. The core shows no
// message; the window turns a status into the text, title and icon it shows,
// the command line into a line on standard error and an exit code.
#include <string>
#include <utility>

namespace kwl {

struct Status {
  enum class Kind {
    kOk,
    kNotFound,        // the file does not exist
    kNotRegular,      // a folder, a named pipe, a device (err tells which: EISDIR, ...)
    kOpenFailed,      // it exists but cannot be opened (err)
    kReadFailed,      // reading failed part way (err)
    kWriteFailed,     // writing failed (err)
    kOutOfMemory,     // a line or a table could not be held
    kEmpty,           // nothing to read: a zero-length file, an empty clipboard
    kTooBig,          // more than the limit (a DOCX body part, the clipboard text)
    kBadPackage,      // a DOCX package that cannot be read (detail tells why)
    kStopped,         // the observer asked to stop
    kBadFormat,       // a file whose content breaks its format (detail tells how)
  };

  Kind kind = Kind::kOk;
  int err = 0;           // errno, 0 when none applies
  std::string path;      // the file concerned, when there is one
  std::string detail;    // more about the failure, in the system's words

  bool Ok() const { return kind == Kind::kOk; }
  static Status Failure(Kind kind, int err, std::string path, std::string detail = {}) {
    return Status{kind, err, std::move(path), std::move(detail)};
  }
};

}  // namespace kwl
