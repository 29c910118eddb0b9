#pragma once
// The controls of the settings window frmParams, named as the window names
// them. The rest of the window reads the settings from here (check boxes 0/1,
// list choices as indices, texts as UTF-8); the settings file's values are the
// core's Settings record, bound to these controls by CurrentSettings and
// ApplySettings (params_logic.h).
#include <array>
#include <string>

#include "controls.h"

namespace kwl {

struct Params {
  Params();

  CheckBox chkCaseSignificant{"chkCaseSignificant"};
  CheckBox chkIgnoreShortWords{"chkIgnoreShortWords"};
  CheckBox chkIgnoreInfrequentWords{"chkIgnoreInfrequentWords"};
  CheckBox chkIgnoreRepetitions{"chkIgnoreRepetitions"};
  CheckBox chkIgnoreRomNum40{"chkIgnoreRomNum40"};
  CheckBox chkIgnoreNoLetter{"chkIgnoreNoLetter"};
  CheckBox chkAllowWordsWithHyphens{"chkAllowWordsWithHyphens"};
  CheckBox chkAllowWordsWithApostrophes{"chkAllowWordsWithApostrophes"};
  CheckBox chkAllowWordsWithUnderscores{"chkAllowWordsWithUnderscores"};
  CheckBox chkAllowWordsWithColons{"chkAllowWordsWithColons"};
  CheckBox chkAllowWordsWithBackslashes{"chkAllowWordsWithBackslashes"};
  CheckBox chkAllowWordsWithForwardslashes{"chkAllowWordsWithForwardslashes"};
  CheckBox chkAllowWordsWithPeriods{"chkAllowWordsWithPeriods"};
  CheckBox chkAllowWordsWithAtSigns{"chkAllowWordsWithAtSigns"};
  CheckBox chkAllowWordsWithNumerals{"chkAllowWordsWithNumerals"};
  CheckBox chkDropFinalS{"chkDropFinalS"};
  CheckBox chkOutputWithCommas{"chkOutputWithCommas"};
  CheckBox chkAllowCommentMarkers{"chkAllowCommentMarkers"};
  CheckBox chkWarnOnOverwrite{"chkWarnOnOverwrite"};
  CheckBox chkSaveStateOnQuit{"chkSaveStateOnQuit"};
  CheckBox chkOnly7bitASCII{"chkOnly7bitASCII"};
  // A last column "Files" in every layout, once a count has kept in how many
  // files each word occurs.
  CheckBox chkShowFiles{"chkShowFiles"};
  // Words in every script, held as UTF-8: a word rule, fixed for a count.
  CheckBox chkUnicodeWords{"chkUnicodeWords"};
  ComboBox cboShortWordSize{"cboShortWordSize"};
  ComboBox cboLongWordSize{"cboLongWordSize"};
  ComboBox cboThresholdFrequency{"cboThresholdFrequency"};
  CheckBox chkIgnoreCommonWords{"chkIgnoreCommonWords"};
  TextBox txbCommonWordsFile{"txbCommonWordsFile"};
  Button cmdClearCommonWordsFile{"cmdClearCommonWordsFile"};
  std::array<Button, 2> cmdSelectCommonWordsFile{Button{"cmdSelectCommonWordsFile(0)"},
                                                  Button{"cmdSelectCommonWordsFile(1)"}};
  Button cmdClose{"cmdClose"};
  TextBox txbWordsToIgnore{"txbWordsToIgnore"};
  std::array<TextBox, 2> txbStartComment{TextBox{"txbStartComment(0)"}, TextBox{"txbStartComment(1)"}};
  std::array<TextBox, 2> txbEndComment{TextBox{"txbEndComment(0)"}, TextBox{"txbEndComment(1)"}};
  TextBox txbParametersFile{"txbParametersFile"};
  Label lblParameters{"lblParameters"};

  // The window's other controls.
  std::array<Button, 2> cmdSetOrClearCheckboxes{Button{"cmdSetOrClearCheckboxes(0)"},
                                                Button{"cmdSetOrClearCheckboxes(1)"}};
  Button cmdRestoreDefaults{"cmdRestoreDefaults"};
  Button cmdClearWordsToIgnore{"cmdClearWordsToIgnore"};
  std::array<Button, 2> cmdSaveLoadState{Button{"cmdSaveLoadState(0)"}, Button{"cmdSaveLoadState(1)"}};
  Button cmdInitialize{"cmdInitialize"};
  Button cmdQuit{"cmdQuit"};
  // The settings window itself: shown (not modal) and hidden, never destroyed.
  Window frmParams{"frmParams"};

  // While set, no click reaction of a check box runs (the window is setting a
  // box back, setting the common-words box itself, or loading a settings file).
  bool selfChange = false;
  // While set, "Set checkboxes" / "Clear checkboxes" is running.
  bool setOrClear = false;

  // The fixed contents of the three lists, then their default indices.
  void FillLists();

  // The short-word minimum, long-word maximum and infrequency threshold that
  // the lists show, computed from the list index as the rules do.
  int ShortWordSize() const;
  int LongWordSize() const;
  int ThresholdFrequency() const;
};

}  // namespace kwl
