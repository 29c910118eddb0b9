#pragma once
// The ignore rules: the tests of single words, the per-word rules of a count
// and the rules applied to the finished table.
#include <string_view>

#include "count/count_rules.h"
#include "count/word_table.h"

namespace kwl {

bool IsAll7bit(std::string_view word);
// No character of the word is in the 119-letter table (the empty word too).
bool LacksLetter(std::string_view word);
// After trimming blanks, every character equals the first one (exact code).
bool IsRepetition(std::string_view word);
// Made only of I, V and X in any order and number, except the pronoun "I".
bool IsRomanNumeralBelow40(std::string_view word);

// The short-word, long-word, no-letter and repetition rules, in that order:
// false when one of them drops the word.
bool KeptByLengthAndShapeRules(std::string_view word, const WordRules& rules);

// Sets blnIncluded of every entry from the Roman-numeral and infrequency rules.
void ApplyPostScanRules(WordTable& table, const WordRules& rules);

}  // namespace kwl
