#pragma once
// Common-words files: the language tables, the default file, the choice from
// the input's language, the reading of a file into the common-words list, and
// the settings window's reactions around the file (the check box, the Clear
// and Select buttons, the path box) with the language chooser.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls.h"
#include "count/common_words_file.h"

namespace kwl {
class Platform;
struct Session;

// The lists' names in the language chooser, indexed as kCommonWordsFileNames.
inline constexpr std::array<std::string_view, 8> kCommonWordsLanguageNames = {
    "English", "German", "Spanish", "Portuguese", "Italian", "French", "English and German", "all six languages"};
// The languages of the lists of the Unicode mode, indexed 8 to 15 as
// kUnicodeCommonWordsFileNames.
inline constexpr std::array<std::string_view, 8> kUnicodeCommonWordsLanguageNames = {
    "Russian", "Dutch", "Swedish", "Danish", "Norwegian", "Finnish", "Hungarian", "Turkish"};

// strCommonWordsFile := the program folder + "/cwds_en.txt", shown in txbCommonWordsFile.
void SetDefaultCommonWordsFile(Session& s);
// After an input file is chosen, typed or restored: picks the file of the
// input's language and reads it when asked to (or when the setting is on).
void ChooseCommonWordsFromInputLanguage(Session& s);
// The same for the language of the given input file (the first text file
// of several input files).
void ChooseCommonWordsFromInputLanguage(Session& s, const std::string& input);
// The word lists in force made of the kind the Unicode setting asks for, as
// a count starts: the words to ignore are taken again from their box, and a
// common-words list read in the other mode is read again (with its message;
// the list of the input's language as this mode chooses it), so that a count
// never looks its words up in a list of the other kind.
void WordListsFollowTheMode(Session& s);
// Reads strCommonWordsFile into the common-words list; true when it loaded.
// Tells the user the outcome and ticks or unticks chkIgnoreCommonWords.
bool AttemptToReadCommonWords(Session& s);
// The reading itself: true only when the whole file was read. The list is
// replaced only then; a stopped or refused read keeps the previous one.
bool ReadCommonWords(Session& s);

// DetectLanguageCode, the file names and the language codes are the core's
// (count/common_words_file.h).

// 0 "No", 1 to 20 and the tens as words ("Forty two"), 100 and above as
// grouped digits.
std::string NumberInWords(std::int64_t n, Platform& platform);

// The settings window's reactions.
void chkIgnoreCommonWords_Click(Session& s);
void cmdClearCommonWordsFile_Click(Session& s);
// Index 0: choose any file; index 1: choose a language.
void cmdSelectCommonWordsFile_Click(Session& s, int index);
// Leaving txbCommonWordsFile (Enter in the box acts the same): a retyped path
// is taken over and read while the check box is ticked.
void txbCommonWordsFile_LostFocus(Session& s);

// The modal language chooser frmLanguageSelection.
struct LanguageSelection {
  LanguageSelection();

  std::string caption;
  Label lblSelectLanguageOfWordsToIgnore{"lblSelectLanguageOfWordsToIgnore"};
  ComboBox cboCommonWordsFiles{"cboCommonWordsFiles"};
  Button cmdAccept{"cmdAccept"};
  Button cmdCancel{"cmdCancel"};
  bool visible = false;
  // The table index chosen with cmdAccept, or -1 (Cancel).
  int chosenIndex = -1;

  // The binding shows the window modally and returns once it is hidden again.
  // Without a binding the chooser behaves as if cancelled.
  std::function<void()> showModal;

  // Fills the list with the eight choices (list position = table index),
  // and in the Unicode mode the eight languages of that mode after them.
  void Load(bool unicode = false);
  // Prepares the window for showing: nothing chosen, cmdAccept disabled,
  // the focus on cmdCancel; then shows it modally. Returns the chosen index.
  // The list is filled again when the Unicode setting has changed since it
  // was filled, so a change made while the chooser is closed shows at its
  // next showing.
  int ShowAndWait(bool unicode = false);
  void cboCommonWordsFiles_Click();
  void cmdAccept_Click();
  void cmdCancel_Click();

 private:
  bool loaded_ = false;
  bool loadedUnicode_ = false;
};

}  // namespace kwl
