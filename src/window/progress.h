#pragma once
// Signs of life during a run: the elapsed time, the words found so far, the
// text progress bar of a file scan and the activity indicator.
#include <cstdint>
#include <string>

namespace kwl {
struct Session;

// One tick of the elapsed-time timer Timer2.
void Timer2_Timer(Session& s);

// Hides the four statistics labels; with concealTime also empties the elapsed time.
void ConcealNumWords(Session& s, bool concealTime);

// The progress bar of a file scan in lblTotalNumOccurrences: an empty bar,
// shown (the statistics labels are hidden when a scan starts).
void SetTotalNumOccurrencesForFileProgressBar(Session& s);
// Back to a statistics label: right-aligned, Arial, visible, empty.
void ResetTotalNumOccurrencesLabel(Session& s);
// The elapsed time and the bar's caption are the core's (ElapsedTimeText,
// TextProgressBar and ProgressBarPosition in listing/report_text.h).

// Draws a file scan's progress as bytes are read. The size of the input is
// taken once, when the scan starts; the caption is set and repainted only
// when the bar changes, so a line costs one multiplication and division.
// A count of several files draws one bar over all their bytes: each file is
// a part of the total, read in units of its own (a DOCX document's text is
// longer or shorter than the document).
class FileProgressBar {
 public:
  // shown: whether the bar is drawn at all (an input above 10240 bytes).
  FileProgressBar(Session& s, std::int64_t inputSize, bool shown);
  // Counts bytes more as read and redraws the bar when it has moved.
  void Advance(std::int64_t bytes);
  std::int64_t BytesRead() const { return bytesRead_; }

  // The next part: partBytes of the total, read in partUnits units. The
  // part before ends at once (its bytes all counted as read).
  void BeginPart(std::int64_t partBytes, std::int64_t partUnits);
  // units of the current part read: the bar stands at the parts before plus
  // that share of this part's bytes (a part whose units are its bytes may
  // run past its end, as a file that grew while it was read).
  void PartDone(std::int64_t units);
  // The current part ends: its bytes all counted as read.
  void EndPart();

 private:
  Session& s_;
  std::int64_t inputSize_;
  bool shown_;
  std::int64_t bytesRead_ = 0;
  std::int64_t drawn_ = -1;  // the position drawn last
  std::int64_t partStart_ = 0;
  std::int64_t partBytes_ = 0;
  std::int64_t partUnits_ = 0;
};

// The activity indicator's character for listed line i (UTF-8 arrow).
std::string TwirlerText(std::int64_t i);

// Tooltip of "Don't display words as found".
void chkSuppressWords_Click(Session& s);

// Stops the elapsed-time display.
void StopElapsedTime(Session& s);

}  // namespace kwl
