#include "word_intake.h"

#include "event_pump.h"
#include "main_controls.h"
#include "run_state.h"
#include "text/normalise.h"
#include "params.h"
#include "text/cp1252.h"
#include "count/common_words_list.h"
#include "count/filters.h"
#include "word_filters.h"
#include "count/word_table.h"

namespace kwl {

void WordIntake::Word(std::string_view word) {
  if (run_.blnReadingWords) {
    AddWordToList(word);
    return;
  }
  ++run_.lngTotalNumOccurrences;
  GetWords2(word);
}

void WordIntake::Yield() {
  if (run_.blnStartUpCompleted) pump_.Yield();
}

bool WordIntake::Stopped() { return run_.blnStop; }

void WordIntake::GetWords2(std::string_view found) {
  if (params_.chkOnly7bitASCII.Value() == 1 && !IsAll7bit(found)) return;
  std::string word(found);
  ApplyWordFilters(word, params_);
  if (word.empty()) return;
  const bool ignoreList = !run_.strWordsToIgnore.Empty();
  const bool ignoreCommon = params_.chkIgnoreCommonWords.Value() == 1;
  if (ignoreList || ignoreCommon) {
    const std::string lower = scan::FoldCase(word);
    if (ignoreList && run_.strWordsToIgnore.Contains(lower)) return;
    if (ignoreCommon && common_.Contains(lower)) return;
  }
  AddWordToList(word);
}

void WordIntake::AddWordToList(std::string_view word) {
  if (static_cast<int>(word.size()) > run_.intMaxWordLength) return;
  const bool first = table_.NumWords() == 0;
  if (!table_.Add(word)) return;
  if (first) {
    if (main_.chkSuppressWords.Value() != 1) main_.txbOutput.SetText(cp1252::ToUtf8(word) + " ");
    return;
  }
  const std::int32_t n = table_.NumWords();
  if (n % 10 == 0) {
    if (run_.blnReadingWords)
      main_.lblNumberOfWords.SetCaption("Number of common words read so far: " + std::to_string(n));
    main_.lblNumberOfWords.SetVisible(true);
    main_.lblNumberOfWords.Repaint();
  }
  if (main_.chkSuppressWords.Value() != 1) ShowNewWord(word);
}

void WordIntake::ShowNewWord(std::string_view word) {
  TextBox& out = main_.txbOutput;
  if (static_cast<std::int64_t>(out.Length()) > run_.lngMaxTextLength - 100) {
    if (!run_.blnDisplaySuppressed) {
      out.Append("\r\n\r\n[Suppressing display of words to avoid buffer overflow.]");
      out.SetCaretToEnd();
    }
    run_.blnDisplaySuppressed = true;
    main_.chkSuppressWords.SetValue(1);
    return;
  }
  out.Append(cp1252::ToUtf8(word));
  out.Append(" ");
  out.SetCaretToEnd();
}

}  // namespace kwl
