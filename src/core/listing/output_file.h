#pragma once
// The output file for spreadsheets. The list is written to a new file beside
// the output and takes its name only when Commit() is called after the last
// line, so a refused, stopped, failed or killed listing leaves the earlier
// output file byte for byte. Move-only; a file that was not committed is
// discarded by the destructor. A write that fails (a full disk, an I/O error)
// is remembered and reported by Commit(), so a failed file is never taken for
// a written one.
#include <string>
#include <string_view>

#include "files/replacing_file.h"
#include "listing/listing_writer.h"

namespace kwl {

// Checks that the output file can be written, creating or changing nothing.
// Throws RunError with the failure the writing would meet.
void CheckOutputWritable(const std::string& path);

class OutputFile {
 public:
  // Starts the new file. Throws RunError when it cannot be created.
  void Open(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }

  // Writes bytes as they are (Windows-1252 text); a failure is kept for Commit.
  void Write(std::string_view bytes);
  // The bytes followed by CR LF.
  void WriteLine(std::string_view bytes);

  // True once a write has failed.
  bool Failed() const { return error_ != 0; }

  // Writes what is buffered and puts the complete file in the output's place.
  // Throws RunError when a write or the replacement failed; the earlier file
  // is then untouched and the new one removed.
  void Commit();

 private:
  void FlushBuffer();

  static constexpr std::size_t kBufferSize = 1 << 20;
  ReplacingFile file_;
  std::string buffer_;
  int error_ = 0;
};

// A listing into an output file: every text is written as it comes, and a
// failed write ends the listing (Commit then reports the failure).
class OutputFileSink : public ListingSink {
 public:
  explicit OutputFileSink(OutputFile& file) : file_(file) {}
  void Line(std::string_view text) override { file_.Write(text); }
  bool Entry(std::string_view text, std::int32_t, std::int32_t) override {
    file_.Write(text);
    return !file_.Failed();
  }

 private:
  OutputFile& file_;
};

}  // namespace kwl
