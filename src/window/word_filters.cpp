#include "word_filters.h"

#include "count/rules_from_settings.h"
#include "files/paths.h"
#include "params.h"
#include "params_logic.h"
#include "run_state.h"
#include "session.h"

namespace kwl {
namespace {

// The core's word rules with what the run state decides: a common-words
// file is read lower-cased and with no filters, the threshold is the one
// the count started with.
WordRules RulesOfTheRun(const Settings& settings, const RunState& run, const CommonWordsList& commonWords) {
  WordRules w = WordRulesFromSettings(settings, CountLists{&run.strWordsToIgnore, &commonWords});
  w.caseSignificant = w.caseSignificant && !run.blnReadingWords;
  w.readingWordList = run.blnReadingWords;
  w.thresholdFrequency = run.intThresholdFrequency;
  return w;
}

}  // namespace

WordRules MakeWordRules(const Params& p, const RunState& run, const CommonWordsList& commonWords) {
  // Only the values of the word rules, read from their controls: the rules
  // are taken at every line and whenever events have run, so nothing may be
  // copied here (the words to ignore can be a long text).
  Settings settings;
  settings.caseSignificant = p.chkCaseSignificant.Value();
  settings.dropFinalS = p.chkDropFinalS.Value();
  settings.allowApostrophes = p.chkAllowWordsWithApostrophes.Value();
  settings.only7bitAscii = p.chkOnly7bitASCII.Value();
  settings.ignoreShortWords = p.chkIgnoreShortWords.Value();
  settings.shortWordSizeIndex = p.cboShortWordSize.ListIndex();
  settings.longWordSizeIndex = p.cboLongWordSize.ListIndex();
  settings.ignoreNoLetter = p.chkIgnoreNoLetter.Value();
  settings.ignoreRepetitions = p.chkIgnoreRepetitions.Value();
  settings.ignoreCommonWords = p.chkIgnoreCommonWords.Value();
  settings.ignoreRomanBelow40 = p.chkIgnoreRomNum40.Value();
  settings.ignoreInfrequentWords = p.chkIgnoreInfrequentWords.Value();
  return RulesOfTheRun(settings, run, commonWords);
}

CountRules MakeCountRules(const Session& s) {
  const RunState& r = s.run;
  if (r.blnReadingWords) {
    CountRules rules = CommonWordsReadingRules();
    rules.word = MakeWordRules(s.params, r, s.commonWords);
    return rules;
  }
  const Settings settings = CurrentSettings(s);
  const scan::MarkupKind markup = s.main.optInFile.Value()
                                      ? scan::MarkupKindFor(Extension(TrimBlanks(settings.inputFile)))
                                      : scan::MarkupKind{"", false};
  CountRules rules = CountRulesFromSettings(settings, CountLists{&r.strWordsToIgnore, &s.commonWords}, markup);
  rules.word = RulesOfTheRun(settings, r, s.commonWords);
  return rules;
}

}  // namespace kwl
