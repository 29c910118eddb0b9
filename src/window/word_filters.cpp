#include "word_filters.h"

#include "files/paths.h"
#include "params.h"
#include "params_logic.h"
#include "run_state.h"
#include "session.h"

namespace kwl {

WordRules MakeWordRules(const Params& p, const RunState& run, const CommonWordsList& commonWords) {
  WordRules w;
  // A common-words file is always read lower-cased.
  w.caseSignificant = p.chkCaseSignificant.Value() == 1 && !run.blnReadingWords;
  w.dropFinalS = p.chkDropFinalS.Value() == 1;
  w.apostrophesAllowed = p.chkAllowWordsWithApostrophes.Value() == 1;
  w.readingWordList = run.blnReadingWords;
  w.only7bitAscii = p.chkOnly7bitASCII.Value() == 1;
  w.ignoreShortWords = p.chkIgnoreShortWords.Value() == 1;
  w.shortWordSize = p.ShortWordSize();
  w.longWordSize = p.LongWordSize();
  w.ignoreNoLetter = p.chkIgnoreNoLetter.Value() == 1;
  w.ignoreRepetitions = p.chkIgnoreRepetitions.Value() == 1;
  w.wordsToIgnore = &run.strWordsToIgnore;
  w.commonWords = p.chkIgnoreCommonWords.Value() == 1 ? &commonWords : nullptr;
  w.maxWordLength = run.intMaxWordLength;
  w.ignoreRomanNumerals = p.chkIgnoreRomNum40.Value() == 1;
  w.ignoreInfrequentWords = p.chkIgnoreInfrequentWords.Value() == 1;
  w.thresholdFrequency = run.intThresholdFrequency;
  return w;
}

CountRules MakeCountRules(const Session& s) {
  const RunState& r = s.run;
  CountRules rules;
  rules.prohibitedInitialOrFinalChars = r.strProhibitedInitialOrFinalChars;
  if (r.blnReadingWords) {
    // Words holding any of the possible extra characters stay whole.
    rules.allowedExtraChars = r.strAllPossibleExtraChars;
    rules.markup = scan::MarkupKind{"C", false};
  } else {
    rules.allowedExtraChars = BuildAllowedExtraChars(s.params);
    rules.markup = s.main.optInFile.Value() ? scan::MarkupKindFor(Extension(TrimBlanks(s.main.txbFile[0].Text())))
                                            : scan::MarkupKind{"", false};
  }
  rules.word = MakeWordRules(s.params, r, s.commonWords);
  return rules;
}

}  // namespace kwl
