#pragma once
// Signs of life during a run: the elapsed time, the words found so far, the
// text progress bar of a file scan and the activity indicator.
#include <cstdint>
#include <string>

namespace kwl {
struct Session;

// "0s", "1m 1s", "1h 0m", "1d 1h 1m 1s", ...
std::string FormatElapsedTime(std::int64_t seconds);

// One tick of the elapsed-time timer Timer2.
void Timer2_Timer(Session& s);

// Hides the four statistics labels; with concealTime also empties the elapsed time.
void ConcealNumWords(Session& s, bool concealTime);

// The progress bar of a file scan in lblTotalNumOccurrences.
void SetTotalNumOccurrencesForFileProgressBar(Session& s);
void ResetTotalNumOccurrencesLabel(Session& s);
// The bar's caption for p of width w: "[", p-1 hyphens, ">", blanks, "]".
std::string ProgressBarText(std::int64_t p, int width);
// p for bytes done of total, rounded to the nearest integer, halves to even.
std::int64_t ProgressPosition(std::int64_t done, std::int64_t total, int width);

// The activity indicator's character for listed line i (UTF-8 arrow).
std::string TwirlerText(const Session& s, std::int64_t i);

// Tooltip of "Don't display words as found".
void chkSuppressWords_Click(Session& s);

// Stops the elapsed-time display.
void StopElapsedTime(Session& s);

}  // namespace kwl
