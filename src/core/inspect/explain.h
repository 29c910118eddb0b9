#pragma once
// Why a token of a text was counted or dropped: the token is scanned as a
// line of its own with the count's Counter, LineScanner and word rules, and
// each step they took is noted, so the explanation says what the count did.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "count/count_rules.h"
#include "count/filters.h"
#include "count/word_table.h"

namespace kwl {

// One word the scanner cut out of the token and what the rules did with it.
struct WordVerdict {
  std::string raw;            // the run of word characters, as it stands
  std::string stripped;       // the trailing characters cut off
  bool droppedFinalS = false;
  bool fragment = false;      // an apostrophe fragment: nothing counted
  std::string entry;          // the word as the count judges it (case-folded unless case is significant)
  WordRule rule = WordRule::kCounted;  // kCounted: counted under entry
  std::int64_t frequency = -1;         // the entry's count in the table given, -1 when unknown
};

struct Explanation {
  std::string token;                // as given (Windows-1252, or UTF-8 in the Unicode mode)
  std::string prepared;             // as the scanner reads it (entities replaced, ...), in its own case
  std::vector<WordVerdict> words;   // in the order of the token
  std::string cutters;              // the characters outside every word that end or split it, each once
  bool skippedAsMarkup = false;     // the scanner skipped part of it as a comment, tag or entity
  std::vector<std::string> steps;   // the explanation, one sentence a step (in the token's encoding)
};

// Explains token (Windows-1252, as it appears in the text; UTF-8, and the
// explanation too, when rules.unicode) under rules.
// commonWordsFile names the common-words list in force, when there is one;
// counted, when given, is the table of the last count (its entries'
// frequencies decide the infrequency rule).
Explanation ExplainToken(std::string_view token, const CountRules& rules, std::string_view commonWordsFile = {},
                         const WordTable* counted = nullptr);

// The entry a word typed by the user is counted under: the entry of the one
// word the scanner cuts out of it (its final "s" dropped, its case folded,
// as the count shapes it); otherwise the word case-folded unless case is
// significant (EntryFor).
std::string EntryOfToken(std::string_view token, const CountRules& rules);

// The sentence that names a rule acting on word under rules (Windows-1252,
// or UTF-8 with unicode: a word of a count of words in every script).
std::string RuleSentence(WordRule rule, std::string_view word, const WordRules& rules,
                         std::string_view commonWordsFile, bool unicode = false);

}  // namespace kwl
