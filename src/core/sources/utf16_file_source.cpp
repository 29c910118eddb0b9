#include "sources/utf16_file_source.h"

#include <cerrno>
#include <new>
#include <utility>
#include <vector>

#include "sources/line_reader.h"
#include "text/unicode_text.h"

namespace kwl {

Utf16FileSource::Utf16FileSource(const std::string& path, bool bigEndian, std::size_t blockBytes)
    : path_(path), bigEndian_(bigEndian), blockBytes_(blockBytes < 4 ? 4 : blockBytes) {
  File file = File::Open(path, status_);
  if (!status_.Ok()) return;
  total_ = file.Size();
  file_.emplace(std::move(file));
  char mark[2];
  if (file_->Read(mark, 2, status_) < 0) file_.reset();
  done_ = 2;
}

bool Utf16FileSource::Fill() {
  if (atEnd_ || !file_) return false;
  std::vector<char> block(blockBytes_);
  const std::int64_t got = file_->Read(block.data(), block.size(), status_);
  if (got < 0) {
    file_.reset();
    return false;
  }
  done_ += got;
  std::string bytes = std::move(carry_);
  carry_.clear();
  bytes.append(block.data(), static_cast<std::size_t>(got));
  if (got == 0) {
    atEnd_ = true;
  } else {
    // A unit cut by the block's end, or a high surrogate whose low half may
    // follow, waits for the next block.
    std::size_t keep = bytes.size() % 2;
    if (bytes.size() - keep >= 2) {
      const std::size_t at = bytes.size() - keep - 2;
      const auto hi = static_cast<unsigned char>(bytes[bigEndian_ ? at : at + 1]);
      if (hi >= 0xD8 && hi <= 0xDB) keep += 2;
    }
    carry_ = bytes.substr(bytes.size() - keep);
    bytes.resize(bytes.size() - keep);
  }
  text_.erase(0, pos_);
  pos_ = 0;
  unicode::AppendUtf16(bytes, bigEndian_, text_);
  return true;
}

bool Utf16FileSource::Next(std::string& line) {
  if (!status_.Ok()) return false;
  try {
    std::size_t from = pos_;  // where the search for the line end goes on
    for (;;) {
      const std::size_t end = text_.find_first_of("\r\n", from);
      if (end == std::string::npos || (text_[end] == '\r' && end + 1 == text_.size() && !atEnd_)) {
        from = end == std::string::npos ? text_.size() : end;
        from -= pos_;
        const bool more = Fill();
        from += pos_;
        if (!status_.Ok()) return false;
        if (more) continue;
        if (pos_ >= text_.size()) return false;
        line.assign(text_, pos_, std::string::npos);
        pos_ = text_.size();
      } else {
        line.assign(text_, pos_, end - pos_);
        pos_ = end + 1;
        if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
      }
      ++lines_;
      if (TrimForScanning(line)) return true;
      from = pos_;
    }
  } catch (const std::bad_alloc&) {
    status_ = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, path_);
    file_.reset();
    return false;
  }
}

}  // namespace kwl
