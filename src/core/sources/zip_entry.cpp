#include "sources/zip_entry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "files/regular_file.h"

namespace kwl::zipentry {
namespace {

struct ArchiveCloser {
  void operator()(zip_t* za) const { zip_discard(za); }
};
struct EntryCloser {
  void operator()(zip_file_t* zf) const { zip_fclose(zf); }
};

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  // Closes now; the errno of a failed close, else 0.
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 && ::close(fd) != 0 ? errno : 0;
  }

 private:
  int fd_;
};

ExtractResult Fail(int status, std::string description, int systemError = 0) {
  ExtractResult r;
  r.status = status;
  r.description = std::move(description);
  r.systemError = systemError;
  return r;
}

// The entry's path parts: none empty, none "." or "..", no backslash.
bool SplitEntryName(const std::string& name, std::vector<std::string>& parts) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos) return false;
  std::size_t pos = 0;
  while (pos <= name.size()) {
    const std::size_t slash = name.find('/', pos);
    const std::size_t end = slash == std::string::npos ? name.size() : slash;
    std::string part = name.substr(pos, end - pos);
    if (part.empty() || part == "." || part == "..") return false;
    parts.push_back(std::move(part));
    if (slash == std::string::npos) break;
    pos = slash + 1;
  }
  return true;
}

// Removes what an unfinished extraction made: the file, then the folders it
// created, innermost first.
struct Undo {
  std::string file;
  std::vector<std::string> folders;
  bool armed = true;
  ~Undo() {
    if (!armed) return;
    if (!file.empty()) ::unlink(file.c_str());
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) ::rmdir(it->c_str());
  }
};

bool WriteAllBytes(int fd, const char* data, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, data, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += w;
    n -= static_cast<std::size_t>(w);
  }
  return true;
}

}  // namespace

ExtractResult ExtractEntry(const std::string& package, const std::string& entryName, const std::string& folder,
                           std::int64_t maxBytes) {
  std::vector<std::string> parts;
  if (!SplitEntryName(entryName, parts)) return Fail(kBadEntryName, "Invalid entry name " + entryName);

  // The package is opened here, never by libzip from its path: only a
  // regular file is handed over, so a named pipe or a device cannot hold
  // the program up.
  Status opened;
  File file = File::Open(package, opened);
  if (!opened.Ok()) {
    if (opened.kind == Status::Kind::kNotRegular) return Fail(kCannotOpen, "it is " + opened.detail);
    zip_error_t error;
    zip_error_init(&error);
    zip_error_set(&error, opened.err == ENOENT ? ZIP_ER_NOENT : ZIP_ER_OPEN, opened.err);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return Fail(kCannotOpen, text);
  }
  const int fd = file.Release();
  int openError = 0;
  // On success the archive owns the descriptor.
  std::unique_ptr<zip_t, ArchiveCloser> archive(zip_fdopen(fd, 0, &openError));
  if (!archive) {
    ::close(fd);
    zip_error_t error;
    zip_error_init_with_code(&error, openError);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return Fail(kCannotOpen, text);
  }
  const zip_int64_t index = zip_name_locate(archive.get(), entryName.c_str(), 0);
  if (index < 0) return Fail(kEntryMissing, entryName + " not found in the package");

  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &st) != 0)
    return Fail(kReadFailed, zip_strerror(archive.get()));
  if ((st.valid & ZIP_STAT_SIZE) != 0 && st.size > static_cast<zip_uint64_t>(maxBytes))
    return Fail(kTooBig, entryName + " is larger than " + std::to_string(maxBytes) + " bytes");

  std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
  if (!entry) return Fail(kReadFailed, zip_strerror(archive.get()));

  // The folders of the entry, below the given folder only.
  Undo undo;
  std::string path = folder;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    path += parts[i];
    if (::mkdir(path.c_str(), 0700) == 0) {
      undo.folders.push_back(path);
    } else {
      struct stat info {};
      const int err = errno;
      if (err != EEXIST || ::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return Fail(kWriteFailed, std::strerror(err == EEXIST ? ENOTDIR : err), err == EEXIST ? ENOTDIR : err);
    }
    path += '/';
  }
  path += parts.back();
  Fd out(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (out.Get() < 0) {
    const int err = errno;
    return Fail(kWriteFailed, std::strerror(err), err);
  }
  undo.file = path;

  std::vector<char> buffer(1 << 16);
  std::int64_t total = 0;
  while (true) {
    const zip_int64_t n = zip_fread(entry.get(), buffer.data(), buffer.size());
    if (n == 0) break;
    if (n < 0) {
      zip_error_t* error = zip_file_get_error(entry.get());
      if (zip_error_code_zip(error) == ZIP_ER_CRC) {
        // Every byte has been delivered by the time the CRC is compared.
        if (const int err = out.Close(); err != 0) return Fail(kWriteFailed, std::strerror(err), err);
        undo.armed = false;
        ExtractResult r = Fail(kChecksumFailed, zip_error_strerror(error));
        r.bytes = total;
        return r;
      }
      return Fail(kReadFailed, zip_error_strerror(error));
    }
    if (total + n > maxBytes)
      return Fail(kTooBig, entryName + " is larger than " + std::to_string(maxBytes) + " bytes");
    if (!WriteAllBytes(out.Get(), buffer.data(), static_cast<std::size_t>(n))) {
      const int err = errno;
      return Fail(kWriteFailed, std::strerror(err), err);
    }
    total += n;
  }
  if (const int err = out.Close(); err != 0) return Fail(kWriteFailed, std::strerror(err), err);
  undo.armed = false;
  ExtractResult r;
  r.bytes = total;
  return r;
}

}  // namespace kwl::zipentry
