#include "listing/output_file.h"

#include <cerrno>
#include <utility>

#include "support/run_error.h"

namespace kwl {

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), buffer_(std::move(other.buffer_)), error_(other.error_) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    if (file_) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    buffer_ = std::move(other.buffer_);
    error_ = other.error_;
  }
  return *this;
}

OutputFile::~OutputFile() {
  if (file_) std::fclose(file_);
}

void OutputFile::Open(const std::string& path) {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  error_ = 0;
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) throw RunError::FromErrno(errno != 0 ? errno : EIO);
  buffer_ = std::make_unique<char[]>(kBufferSize);
  std::setvbuf(file_, buffer_.get(), _IOFBF, kBufferSize);
}

void OutputFile::Write(std::string_view bytes) {
  if (!file_ || error_ != 0 || bytes.empty()) return;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) error_ = errno != 0 ? errno : EIO;
}

void OutputFile::WriteLine(std::string_view bytes) {
  Write(bytes);
  Write("\r\n");
}

void OutputFile::Close() {
  if (!file_) {
    if (error_ != 0) throw RunError::FromErrno(std::exchange(error_, 0));
    return;
  }
  errno = 0;
  if (std::fflush(file_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
  errno = 0;
  if (std::fclose(std::exchange(file_, nullptr)) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
  buffer_.reset();
  if (error_ != 0) throw RunError::FromErrno(std::exchange(error_, 0));
}

}  // namespace kwl
