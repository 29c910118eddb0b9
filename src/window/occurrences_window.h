#pragma once
// The occurrences window frmOccurrences (every place of an entry of the
// list, key word in context) with its "Why?" box, and the context menu of
// the list txbOutput that opens it. The places come from searching the
// counted source again with the count's rules (CountedSource); the
// explanations from the count's own rule code (ExplainToken).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls.h"
#include "inspect/occurrences.h"

namespace kwl {
struct Session;

struct OccurrencesWindow {
  OccurrencesWindow();

  Window frmOccurrences{"frmOccurrences"};
  Label lblOccurrencesOf{"lblOccurrencesOf"};          // "Occurrences of «word»"
  Label lblNumOccurrencesShown{"lblNumOccurrencesShown"};  // "12 occurrences"
  ComboBox cboOccurrenceOrder{"cboOccurrenceOrder"};   // by position, left, right
  // One row per occurrence (UTF-8, CR LF between rows), or why there is none.
  TextBox txbOccurrences{"txbOccurrences"};
  Button cmdCopyOccurrence{"cmdCopyOccurrence"};
  Button cmdSaveOccurrences{"cmdSaveOccurrences"};
  Label lblWhy{"lblWhy"};
  TextBox txbWhyToken{"txbWhyToken"};  // any token, as it appears in the text
  Button cmdWhy{"cmdWhy"};
  TextBox txbWhy{"txbWhy"};            // the explanation, one step a line
  Button cmdCloseOccurrences{"cmdCloseOccurrences"};

  // The rows shown, in the order shown; the row the user is on (the
  // binding keeps it up to date), from 0.
  std::vector<Occurrence> aOccurrences;
  std::size_t intCurrentRow = 0;
  std::string strEntry;  // the entry shown (Windows-1252), "" when none
  bool blnPlaced = false;
};

// Where the user is in txbOutput: the line (from 0) and the column (from 0,
// in characters) of the click or the caret, and the selected text (UTF-8).
struct ListPlace {
  std::size_t line = 0;
  std::size_t column = 0;
  std::string selection;
};

// One entry of the list's context menu.
struct ListMenuEntry {
  std::string caption;   // UTF-8
  std::string shortcut;  // "Ctrl+K", or ""
  bool enabled = true;
  std::function<void()> action;
};

// Connects the window's reactions; fills its order list.
void ConnectOccurrencesWindow(Session& s);

// The table entry the list shows at place: a line of the listing, or in the
// one-line format the word under the column; with a selection, the entry the
// selected word is counted under. 0 when there is none.
std::int32_t ListedEntryAt(const Session& s, const ListPlace& place);

// The entries the list's context menu offers at place: none while a count
// runs or when no list is shown; the occurrences (disabled when the count
// did not read its whole text), "Why?", and the chart when the chart window
// is there.
std::vector<ListMenuEntry> ListContextMenu(Session& s, const ListPlace& place);

// Ctrl+K: the occurrences of the entry at place, or of the selected word.
void ShowOccurrencesAt(Session& s, const ListPlace& place);
// Opens the window with every occurrence of word (UTF-8, as typed or
// selected) in the counted source.
void ShowOccurrences(Session& s, const std::string& word);
// Opens the window with the explanation of token (UTF-8).
void ShowWhy(Session& s, const std::string& token);

void cboOccurrenceOrder_Click(Session& s);
void cmdCopyOccurrence_Click(Session& s);
void cmdSaveOccurrences_Click(Session& s);
void cmdWhy_Click(Session& s);

}  // namespace kwl
