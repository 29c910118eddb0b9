// A stand-in for a failing disk, loaded with LD_PRELOAD into a program under
// test: reading any file whose path holds "failing-disk" fails with EIO once
// the first 64 KiB have been read, as a bad sector or a lost network mount
// would fail in the middle of a file.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
constexpr off_t kReadableBytes = 64 * 1024;

bool OnFailingDisk(int fd) {
  char link[64];
  char path[4096];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, path, sizeof path - 1);
  if (n <= 0) return false;
  path[n] = '\0';
  return std::strstr(path, "failing-disk") != nullptr;
}
}  // namespace

extern "C" ssize_t read(int fd, void* buffer, size_t size) {
  using ReadFunction = ssize_t (*)(int, void*, size_t);
  static const auto real = reinterpret_cast<ReadFunction>(::dlsym(RTLD_NEXT, "read"));
  if (OnFailingDisk(fd)) {
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at >= kReadableBytes) {
      errno = EIO;
      return -1;
    }
    if (static_cast<off_t>(size) > kReadableBytes - at) size = static_cast<size_t>(kReadableBytes - at);
  }
  return real(fd, buffer, size);
}
