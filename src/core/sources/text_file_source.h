#pragma once
// A text file as the lines of a count.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "count/line_source.h"
#include "sources/line_reader.h"

namespace kwl {

// The lines of a text file, each ready for the scanner (TrimForScanning;
// lines with nothing left are passed over), and, for a file read as UTF-8,
// decoded to Windows-1252 and with its typographic punctuation replaced
// (utf8_repair.h). Progress counts the bytes of the file read so far, line
// ends included, of the size the file had when it was opened.
//
// Every step works on the line as it was read, in place, so that a line of
// any length is held once (with a little room to grow).
class TextFileSource : public LineSource {
 public:
  // Opens the file at once: a failure to open (kNotFound, kNotRegular,
  // kOpenFailed) is in status() before the first line is asked for.
  TextFileSource(const std::string& path, bool utf8, std::size_t bufferSize = LineReader::kDefaultBufferSize);

  // Words in every script: every line is handed as UTF-8 instead, a UTF-8
  // file's malformed bytes as U+FFFD (no repairs), a Windows-1252 file's
  // characters converted. Set before the first line.
  void SetUnicode(bool unicode) { unicode_ = unicode; }

  // False at the end, or on a failure to read (kReadFailed) or to hold a
  // line (kOutOfMemory).
  bool Next(std::string& line) override;
  std::int64_t Done() const override { return done_; }
  std::int64_t Total() const override { return total_; }
  std::int64_t LineNumber() const override { return lines_; }
  const Status& status() const override { return status_; }

  // The cut is the first line start a sequential read meets after the middle
  // of the bytes not yet read: after the first CR, LF or CR LF from there
  // on, so that each part holds whole lines ended as the whole file would
  // end them. The back part opens the file again. No split when the rest is
  // smaller than minUnits bytes, when no line ends within the quarter after
  // the middle (one very long line), or when the file cannot be opened or
  // read for it: reading goes on as usual then.
  std::unique_ptr<LineSource> SplitOffBack(std::int64_t minUnits) override;
  void Rejoin() override { cut_ = -1; }
  void ContinueWith(std::unique_ptr<LineSource> back) override;

 private:
  // The back part: file positioned at start, the lines from there to the end.
  TextFileSource(File file, const std::string& path, bool utf8, std::size_t bufferSize, std::int64_t start);
  // The offset of the first line start at or after from (at most limit bytes
  // searched), or -1.
  static std::int64_t LineStartAfter(File& file, std::int64_t from, std::int64_t limit);

  std::string path_;
  std::optional<LineReader> reader_;
  bool utf8_;
  bool unicode_ = false;
  std::size_t bufferSize_;
  std::int64_t done_ = 0;
  std::int64_t total_ = 0;
  std::int64_t lines_ = 0;  // lines read, those passed over too
  // While split: the offset of the cut, where this source ends; -1 otherwise.
  std::int64_t cut_ = -1;
  Status status_;
};

}  // namespace kwl
