#include "listing/output_file.h"

#include <cerrno>

#include "files/run_error.h"

namespace kwl {

void CheckOutputWritable(const std::string& path) {
  const int err = CheckReplaceable(path);
  if (err == kNotRegularFile)
    throw RunError(75, "The output file " + path + " is " + NonRegularKind(path) + ", not a file.");
  if (err != 0) throw RunError::FromErrno(err);
}

void OutputFile::Open(const std::string& path) {
  error_ = 0;
  buffer_.clear();
  const int err = file_.Open(path);
  if (err == EINVAL) CheckOutputWritable(path);  // not a regular file: says what it is
  if (err != 0) throw RunError::FromErrno(err);
  buffer_.reserve(kBufferSize);
}

void OutputFile::FlushBuffer() {
  if (error_ == 0 && !buffer_.empty()) error_ = file_.Write(buffer_);
  buffer_.clear();
}

void OutputFile::Write(std::string_view bytes) {
  if (!file_.IsOpen() || error_ != 0) return;
  buffer_.append(bytes);
  if (buffer_.size() >= kBufferSize) FlushBuffer();
}

void OutputFile::WriteLine(std::string_view bytes) {
  Write(bytes);
  Write("\r\n");
}

void OutputFile::Commit() {
  FlushBuffer();
  int err = error_;
  error_ = 0;
  if (err == 0) err = file_.Commit();
  file_.Discard();
  if (err != 0) throw RunError::FromErrno(err);
}

}  // namespace kwl
