#pragma once
// Opening files for reading without ever waiting on them. A plain open of a
// named pipe waits for a writer, forever when there is none, and a device can
// wait or never end; every file the program reads is opened here instead:
// without blocking, checked with fstat, and refused unless it is a regular
// file.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "files/status.h"

namespace kwl {

// What a file type is when it is not a regular file: "a folder", "a named
// pipe", "a device", "a socket", "a special file"; empty for a regular file.
std::string_view SpecialFileKind(mode_t mode);

// What path names when it exists and is no regular file (links followed);
// empty for a regular file and for a path that cannot be examined. Only
// looks, never opens.
std::string_view SpecialFileKindAt(const std::string& path);

// A regular file opened for reading: move-only, closed by its destructor.
// Every failure is a Status that names the file.
class File {
 public:
  File() = default;
  ~File() noexcept;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens path read-only (O_NONBLOCK, O_NOCTTY, O_CLOEXEC), refuses anything
  // but a regular file, then clears O_NONBLOCK so that reading works as
  // usual. On failure a closed File, and status says why: kNotFound (err
  // ENOENT or ENOTDIR), kNotRegular (err EISDIR for a folder, else 0; detail
  // the SpecialFileKind), kOpenFailed (err).
  static File Open(const std::string& path, Status& status);

  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }
  // The size fstat gave when the file was opened.
  std::int64_t Size() const { return size_; }

  // Reads up to size bytes: the number read, 0 at the end of the file, -1
  // with status kReadFailed.
  std::int64_t Read(char* buffer, std::size_t size, Status& status);
  // Reads up to size bytes, fewer only at the end of the file or on a failure.
  std::int64_t ReadFully(char* buffer, std::size_t size, Status& status);
  // Reads up to size bytes from offset on, leaving the position for Read as
  // it is.
  std::int64_t ReadAt(char* buffer, std::size_t size, std::uint64_t offset, Status& status);
  // Moves the position for Read to offset; false with status kReadFailed.
  bool Seek(std::uint64_t offset, Status& status);

  // Hands the descriptor over (to libzip, to a stdio stream); the File is closed then.
  int Release();

 private:
  int fd_ = -1;
  std::int64_t size_ = 0;
  std::string path_;
};

// The whole of a regular file into text; the failure when it cannot be read.
Status ReadWholeFile(const std::string& path, std::string& text);

// Whether two paths name the same file, as typed or through another name (a
// link, a relative path); false when either is empty or cannot be examined.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace kwl
