#pragma once
// The common-words list: the lower-cased words of the last complete read of a
// common-words file, in the word table's order, with a hash set that gives
// the same answers as a binary search over them. The list knows its kind:
// Windows-1252 words, or the UTF-8 words (folded, NFC) of the Unicode mode,
// and a count looks words up only in a list of its own kind.
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kwl {

class CommonWordsList {
 public:
  void Replace(std::vector<std::string> words, bool unicode = false);
  bool Unicode() const { return unicode_; }
  bool Contains(std::string_view word) const { return set_.find(word) != set_.end(); }
  std::size_t Size() const { return words_.size(); }
  const std::vector<std::string>& Words() const { return words_; }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::vector<std::string> words_;
  bool unicode_ = false;
  std::unordered_set<std::string, Hash, std::equal_to<>> set_;
};

}  // namespace kwl
