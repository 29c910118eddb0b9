#pragma once
// The ignore rules: per word as it is found (GetWords2 applies them before
// the table) and after the scan on the finished table.
#include <string>
#include <string_view>

#include "words/word_table.h"

namespace kwl {
struct Params;
struct RunState;

bool IsAll7bit(std::string_view word);
// No character of the word is in the 119-letter table (the empty word too).
bool LacksLetter(std::string_view word);
// After trimming blanks, every character equals the first one (exact code).
bool IsRepetition(std::string_view word);
// Made only of I, V and X in any order and number, except the pronoun "I".
bool IsRomanNumeralBelow40(std::string_view word);

// The length, no-letter and repetition rules; empties word when it is dropped.
void ApplyWordFilters(std::string& word, const Params& params);

// Sets blnIncluded of every entry from the Roman-numeral and infrequency rules.
void ApplyPostScanFilters(WordTable& table, const Params& params, int intThresholdFrequency);

// The totals over the included entries, in table order.
void ComputeTotals(const WordTable& table, RunState& run);

}  // namespace kwl
