#include "settings_window.h"

#include "files/paths.h"
#include "count_run.h"
#include "list_words.h"
#include "session.h"
#include "window_state.h"
#include "params_logic.h"
#include "persistence.h"

namespace kwl {
namespace {

void FocusClose(Session& s) {
  if (s.params.cmdClose.Enabled() && s.params.cmdClose.Visible()) s.params.cmdClose.SetFocus();
}

}  // namespace

void PlaceSettingsWindow(Session& s) {
  // Beside the main window: its left edge plus the width of its Settings
  // button plus 300 twips (15 twips to a pixel), at the same height.
  const Geometry& main = s.main.frmMain.GetGeometry();
  s.params.frmParams.Move(main.left + s.main.cmdSetParameters.GetGeometry().width + 300 / 15, main.top);
}

void LoadSettingsWindow(Session& s) {
  Params& p = s.params;
  p.lblParameters.SetCaption("");
  p.txbParametersFile.Clear();
  p.txbParametersFile.SetVisible(false);
  p.cmdSelectCommonWordsFile[0].SetToolTip(
      "This is for a file containing words (such as common words) which should be ignored.");
  p.cmdSelectCommonWordsFile[1].SetToolTip("This is for a file containing words in some language which are to be ignored.");
  p.txbWordsToIgnore.SetToolTip("Add additional words to ignore here.  Words must be separated by spaces, not commas.");
  PlaceSettingsWindow(s);
  p.selfChange = true;
  p.chkAllowCommentMarkers.SetValue(1);
  p.selfChange = false;
}

void ShowSettingsWindow(Session& s) {
  Window& window = s.params.frmParams;
  // Placed before it appears, so that it does not jump when it becomes active.
  PlaceSettingsWindow(s);
  window.Show();
  window.Repaint();
  FocusClose(s);
}

void WordRuleGuard(Session& s, CheckBox& box) {
  if (!s.run.blnStartUpCompleted || s.params.selfChange) return;
  if (!s.run.blnWordsGot) return;
  if (s.Show("Changing this entails reading the file anew.  Is this OK?", "", Buttons::YesNo) == Answer::Yes) {
    s.run.blnWordsGot = false;
    return;
  }
  s.params.selfChange = true;
  box.SetValue(box.Value() == 1 ? 0 : 1);
  s.params.selfChange = false;
}

void chkShowFiles_Click(Session& s) {
  // Like another display format: the counted words are listed again, without
  // a new count. A table counted without its files has no column to show or
  // take away, so its listing stays as it is. A listing under way keeps the
  // layout it started with; the next one follows the box.
  if (!s.run.blnStartUpCompleted || s.params.selfChange || CurrentRunPhase(s) != RunPhase::kIdle) return;
  if (s.run.blnWordsGot && s.aWords.TracksFiles()) ListWords(s);
}

void cmdSetOrClearCheckboxes_Click(Session& s, int index) {
  Params& p = s.params;
  p.setOrClear = true;
  const std::int16_t v = index == 1 ? 1 : 0;
  for (CheckBox* box :
       {&p.chkAllowWordsWithHyphens, &p.chkAllowWordsWithApostrophes, &p.chkAllowWordsWithUnderscores,
        &p.chkAllowWordsWithColons, &p.chkAllowWordsWithBackslashes, &p.chkAllowWordsWithForwardslashes,
        &p.chkAllowWordsWithPeriods, &p.chkAllowWordsWithAtSigns, &p.chkAllowWordsWithNumerals, &p.chkCaseSignificant,
        &p.chkDropFinalS, &p.chkIgnoreInfrequentWords, &p.chkIgnoreRepetitions, &p.chkIgnoreRomNum40,
        &p.chkIgnoreNoLetter, &p.chkIgnoreShortWords, &p.chkOutputWithCommas, &p.chkWarnOnOverwrite,
        &p.chkSaveStateOnQuit, &p.chkOnly7bitASCII})
    box->SetValue(v);
  p.setOrClear = false;
}

void cmdSaveLoadState_Click(Session& s, int index) {
  Params& p = s.params;
  FileDialog dialog;
  dialog.filter = "Settings files (*.kwl) | *.kwl";
  if (index == 0) {
    dialog.title = "Specify file to save settings to";
    dialog.save = true;
    dialog.confirmOverwrite = true;
  } else {
    dialog.title = "Specify file to load settings from.";
    dialog.mustExist = true;
  }
  const std::optional<std::string> chosen = s.platform.ChooseFile(dialog);
  if (!chosen || chosen->empty()) return;
  p.lblParameters.SetCaption("");
  p.txbParametersFile.SetText(*chosen);
  p.txbParametersFile.SetVisible(true);
  if (index == 0) {
    const std::string message = SaveState(s, p.txbParametersFile.Text());
    if (message.empty()) {
      p.lblParameters.SetCaption("Settings saved to");
    } else {
      s.Warn(message, "Save settings");
      p.lblParameters.SetCaption("Error saving to");
    }
    return;
  }
  p.selfChange = true;
  const std::string message = RestoreSavedState(s, p.txbParametersFile.Text());
  p.selfChange = false;
  if (message.empty()) {
    p.lblParameters.SetCaption("Settings loaded from");
  } else {
    s.Warn(message, "Load settings");
    p.lblParameters.SetCaption("Error loading from");
    InitializeVariables(s);
  }
}

void cmdInitialize_Click(Session& s) {
  Params& p = s.params;
  const Settings defaults;
  Initialize(s);  // leaves the source choice as it is
  s.main.cboWordOrder.SetListIndex(defaults.wordOrderIndex);
  s.main.cboDisplayFormat.SetListIndex(defaults.displayFormatIndex);
  SetDefaultValues(s);
  p.chkIgnoreCommonWords.SetValue(static_cast<std::int16_t>(defaults.ignoreCommonWords));
  p.lblParameters.SetCaption("Program reinitialized.");
  p.txbParametersFile.SetVisible(false);
  ShowSettingsWindow(s);
}

void ConnectSettingsWindow(Session& s) {
  Params& p = s.params;
  for (CheckBox* box : {&p.chkCaseSignificant, &p.chkDropFinalS, &p.chkAllowWordsWithForwardslashes, &p.chkUnicodeWords})
    box->onClick = [&s, box] { WordRuleGuard(s, *box); };
  for (CheckBox* box : {&p.chkAllowWordsWithHyphens, &p.chkAllowWordsWithApostrophes, &p.chkAllowWordsWithUnderscores,
                        &p.chkAllowWordsWithColons, &p.chkAllowWordsWithBackslashes, &p.chkAllowWordsWithPeriods,
                        &p.chkAllowWordsWithAtSigns, &p.chkAllowWordsWithNumerals})
    box->onClick = [&s, box] {
      WordRuleGuard(s, *box);
      CheckAllowedExtraChars(s);
    };
  auto focusClose = [&s] {
    if (s.run.blnStartUpCompleted) FocusClose(s);
  };
  for (CheckBox* box : {&p.chkIgnoreRepetitions, &p.chkIgnoreRomNum40, &p.chkIgnoreNoLetter,
                        &p.chkIgnoreInfrequentWords, &p.chkIgnoreShortWords})
    box->onClick = focusClose;
  for (ComboBox* list : {&p.cboShortWordSize, &p.cboLongWordSize, &p.cboThresholdFrequency}) list->onClick = focusClose;
  p.chkShowFiles.onClick = [&s] { chkShowFiles_Click(s); };
  for (std::size_t i = 0; i < 2; ++i) {
    for (TextBox* box : {&p.txbStartComment[i], &p.txbEndComment[i]})
      box->onLostFocus = [&s, box] {
        box->SetText(TrimBlanks(box->Text()));
        s.run.blnWordsGot = false;
      };
  }
  p.txbWordsToIgnore.onLostFocus = [&s] { NormaliseWordsToIgnore(s); };
  p.cmdClearWordsToIgnore.onClick = [&s] {
    s.params.txbWordsToIgnore.Clear();
    NormaliseWordsToIgnore(s);
    FocusClose(s);
  };
  for (int i = 0; i < 2; ++i) {
    p.cmdSetOrClearCheckboxes[static_cast<std::size_t>(i)].onClick = [&s, i] { cmdSetOrClearCheckboxes_Click(s, i); };
    p.cmdSaveLoadState[static_cast<std::size_t>(i)].onClick = [&s, i] { cmdSaveLoadState_Click(s, i); };
  }
  p.cmdRestoreDefaults.onClick = [&s] {
    SetDefaultValues(s);
    FocusClose(s);
  };
  p.cmdInitialize.onClick = [&s] { cmdInitialize_Click(s); };
  p.frmParams.onActivated = [&s] {
    PlaceSettingsWindow(s);
    FocusClose(s);
  };
  p.cmdClose.onClick = [&s] { s.params.frmParams.SetVisible(false); };
  p.cmdQuit.onClick = [&s] {
    if (s.Show("Really quit?", "Quit", Buttons::YesNo) == Answer::Yes) s.main.cmdQuit.Click();
  };
  s.main.cmdSetParameters.onClick = [&s] { ShowSettingsWindow(s); };
  s.showSettingsWindow = [&s] { ShowSettingsWindow(s); };
}

}  // namespace kwl
