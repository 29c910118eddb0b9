#include "sources/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "files/regular_file.h"
#include "files/run_error.h"

namespace kwl {

InputFile::InputFile(const std::string& path) {
  ReadRefusal why;
  fd_ = OpenRegularFile(path, why);
  if (fd_ >= 0) return;
  if (why.error != 0) throw RunError::FromErrno(why.error);
  if (why.IsFolder()) throw RunError::FromErrno(EISDIR);
  // 75 is the program's "Path/File access error".
  throw RunError(75, "Not a regular file (a named pipe, a device or a socket)");
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

InputFile::InputFile(InputFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw RunError::FromErrno(errno);
  }
}

std::size_t InputFile::ReadFully(char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const std::size_t got = Read(buffer + done, size - done);
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::size_t InputFile::ReadAt(char* buffer, std::size_t size, std::uint64_t offset) {
  for (;;) {
    const ssize_t got = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw RunError::FromErrno(errno);
  }
}

LineReader::LineReader(const std::string& path, std::size_t bufferSize)
    : file_(path), buffer_(bufferSize == 0 ? 1 : bufferSize) {}

bool LineReader::Fill() {
  if (atEnd_) return false;
  pos_ = 0;
  end_ = 0;
  try {
    end_ = file_.Read(buffer_.data(), buffer_.size());
  } catch (...) {
    atEnd_ = true;
    throw;
  }
  offset_ += end_;
  if (end_ == 0) atEnd_ = true;
  return end_ > 0;
}

std::size_t LineReader::RestOfLine() {
  // Called when the buffer has been used up: it serves as the scratch space.
  std::size_t rest = 0;
  for (;;) {
    const std::size_t got = file_.ReadAt(buffer_.data(), buffer_.size(), offset_ + rest);
    const char* begin = buffer_.data();
    const char* p = begin;
    while (p != begin + got && *p != '\r' && *p != '\n') ++p;
    rest += static_cast<std::size_t>(p - begin);
    if (got == 0 || p != begin + got) return rest;
  }
}

bool LineReader::Next(std::string& line) {
  line.clear();
  terminator_ = 0;
  bool any = false;
  bool measured = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) return any;
    any = true;
    const char* begin = buffer_.data() + pos_;
    const char* stop = buffer_.data() + end_;
    const char* p = begin;
    while (p != stop && *p != '\r' && *p != '\n') ++p;
    line.append(begin, static_cast<std::size_t>(p - begin));
    pos_ += static_cast<std::size_t>(p - begin);
    if (p == stop) {
      if (!measured && line.size() >= buffer_.size()) {
        measured = true;
        // Only a guide to the string's size: a failure shows again, and is
        // reported, when the line itself is read on.
        try {
          const std::size_t rest = RestOfLine();
          line.reserve(line.size() + rest + (line.size() + rest) / 8);
        } catch (const RunError&) {
        }
      }
      continue;
    }
    ++pos_;
    terminator_ = 1;
    if (*p == '\r') {
      // The LF of a CR LF pair may stand at the start of the next buffer.
      if (pos_ == end_) Fill();
      if (pos_ < end_ && buffer_[pos_] == '\n') {
        ++pos_;
        terminator_ = 2;
      }
    }
    return true;
  }
}

}  // namespace kwl
