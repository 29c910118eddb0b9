#include "scan/no_space_splitter.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/utext.h>

#include "text/unicode_text.h"

namespace kwl::scan {

struct NoSpaceSplitter::Iterator {
  std::unique_ptr<icu::BreakIterator> words;
  bool failed = false;
};

NoSpaceSplitter::NoSpaceSplitter() = default;
NoSpaceSplitter::~NoSpaceSplitter() = default;
NoSpaceSplitter::NoSpaceSplitter(const NoSpaceSplitter&) {}
NoSpaceSplitter& NoSpaceSplitter::operator=(const NoSpaceSplitter&) { return *this; }

bool NoSpaceSplitter::Split(std::string_view run, const std::function<bool(std::string_view)>& each,
                            std::size_t chunkBytes) {
  if (!iterator_) {
    iterator_ = std::make_unique<Iterator>();
    UErrorCode err = U_ZERO_ERROR;
    iterator_->words.reset(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), err));
    iterator_->failed = U_FAILURE(err) || !iterator_->words;
  }
  if (iterator_->failed) {
    for (std::size_t i = 0; i < run.size();) {
      const std::size_t at = i;
      unicode::Next(run, i);
      if (!each(run.substr(at, i - at))) return false;
    }
    return true;
  }
  icu::BreakIterator& words = *iterator_->words;
  std::size_t pos = 0;
  while (pos < run.size()) {
    std::size_t end = run.size();
    if (end - pos > chunkBytes) {
      end = pos + chunkBytes;
      while (end > pos && (static_cast<unsigned char>(run[end]) & 0xC0U) == 0x80) --end;
      if (end == pos) end = pos + chunkBytes;  // no character start: cut anywhere (malformed text)
    }
    const bool last = end == run.size();
    const std::string_view chunk = run.substr(pos, end - pos);
    UErrorCode err = U_ZERO_ERROR;
    UText* text = utext_openUTF8(nullptr, chunk.data(), static_cast<int64_t>(chunk.size()), &err);
    if (U_FAILURE(err)) return true;
    words.setText(text, err);
    // Each segment is handed on when the next boundary is known; the last
    // of a chunk that is not the run's last begins the next chunk instead.
    std::size_t from = 0;
    std::size_t next = chunk.size();
    bool goOn = true;
    for (int32_t b = words.next(); b != icu::BreakIterator::DONE; b = words.next()) {
      const auto to = static_cast<std::size_t>(b);
      if (!last && to == chunk.size() && from > 0) {
        next = from;
        break;
      }
      if (to > from && !each(chunk.substr(from, to - from))) {
        goOn = false;
        break;
      }
      from = to;
    }
    // The iterator holds a shallow clone of the text, used only in here.
    utext_close(text);
    if (!goOn) return false;
    pos += next;
  }
  return true;
}

}  // namespace kwl::scan
