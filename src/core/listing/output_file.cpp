#include "listing/output_file.h"

#include <cerrno>

namespace kwl {

Status CheckOutputReplaceable(const std::string& path) {
  const int err = CheckReplaceable(path);
  if (err == 0) return {};
  if (err == kNotRegularFile) return Status::Failure(Status::Kind::kNotRegular, 0, path, NonRegularKind(path));
  if (err == EISDIR) return Status::Failure(Status::Kind::kNotRegular, err, path, "a folder");
  return Status::Failure(Status::Kind::kOpenFailed, err, path);
}

Status OutputFile::Open(const std::string& path) {
  path_ = path;
  error_ = 0;
  buffer_.clear();
  const int err = file_.Open(path);
  if (err == 0) {
    buffer_.reserve(kBufferSize);
    return {};
  }
  // EINVAL, EISDIR: the path names no regular file; the check says what it is.
  if (err == EINVAL || err == EISDIR) {
    Status check = CheckOutputReplaceable(path);
    if (!check.Ok()) return check;
  }
  return Status::Failure(Status::Kind::kOpenFailed, err, path);
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

Status OutputFile::Commit() {
  FlushBuffer();
  int err = error_;
  error_ = 0;
  if (err == 0) err = file_.Commit();
  file_.Discard();
  if (err != 0) return Status::Failure(Status::Kind::kWriteFailed, err, path_);
  return {};
}

}  // namespace kwl
