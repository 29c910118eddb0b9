#include "files/replacing_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <utility>

namespace kwl {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The name the new content takes just before it replaces the file; unique
// to this process, so a stale one can be told from a live one.
std::string TempNameFor(const std::string& target) {
  static unsigned counter = 0;
  return target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

// Whether an O_TMPFILE file can be given a name later: that needs /proc.
bool CanNameAnonymousFiles() {
  static const bool can = ::access("/proc/self/fd", X_OK) == 0;
  return can;
}

bool TempFileUnsupported(int err) { return err == EOPNOTSUPP || err == EISDIR || err == EINVAL; }

// The process number of a temporary name left by a replacement,
// name + ".tmp" + pid + "-" + n; 0 when tempName is no such name.
long TempFileOwner(std::string_view tempName, std::string_view name) {
  const std::string prefix = std::string(name) + ".tmp";
  if (tempName.substr(0, prefix.size()) != prefix) return 0;
  std::string_view rest = tempName.substr(prefix.size());
  auto digits = [&rest](long& value) {
    std::size_t i = 0;
    value = 0;
    while (i < rest.size() && i < 10 && rest[i] >= '0' && rest[i] <= '9') value = value * 10 + (rest[i++] - '0');
    rest.remove_prefix(i);
    return i > 0;
  };
  long pid = 0;
  long n = 0;
  if (!digits(pid) || rest.empty() || rest.front() != '-') return 0;
  rest.remove_prefix(1);
  if (!digits(n) || !rest.empty()) return 0;
  return pid;
}

// Removes the temporary files a save killed on the way (kill -9, a power
// cut) left beside path: those of the user's own whose process is gone.
// Files of running processes, of other users and anything not named like
// a temporary file stay.
void RemoveStaleTempFiles(const std::string& path) {
  const std::string folder = FolderOf(path) + "/";
  const std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir.get())) {
    const long pid = TempFileOwner(entry->d_name, name);
    if (pid <= 0 || pid == ::getpid() || pid > INT_MAX) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    const std::string stale = folder + entry->d_name;
    struct stat st {};
    if (::lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) ::unlink(stale.c_str());
  }
}

void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::string resolved = real;
  std::free(real);
  return resolved;
}

int CheckReplaceable(const std::string& requested) {
  const std::string path = ResolveLinks(requested);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return kNotRegularFile;
    // Opening without O_TRUNC changes nothing; it asks the file system itself,
    // which also refuses where permission bits would not (read-only mounts,
    // files that refuse writing to everybody).
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    ::close(fd);
  } else if (errno != ENOENT) {
    return errno;
  }
  const std::string folder = FolderOf(path);
  if (::stat(folder.c_str(), &st) != 0) return errno;
  if (!S_ISDIR(st.st_mode)) return ENOTDIR;
  // An anonymous temporary file tests the folder as the replacement will use
  // it, and leaves nothing behind.
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::close(fd);
    return 0;
  }
  if (!TempFileUnsupported(errno)) return errno;
  return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

std::string NonRegularKind(const std::string& path) {
  struct stat st {};
  if (::stat(ResolveLinks(path).c_str(), &st) == 0) {
    if (S_ISFIFO(st.st_mode)) return "a named pipe";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "a device";
    if (S_ISSOCK(st.st_mode)) return "a socket";
  }
  return "not a regular file";
}

ReplacingFile::ReplacingFile(ReplacingFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      target_(std::move(other.target_)),
      tempName_(std::move(other.tempName_)) {}

ReplacingFile& ReplacingFile::operator=(ReplacingFile&& other) noexcept {
  if (this != &other) {
    Discard();
    fd_ = std::exchange(other.fd_, -1);
    target_ = std::move(other.target_);
    tempName_ = std::move(other.tempName_);
  }
  return *this;
}

int ReplacingFile::Open(const std::string& path, bool keepMode) {
  Discard();
  target_ = ResolveLinks(path);
  RemoveStaleTempFiles(target_);
  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return EISDIR;
  if (exists && !S_ISREG(st.st_mode)) return EINVAL;

  if (CanNameAnonymousFiles()) {
    fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ < 0 && !TempFileUnsupported(errno)) return errno;
  }
  if (fd_ < 0) {
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      tempName_ = TempNameFor(target_);
      fd_ = ::open(tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) {
        tempName_.clear();
        return errno;
      }
    }
    if (fd_ < 0) {
      tempName_.clear();
      return EEXIST;
    }
  }
  if (keepMode && exists) ::fchmod(fd_, st.st_mode & 07777);
  return 0;
}

int ReplacingFile::Write(std::string_view bytes) {
  if (fd_ < 0) return EBADF;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int ReplacingFile::Commit() {
  if (fd_ < 0) return EBADF;
  if (::fsync(fd_) != 0) {
    const int err = errno;
    Discard();
    return err;
  }
  if (tempName_.empty()) {
    // The anonymous file gets a name of its own first: rename is what
    // replaces a file in one step.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
      tempName_ = TempNameFor(target_);
      err = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempName_.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
    }
    if (err != 0) {
      tempName_.clear();
      Discard();
      return err;
    }
  }
  const int closed = ::close(std::exchange(fd_, -1));
  int err = closed == 0 ? 0 : errno;
  if (err == 0 && ::rename(tempName_.c_str(), target_.c_str()) != 0) err = errno;
  if (err != 0) {
    Discard();
    return err;
  }
  tempName_.clear();
  SyncFolder(FolderOf(target_));
  return 0;
}

void ReplacingFile::Discard() noexcept {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (!tempName_.empty()) {
    ::unlink(tempName_.c_str());
    tempName_.clear();
  }
}

}  // namespace kwl
