#include "occurrences_window.h"

#include <cstring>
#include <initializer_list>

#include <optional>

#include "chart.h"
#include "files/paths.h"
#include "files/replacing_file.h"
#include "formats.h"
#include "inspect/explain.h"
#include "listing/formats.h"
#include "listing/listing_writer.h"
#include "session.h"
#include "shown_text.h"
#include "sources/clipboard_text.h"
#include "window_state.h"
#include "word_filters.h"

namespace kwl {
namespace {

constexpr const char* kTitle = "Occurrences";

std::string Quoted(const std::string& utf8) { return "\xC2\xAB" + utf8 + "\xC2\xBB"; }

// Whether the words the window compares and explains are UTF-8: those of
// the counted table once a count is listed, else those the settings count.
bool UnicodeWords(const Session& s) { return s.counted.IsListed() ? s.aWords.Unicode() : MakeCountRules(s).unicode; }

// The columns a text of the table takes in a line of the text box, which
// counts UTF-16 units: a byte each in Windows-1252.
std::size_t ColumnUnits(const Session& s, std::string_view text) {
  return s.aWords.Unicode() ? Utf16Length(text) : text.size();
}

// The text box's lines (UTF-8 in, the table's encoding out), split at CR LF.
std::vector<std::string> BoxLines(const Session& s, const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", from);
    lines.push_back(CountedText(s.aWords, text.substr(from, end == std::string::npos ? std::string::npos : end - from)));
    if (end == std::string::npos) return lines;
    from = end + 2;
  }
}

// The table entries in the order the list shows them.
std::vector<std::int32_t> ListedEntries(const Session& s) {
  if (s.main.cboWordOrder.ListIndex() != 1) return s.run.aFrequencyOrder;
  std::vector<std::int32_t> entries;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
    if (s.aWords[i].blnIncluded) entries.push_back(i);
  return entries;
}

// The text the listing gives entry in the text box's layout (no line end,
// and in the one-line format no separator).
std::string EntryText(const Session& s, const ListingLayout& layout, std::int32_t entry) {
  const WordEntry& e = s.aWords[entry];
  std::string text;
  AppendEntryLine(text, FormatSpecOf(layout.format), false, ColumnWidthsFor(layout), e.lngFreqRank, e.count,
                  e.strWord, layout.filesColumn ? s.aWords.Files(entry) : 0);
  return text;
}

// The included entry word (Windows-1252, as the user wrote it) is counted
// under, or 0.
std::int32_t IncludedEntryOf(const Session& s, const std::string& word) {
  const std::string entry = EntryOfToken(word, s.counted.Rules());
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
    if (s.aWords[i].strWord == entry) return s.aWords[i].blnIncluded ? i : 0;
  return 0;
}

bool ListShown(const Session& s) {
  return CurrentRunPhase(s) == RunPhase::kIdle && s.counted.IsListed() && s.run.lngNumWordsIncluded > 0;
}

std::string CountText(Session& s, std::size_t n) {
  return s.platform.FormatGrouped(static_cast<std::int64_t>(n)) + (n == 1 ? " occurrence" : " occurrences");
}

OccurrenceOrder ChosenOrder(const OccurrencesWindow& w) {
  switch (w.cboOccurrenceOrder.ListIndex()) {
    case 1: return OccurrenceOrder::kLeft;
    case 2: return OccurrenceOrder::kRight;
    default: return OccurrenceOrder::kPosition;
  }
}

// The rows as the text box shows them, and their number.
void ShowRows(Session& s) {
  OccurrencesWindow& w = s.frmOccurrences;
  std::string text;
  for (const std::string& line : KwicLines(w.aOccurrences, s.aWords.Unicode())) {
    if (!text.empty()) text += "\r\n";
    text += ShownText(s.aWords, line);
  }
  w.txbOccurrences.SetText(text);
  w.txbOccurrences.SetCaret(0);
  w.intCurrentRow = 0;
  w.lblNumOccurrencesShown.SetCaption(CountText(s, w.aOccurrences.size()));
  w.cmdCopyOccurrence.SetEnabled(!w.aOccurrences.empty());
  w.cmdSaveOccurrences.SetEnabled(!w.aOccurrences.empty());
}

// No rows: why, in the text box.
void ShowNoRows(Session& s, const std::string& why) {
  OccurrencesWindow& w = s.frmOccurrences;
  w.aOccurrences.clear();
  ShowRows(s);
  w.lblNumOccurrencesShown.SetCaption("No occurrences");
  w.txbOccurrences.SetText(why);
}

// The explanation of token (in the rules' encoding) under the count's rules,
// or the rules of the settings before any count.
std::string ExplanationText(const Session& s, const std::string& token) {
  const bool counted = s.counted.IsListed();
  const CountRules rules = counted ? s.counted.Rules() : MakeCountRules(s);
  const std::string& list = counted ? s.counted.commonWordsFile : s.run.strCommonWordsFile;
  const Explanation ex = ExplainToken(token, rules, rules.word.commonWords ? list : std::string(),
                                      counted ? &s.aWords : nullptr);
  std::string text;
  for (const std::string& step : ex.steps) text += (text.empty() ? "" : "\r\n") + ShownText(rules.unicode, step);
  return text;
}

// The occurrences of the included table entry, searched again in the
// counted source.
void ShowEntry(Session& s, std::int32_t entry) {
  OccurrencesWindow& w = s.frmOccurrences;
  const std::string word = ShownText(s.aWords, s.aWords[entry].strWord);
  w.strEntry = std::string(s.aWords[entry].strWord);
  w.lblOccurrencesOf.SetCaption("Occurrences of " + Quoted(word));
  if (!s.counted.IsWhole()) {
    ShowNoRows(s, "The count did not read its whole text: count again to see every occurrence.");
    return;
  }
  OccurrenceSearch found = s.counted.Search(w.strEntry);
  if (!found.status.Ok()) {
    const std::string problem = OccurrenceSearchProblem(found.status);
    ShowNoRows(s, problem);
    s.Warn(problem, kTitle);
    return;
  }
  w.aOccurrences = std::move(found.rows);
  SortOccurrences(w.aOccurrences, ChosenOrder(w), s.aWords.Unicode());
  ShowRows(s);
}

// Shown over the main window the first time, 40 pixels in from its corner;
// later where the user left it.
void OpenWindow(Session& s) {
  OccurrencesWindow& w = s.frmOccurrences;
  if (!w.blnPlaced) {
    w.blnPlaced = true;
    const Geometry& main = s.main.frmMain.GetGeometry();
    w.frmOccurrences.Move(main.left + 40, main.top + 40);
  }
  w.frmOccurrences.Show();
}

}  // namespace

OccurrencesWindow::OccurrencesWindow() {
  lblOccurrencesOf.SetCaption("Occurrences");
  for (const char* item : {"In the order of the text", "By the words to the left", "By the words to the right"})
    cboOccurrenceOrder.AddItem(item);
  cmdCopyOccurrence.SetCaption("Copy row");
  cmdSaveOccurrences.SetCaption("Save as text file ...");
  lblWhy.SetCaption("Why is a word counted or not? Type it as it appears in the text:");
  cmdWhy.SetCaption("Why?");
  cmdCloseOccurrences.SetCaption("Close");
  for (Control* c : std::initializer_list<Control*>{&txbOccurrences, &txbWhy}) c->SetFont({"Courier New", 10, false});
  frmOccurrences.SetVisible(false);
}

void ConnectOccurrencesWindow(Session& s) {
  OccurrencesWindow& w = s.frmOccurrences;
  w.cboOccurrenceOrder.SetListIndex(0);
  w.cboOccurrenceOrder.onClick = [&s] { cboOccurrenceOrder_Click(s); };
  w.cmdCopyOccurrence.onClick = [&s] { cmdCopyOccurrence_Click(s); };
  w.cmdSaveOccurrences.onClick = [&s] { cmdSaveOccurrences_Click(s); };
  w.cmdWhy.onClick = [&s] { cmdWhy_Click(s); };
  w.txbWhyToken.onLostFocus = [&s] {
    // Enter in the box asks, as the button does; leaving it by Tab does not.
    if (!s.frmOccurrences.txbWhyToken.LeftByTab()) cmdWhy_Click(s);
  };
  w.cmdCloseOccurrences.onClick = [&w] { w.frmOccurrences.SetVisible(false); };
  w.cmdCopyOccurrence.SetEnabled(false);
  w.cmdSaveOccurrences.SetEnabled(false);
}

std::int32_t ListedEntryAt(const Session& s, const ListPlace& place) {
  if (!ListShown(s)) return 0;
  if (const std::string word = TrimBlanks(place.selection); !word.empty())
    return IncludedEntryOf(s, CountedText(s.aWords, word));
  const ListingLayout layout = ListingLayoutFor(s, false);
  const FormatSpec& format = FormatSpecOf(layout.format);
  const std::vector<std::string> lines = BoxLines(s, s.main.txbOutput.Text());
  const std::vector<std::int32_t> entries = ListedEntries(s);
  if (place.line >= lines.size()) return 0;
  const std::string& line = lines[place.line];
  if (format.oneLine) {
    // The words on one line, each followed by ", ": the entry whose text
    // holds the column, when the line holds the listing's texts there.
    if (place.line != 0) return 0;
    std::size_t at = 0;      // in bytes of the line
    std::size_t column = 0;  // the same place in the column's units
    for (const std::int32_t entry : entries) {
      const std::string text = EntryText(s, layout, entry);
      if (line.compare(at, text.size(), text) != 0) return 0;
      const std::size_t units = ColumnUnits(s, text);
      if (place.column < column + units + 2) return place.column >= column ? entry : 0;
      at += text.size() + 2;
      column += units + 2;
    }
    return 0;
  }
  // The heading's lines, then one line per listed entry.
  std::string heading;
  AppendHeading(heading, format, false, ColumnWidthsFor(layout), layout.longestWord);
  const std::vector<std::string> headingLines = BoxLines(s, ShownText(s.aWords, heading));
  for (std::size_t i = 0; i < headingLines.size(); ++i)
    if (i >= lines.size() || lines[i] != headingLines[i]) return 0;
  if (place.line < headingLines.size()) return 0;
  const std::size_t listed = place.line - headingLines.size();
  if (listed >= entries.size()) return 0;
  const std::int32_t entry = entries[listed];
  return line == EntryText(s, layout, entry) ? entry : 0;
}

std::vector<ListMenuEntry> ListContextMenu(Session& s, const ListPlace& place) {
  std::vector<ListMenuEntry> menu;
  if (!ListShown(s)) return menu;
  const std::int32_t entry = ListedEntryAt(s, place);
  const std::string selected = TrimBlanks(place.selection);
  const std::string word = entry > 0 ? ShownText(s.aWords, s.aWords[entry].strWord) : selected;
  if (!word.empty()) {
    ListMenuEntry show{"Show occurrences of " + Quoted(word), "Ctrl+K", s.counted.IsWhole(), {}};
    if (entry > 0) {
      show.action = [&s, entry] {
        ShowEntry(s, entry);
        OpenWindow(s);
      };
    } else {
      show.action = [&s, word] { ShowOccurrences(s, word); };
    }
    menu.push_back(std::move(show));
    const std::string why = entry > 0 ? "Why is " + Quoted(word) + " counted?" : "Why is " + Quoted(word) + " not in the list?";
    menu.push_back({why, "", true, [&s, word] { ShowWhy(s, word); }});
  }
  // The chart follows the list shown; it is offered as Ctrl+G offers it.
  if (s.showChartWindow) menu.push_back({"Show the list as a chart", "Ctrl+G", ChartOffered(s), [&s] { ShowChart(s); }});
  return menu;
}

void ShowOccurrencesAt(Session& s, const ListPlace& place) {
  if (!ListShown(s)) return;
  if (const std::int32_t entry = ListedEntryAt(s, place); entry > 0) {
    ShowEntry(s, entry);
    OpenWindow(s);
  } else if (!TrimBlanks(place.selection).empty()) {
    ShowOccurrences(s, TrimBlanks(place.selection));
  }
}

void ShowOccurrences(Session& s, const std::string& word) {
  OccurrencesWindow& w = s.frmOccurrences;
  const bool unicode = UnicodeWords(s);
  const std::string token = CountedText(unicode, TrimBlanks(word));
  if (const std::int32_t entry = s.counted.IsListed() ? IncludedEntryOf(s, token) : 0; entry > 0) {
    ShowEntry(s, entry);
  } else {
    // Not in the list: no rows, and why not.
    const std::string shown = ShownText(unicode, EntryOfToken(token, s.counted.Rules()));
    w.strEntry.clear();
    w.lblOccurrencesOf.SetCaption("Occurrences of " + Quoted(shown));
    ShowNoRows(s, "No occurrences: " + Quoted(shown) + " is not in the list.");
    w.txbWhyToken.SetText(TrimBlanks(word));
    w.txbWhy.SetText(ExplanationText(s, token));
  }
  OpenWindow(s);
}

void ShowWhy(Session& s, const std::string& token) {
  s.frmOccurrences.txbWhyToken.SetText(TrimBlanks(token));
  cmdWhy_Click(s);
  OpenWindow(s);
}

void cboOccurrenceOrder_Click(Session& s) {
  OccurrencesWindow& w = s.frmOccurrences;
  if (w.aOccurrences.empty()) return;
  SortOccurrences(w.aOccurrences, ChosenOrder(w), s.aWords.Unicode());
  ShowRows(s);
}

void cmdCopyOccurrence_Click(Session& s) {
  const OccurrencesWindow& w = s.frmOccurrences;
  if (w.intCurrentRow >= w.aOccurrences.size()) return;
  // The row on its own: no padding from the longer rows beside it.
  const std::vector<std::string> line = KwicLines({w.aOccurrences[w.intCurrentRow]}, s.aWords.Unicode());
  s.platform.SetClipboardText(ShownText(s.aWords, line.front()));
}

void cmdSaveOccurrences_Click(Session& s) {
  const OccurrencesWindow& w = s.frmOccurrences;
  if (w.aOccurrences.empty()) return;
  FileDialog dialog;
  dialog.title = "Save the occurrences as a text file";
  dialog.filter = "Text files (*.txt) | *.txt";
  dialog.initialName = "occurrences-" + ShownText(s.aWords, w.strEntry) + ".txt";
  dialog.save = true;
  dialog.confirmOverwrite = true;
  const std::optional<std::string> path = s.platform.ChooseFile(dialog);
  if (!path) return;
  std::string text = w.lblOccurrencesOf.Caption() + ": " + w.lblNumOccurrencesShown.Caption() + "\n\n";
  for (const std::string& line : KwicLines(w.aOccurrences, s.aWords.Unicode()))
    text += ShownText(s.aWords, line) + "\n";
  // The file is replaced only by the complete view.
  ReplacingFile file;
  int err = file.Open(*path);
  if (err == 0) err = file.Write(text);
  if (err == 0) err = file.Commit();
  if (err != 0) s.Warn("The occurrences could not be saved in\r\n" + *path + "\r\n" + std::strerror(err), kTitle);
}

void cmdWhy_Click(Session& s) {
  OccurrencesWindow& w = s.frmOccurrences;
  const std::string token = TrimBlanks(w.txbWhyToken.Text());
  w.txbWhy.SetText(token.empty() ? std::string() : ExplanationText(s, CountedText(UnicodeWords(s), token)));
}

}  // namespace kwl
