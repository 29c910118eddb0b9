#include "words/filters.h"

#include "run/run_state.h"
#include "scan/char_rules.h"
#include "settings/params.h"

namespace kwl {

bool IsAll7bit(std::string_view word) {
  for (char c : word)
    if (static_cast<unsigned char>(c) >= 128) return false;
  return true;
}

bool LacksLetter(std::string_view word) {
  for (char c : word)
    if (scan::IsTableLetter(static_cast<unsigned char>(c))) return false;
  return true;
}

bool IsRepetition(std::string_view word) {
  while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
  while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
  for (char c : word)
    if (c != word.front()) return false;
  return true;
}

bool IsRomanNumeralBelow40(std::string_view word) {
  while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
  while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
  if (word.empty() || word == "I" || word == "i") return false;
  for (char c : word)
    if (c != 'I' && c != 'i' && c != 'V' && c != 'v' && c != 'X' && c != 'x') return false;
  return true;
}

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
