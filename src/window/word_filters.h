#pragma once
// The ignore rules with the settings in force: per word as it is found
// (GetWords2 applies them before the table) and after the scan on the
// finished table.
#include <string>

#include "count/word_table.h"

namespace kwl {
struct Params;
struct RunState;

// The length, no-letter and repetition rules; empties word when it is dropped.
void ApplyWordFilters(std::string& word, const Params& params);

// Sets blnIncluded of every entry from the Roman-numeral and infrequency rules.
void ApplyPostScanFilters(WordTable& table, const Params& params, int intThresholdFrequency);

// The totals over the included entries, in table order.
void ComputeTotals(const WordTable& table, RunState& run);

}  // namespace kwl
