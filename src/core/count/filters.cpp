#include "count/filters.h"

#include <cstdint>

#include "count/common_words_list.h"
#include "scan/char_rules.h"

namespace kwl {

bool IsAll7bit(std::string_view word) {
  unsigned char all = 0;
  for (char c : word) all |= static_cast<unsigned char>(c);
  return all < 128;
}

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

WordRule ListRule(std::string_view lower, const WordRules& rules) {
  if (rules.wordsToIgnore != nullptr && !rules.wordsToIgnore->Empty() && rules.wordsToIgnore->Contains(lower))
    return WordRule::kWordsToIgnore;
  if (rules.commonWords != nullptr && rules.commonWords->Contains(lower)) return WordRule::kCommonWord;
  return WordRule::kCounted;
}

WordRule PostScanRule(std::string_view entry, std::int64_t count, const WordRules& rules) {
  if (rules.ignoreRomanNumerals && IsRomanNumeralBelow40(entry)) return WordRule::kRomanNumeral;
  if (rules.ignoreInfrequentWords && count >= 0 && count < rules.thresholdFrequency) return WordRule::kInfrequent;
  return WordRule::kCounted;
}

void ApplyPostScanRules(WordTable& table, const WordRules& rules) {
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    WordEntry& e = table[i];
    e.blnIncluded = PostScanRule(e.strWord, e.count, rules) == WordRule::kCounted;
  }
}

}  // namespace kwl
