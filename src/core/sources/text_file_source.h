#pragma once
// A text file as the lines of a count.
#include <cstddef>
#include <cstdint>
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

  // False at the end, or on a failure to read (kReadFailed) or to hold a
  // line (kOutOfMemory).
  bool Next(std::string& line) override;
  std::int64_t Done() const override { return done_; }
  std::int64_t Total() const override { return total_; }
  const Status& status() const override { return status_; }

 private:
  std::string path_;
  std::optional<LineReader> reader_;
  bool utf8_;
  std::int64_t done_ = 0;
  std::int64_t total_ = 0;
  Status status_;
};

}  // namespace kwl
