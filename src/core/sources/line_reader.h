#pragma once
// Sequential reading of input files: a file handle that only ever opens
// regular files, and a line reader over it with a large buffer, so that
// memory is bounded by the longest line, never by the size of the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kwl {

// A file opened for reading. Anything but a regular file is refused when it
// is opened: a folder, and also a named pipe or a device, which are opened
// without blocking and closed again at once. Failures throw RunError with the
// system's number and description (70 for permission denied).
class InputFile {
 public:
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Reads up to size bytes; 0 at the end of the file. Throws RunError.
  std::size_t Read(char* buffer, std::size_t size);
  // Reads up to size bytes, fewer only at the end of the file.
  std::size_t ReadFully(char* buffer, std::size_t size);
  // Reads up to size bytes from offset on, leaving the position for Read as
  // it is; 0 at the end of the file. Throws RunError.
  std::size_t ReadAt(char* buffer, std::size_t size, std::uint64_t offset);

 private:
  int fd_ = -1;
};

// Lines of a file. A line ends at CR LF, at CR or at a lone LF; the line end
// is not part of the line. A last line without a line end is a line too.
//
// A line longer than the buffer is measured ahead before it is read on, and
// the string is given room for all of it at once: a line of hundreds of
// megabytes is then never copied as it grows, so reading it needs its own
// length in memory, not twice that.
class LineReader {
 public:
  static constexpr std::size_t kDefaultBufferSize = std::size_t{1} << 20;

  explicit LineReader(const std::string& path, std::size_t bufferSize = kDefaultBufferSize);

  // The next line into line; false at the end of the file. Throws RunError
  // when reading fails; the reader then stays at the end of the file. A long
  // line leaves line with room for an eighth more, so that the caller's
  // repairs that lengthen it a little (a blank put in front) need no copy;
  // room that is never written takes no memory.
  bool Next(std::string& line);
  // Bytes of the line end that closed the last line: 2, 1, or 0 at the end of the file.
  int TerminatorBytes() const { return terminator_; }

 private:
  bool Fill();
  // Bytes from the end of the buffer up to the next line end or the end of the file.
  std::size_t RestOfLine();

  InputFile file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  // File offset of the byte after the buffer's contents.
  std::uint64_t offset_ = 0;
  bool atEnd_ = false;
  int terminator_ = 0;
};

}  // namespace kwl
