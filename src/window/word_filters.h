#pragma once
// The rules of a count from the settings in force, built by the core's
// CountRulesFromSettings (as kestrawl-count builds them) from the settings
// record of the controls, the words to ignore, the common-words list and the
// input's kind, with the run state's word length and threshold.
#include "count/count_rules.h"

namespace kwl {
class CommonWordsList;
struct Params;
struct RunState;
struct Session;

// The whole rules value, as a count starts: the allowed extra characters
// (every possible one while a common-words file is read), the markup of the
// input file's extension (none for the clipboard) and the word rules.
CountRules MakeCountRules(const Session& s);

// The word rules alone, from the controls of the word rules only; they cost
// no allocation, so they can be taken afresh whenever a setting may have
// changed. The lists are referred to, not copied.
WordRules MakeWordRules(const Params& params, const RunState& run, const CommonWordsList& commonWords);

}  // namespace kwl
