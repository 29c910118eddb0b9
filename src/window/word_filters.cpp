#include "word_filters.h"

#include "count/filters.h"
#include "params.h"
#include "run_state.h"

namespace kwl {

void ApplyWordFilters(std::string& word, const Params& p) {
  const auto length = static_cast<int>(word.size());
  if (p.chkIgnoreShortWords.Value() == 1 && length < p.ShortWordSize()) {
    word.clear();
  } else if (length > p.LongWordSize()) {
    word.clear();
  } else if (p.chkIgnoreNoLetter.Value() == 1 && LacksLetter(word)) {
    word.clear();
  } else if (p.chkIgnoreRepetitions.Value() == 1 && length > 1 && IsRepetition(word) &&
             !(word.front() >= '0' && word.front() <= '9')) {
    word.clear();
  }
}

void ApplyPostScanFilters(WordTable& table, const Params& p, int threshold) {
  const bool roman = p.chkIgnoreRomNum40.Value() == 1;
  const bool infrequent = p.chkIgnoreInfrequentWords.Value() == 1;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    WordEntry& e = table[i];
    e.blnIncluded = true;
    if (roman && IsRomanNumeralBelow40(e.strWord)) e.blnIncluded = false;
    if (infrequent && e.lngCount < threshold) e.blnIncluded = false;
  }
}

void ComputeTotals(const WordTable& table, RunState& run) {
  run.intMaxWordLengthFound = 0;
  run.lngNumWordsIncluded = 0;
  run.lngMaxFrequency = 0;
  run.lngNumWordsExcluded = 0;
  run.lngNumOccurrences = 0;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    const WordEntry& e = table[i];
    if (!e.blnIncluded) {
      ++run.lngNumWordsExcluded;
      continue;
    }
    ++run.lngNumWordsIncluded;
    run.lngNumOccurrences += e.lngCount;
    if (e.lngCount > run.lngMaxFrequency) run.lngMaxFrequency = e.lngCount;
    if (static_cast<int>(e.strWord.size()) > run.intMaxWordLengthFound)
      run.intMaxWordLengthFound = static_cast<int>(e.strWord.size());
  }
}

}  // namespace kwl
