#include "count_run.h"

#include <cerrno>
#include <cstdio>
#include <new>

#include "clipboard_source.h"
#include "common_words.h"
#include "file_choice.h"
#include "file_source.h"
#include "files/paths.h"
#include "list_words.h"
#include "listing/order.h"
#include "listing/output_file.h"
#include "order.h"
#include "statistics.h"
#include "progress.h"
#include "session.h"
#include "window_state.h"
#include "params_logic.h"
#include "state_file.h"
#include "files/regular_file.h"
#include "sources/input_notices.h"
#include "files/run_error.h"
#include "count/counter.h"
#include "count/filters.h"
#include "word_filters.h"
#include "counted_source.h"

namespace kwl {
namespace {

// Checks that the output file can be written before anything is scanned,
// creating and changing nothing: the list replaces it only when complete.
// An output named like the input is left to the file source, which refuses
// the pair with its own message.
void CheckOutputFile(Session& s) {
  const std::string& out = s.main.txbFile[1].Text();
  if (s.main.optInFile.Value()) {
    if (SameFile(out, TrimBlanks(s.main.txbFile[0].Text()))) return;
    if (const auto* files = InputFiles(s))
      for (const std::string& file : *files)
        if (SameFile(out, file)) return;
  }
  CheckOutputWritable(out);
}

// Whether the listing shows in how many files each word occurs: the
// counter then keeps it per word.
bool FilesColumnWanted(const Session& s) { return CurrentSettings(s).showFilesColumn != 0; }

void ShowStep(Session& s, int catalogueNumber) {
  s.main.txbOutput.SetText(s.Text(catalogueNumber) + " ...");
  s.main.txbOutput.Repaint();
}

void StoreTotals(const CountTotals& t, RunState& r) {
  r.intMaxWordLengthFound = t.longestWord;
  r.lngNumWordsIncluded = t.included;
  r.lngMaxFrequency = t.maxFrequency;
  r.lngNumWordsExcluded = t.excluded;
  r.lngNumOccurrences = t.occurrences;
}

void EndRun(Session& s) {
  EnableControls(s, true);
  SetRunPhase(s, RunPhase::kIdle);
  s.main.lblTwirler.SetCaption(" ");
  SetTheFocus(s);
}

}  // namespace

void FinishCount(Session& s) {
  MainControls& m = s.main;
  RunState& r = s.run;
  s.aWords.OrderByWord();
  SortWordTable(s.aWords, 1, s.aWords.NumWords(), 1);
  if (r.blnStop) {
    r.blnStop = false;
    if (!m.txbOutput.Text().empty()) m.txbOutput.Append("\r\n\r\n");
    const std::int32_t n = s.aWords.NumWords();
    m.txbOutput.Append("Stopped with " + std::to_string(n) + " word" + (n == 1 ? "" : "s") + " found.");
    ConcealNumWords(s, false);
    m.txbOutput.SetCaretToEnd();
    const Answer answer = s.Show(
        "The operation was stopped before all words were counted.\r\nDo you wish to list the words which were found?",
        "Counting interrupted", Buttons::YesNo);
    if (answer == Answer::No) {
      EnableControls(s, true);
      SetRunPhase(s, RunPhase::kIdle);
      return;
    }
    r.blnInterrupted = true;
  }
  r.blnWordsGot = !r.blnInterrupted;
  SetRunPhase(s, RunPhase::kListing);
  m.cmdListWords.Repaint();
  m.cmdListWords.SetEnabled(false);
  ShowStep(s, 77);
  ApplyPostScanRules(s.aWords, MakeWordRules(s.params, r, s.commonWords));
  ShowStep(s, 78);
  StoreTotals(ComputeTotals(s.aWords), r);
  ShowStep(s, 79);
  BuildFrequencyOrder(s);
  ListStatistics statistics = ComputeListStatistics(s.aWords, r.lngTotalNumOccurrences);
  statistics.filesCounted = r.lngFilesCounted;
  statistics.filesSkipped = r.lngFilesSkipped;
  ShowRunStatistics(s, statistics);
  r.blnResultsShown = true;
  NoteCountListed(s);
  m.cmdListWords.SetEnabled(true);
  ListWords(s);
  EndRun(s);
}

void StartCount(Session& s, const CountRules& rules) {
  s.counter.Start(rules);
  // The words of a Unicode count are UTF-8: the text box shows them as they
  // are, as they are found and when they are listed.
  s.aWords.SetUnicode(rules.unicode);
  NoteCountStart(s, rules);
  if (FilesColumnWanted(s)) s.counter.TrackFiles();
  s.run.blnWordsGot = false;
  s.run.aFrequencyOrder.clear();
}

void ScanOneLine(Session& s, std::string& line) {
  // A reader that hands lines over one at a time does not say where its count
  // starts, so the word rules are taken at every line (no allocation).
  s.counter.SetWordRules(MakeWordRules(s.params, s.run, s.commonWords));
  s.run.lngTotalNumOccurrences += s.counter.ScanLine(line, s.intake);
}

void cmdListWords_Click(Session& s) {
  MainControls& m = s.main;
  if (CurrentRunPhase(s) != RunPhase::kIdle) {
    if (s.Show(s.Text(75), s.Text(74), Buttons::YesNo, Icon::None, Answer::No) != Answer::No) s.run.blnStop = true;
    return;
  }
  if (m.chkUTF8.Value() == 1 && s.params.chkOnly7bitASCII.Value() == 1) {
    const Notice conflict = SevenBitOnlyConflict(IsDocxFile(TrimBlanks(m.txbFile[0].Text())));
    s.Warn(conflict.text, conflict.title);
    return;
  }
  s.run.intThresholdFrequency = s.params.cboThresholdFrequency.ListIndex() + 2;
  DoIt(s);
  StopElapsedTime(s);
  if (s.run.lngSecondsElapsed < 4) m.lblTimeElapsed.SetCaption("");
}

void DoIt(Session& s) {
  MainControls& m = s.main;
  RunState& r = s.run;
  // A list read before the Unicode setting changed is made of the kind the
  // count needs first.
  WordListsFollowTheMode(s);
  if (!CheckAllowedExtraChars(s)) {
    if (s.showSettingsWindow) s.showSettingsWindow();
    return;
  }
  r.blnReadingWords = false;
  r.blnInterrupted = false;
  r.blnDisplaySuppressed = false;
  // Nothing of an earlier run's output file or failed reading carries over
  // into this run's reports.
  r.blnOutputFileWritten = false;
  r.blnCountIncomplete = false;
  r.lngFilesCounted = 0;
  r.lngFilesSkipped = 0;
  try {
    if (!m.txbFile[1].Text().empty() && m.chkDisableOutputToFile.Value() != 1) CheckOutputFile(s);
    r.lngTotalNumOccurrences = 0;
    m.lblTimeElapsed.SetVisible(true);
    m.lblTimeElapsed.SetCaption("Time elapsed: 0s");
    r.blnElapsedTimeRunning = true;
    r.lngSecondsElapsed = 0;
    m.Timer2.SetEnabled(true);
    bool ok = false;
    if (const auto* files = m.optInFile.Value() ? InputFiles(s) : nullptr) {
      // A copy: the list stays as it is whatever the count's questions change.
      ok = DoItFromFiles(s, std::vector<std::string>(*files));
    } else if (m.optInFile.Value()) {
      m.txbFile[0].SetText(TrimBlanks(m.txbFile[0].Text()));
      if (m.txbFile[0].Text().empty()) {
        s.Warn("Input file not specified.", s.Text(34));
        m.txbOutput.Clear();
        m.txbOutput.Repaint();
        return;
      }
      ok = DoItFromFile(s);
    } else {
      if (!GetClipboardText(s, false)) {
        m.optInFile.Select();
        return;
      }
      ok = DoItFromClipboard(s);
    }
    if (!ok) return;
    FinishCount(s);
  } catch (const RunError& e) {
    ReportError(s, e.Number(), e.Description(), "DoIt");
    if (e.Number() == 70)
      m.txbOutput.SetText("Error: " + e.Description() +
                          "\r\n\r\nIf the output file is open in Excel then it must first be closed\r\n"
                          "or a different file should be specified as the output file.");
    EndRun(s);
  } catch (const std::bad_alloc&) {
    ReportError(s, 7, "Out of memory", "DoIt");
    EndRun(s);
  }
}

void ReportError(Session& s, int number, const std::string& description, const std::string& procedure) {
  StopElapsedTime(s);
  std::string message;
  std::string title;
  if (number == -6) {
    message = s.Text(27) + "  ";
    if (s.main.txbFile[1].Text().empty()) {
      message += s.Text(31);
    } else if (s.main.chkDisableOutputToFile.Value() == 1) {
      message += s.Text(32);
    } else if (s.run.blnOutputFileWritten) {
      message += "\r\n" + s.Text(33);
    }
    title = s.Text(27);
  } else {
    message = RunErrorReport(number, description, procedure);
    if (s.run.blnOutputFileWritten) message += "\r\n" + s.Text(33);
    title = s.Text(34);
  }
  s.Warn(message, title);
}

void InitializeVariables(Session& s) {
  RunState& r = s.run;
  MainControls& m = s.main;
  r.blnMacNoticeShown = false;
  r.blnWordsGot = false;
  m.optInFile.Select();
  m.lblSizeOfClipboardContents.SetCaption("");
  m.lblFilesize.SetCaption("");
  m.lblXMLsize.SetCaption("");
  r.strStateFile = StateFilePath(s);
  m.lblTwirler.SetCaption(" ");
  Initialize(s);
}

}  // namespace kwl
