// The window in the Unicode mode: its check box as a word rule of the
// settings.
#include <gtest/gtest.h>

#include <string>

#include "params_logic.h"
#include "settings_window.h"
#include "support/test_files.h"
#include "word_filters.h"

namespace kwl {
namespace {

class UnicodeInTheWindow : public ::testing::Test {
 protected:
  test::TestSession t;
  Session& s = t.session;
  Params& p = s.params;
};

TEST_F(UnicodeInTheWindow, TheCheckBoxIsAWordRuleOffByDefault) {
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0) << "off by default";
  EXPECT_EQ(p.chkUnicodeWords.Caption(), "Words in every script (Unicode)");
  EXPECT_EQ(CurrentSettings(s).unicodeWords, 0);
  EXPECT_FALSE(MakeCountRules(s).unicode);
  p.chkUnicodeWords.SetValue(1);
  EXPECT_EQ(CurrentSettings(s).unicodeWords, 1);
  EXPECT_TRUE(MakeCountRules(s).unicode) << "the count's rules follow the box";

  // With counted words held, a change asks for a new count like any word rule.
  ConnectSettingsWindow(s);
  const struct {
    Answer answer;
    int value;        // the box after the click, which sets it to 0
    bool wordsGot;    // the counted words still held
  } cases[] = {
      {Answer::No, 1, true},    // taken back
      {Answer::Yes, 0, false},  // the words must be counted anew
  };
  for (const auto& c : cases) {
    p.chkUnicodeWords.SetValue(1);
    s.run.blnWordsGot = true;
    t.platform.answers.push_back(c.answer);
    p.chkUnicodeWords.SetValue(0);
    EXPECT_TRUE(t.platform.Showed("Changing this entails reading the file anew."));
    EXPECT_EQ(p.chkUnicodeWords.Value(), c.value);
    EXPECT_EQ(s.run.blnWordsGot, c.wordsGot);
  }

  // Set and clear leave it; Restore defaults and Reinitialize turn it off.
  s.run.blnWordsGot = false;
  p.chkUnicodeWords.SetValue(1);
  p.cmdSetOrClearCheckboxes[0].Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 1);
  p.cmdRestoreDefaults.Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0);
  p.cmdSetOrClearCheckboxes[1].Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0);
  p.chkUnicodeWords.SetValue(1);
  p.cmdInitialize.Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0);
}

TEST_F(UnicodeInTheWindow, SavedToAFileAndLoadedBack) {
  ConnectSettingsWindow(s);
  test::TempDir dir;
  const std::string path = dir.File("unicode.kwl");
  p.chkUnicodeWords.SetValue(1);
  t.platform.fileAnswers.push_back(path);
  p.cmdSaveLoadState[0].Click();
  EXPECT_EQ(p.lblParameters.Caption(), "Settings saved to");
  EXPECT_EQ(test::ReadAll(path).substr(test::ReadAll(path).size() - 6), "0\r\n1\r\n") << "lines 39 and 40";
  p.chkUnicodeWords.SetValue(0);
  t.platform.fileAnswers.push_back(path);
  p.cmdSaveLoadState[1].Click();
  EXPECT_EQ(p.lblParameters.Caption(), "Settings loaded from");
  EXPECT_EQ(p.chkUnicodeWords.Value(), 1);
}

}  // namespace
}  // namespace kwl
