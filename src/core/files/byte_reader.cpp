#include "files/byte_reader.h"

#include <utility>

namespace kwl {

ByteReader::ByteReader(File file, std::size_t bufferSize) : file_(std::move(file)), buffer_(bufferSize) {
  atEnd_ = !file_.IsOpen();
}

int ByteReader::Get() {
  if (pos_ == end_) {
    if (atEnd_) return kEnd;
    const std::int64_t got = file_.Read(buffer_.data(), buffer_.size(), status_);
    if (got <= 0) {
      atEnd_ = true;
      return kEnd;
    }
    pos_ = 0;
    end_ = static_cast<std::size_t>(got);
  }
  return static_cast<unsigned char>(buffer_[pos_++]);
}

}  // namespace kwl
