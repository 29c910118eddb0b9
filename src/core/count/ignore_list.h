#pragma once
// The words-to-ignore list in force (strWordsToIgnore): its text, lower-cased
// words joined by single blanks with a blank before the first and after the
// last word, so that a word w is listed exactly when " " + w + " " occurs in
// it. Beside the text it keeps a hash index of those words, rebuilt whenever
// the text is set, so that looking a word up costs the same for a list of
// 100,000 words as for a list of ten. The words are Windows-1252, or UTF-8
// (folded, NFC) in a list of the Unicode mode: a count looks words up only
// in a list of its own kind.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kwl {

class IgnoreList {
 public:
  // A list of Windows-1252 words.
  IgnoreList& operator=(std::string text);
  // A list of either kind.
  void Set(std::string text, bool unicode) {
    *this = std::move(text);
    unicode_ = unicode;
  }
  bool Unicode() const { return unicode_; }

  const std::string& Text() const { return text_; }
  bool Empty() const { return text_.empty(); }
  void Clear() { *this = std::string(); }

  // Whether " " + word + " " occurs in the text.
  bool Contains(std::string_view word) const;

 private:
  // A word of the text: every run of non-blank characters with a blank on
  // either side. Length 0 marks an empty slot.
  struct Slot {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::uint32_t hash = 0;
  };
  std::size_t Find(std::string_view word, std::uint32_t hash) const;

  std::string text_;
  bool unicode_ = false;
  // Open addressing with linear probing, at most half full; left empty for a
  // text too long for 32-bit offsets, which is then searched instead.
  std::vector<Slot> slots_;
};

}  // namespace kwl
