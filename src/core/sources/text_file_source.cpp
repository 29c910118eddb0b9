#include "sources/text_file_source.h"

#include <cerrno>
#include <new>
#include <string_view>
#include <utility>

#include "text/utf8_repair.h"

namespace kwl {
namespace {

// One pass the compiler vectorises, where the repairs make five.
bool HasNonAscii(std::string_view line) {
  unsigned char all = 0;
  for (const char c : line) all |= static_cast<unsigned char>(c);
  return all >= 0x80;
}

}  // namespace

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
      // A line of ASCII has nothing to decode or replace.
      if (utf8_ && HasNonAscii(line)) {
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
