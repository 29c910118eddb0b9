#include "sources/text_file_source.h"

#include <cerrno>
#include <new>
#include <utility>

#include "text/utf8_repair.h"

namespace kwl {

TextFileSource::TextFileSource(const std::string& path, bool utf8, std::size_t bufferSize)
    : path_(path), utf8_(utf8) {
  File file = File::Open(path, status_);
  if (!status_.Ok()) return;
  total_ = file.Size();
  reader_.emplace(std::move(file), bufferSize);
}

bool TextFileSource::Next(std::string& line) {
  if (!reader_ || !status_.Ok()) return false;
  try {
    for (;;) {
      if (!reader_->Next(line)) {
        status_ = reader_->status();
        reader_.reset();
        return false;
      }
      done_ += static_cast<std::int64_t>(line.size()) + reader_->TerminatorBytes();
      if (!TrimForScanning(line)) continue;
      // The repairs never touch the blank in front nor find a sequence
      // across it, so it may come first.
      if (utf8_) {
        DecodeUtf8InPlace(line);
        ReplaceUtf8PunctuationInPlace(line);
      }
      return true;
    }
  } catch (const std::bad_alloc&) {
    status_ = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, path_);
    reader_.reset();
    return false;
  }
}

}  // namespace kwl
