#pragma once
// A regular file byte by byte, through a buffer: for the small formats that
// are read a character at a time (the catalogue, settings files).
#include <cstddef>
#include <vector>

#include "files/regular_file.h"
#include "files/status.h"

namespace kwl {

class ByteReader {
 public:
  static constexpr int kEnd = -1;

  explicit ByteReader(File file, std::size_t bufferSize = 65536);

  // The next byte (0 to 255), or kEnd at the end of the file and after a
  // failed read (status() then says why; the reader stays at the end).
  int Get();
  // Steps back over the byte the last Get() returned (not kEnd), which Get()
  // then gives again; it is always still in the buffer.
  void Unget() {
    if (pos_ > 0) --pos_;
  }
  const Status& status() const { return status_; }

 private:
  File file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
  Status status_;
};

}  // namespace kwl
