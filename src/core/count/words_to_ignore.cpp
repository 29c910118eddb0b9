#include "count/words_to_ignore.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "files/paths.h"
#include "scan/char_rules.h"
#include "text/cp1252.h"
#include "text/normalise.h"

namespace kwl {

std::optional<std::string> NormaliseWordsToIgnore(std::string_view utf8Text) {
  std::string text = cp1252::FromUtf8(TrimBlanks(utf8Text));
  if (text.empty()) return std::nullopt;
  scan::FoldCaseInPlace(text);
  std::replace(text.begin(), text.end(), ',', ' ');
  // The words are sorted as the ranks of their characters, whose plain byte
  // order is cp1252::Compare's; the first eight ranks, packed into one
  // number, decide most comparisons. The order is strict (ranks are one to
  // one), so dropping each word equal to the one before it leaves the same
  // list as dropping later duplicates and then sorting.
  const std::string ranks = cp1252::RankString(text);
  struct Word {
    std::uint64_t prefix;
    std::string_view ranks;
  };
  std::vector<Word> words;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    if (end > pos) {
      const std::string_view w = std::string_view(ranks).substr(pos, end - pos);
      std::uint64_t prefix = 0;
      for (std::size_t k = 0; k < 8; ++k) prefix = (prefix << 8) | (k < w.size() ? static_cast<unsigned char>(w[k]) : 0U);
      words.push_back(Word{prefix, w});
    }
    pos = end + 1;
  }
  const auto before = [](const Word& a, const Word& b) {
    return a.prefix != b.prefix ? a.prefix < b.prefix : a.ranks < b.ranks;
  };
  // A list saved by the program comes back sorted already.
  if (!std::is_sorted(words.begin(), words.end(), before)) std::sort(words.begin(), words.end(), before);
  words.erase(std::unique(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.ranks == b.ranks; }),
              words.end());
  std::string joined;
  joined.reserve(text.size());
  for (const Word& w : words) {
    if (!joined.empty()) joined += ' ';
    joined.append(text, static_cast<std::size_t>(w.ranks.data() - ranks.data()), w.ranks.size());
  }
  return joined;
}

int FirstCharacterNotAllowed(std::string_view words, std::string_view allowedExtraChars) {
  // Decided once per character value rather than for each character of a
  // list that may be long.
  std::array<bool, 256> fine{};
  for (int c = 0; c < 256; ++c)
    fine[static_cast<std::size_t>(c)] = scan::IsTableLetter(static_cast<unsigned char>(c)) || c == ' ' ||
                                        allowedExtraChars.find(static_cast<char>(c)) != std::string_view::npos;
  for (const char ch : words)
    if (!fine[static_cast<unsigned char>(ch)]) return static_cast<unsigned char>(ch);
  return -1;
}

}  // namespace kwl
