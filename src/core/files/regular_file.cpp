#include "files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kwl {

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

std::string ReadRefusal::Description() const {
  if (type != 0) return "it is " + std::string(Kind());
  return std::strerror(error != 0 ? error : EIO);
}

int OpenRegularFile(const std::string& path, ReadRefusal& why) {
  why = {};
  // O_NONBLOCK makes the open of a named pipe without a writer return at
  // once; for a regular file it changes nothing and is cleared below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    why.error = errno;
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    why.error = errno;
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    why.type = st.st_mode & S_IFMT;
    ::close(fd);
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    why.error = errno;
    ::close(fd);
    return -1;
  }
  return fd;
}

std::FILE* OpenRegularFileStream(const std::string& path, ReadRefusal& why) {
  const int fd = OpenRegularFile(path, why);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    why.error = errno != 0 ? errno : ENOMEM;
    ::close(fd);
  }
  return file;
}

}  // namespace kwl
