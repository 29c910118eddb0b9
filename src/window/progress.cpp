#include "progress.h"

#include <algorithm>

#include "count/limits.h"
#include "listing/report_text.h"
#include "session.h"
#include "window_state.h"

namespace kwl {

void Timer2_Timer(Session& s) {
  if (!s.run.blnElapsedTimeRunning) return;
  ++s.run.lngSecondsElapsed;
  if (!s.main.optOnClipboard.Value())
    s.main.lblTimeElapsed.SetCaption("Time elapsed: " + ElapsedTimeText(s.run.lngSecondsElapsed));
  s.main.lblNumberOfWords.SetCaption("Number of different words found so far: " +
                                     s.platform.FormatGrouped(s.aWords.NumWords()));
}

void ConcealNumWords(Session& s, bool concealTime) {
  MainControls& m = s.main;
  m.lblNumberOfWords.SetVisible(false);
  m.lblNumWordsExcluded.SetVisible(false);
  m.lblNumOccurrences.SetVisible(false);
  m.lblTotalNumOccurrences.SetVisible(false);
  m.lblFilesCounted.SetVisible(false);
  m.lblFilesSkipped.SetVisible(false);
  if (concealTime) m.lblTimeElapsed.SetCaption("");
}

void SetTotalNumOccurrencesForFileProgressBar(Session& s) {
  Label& bar = s.main.lblTotalNumOccurrences;
  bar.SetAlignment(Align::Left);
  bar.SetFont(Font{"Courier New", 10, true});
  // The scan hid the statistics labels when it started; the bar must show.
  bar.SetVisible(true);
  std::string empty = "[";
  bar.SetCaption(empty.append(static_cast<std::size_t>(kProgressBarWidth), ' ').append("]"));
  bar.Repaint();
}

void ResetTotalNumOccurrencesLabel(Session& s) {
  Label& bar = s.main.lblTotalNumOccurrences;
  bar.SetAlignment(Align::Right);
  bar.SetFont(Font{"Arial", 10, false});
  bar.SetVisible(true);
  bar.SetCaption("");
  bar.Repaint();
}

FileProgressBar::FileProgressBar(Session& s, std::int64_t inputSize, bool shown)
    : s_(s), inputSize_(inputSize), shown_(shown) {}

void FileProgressBar::Advance(std::int64_t bytes) {
  bytesRead_ += bytes;
  if (!shown_) return;
  const std::int64_t p = ProgressBarPosition(bytesRead_, inputSize_, kProgressBarWidth);
  if (p == drawn_) return;
  drawn_ = p;
  Label& bar = s_.main.lblTotalNumOccurrences;
  bar.SetCaption(TextProgressBar(p, kProgressBarWidth));
  bar.Repaint();
}

void FileProgressBar::BeginPart(std::int64_t partBytes, std::int64_t partUnits) {
  EndPart();
  partBytes_ = partBytes;
  partUnits_ = partUnits;
}

void FileProgressBar::PartDone(std::int64_t units) {
  std::int64_t at = partStart_;
  if (partUnits_ == partBytes_) {
    at += units;
  } else if (partUnits_ > 0) {
    const long double share = static_cast<long double>(std::min(units, partUnits_)) / partUnits_;
    at += static_cast<std::int64_t>(share * partBytes_);
  }
  if (at > bytesRead_) Advance(at - bytesRead_);
}

void FileProgressBar::EndPart() {
  partStart_ += partBytes_;
  partBytes_ = 0;
  partUnits_ = 0;
  if (partStart_ > bytesRead_) Advance(partStart_ - bytesRead_);
}

std::string TwirlerText(std::int64_t i) {
  // The indicator's Symbol-font arrows 172..175 are the Unicode arrows ← ↑ → ↓.
  static const char* const arrows[] = {"\xE2\x86\x90", "\xE2\x86\x91", "\xE2\x86\x92", "\xE2\x86\x93"};
  const int code = kTwirlerChars[static_cast<std::size_t>(i % 4)];
  return (code >= 172 && code <= 175) ? arrows[code - 172] : " ";
}

void chkSuppressWords_Click(Session& s) {
  CheckBox& box = s.main.chkSuppressWords;
  box.SetToolTip(box.Value() == 1 ? "" : "The program will run faster if this checkbox is checked.");
  SetTheFocus(s);
}

void StopElapsedTime(Session& s) {
  s.main.Timer2.SetEnabled(false);
  s.run.blnElapsedTimeRunning = false;
}

}  // namespace kwl
