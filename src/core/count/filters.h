#pragma once
// The word tests of the ignore rules.
#include <string_view>

namespace kwl {

bool IsAll7bit(std::string_view word);
// No character of the word is in the 119-letter table (the empty word too).
bool LacksLetter(std::string_view word);
// After trimming blanks, every character equals the first one (exact code).
bool IsRepetition(std::string_view word);
// Made only of I, V and X in any order and number, except the pronoun "I".
bool IsRomanNumeralBelow40(std::string_view word);

}  // namespace kwl
