#pragma once
// A UTF-16 text file with a byte-order mark as the lines of a count of
// words in every script: each line UTF-8, ready for the scanner
// (TrimForScanning). An unpaired surrogate, and an odd last byte, is U+FFFD.
// The file is read a block at a time: memory is bounded by the longest line.
#include <cstdint>
#include <optional>
#include <string>

#include "count/line_source.h"
#include "files/regular_file.h"

namespace kwl {

class Utf16FileSource : public LineSource {
 public:
  static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

  // bigEndian: the file starts with FE FF, otherwise with FF FE; the mark
  // itself is not part of the text. A failure to open is in status().
  Utf16FileSource(const std::string& path, bool bigEndian, std::size_t blockBytes = kBlockBytes);

  bool Next(std::string& line) override;
  std::int64_t Done() const override { return done_; }
  std::int64_t Total() const override { return total_; }
  const Status& status() const override { return status_; }
  // The 1-based number of the line Next() gave last, empty lines counted.
  std::int64_t LineNumber() const override { return lines_; }

 private:
  // Reads and decodes the next block onto text_; false at the end of the file.
  bool Fill();

  std::string path_;
  std::optional<File> file_;
  bool bigEndian_;
  std::size_t blockBytes_;
  std::string carry_;  // a last odd byte or high surrogate of the block before
  std::string text_;   // decoded text, read from pos_ on
  std::size_t pos_ = 0;
  bool atEnd_ = false;
  std::int64_t done_ = 0;
  std::int64_t total_ = 0;
  std::int64_t lines_ = 0;
  Status status_;
};

}  // namespace kwl
