#include "count/filters.h"

#include <cstdint>

#include "count/common_words_list.h"
#include "scan/char_rules.h"
#include "text/unicode_text.h"

namespace kwl {

bool IsAll7bit(std::string_view word) { return !unicode::HasNonAscii(word); }

bool LacksLetter(std::string_view word) {
  for (char c : word)
    if (scan::IsTableLetter(static_cast<unsigned char>(c))) return false;
  return true;
}

bool IsRepetition(std::string_view word) {
  while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
  while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
  for (char c : word)
    if (c != word.front()) return false;
  return true;
}

bool IsRomanNumeralBelow40(std::string_view word) {
  while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
  while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
  if (word.empty() || word == "I" || word == "i") return false;
  for (char c : word)
    if (c != 'I' && c != 'i' && c != 'V' && c != 'v' && c != 'X' && c != 'x') return false;
  return true;
}

WordRule ListRule(std::string_view lower, const WordRules& rules, bool unicode) {
  if (rules.wordsToIgnore != nullptr && !rules.wordsToIgnore->Empty() && rules.wordsToIgnore->Unicode() == unicode &&
      rules.wordsToIgnore->Contains(lower))
    return WordRule::kWordsToIgnore;
  if (rules.commonWords != nullptr && rules.commonWords->Unicode() == unicode && rules.commonWords->Contains(lower))
    return WordRule::kCommonWord;
  return WordRule::kCounted;
}

WordRule PostScanRule(std::string_view entry, std::int64_t count, const WordRules& rules) {
  if (rules.ignoreRomanNumerals && IsRomanNumeralBelow40(entry)) return WordRule::kRomanNumeral;
  if (rules.ignoreInfrequentWords && count >= 0 && count < rules.thresholdFrequency) return WordRule::kInfrequent;
  return WordRule::kCounted;
}

WordRule UnicodeLengthAndShapeRule(std::string_view word, const WordRules& rules) {
  if (IsAll7bit(word)) return LengthAndShapeRule(word, rules);
  std::string_view trimmed = word;
  while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
  // A word of a script written without spaces (Han, kana, Thai ...) is what
  // the dictionary split off, not debris between blanks: one or two
  // characters make a whole word there ("人", "権利"), and a doubled
  // character is a word of its own ("人人", everyone). The short-word and
  // repetition rules, which weed out such debris in spaced text, do not apply
  // to it; the long-word and no-letter rules do.
  std::size_t i = 0;
  const char32_t first = trimmed.empty() ? 0 : unicode::Next(trimmed, i);
  const bool noSpaceScript = !trimmed.empty() && unicode::IsNoSpaceLetter(first);
  const auto length = static_cast<std::int64_t>(unicode::Length(word));
  if (rules.ignoreShortWords && length < rules.shortWordSize && !noSpaceScript) return WordRule::kTooShort;
  if (length > rules.longWordSize) return WordRule::kTooLong;
  if (!rules.ignoreNoLetter && !rules.ignoreRepetitions) return WordRule::kCounted;
  bool letter = unicode::KindOf(first) == unicode::CharKind::kLetter;
  bool repeated = !noSpaceScript;
  while (i < trimmed.size()) {
    const char32_t cp = unicode::Next(trimmed, i);
    repeated = repeated && cp == first;
    letter = letter || unicode::KindOf(cp) == unicode::CharKind::kLetter;
  }
  if (rules.ignoreNoLetter && !letter) return WordRule::kNoLetter;
  if (rules.ignoreRepetitions && length > 1 && repeated && unicode::KindOf(first) != unicode::CharKind::kDigit)
    return WordRule::kRepetition;
  return WordRule::kCounted;
}

void ApplyPostScanRules(WordTable& table, const WordRules& rules) {
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    WordEntry& e = table[i];
    e.blnIncluded = PostScanRule(e.strWord, e.count, rules) == WordRule::kCounted;
  }
}

}  // namespace kwl
