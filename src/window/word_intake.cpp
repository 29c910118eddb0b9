#include "word_intake.h"

#include <string>

#include "count/limits.h"
#include "progress.h"
#include "session.h"
#include "shown_text.h"
#include "word_filters.h"

namespace kwl {
void WordIntake::Step() {
  if (!s_.run.blnStartUpCompleted) return;
  if (s_.pump.Yield()) s_.counter.SetWordRules(MakeWordRules(s_.params, s_.run, s_.commonWords));
}

bool WordIntake::StopRequested() { return s_.run.blnStop; }

bool WordIntake::ConfirmStop(std::int32_t distinctWords) {
  if (!askBeforeStopping || distinctWords < kWordsBeforeStopQuestion) return true;
  std::string question = " ";
  question.append(std::to_string(distinctWords)).append(" different words have been found.\r\nDo you really wish to stop?");
  if (s_.Show(question, s_.Text(74), Buttons::YesNo) != Answer::No) return true;
  s_.run.blnStop = false;
  return false;
}

void WordIntake::NewWord(std::string_view word, std::int32_t distinctWords) {
  MainControls& m = s_.main;
  if (distinctWords == 1) {
    if (m.chkSuppressWords.Value() != 1) m.txbOutput.SetText(ShownText(s_.aWords, word) + " ");
    return;
  }
  if (distinctWords % 10 == 0) {
    if (s_.run.blnReadingWords)
      m.lblNumberOfWords.SetCaption("Number of common words read so far: " + std::to_string(distinctWords));
    m.lblNumberOfWords.SetVisible(true);
    m.lblNumberOfWords.Repaint();
  }
  if (m.chkSuppressWords.Value() != 1) ShowNewWord(word);
}

void WordIntake::Progress(std::int64_t done, std::int64_t /*total*/) {
  if (progressBar != nullptr) progressBar->PartDone(done);
}

void WordIntake::ShowNewWord(std::string_view word) {
  TextBox& out = s_.main.txbOutput;
  RunState& r = s_.run;
  if (static_cast<std::int64_t>(out.Length()) > kDisplaySuppressLength) {
    if (!r.blnDisplaySuppressed) {
      out.Append("\r\n\r\n[Suppressing display of words to avoid buffer overflow.]");
      out.SetCaretToEnd();
    }
    r.blnDisplaySuppressed = true;
    s_.main.chkSuppressWords.SetValue(1);
    return;
  }
  out.Append(ShownText(s_.aWords, word));
  out.Append(" ");
  out.SetCaretToEnd();
}

}  // namespace kwl
