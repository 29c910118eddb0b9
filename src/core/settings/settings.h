#pragma once
// The settings record: every value of a settings file (the state file kwl.usr
// and the files a user saves, *.kwl) as a plain value, and the one table that
// gives each value its line in the file, its name and its default.
//
// The file has 38 described lines, then lines 39 and 40, one value each, in
// the table's order. Texts are UTF-8, check values 0 (unchecked), 1 (checked)
// or 2 (greyed), list choices indices into the window's fixed lists (-1 for
// no choice). Lines 39 and 40 come after the lines that a reader of the
// 38-line file reads (it ignores whatever follows them); a file without
// them, or with anything but 0 or 1 there, reads as 0.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kwl {

struct Settings {
  // A record made with Settings() holds the documented defaults of the table.
  Settings();

  std::string inputFile;        //  1
  std::string outputFile;       //  2
  std::string wordsToIgnore;    //  3
  std::string startComment1;    //  4  the first pair of comment markers
  std::string endComment1;      //  5
  std::string startComment2;    //  6  the second pair
  std::string endComment2;      //  7
  int shortWordSizeIndex;       //  8
  int longWordSizeIndex;        //  9
  int thresholdFrequencyIndex;  // 10
  int ignoreShortWords;         // 11
  int ignoreInfrequentWords;    // 12
  int ignoreCommonWords;        // 13
  int ignoreRepetitions;        // 14
  int ignoreRomanBelow40;       // 15
  int ignoreNoLetter;           // 16
  int caseSignificant;          // 17
  int dropFinalS;               // 18
  int allowHyphens;             // 19
  int allowApostrophes;         // 20
  int allowUnderscores;         // 21
  int allowColons;              // 22
  int allowBackslashes;         // 23
  int allowForwardSlashes;      // 24
  int allowPeriods;             // 25
  int allowAtSigns;             // 26
  int allowNumerals;            // 27
  int outputWithCommas;         // 28
  int reserved;                 // 29  always written as 0
  int allowCommentMarkers;      // 30
  int warnOnOverwrite;          // 31
  int saveStateOnQuit;          // 32
  int suppressWords;            // 33  the main window's values from here
  int disableOutputToFile;      // 34
  int wordOrderIndex;           // 35
  int displayFormatIndex;       // 36
  std::string commonWordsFile;  // 37
  int only7bitAscii;            // 38
  int showFilesColumn;          // 39  a last column "Files" in every layout
  int unicodeWords;             // 40  words in every script, held as UTF-8

  bool operator==(const Settings&) const = default;
};

// How a line's value is written and read back.
enum class SettingKind {
  kText,       // between double quotes
  kListIndex,  // a whole number from -1 to the list's size - 1; a text without a number is refused
  kCheck,      // a whole number from 0 to 2; a text without a number reads as 0
  kDropped,    // written as a number, read and dropped: a read record keeps the default
  kOptionalCheck,  // after the described lines: written 0 or 1; missing, or not 0 or 1, reads as 0
};

struct SettingLine {
  int line;               // 1 .. 40
  std::string_view name;  // the control that shows the value (none for line 29)
  SettingKind kind;
  std::string Settings::*text;  // the value of a kText line
  int Settings::*number;        // the value of any other line
  std::string_view defaultText;
  int defaultNumber;
  int listSize;             // the entries of a kListIndex line's list
  bool restoredByDefaults;  // "Restore defaults" sets it back (the word rules, filters and lists)
};

namespace settings_table {
constexpr bool kRestored = true;
constexpr bool kKept = false;
constexpr SettingLine Text(int line, std::string_view name, std::string Settings::*text, std::string_view def) {
  return {line, name, SettingKind::kText, text, nullptr, def, 0, 0, kKept};
}
constexpr SettingLine List(int line, std::string_view name, int Settings::*number, int def, int size, bool restored) {
  return {line, name, SettingKind::kListIndex, nullptr, number, {}, def, size, restored};
}
constexpr SettingLine Check(int line, std::string_view name, int Settings::*number, int def, bool restored) {
  return {line, name, SettingKind::kCheck, nullptr, number, {}, def, 0, restored};
}
constexpr SettingLine OptionalCheck(int line, std::string_view name, int Settings::*number, bool restored) {
  return {line, name, SettingKind::kOptionalCheck, nullptr, number, {}, 0, 0, restored};
}
constexpr SettingLine Dropped(int line, std::string_view name, int Settings::*number, int def, bool restored) {
  return {line, name, SettingKind::kDropped, nullptr, number, {}, def, 0, restored};
}
}  // namespace settings_table

// The lines every settings file has; a file may end after them.
constexpr int kDescribedSettingsLines = 38;
// The lines of a file written now.
constexpr int kSettingsFileLines = 40;

// The lines of the settings file, in the file's order.
inline constexpr std::array<SettingLine, kSettingsFileLines> kSettingsFile = [] {
  using namespace settings_table;
  using S = Settings;
  return std::array<SettingLine, kSettingsFileLines>{
      Text(1, "txbFile(0)", &S::inputFile, ""),
      Text(2, "txbFile(1)", &S::outputFile, ""),
      Text(3, "txbWordsToIgnore", &S::wordsToIgnore, ""),
      Text(4, "txbStartComment(0)", &S::startComment1, "/*"),
      Text(5, "txbEndComment(0)", &S::endComment1, "*/"),
      Text(6, "txbStartComment(1)", &S::startComment2, "//"),
      Text(7, "txbEndComment(1)", &S::endComment2, ""),
      List(8, "cboShortWordSize", &S::shortWordSizeIndex, 1, 14, kRestored),        // 2 .. 15 letters
      List(9, "cboLongWordSize", &S::longWordSizeIndex, 7, 16, kRestored),          // 15 .. 90 letters
      List(10, "cboThresholdFrequency", &S::thresholdFrequencyIndex, 0, 8, kRestored),  // 2 .. 9 times
      Check(11, "chkIgnoreShortWords", &S::ignoreShortWords, 1, kRestored),
      Check(12, "chkIgnoreInfrequentWords", &S::ignoreInfrequentWords, 0, kRestored),
      Check(13, "chkIgnoreCommonWords", &S::ignoreCommonWords, 0, kKept),
      Check(14, "chkIgnoreRepetitions", &S::ignoreRepetitions, 1, kRestored),
      Check(15, "chkIgnoreRomNum40", &S::ignoreRomanBelow40, 1, kRestored),
      Check(16, "chkIgnoreNoLetter", &S::ignoreNoLetter, 1, kRestored),
      Check(17, "chkCaseSignificant", &S::caseSignificant, 0, kRestored),
      Check(18, "chkDropFinalS", &S::dropFinalS, 0, kRestored),
      Check(19, "chkAllowWordsWithHyphens", &S::allowHyphens, 1, kRestored),
      Check(20, "chkAllowWordsWithApostrophes", &S::allowApostrophes, 0, kRestored),
      Check(21, "chkAllowWordsWithUnderscores", &S::allowUnderscores, 0, kRestored),
      Check(22, "chkAllowWordsWithColons", &S::allowColons, 0, kRestored),
      Check(23, "chkAllowWordsWithBackslashes", &S::allowBackslashes, 0, kRestored),
      Check(24, "chkAllowWordsWithForwardslashes", &S::allowForwardSlashes, 0, kRestored),
      Check(25, "chkAllowWordsWithPeriods", &S::allowPeriods, 0, kRestored),
      Check(26, "chkAllowWordsWithAtSigns", &S::allowAtSigns, 0, kRestored),
      Check(27, "chkAllowWordsWithNumerals", &S::allowNumerals, 0, kRestored),
      Check(28, "chkOutputWithCommas", &S::outputWithCommas, 0, kRestored),
      Dropped(29, "", &S::reserved, 0, kKept),
      // The comment markers are always allowed: a file cannot turn them off.
      Dropped(30, "chkAllowCommentMarkers", &S::allowCommentMarkers, 1, kRestored),
      Check(31, "chkWarnOnOverwrite", &S::warnOnOverwrite, 0, kRestored),
      Check(32, "chkSaveStateOnQuit", &S::saveStateOnQuit, 0, kRestored),
      Check(33, "chkSuppressWords", &S::suppressWords, 0, kKept),
      Check(34, "chkDisableOutputToFile", &S::disableOutputToFile, 0, kKept),
      List(35, "cboWordOrder", &S::wordOrderIndex, 0, 2, kKept),
      List(36, "cboDisplayFormat", &S::displayFormatIndex, 0, 10, kKept),
      Text(37, "txbCommonWordsFile", &S::commonWordsFile, ""),
      Check(38, "chkOnly7bitASCII", &S::only7bitAscii, 0, kRestored),
      // A display option like the commas: "Restore defaults" turns it off.
      OptionalCheck(39, "chkShowFiles", &S::showFilesColumn, kRestored),
      // A word rule (it changes what a word is): "Restore defaults" turns it off.
      OptionalCheck(40, "chkUnicodeWords", &S::unicodeWords, kRestored),
  };
}();

static_assert(
    [] {
      for (std::size_t i = 0; i < kSettingsFile.size(); ++i)
        if (kSettingsFile[i].line != static_cast<int>(i) + 1 ||
            (kSettingsFile[i].kind == SettingKind::kText) != (kSettingsFile[i].text != nullptr) ||
            (kSettingsFile[i].kind == SettingKind::kOptionalCheck) != (kSettingsFile[i].line > kDescribedSettingsLines))
          return false;
      return true;
    }(),
    "the table lists lines 1 to 40 in order, each with its value, the lines after 38 optional");

}  // namespace kwl
