// The settings window: the guard of the counted words, set/clear, the
// settings files and reinitialisation.
#include <gtest/gtest.h>

#include <utility>

#include "params_logic.h"
#include "persistence.h"
#include "settings_window.h"
#include "support/test_files.h"

namespace kwl {
namespace {

struct SettingsWindow : ::testing::Test {
  test::TestSession t;
  Session& s = t.session;
  Params& p = s.params;
  test::TempDir dir;
  const std::string question = "Changing this entails reading the file anew.  Is this OK?";

  int Questions() const {
    int n = 0;
    for (const auto& box : t.platform.boxes) n += box.text == question;
    return n;
  }
};

TEST_F(SettingsWindow, WordRuleChangeWithCountedWordsAsksAndNoTakesItBack) {
  p.chkCaseSignificant.SetValue(1);
  s.run.blnWordsGot = true;
  t.platform.answers = {Answer::No};
  p.chkCaseSignificant.SetValue(0);
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(p.chkCaseSignificant.Value(), 1) << "No sets the box back";
  EXPECT_TRUE(s.run.blnWordsGot);

  t.platform.answers = {Answer::Yes};
  p.chkCaseSignificant.SetValue(0);
  EXPECT_EQ(p.chkCaseSignificant.Value(), 0);
  EXPECT_FALSE(s.run.blnWordsGot);
  p.chkDropFinalS.SetValue(1);
  EXPECT_EQ(Questions(), 2) << "no second question once the words are discarded";
}

TEST_F(SettingsWindow, SetOrClearAsksOnceAndSparesTwoBoxes) {
  s.run.blnWordsGot = true;
  p.chkIgnoreCommonWords.SetValue(0);
  p.chkAllowCommentMarkers.SetValue(1);
  t.platform.answers = {Answer::Yes};
  p.cmdSetOrClearCheckboxes[1].Click();
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(p.chkAllowWordsWithNumerals.Value(), 1);
  EXPECT_EQ(p.chkOnly7bitASCII.Value(), 1);
  p.cmdSetOrClearCheckboxes[0].Click();
  EXPECT_EQ(p.chkAllowWordsWithHyphens.Value(), 0);
  EXPECT_EQ(p.chkIgnoreShortWords.Value(), 0);
  EXPECT_EQ(p.chkAllowCommentMarkers.Value(), 1);
  EXPECT_EQ(p.chkIgnoreCommonWords.Value(), 0);
}

TEST_F(SettingsWindow, LeavingBoxesNormalisesOrDiscardsWithoutAsking) {
  p.txbWordsToIgnore.SetText("The, cat  the, Apple");
  p.txbWordsToIgnore.LoseFocus();
  EXPECT_EQ(p.txbWordsToIgnore.Text(), "apple cat the");
  EXPECT_EQ(s.run.strWordsToIgnore.Text(), " apple cat the ");

  s.run.blnWordsGot = true;
  p.txbStartComment[0].SetText("  /* ");
  p.txbStartComment[0].LoseFocus();
  EXPECT_EQ(p.txbStartComment[0].Text(), "/*");
  EXPECT_FALSE(s.run.blnWordsGot);
  EXPECT_TRUE(t.platform.boxes.empty());

  p.cmdClearWordsToIgnore.Click();
  EXPECT_EQ(s.run.strWordsToIgnore.Text(), "");
}

TEST_F(SettingsWindow, UntickingSlashesIsReportedOnlyByTheCount) {
  p.chkAllowWordsWithForwardslashes.SetValue(1);
  p.txbWordsToIgnore.SetText("and/or");
  p.txbWordsToIgnore.LoseFocus();
  p.chkAllowWordsWithForwardslashes.SetValue(0);
  EXPECT_TRUE(t.platform.boxes.empty());
  p.chkAllowWordsWithHyphens.SetValue(0);  // the other boxes check the list at once
  EXPECT_EQ(t.platform.LastBox().title, "Character not allowed");
}

TEST_F(SettingsWindow, SettingsFilesSaveAndLoadWithoutQuestions) {
  const std::string file = dir.File("mine.kwl");
  p.chkDropFinalS.SetValue(1);
  t.platform.fileAnswers = {file};
  p.cmdSaveLoadState[0].Click();
  EXPECT_EQ(p.lblParameters.Caption(), "Settings saved to");
  EXPECT_EQ(p.txbParametersFile.Text(), file);
  EXPECT_TRUE(p.txbParametersFile.Visible());
  EXPECT_TRUE(t.platform.dialogs.back().save);
  EXPECT_EQ(t.platform.dialogs.back().title, "Specify file to save settings to");

  p.chkDropFinalS.SetValue(0);
  s.run.blnWordsGot = true;
  t.platform.fileAnswers = {file};
  p.cmdSaveLoadState[1].Click();
  EXPECT_EQ(p.lblParameters.Caption(), "Settings loaded from");
  EXPECT_EQ(p.chkDropFinalS.Value(), 1);
  EXPECT_EQ(Questions(), 0) << "no click reactions during a load";

  t.platform.fileAnswers = {dir.Write("bad.kwl", "\"\"\r\n")};
  p.cmdSaveLoadState[1].Click();
  EXPECT_EQ(t.platform.LastBox().title, "Load settings");
  EXPECT_EQ(p.lblParameters.Caption(), "Error loading from");
  EXPECT_EQ(p.chkDropFinalS.Value(), 0) << "a failed load resets every setting";

  t.platform.fileAnswers = {std::nullopt};
  p.cmdSaveLoadState[1].Click();
  EXPECT_EQ(p.lblParameters.Caption(), "Error loading from") << "Cancel changes nothing";
}

TEST_F(SettingsWindow, ReinitializeKeepsTheSourceAndShowsTheWindow) {
  s.main.optOnClipboard.Select();
  s.main.cboDisplayFormat.SetListIndex(5);
  p.chkIgnoreShortWords.SetValue(0);
  p.cmdInitialize.Click();
  EXPECT_TRUE(s.main.optOnClipboard.Value());
  EXPECT_EQ(s.main.cboDisplayFormat.ListIndex(), 0);
  EXPECT_EQ(p.chkIgnoreShortWords.Value(), 1);
  EXPECT_EQ(p.lblParameters.Caption(), "Program reinitialized.");
  EXPECT_FALSE(p.txbParametersFile.Visible());
  EXPECT_TRUE(p.frmParams.Visible());
  p.cmdClose.Click();
  EXPECT_FALSE(p.frmParams.Visible());
}

// The window stands beside the main window wherever the user has moved that:
// placed when shown and each time it becomes active, and raised above the
// main window each time it is shown, also when it is open already.
TEST_F(SettingsWindow, ItIsPlacedBesideTheMainWindowAndRaisedEachTimeItIsShown) {
  int raised = 0;
  int closeFocused = 0;
  p.frmParams.onShow = [&] { ++raised; };
  p.cmdClose.onFocus = [&] { ++closeFocused; };
  s.main.cmdSetParameters.TakeGeometry({400, 620, 90, 30});
  auto mainAt = [&](int left, int top) { s.main.frmMain.TakeGeometry({left, top, 1000, 680}); };
  auto settingsAt = [&] {
    const Geometry& g = p.frmParams.GetGeometry();
    return std::pair{g.left, g.top};
  };

  mainAt(100, 50);
  s.main.cmdSetParameters.Click();
  EXPECT_TRUE(p.frmParams.Visible());
  EXPECT_EQ(settingsAt(), std::pair(100 + 90 + 20, 50)) << "the button's width and 300 twips to the right";
  EXPECT_EQ(raised, 1);

  mainAt(300, 10);
  s.main.cmdSetParameters.Click();
  EXPECT_EQ(settingsAt(), std::pair(410, 10));
  EXPECT_EQ(raised, 2) << "shown again while open: raised again";

  mainAt(0, 200);
  p.frmParams.TakeGeometry({700, 700, 600, 500});  // moved by the user
  p.frmParams.Activated();
  EXPECT_EQ(settingsAt(), std::pair(110, 200)) << "placed again when it becomes active";
  EXPECT_EQ(closeFocused, 3);

  p.cmdInitialize.Click();
  EXPECT_EQ(raised, 3) << "Reinitialize shows the window";
}

TEST(SettingsBinding, EveryLineOfTheFileHasItsControl) {
  test::TestSession t;
  Session& s = t.session;
  Settings changed;
  for (const SettingLine& line : kSettingsFile) {
    if (line.kind == SettingKind::kText) changed.*line.text = "t" + std::to_string(line.line);
    if (line.kind == SettingKind::kListIndex) changed.*line.number = line.listSize - 1;
    if (line.kind == SettingKind::kCheck || line.kind == SettingKind::kOptionalCheck)
      changed.*line.number = line.defaultNumber == 1 ? 0 : 1;
  }
  s.params.selfChange = true;  // as a load does: no click reactions
  ApplySettings(s, changed);
  s.params.selfChange = false;
  EXPECT_EQ(CurrentSettings(s), changed);
  EXPECT_EQ(s.run.strCommonWordsFile, "t37");
  EXPECT_EQ(s.run.strWordsToIgnore.Text(), " t3 ");
  for (const ComboBox* list : {&s.params.cboShortWordSize, &s.params.cboLongWordSize,
                               &s.params.cboThresholdFrequency, &s.main.cboWordOrder, &s.main.cboDisplayFormat})
    EXPECT_EQ(list->ListIndex() + 1, static_cast<int>(list->Items().size())) << list->Name();

  // Restore defaults sets back the lines the table marks, and only those.
  SetDefaultValues(s);
  const Settings defaults;
  const Settings now = CurrentSettings(s);
  for (const SettingLine& line : kSettingsFile) {
    if (line.kind == SettingKind::kText) continue;
    EXPECT_EQ(now.*line.number, (line.restoredByDefaults ? defaults : changed).*line.number) << line.line;
  }
}

}  // namespace
}  // namespace kwl
