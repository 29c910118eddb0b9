#include "files/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <utility>
#include <vector>

namespace kwl {
namespace {

// The one open of the program's readers: a descriptor of a regular file, or
// -1 with the errno (err) or the file type (type) of the refusal.
int OpenRegularFd(const std::string& path, int& err, mode_t& type, std::int64_t& size) {
  err = 0;
  type = 0;
  // O_NONBLOCK makes the open of a named pipe without a writer return at
  // once; for a regular file it changes nothing and is cleared below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    err = errno;
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    err = errno;
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    type = st.st_mode & S_IFMT;
    ::close(fd);
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    err = errno;
    ::close(fd);
    return -1;
  }
  size = static_cast<std::int64_t>(st.st_size);
  return fd;
}

}  // namespace

std::string_view SpecialFileKind(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

std::string_view SpecialFileKindAt(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
  return SpecialFileKind(st.st_mode);
}

File::~File() noexcept {
  if (fd_ >= 0) ::close(fd_);
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
    path_ = std::move(other.path_);
  }
  return *this;
}

File File::Open(const std::string& path, Status& status) {
  status = Status{};
  File file;
  int err = 0;
  mode_t type = 0;
  file.fd_ = OpenRegularFd(path, err, type, file.size_);
  file.path_ = path;
  if (file.fd_ >= 0) return file;
  if (type != 0) {
    status = Status::Failure(Status::Kind::kNotRegular, S_ISDIR(type) ? EISDIR : 0, path,
                             std::string(SpecialFileKind(type)));
  } else if (err == ENOENT || err == ENOTDIR) {
    status = Status::Failure(Status::Kind::kNotFound, err, path);
  } else {
    status = Status::Failure(Status::Kind::kOpenFailed, err, path);
  }
  return file;
}

std::int64_t File::Read(char* buffer, std::size_t size, Status& status) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return got;
    if (errno != EINTR) {
      status = Status::Failure(Status::Kind::kReadFailed, errno, path_);
      return -1;
    }
  }
}

std::int64_t File::ReadFully(char* buffer, std::size_t size, Status& status) {
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t got = Read(buffer + done, size - done, status);
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

std::int64_t File::ReadAt(char* buffer, std::size_t size, std::uint64_t offset, Status& status) {
  for (;;) {
    const ssize_t got = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
    if (got >= 0) return got;
    if (errno != EINTR) {
      status = Status::Failure(Status::Kind::kReadFailed, errno, path_);
      return -1;
    }
  }
}

bool File::Seek(std::uint64_t offset, Status& status) {
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0) return true;
  status = Status::Failure(Status::Kind::kReadFailed, errno, path_);
  return false;
}

int File::Release() { return std::exchange(fd_, -1); }

Status ReadWholeFile(const std::string& path, std::string& text) {
  text.clear();
  Status status;
  File file = File::Open(path, status);
  if (!status.Ok()) return status;
  try {
    std::vector<char> buffer(65536);
    for (;;) {
      const std::int64_t n = file.Read(buffer.data(), buffer.size(), status);
      if (n <= 0) return status;
      text.append(buffer.data(), static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    text.clear();
    return Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, path);
  }
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  if (a == b) return true;
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

}  // namespace kwl
