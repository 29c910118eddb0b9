#pragma once
// The rules of one count, as one value: which characters make up a word, the
// markup to skip, how a word is shaped and which words are counted. The
// window builds it from its settings; the counter only reads it.
#include <string>

#include "count/limits.h"
#include "scan/markup.h"

namespace kwl {

class CommonWordsList;
class IgnoreList;

// How words are shaped and which are counted. A count may take new word
// rules while it runs (the window's settings stay editable): the filters
// apply from the next word, the shaping rules from the next line.
struct WordRules {
  // Shaping, taken at the start of each line.
  bool caseSignificant = false;     // false: each line is case-folded first
  bool dropFinalS = false;
  bool apostrophesAllowed = false;  // false: apostrophe fragments ("s", "t", "don") are dropped
  // A common-words file is being read: no shaping, no filters, no occurrence
  // count; every word goes straight into the table.
  bool readingWordList = false;

  // Filters, applied to each word as it is found, in this order.
  bool only7bitAscii = false;
  bool ignoreShortWords = false;
  int shortWordSize = 3;            // words shorter than this are short
  int longWordSize = 50;            // words longer than this are dropped
  bool ignoreNoLetter = false;
  bool ignoreRepetitions = false;   // "zzz", "---"; repeated digits stay
  const IgnoreList* wordsToIgnore = nullptr;      // looked up lower-cased; none when null
  const CommonWordsList* commonWords = nullptr;   // the list in force; none when null
  int maxWordLength = kMaxWordLength;  // longer words are never counted, even when reading a list

  // Filters applied to the finished table (they need the counts).
  bool ignoreRomanNumerals = false;     // I, V and X only, below 40
  bool ignoreInfrequentWords = false;
  int thresholdFrequency = 2;           // words counted fewer times are infrequent
};

struct CountRules {
  // Fixed for the whole count.
  std::string allowedExtraChars;                          // besides the letters
  std::string prohibitedInitialOrFinalChars{kProhibitedInitialOrFinalChars};  // allowed inside a word only
  // The comment markers and whether character entities are decoded; an empty
  // kind means no comment markers at all.
  scan::MarkupKind markup{"C", false};
  bool unicode = false;  // words in every script, decoded and held as UTF-8

  WordRules word;
};

}  // namespace kwl
