#include "progress.h"

#include <cmath>

#include "count/limits.h"
#include "session.h"
#include "window_state.h"

namespace kwl {

std::string FormatElapsedTime(std::int64_t n) {
  const std::int64_t s = n % 60;
  std::int64_t m = n / 60;
  const std::string seconds = std::to_string(s) + "s";
  if (m == 0) return seconds;
  std::string text;
  if (m >= 1440) {
    text = std::to_string(m / 1440) + "d ";
    m %= 1440;
  }
  text += std::to_string(m / 60) + "h " + std::to_string(m % 60) + "m";
  if (s > 0) text += " " + seconds;
  if (text.rfind("0h ", 0) == 0) text.erase(0, 3);
  return text;
}

void Timer2_Timer(Session& s) {
  if (!s.run.blnElapsedTimeRunning) return;
  ++s.run.lngSecondsElapsed;
  if (!s.main.optOnClipboard.Value())
    s.main.lblTimeElapsed.SetCaption("Time elapsed: " + FormatElapsedTime(s.run.lngSecondsElapsed));
  s.main.lblNumberOfWords.SetCaption("Number of different words found so far: " +
                                     s.platform.FormatGrouped(s.aWords.NumWords()));
}

void ConcealNumWords(Session& s, bool concealTime) {
  MainControls& m = s.main;
  m.lblNumberOfWords.SetVisible(false);
  m.lblNumWordsExcluded.SetVisible(false);
  m.lblNumOccurrences.SetVisible(false);
  m.lblTotalNumOccurrences.SetVisible(false);
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

std::string ProgressBarText(std::int64_t p, int width) {
  const auto w = static_cast<std::size_t>(width);
  const auto hyphens = static_cast<std::size_t>(p > 0 ? p - 1 : 0);
  std::string text = "[";
  text.append(hyphens, '-').append(">");
  if (p <= 0) {
    text.append(w, ' ');
  } else if (p <= width) {
    text.append(w - static_cast<std::size_t>(p), ' ');
  }
  return text.append("]");
}

std::int64_t ProgressPosition(std::int64_t done, std::int64_t total, int width) {
  if (total <= 0) return 0;
  const double exact = static_cast<double>(done) * width / static_cast<double>(total);
  return static_cast<std::int64_t>(std::nearbyint(exact));  // the default rounding mode: halves to even
}

FileProgressBar::FileProgressBar(Session& s, std::int64_t inputSize, bool shown)
    : s_(s), inputSize_(inputSize), shown_(shown) {}

void FileProgressBar::Advance(std::int64_t bytes) {
  bytesRead_ += bytes;
  if (!shown_) return;
  const std::int64_t p = ProgressPosition(bytesRead_, inputSize_, kProgressBarWidth);
  if (p == drawn_) return;
  drawn_ = p;
  Label& bar = s_.main.lblTotalNumOccurrences;
  bar.SetCaption(ProgressBarText(p, kProgressBarWidth));
  bar.Repaint();
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
