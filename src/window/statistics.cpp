#include "statistics.h"

#include <array>
#include <cstdint>
#include <string>

#include "listing/report_text.h"
#include "params_logic.h"
#include "progress.h"
#include "session.h"

namespace kwl {

void ShowRunStatistics(Session& s, const ListStatistics& st) {
  MainControls& m = s.main;
  const RunState& r = s.run;
  const bool ignoring = !r.strWordsToIgnore.Empty() || s.params.chkIgnoreCommonWords.Value() == 1;
  const std::array<std::string, kStatisticsLines> lines = StatisticsLines(
      st, ignoring, r.blnInterrupted, [&s](std::int64_t n) { return s.platform.FormatGrouped(n); });
  m.lblNumberOfWords.SetCaption(lines[0]);
  m.lblNumberOfWords.SetVisible(true);
  m.lblNumWordsExcluded.SetCaption(lines[1]);
  m.lblNumWordsExcluded.SetVisible(true);
  m.lblNumOccurrences.SetCaption(lines[2]);
  m.lblTotalNumOccurrences.SetCaption(lines[3]);
  m.lblTotalNumOccurrences.SetAlignment(Align::Right);
  m.lblNumOccurrences.SetVisible(true);
  m.lblTotalNumOccurrences.SetVisible(true);
  // Empty after a count of one file.
  m.lblFilesCounted.SetCaption(lines[4]);
  m.lblFilesSkipped.SetCaption(lines[5]);
  m.lblFilesCounted.SetVisible(true);
  m.lblFilesSkipped.SetVisible(true);
  StopElapsedTime(s);
  // The labels share one frame; drawing them now shows the result before the
  // listing starts.
  for (Label* label : {&m.lblNumberOfWords, &m.lblNumWordsExcluded, &m.lblNumOccurrences, &m.lblTotalNumOccurrences,
                       &m.lblFilesCounted, &m.lblFilesSkipped})
    label->Repaint();
}

void ReportNoWords(Session& s) {
  s.main.txbOutput.SetText(NoWordsExplanation(s.aWords.NumWords() > 0, CurrentSettings(s)));
}

}  // namespace kwl
