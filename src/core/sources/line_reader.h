#pragma once
// Sequential reading of input files: a line reader over a File with a large
// buffer, so that memory is bounded by the longest line, never by the size
// of the file; and the trimming every source applies to its lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/regular_file.h"
#include "files/status.h"

namespace kwl {

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

  // start: the file offset file is positioned at, where the first line
  // begins (a later part of a file read on its own).
  explicit LineReader(File file, std::size_t bufferSize = kDefaultBufferSize, std::uint64_t start = 0);

  // The next line into line; false at the end of the file, or when reading
  // failed (status() says so; the reader then stays at the end). A long line
  // leaves line with room for an eighth more, so that the caller's repairs
  // that lengthen it a little (a blank put in front) need no copy; room that
  // is never written takes no memory.
  bool Next(std::string& line);
  // Bytes of the line end that closed the last line: 2, 1, or 0 at the end of the file.
  int TerminatorBytes() const { return terminator_; }
  const Status& status() const { return status_; }

 private:
  bool Fill();
  // Bytes from the end of the buffer up to the next line end or the end of the file.
  std::size_t RestOfLine();
  // The index of the first CR or LF of the buffer from index from on, or end_.
  std::size_t LineEnd(std::size_t from);

  File file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  // File offset of the byte after the buffer's contents.
  std::uint64_t offset_ = 0;
  bool atEnd_ = false;
  // The index of the buffer's next CR (end_ when there is none), kNoCr when
  // not yet looked for since the buffer was filled.
  static constexpr std::size_t kNoCr = static_cast<std::size_t>(-1);
  std::size_t cr_ = kNoCr;
  int terminator_ = 0;
  Status status_;
};

// Makes a line ready for the scanner, in place: the bytes up to 32 (blanks
// and control characters) at both ends removed, and one blank put in front,
// which keeps the first word apart from the end of the line before. False,
// with line untouched, when nothing is left.
bool TrimForScanning(std::string& line);

}  // namespace kwl
