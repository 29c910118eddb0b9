#pragma once
// The ignore rules: the tests of single words, the per-word rules of a count
// and the rules applied to the finished table.
#include <cstdint>
#include <string_view>

#include "count/count_rules.h"
#include "count/word_table.h"
#include "scan/char_rules.h"

namespace kwl {

bool IsAll7bit(std::string_view word);
// No character of the word is in the 119-letter table (the empty word too).
bool LacksLetter(std::string_view word);
// After trimming blanks, every character equals the first one (exact code).
bool IsRepetition(std::string_view word);
// Made only of I, V and X in any order and number, except the pronoun "I".
bool IsRomanNumeralBelow40(std::string_view word);

// The short-word, long-word, no-letter and repetition rules, in that order:
// false when one of them drops the word. Asked for every word of a count, so
// it is inline and tests the first characters before whole words.
inline bool KeptByLengthAndShapeRules(std::string_view word, const WordRules& rules) {
  const auto length = static_cast<std::int64_t>(word.size());
  if (rules.ignoreShortWords && length < rules.shortWordSize) return false;
  if (length > rules.longWordSize) return false;
  if (rules.ignoreNoLetter && (word.empty() || !scan::IsTableLetter(static_cast<unsigned char>(word.front()))) &&
      LacksLetter(word))
    return false;
  // Repeated digits ("000") are kept. A word whose first two characters
  // differ and are no blanks is no repetition.
  if (rules.ignoreRepetitions && length > 1 && (word[0] == word[1] || word[0] == ' ' || word[1] == ' ') &&
      IsRepetition(word) && !(word.front() >= '0' && word.front() <= '9'))
    return false;
  return true;
}

// The same rules for a UTF-8 word (words in every script): lengths in
// characters, a letter is any of Unicode category L, and repeated decimal
// digits of any script are kept.
bool KeptByUnicodeLengthAndShapeRules(std::string_view word, const WordRules& rules);

// Sets blnIncluded of every entry from the Roman-numeral and infrequency rules.
void ApplyPostScanRules(WordTable& table, const WordRules& rules);

}  // namespace kwl
