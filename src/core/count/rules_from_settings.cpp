#include "count/rules_from_settings.h"

namespace kwl {

std::string AllowedExtraChars(const Settings& s) {
  const struct {
    int Settings::*allowed;
    const char* chars;
  } order[] = {
      {&Settings::allowHyphens, "-"},        {&Settings::allowApostrophes, "'\x91"},
      {&Settings::allowUnderscores, "_"},    {&Settings::allowColons, ":"},
      {&Settings::allowBackslashes, "\\"},   {&Settings::allowForwardSlashes, "/"},
      {&Settings::allowPeriods, "."},        {&Settings::allowAtSigns, "@"},
      {&Settings::allowNumerals, "0123456789"},
  };
  std::string set;
  for (const auto& o : order)
    if (s.*o.allowed == 1) set = o.chars + set;
  return set;
}

WordRules WordRulesFromSettings(const Settings& s, const CountLists& lists) {
  WordRules w;
  w.caseSignificant = s.caseSignificant == 1;
  w.dropFinalS = s.dropFinalS == 1;
  w.apostrophesAllowed = s.allowApostrophes == 1;
  w.only7bitAscii = s.only7bitAscii == 1;
  w.ignoreShortWords = s.ignoreShortWords == 1;
  // The lists' indices: 2 to 15 letters, 15 to 90 letters in steps of 5, 2 to 9 times.
  w.shortWordSize = s.shortWordSizeIndex + 2;
  w.longWordSize = 15 + 5 * s.longWordSizeIndex;
  w.ignoreNoLetter = s.ignoreNoLetter == 1;
  w.ignoreRepetitions = s.ignoreRepetitions == 1;
  w.wordsToIgnore = lists.wordsToIgnore;
  w.commonWords = s.ignoreCommonWords == 1 ? lists.commonWords : nullptr;
  w.ignoreRomanNumerals = s.ignoreRomanBelow40 == 1;
  w.ignoreInfrequentWords = s.ignoreInfrequentWords == 1;
  w.thresholdFrequency = s.thresholdFrequencyIndex + 2;
  return w;
}

CountRules CountRulesFromSettings(const Settings& settings, const CountLists& lists, scan::MarkupKind markup) {
  CountRules rules;
  rules.allowedExtraChars = AllowedExtraChars(settings);
  rules.markup = markup;
  rules.unicode = settings.unicodeWords == 1;
  rules.word = WordRulesFromSettings(settings, lists);
  return rules;
}

CountRules CommonWordsReadingRules() {
  CountRules rules;
  rules.allowedExtraChars = std::string(kAllPossibleExtraChars);
  rules.markup = scan::MarkupKind{"C", false};
  rules.word.readingWordList = true;
  return rules;
}

}  // namespace kwl
