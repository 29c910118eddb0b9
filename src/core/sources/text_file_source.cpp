#include "sources/text_file_source.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "text/cp1252.h"
#include "text/unicode_text.h"
#include "text/utf8_repair.h"

namespace kwl {

TextFileSource::TextFileSource(const std::string& path, bool utf8, std::size_t bufferSize)
    : path_(path), utf8_(utf8), bufferSize_(bufferSize) {
  File file = File::Open(path, status_);
  if (!status_.Ok()) return;
  total_ = file.Size();
  reader_.emplace(std::move(file), bufferSize);
}

TextFileSource::TextFileSource(File file, const std::string& path, bool utf8, std::size_t bufferSize,
                               std::int64_t start)
    : path_(path), utf8_(utf8), bufferSize_(bufferSize) {
  total_ = file.Size() - start;
  reader_.emplace(std::move(file), bufferSize, static_cast<std::uint64_t>(start));
}

std::int64_t TextFileSource::LineStartAfter(File& file, std::int64_t from, std::int64_t limit) {
  // Every CR and every LF ends a line or, as the LF of a CR LF, ends it
  // with the CR before it; so the first of them from `from` on closes a
  // line, and a CR closes it together with an LF right after it.
  std::vector<char> chunk(std::size_t{64} << 10);
  Status status;
  for (std::int64_t at = from; at < from + limit;) {
    const auto want = static_cast<std::size_t>(std::min<std::int64_t>(std::ssize(chunk), from + limit - at));
    const std::int64_t got = file.ReadAt(chunk.data(), want, static_cast<std::uint64_t>(at), status);
    if (got <= 0) return -1;
    for (std::int64_t i = 0; i < got; ++i) {
      const char c = chunk[static_cast<std::size_t>(i)];
      if (c == '\n') return at + i + 1;
      if (c != '\r') continue;
      if (i + 1 < got) return at + i + 1 + (chunk[static_cast<std::size_t>(i + 1)] == '\n' ? 1 : 0);
      char next = 0;
      const std::int64_t more = file.ReadAt(&next, 1, static_cast<std::uint64_t>(at + i + 1), status);
      if (more < 0) return -1;
      return at + i + 1 + (more == 1 && next == '\n' ? 1 : 0);
    }
    at += got;
  }
  return -1;
}

std::unique_ptr<LineSource> TextFileSource::SplitOffBack(std::int64_t minUnits) {
  const std::int64_t rest = total_ - done_;
  if (!reader_ || !status_.Ok() || cut_ >= 0 || minUnits <= 0 || rest < minUnits) return nullptr;
  try {
    Status status;
    File file = File::Open(path_, status);
    if (!status.Ok()) return nullptr;
    const std::int64_t cut = LineStartAfter(file, done_ + rest / 2, rest / 4);
    if (cut < 0 || cut >= total_ || !file.Seek(static_cast<std::uint64_t>(cut), status)) return nullptr;
    auto* part = new TextFileSource(std::move(file), path_, utf8_, bufferSize_, cut);
    part->unicode_ = unicode_;
    std::unique_ptr<LineSource> back(part);
    cut_ = cut;
    return back;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void TextFileSource::ContinueWith(std::unique_ptr<LineSource> back) {
  auto& part = dynamic_cast<TextFileSource&>(*back);
  reader_ = std::move(part.reader_);
  status_ = part.status_;
  done_ = cut_ + part.done_;
  lines_ += part.lines_;
  cut_ = -1;
}

bool TextFileSource::Next(std::string& line) {
  if (!reader_ || !status_.Ok()) return false;
  try {
    for (;;) {
      // The back part of a split file is read by another source.
      if (cut_ >= 0 && done_ >= cut_) return false;
      if (!reader_->Next(line)) {
        status_ = reader_->status();
        reader_.reset();
        return false;
      }
      done_ += static_cast<std::int64_t>(line.size()) + reader_->TerminatorBytes();
      ++lines_;
      if (!TrimForScanning(line)) continue;
      // The repairs never touch the blank in front nor find a sequence
      // across it, so it may come first.
      // A line of ASCII has nothing to decode or replace.
      if (unicode_) {
        if (!unicode::HasNonAscii(line)) return true;
        if (utf8_) {
          unicode::MakeValidUtf8(line);
        } else {
          line = cp1252::ToUtf8(line);
        }
        return true;
      }
      if (utf8_ && unicode::HasNonAscii(line)) {
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
