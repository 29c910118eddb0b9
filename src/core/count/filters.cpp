#include "count/filters.h"

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

}  // namespace kwl
