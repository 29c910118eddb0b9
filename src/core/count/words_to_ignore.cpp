#include "count/words_to_ignore.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "files/paths.h"
#include "scan/char_rules.h"
#include "text/cp1252.h"
#include "text/normalise.h"
#include "text/unicode_text.h"

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

std::optional<std::string> NormaliseUnicodeWordsToIgnore(std::string_view utf8Text) {
  std::string text = TrimBlanks(utf8Text);
  if (text.empty()) return std::nullopt;
  unicode::MakeValidUtf8(text);
  std::replace(text.begin(), text.end(), ',', ' ');
  std::vector<std::string> words;
  std::string folded;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    if (end > pos) {
      unicode::FoldAndCompose(std::string_view(text).substr(pos, end - pos), true, folded);
      words.push_back(folded);
    }
    pos = end + 1;
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  std::string joined;
  joined.reserve(text.size());
  for (const std::string& w : words) {
    if (!joined.empty()) joined += ' ';
    joined += w;
  }
  return joined;
}

std::int32_t FirstUnicodeCharacterNotAllowed(std::string_view utf8Words, std::string_view allowedExtraChars) {
  const bool digits = allowedExtraChars.find('0') != std::string_view::npos;
  for (std::size_t i = 0; i < utf8Words.size();) {
    const char32_t cp = unicode::Next(utf8Words, i);
    const unicode::CharKind kind = unicode::KindOf(cp);
    if (kind == unicode::CharKind::kLetter || kind == unicode::CharKind::kMark || cp == ' ' ||
        (kind == unicode::CharKind::kDigit && digits))
      continue;
    // The scan takes U+2019 for the apostrophe; any other character is an
    // extra one when the code page has it and the settings allow it.
    const unsigned char b = cp == 0x2019 ? '\'' : cp < 0x80 ? static_cast<unsigned char>(cp) : cp1252::FromUnicode(cp);
    const bool inCodePage = cp == 0x2019 || cp < 0x80 || cp1252::ToUnicode(b) == cp;
    if (!inCodePage || allowedExtraChars.find(static_cast<char>(b)) == std::string_view::npos)
      return static_cast<std::int32_t>(cp);
  }
  return -1;
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
