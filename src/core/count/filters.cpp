#include "count/filters.h"

#include <cstdint>

#include "scan/char_rules.h"

namespace kwl {

bool IsAll7bit(std::string_view word) {
  for (char c : word)
    if (static_cast<unsigned char>(c) >= 128) return false;
  return true;
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

bool KeptByLengthAndShapeRules(std::string_view word, const WordRules& rules) {
  const auto length = static_cast<std::int64_t>(word.size());
  if (rules.ignoreShortWords && length < rules.shortWordSize) return false;
  if (length > rules.longWordSize) return false;
  if (rules.ignoreNoLetter && LacksLetter(word)) return false;
  // Repeated digits ("000") are kept.
  if (rules.ignoreRepetitions && length > 1 && IsRepetition(word) && !(word.front() >= '0' && word.front() <= '9'))
    return false;
  return true;
}

void ApplyPostScanRules(WordTable& table, const WordRules& rules) {
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    WordEntry& e = table[i];
    e.blnIncluded = true;
    if (rules.ignoreRomanNumerals && IsRomanNumeralBelow40(e.strWord)) e.blnIncluded = false;
    if (rules.ignoreInfrequentWords && e.count < rules.thresholdFrequency) e.blnIncluded = false;
  }
}

}  // namespace kwl
