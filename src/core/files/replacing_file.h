#pragma once
// Files of the user's that the program writes are replaced only by a complete
// new version: the new content goes to a temporary file in the same folder,
// reaches the disk, and only then takes the file's name. A failure, a stop or
// a killed process leaves the earlier file byte for byte. The new content has
// no name until the moment it replaces the file (an O_TMPFILE file, where the
// file system allows it); a named temporary file that a killed process left
// beside the file is removed by the next replacement.
#include <string>
#include <string_view>

namespace kwl {

// Why a path cannot take a new file, without creating or truncating anything:
// 0 when it can; otherwise an errno value (ENOENT for a missing folder,
// EACCES for a write-protected file or folder, EISDIR for a folder), or
// kNotRegularFile for a named pipe, a device or a socket.
constexpr int kNotRegularFile = -1;
int CheckReplaceable(const std::string& path);

// "a named pipe", "a device", "a socket", or "not a regular file", for a path
// CheckReplaceable answers kNotRegularFile.
std::string NonRegularKind(const std::string& path);

// The file a path names once symbolic links are followed: a link is replaced
// by its target's new content, never turned into a file itself.
std::string ResolveLinks(const std::string& path);

// The new version of one file, open for writing. Move-only; the destructor
// discards a version that was not committed.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ReplacingFile(ReplacingFile&& other) noexcept;
  ReplacingFile& operator=(ReplacingFile&& other) noexcept;
  ~ReplacingFile() { Discard(); }

  // Creates the temporary file beside path (links followed). Its mode is the
  // one a new file gets, or the earlier file's when keepMode is set and the
  // file exists. Returns 0 or the errno of the failure.
  int Open(const std::string& path, bool keepMode = false);
  bool IsOpen() const { return fd_ >= 0; }

  // Writes all the bytes. Returns 0 or the errno of the failure.
  int Write(std::string_view bytes);

  // Makes the content durable and puts it in the file's place. Returns 0 or
  // the errno of the failure, in which case the earlier file is untouched.
  int Commit();

  // Closes and removes the temporary file; the earlier file stays as it was.
  void Discard() noexcept;

 private:
  int fd_ = -1;
  std::string target_;
  // Empty while the new content has no name of its own (an O_TMPFILE file).
  std::string tempName_;
};

}  // namespace kwl
