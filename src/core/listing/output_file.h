#pragma once
// The output file for spreadsheets. The list is written to a new file beside
// the output and takes its name only when Commit() is called after the last
// line, so a refused, stopped, failed or killed listing leaves the earlier
// output file byte for byte. Move-only; a file that was not committed is
// discarded by the destructor. A write that fails (a full disk, an I/O error)
// is remembered and reported by Commit(), so a failed file is never taken for
// a written one. Failures are a Status naming the output file as given:
//   kNotRegular  a folder (err EISDIR), or a named pipe, a device or a socket
//                (err 0, detail "a named pipe", "a device", "a socket" or
//                "not a regular file")
//   kOpenFailed  the new file cannot be made beside the output (err: ENOENT
//                for a missing folder, EACCES ...)
//   kWriteFailed a write, the flush to the disk or the replacement failed (err)
#include <string>
#include <string_view>

#include "files/replacing_file.h"
#include "files/status.h"
#include "listing/listing_writer.h"

namespace kwl {

// Whether the output file can be written, creating or changing nothing: the
// failure the writing would meet, as above.
Status CheckOutputReplaceable(const std::string& path);

class OutputFile {
 public:
  // Starts the new file; the failure when it cannot be made.
  Status Open(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }

  // Writes bytes as they are (Windows-1252 text); a failure is kept for Commit.
  void Write(std::string_view bytes);
  // The bytes followed by CR LF.
  void WriteLine(std::string_view bytes);

  // True once a write has failed.
  bool Failed() const { return error_ != 0; }

  // Writes what is buffered and puts the complete file in the output's place.
  // The failure of a write or of the replacement; the earlier file is then
  // untouched and the new one removed.
  Status Commit();

 private:
  void FlushBuffer();

  static constexpr std::size_t kBufferSize = 1 << 20;
  ReplacingFile file_;
  std::string buffer_;
  std::string path_;
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
