#pragma once
// The rules of a count from the settings record and the lists in force: the
// one way the window and the command line turn their settings into a
// CountRules value.
#include <string>
#include <string_view>

#include "count/count_rules.h"
#include "count/limits.h"
#include "scan/markup.h"
#include "settings/settings.h"

namespace kwl {

// The lists a count refers to besides the settings; neither is copied.
struct CountLists {
  const IgnoreList* wordsToIgnore = nullptr;  // the normalised list in force; none when null
  // The common-words list loaded; ignored only while the settings tick it.
  const CommonWordsList* commonWords = nullptr;
};

// The extra characters the settings allow inside words (Windows-1252), each
// ticked setting's characters put in front of those of the settings before it.
std::string AllowedExtraChars(const Settings& settings);

// The word rules of the settings: shaping, filters and the post-scan rules.
// It costs no allocation, so a count may take it afresh at any time.
WordRules WordRulesFromSettings(const Settings& settings, const CountLists& lists);

// The rules of a count of a text with the given markup (MarkupKindFor the
// input file's extension; the kind "" for text with no markup, as the
// clipboard's).
CountRules CountRulesFromSettings(const Settings& settings, const CountLists& lists, scan::MarkupKind markup);

// The rules of reading a common-words file: every possible extra character,
// plain-text comments, no filters, lower-cased words straight into the table.
CountRules CommonWordsReadingRules();

}  // namespace kwl
