#include "statistics.h"

#include "progress.h"
#include "session.h"
#include "text/number_text.h"

namespace kwl {

void ShowRunStatistics(Session& s, const ListStatistics& st) {
  MainControls& m = s.main;
  const RunState& r = s.run;
  const std::string total = s.platform.FormatGrouped(st.totalOccurrences);
  const std::size_t w = total.size() + 1;
  auto field = [&](std::int64_t n) {
    const std::string text = std::string(w, ' ') + s.platform.FormatGrouped(n);
    return text.substr(text.size() - w);
  };
  m.lblNumberOfWords.SetCaption("Number of words in this list:" + field(st.wordsListed));
  m.lblNumberOfWords.SetVisible(true);
  const bool ignoring = !r.strWordsToIgnore.Empty() || s.params.chkIgnoreCommonWords.Value() == 1;
  m.lblNumWordsExcluded.SetCaption(
      (ignoring ? "No. of words ignored (other than common words):" : "Number of words ignored:") +
      field(st.wordsIgnored));
  m.lblNumWordsExcluded.SetVisible(true);
  m.lblNumOccurrences.SetCaption("");
  m.lblTotalNumOccurrences.SetCaption("");
  m.lblTotalNumOccurrences.SetAlignment(Align::Right);
  if (!r.blnInterrupted) {
    if (st.occurrencesListed > 0)
      m.lblNumOccurrences.SetCaption("Number of instances of words in this list:" + field(st.occurrencesListed));
    m.lblTotalNumOccurrences.SetCaption("Total number of instances of words:" + field(st.totalOccurrences));
  }
  m.lblNumOccurrences.SetVisible(true);
  m.lblTotalNumOccurrences.SetVisible(true);
  StopElapsedTime(s);
  // The labels share one frame; drawing them now shows the result before the
  // listing starts.
  for (Label* label : {&m.lblNumberOfWords, &m.lblNumWordsExcluded, &m.lblNumOccurrences, &m.lblTotalNumOccurrences})
    label->Repaint();
}

void ReportNoWords(Session& s) {
  if (s.aWords.NumWords() == 0) {
    s.main.txbOutput.SetText("No words satisfying the conditions were found.");
    return;
  }
  const int n = s.params.cboShortWordSize.ListIndex() + 1;
  const int t = s.params.cboThresholdFrequency.ListIndex() + 2;
  std::string text = "No words with more than" + Str(n) + " letter" + (n > 1 ? "s" : "") +
                     "\r\noccur at least ";
  if (s.params.chkIgnoreInfrequentWords.Value() != 1) {
    text += "once.";
  } else if (t == 2) {
    text += "twice.";
  } else {
    text += std::to_string(t) + " times.";
  }
  s.main.txbOutput.SetText(text);
}

}  // namespace kwl
