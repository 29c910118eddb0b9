// The main window's reactions around the count run.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "count_run.h"
#include "files/paths.h"
#include "main_window.h"
#include "persistence.h"
#include "support/test_files.h"
#include "window_state.h"

namespace kwl {
namespace {

struct MainWindow : ::testing::Test {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;

  void CountFile(const std::string& text) {
    s.main.txbFile[0].SetText(dir.Write("in.txt", text));
    s.main.cmdListWords.Click();
  }
};

TEST_F(MainWindow, ChangingTheListingReListsOnlyAfterACompleteRun) {
  CountFile("beta alpha beta\r\n");
  ASSERT_TRUE(s.run.blnWordsGot);
  s.main.cboWordOrder.SetListIndex(1);
  EXPECT_NE(s.main.txbOutput.Text().find("alpha"), std::string::npos);
  EXPECT_LT(s.main.txbOutput.Text().find("alpha"), s.main.txbOutput.Text().find("beta"));
  s.main.cboDisplayFormat.SetListIndex(8);
  EXPECT_EQ(s.main.txbOutput.Text(), "Word (longest has 5 characters)\r\nalpha\r\nbeta\r\n");

  s.run.blnWordsGot = false;  // as after a stopped run that was listed
  s.main.txbOutput.Clear();
  s.main.cboDisplayFormat.SetListIndex(0);
  EXPECT_EQ(s.main.txbOutput.Text(), "");
}

TEST_F(MainWindow, ACountGoesFromCountingToListingAndBackToIdle) {
  std::vector<std::pair<RunPhase, std::string>> seen;
  t.platform.onProcessEvents = [&] {
    std::pair<RunPhase, std::string> now{CurrentRunPhase(s), s.main.cmdListWords.Caption()};
    if (seen.empty() || seen.back() != now) seen.push_back(std::move(now));
  };
  CountFile("beta alpha beta\r\n");
  t.platform.onProcessEvents = nullptr;
  const std::vector<std::pair<RunPhase, std::string>> phases = {{RunPhase::kCounting, "Stop"},
                                                                {RunPhase::kListing, "Stop"}};
  EXPECT_EQ(seen, phases);
  EXPECT_EQ(s.run.phase, RunPhase::kIdle);
  EXPECT_EQ(s.main.cmdListWords.Caption(), "Count words");
}

// A count that starts empties the table, so a stopped count whose words were
// not listed leaves nothing that a change of the listing choices would list
// again over the new table (for a DOCX document the frequency order of the
// count before was listed again).
TEST_F(MainWindow, ANewCountForgetsTheListingOfTheCountBefore) {
  const std::string words = "beta alpha beta gamma";
  test::WriteDocx(dir.File("in.docx"), "<w:p><w:r><w:t>" + words + "</w:t></w:r></w:p>");
  const struct {
    const char* what;
    bool clipboard;
    std::string path;
  } cases[] = {
      {"text file", false, dir.Write("in.txt", words + "\r\n")},
      {"DOCX document", false, dir.File("in.docx")},
      {"clipboard", true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.clipboard) {
      s.main.optOnClipboard.Select();
      t.platform.clipboard = words;
    } else {
      s.main.optInFile.Select();
      s.main.txbFile[0].SetText(c.path);
    }
    s.main.cmdListWords.Click();
    ASSERT_TRUE(s.run.blnWordsGot);
    ASSERT_FALSE(s.run.aFrequencyOrder.empty());

    // Again, stopped once a word is found, and not listed.
    t.platform.onProcessEvents = [&] {
      if (s.aWords.NumWords() == 1 && !s.run.blnStop) s.main.cmdListWords.Click();
    };
    t.platform.answers = {Answer::Yes, Answer::No};  // stop; do not list
    s.main.cmdListWords.Click();
    t.platform.onProcessEvents = nullptr;
    EXPECT_EQ(t.platform.LastBox().title, "Counting interrupted");
    EXPECT_FALSE(s.run.blnWordsGot);
    EXPECT_TRUE(s.run.aFrequencyOrder.empty());

    const std::string shown = s.main.txbOutput.Text();
    s.main.cboDisplayFormat.SetListIndex(s.main.cboDisplayFormat.ListIndex() == 8 ? 0 : 8);
    EXPECT_EQ(s.main.txbOutput.Text(), shown) << "nothing is listed again";
  }
}

TEST_F(MainWindow, ChoosingASourceForgetsTheCountedWords) {
  CountFile("some words here\r\n");
  s.main.optOnClipboard.Select();
  EXPECT_FALSE(s.run.blnWordsGot);
  EXPECT_EQ(s.main.txbOutput.Text(), "") << "a shown result is cleared";
  t.platform.clipboard = "abc";
  s.main.optOnClipboard.Select();
  EXPECT_EQ(s.main.lblSizeOfClipboardContents.Caption(), "3 bytes on the clipboard.");
  s.main.optInFile.Select();
  EXPECT_EQ(s.main.lblSizeOfClipboardContents.Caption(), "");
}

TEST_F(MainWindow, PathBoxesAndTheirClearButtons) {
  s.main.txbFile[0].SetText("   ");
  s.run.blnWordsGot = true;
  s.main.txbFile[0].LoseFocus();
  EXPECT_EQ(s.main.txbFile[0].Text(), "");
  EXPECT_FALSE(s.run.blnWordsGot);

  s.main.txbFile[1].SetText(" " + dir.File("out.txt") + " ");
  s.main.txbFile[1].LoseFocus();
  EXPECT_EQ(s.main.txbFile[1].Text(), dir.File("out.txt"));
  EXPECT_TRUE(s.main.chkDisableOutputToFile.Enabled());
  s.main.chkDisableOutputToFile.SetValue(1);
  s.main.cmdClearFile[1].Click();
  EXPECT_EQ(s.main.txbFile[1].Text(), "");
  EXPECT_EQ(s.main.chkDisableOutputToFile.Value(), 0);
  EXPECT_FALSE(s.main.chkDisableOutputToFile.Enabled());

  const std::string utf8 = dir.Write("utf8.txt", "caf\xC3\xA9 cr\xC3\xA8me\r\n");
  s.main.txbFile[0].SetText(utf8);
  t.platform.answers = {Answer::No};  // the offer of the common words of its language
  s.main.txbFile[0].LoseFocus();
  EXPECT_EQ(s.main.chkUTF8.Value(), 1);
  s.main.cmdClearFile[0].Click();
  EXPECT_EQ(s.main.chkUTF8.Value(), 0);
  EXPECT_EQ(s.main.lblFilesize.Caption(), "");
}

// Leaving a path box with Tab or Shift+Tab lets the focus go on to the next
// control; Enter or a click elsewhere ends with the input-file button
// focused. Taking the focus back after Tab would trap the keyboard between
// the button and the box.
TEST_F(MainWindow, APathBoxLeftWithTabLetsTheFocusGoOn) {
  s.main.windowVisible = true;
  int buttonFocused = 0;
  s.main.cmdFile[0].onFocus = [&] { ++buttonFocused; };
  const std::string input = dir.Write("in.txt", "alpha beta\r\n");
  struct Case {
    std::size_t box;
    std::string path;
    bool byTab;
    int focused;
  };
  const Case cases[] = {
      {0, input, true, 0}, {0, input, false, 1}, {0, "", true, 0},
      {1, dir.File("out.txt"), true, 0}, {1, dir.File("out.txt"), false, 1},
  };
  for (const Case& c : cases) {
    buttonFocused = 0;
    t.platform.answers = {Answer::No, Answer::No};  // the offer of the common words of its language
    s.main.txbFile[c.box].SetText(c.path);
    s.main.txbFile[c.box].LoseFocus(c.byTab);
    EXPECT_EQ(buttonFocused, c.focused) << "box " << c.box << ", tab " << c.byTab << ", path " << c.path;
    EXPECT_EQ(s.main.cmdClearFile[c.box].Enabled(), !c.path.empty()) << "the Clear buttons are refreshed either way";
  }
}

// The count switches the display of words off once the text box passes
// 64,900 characters; that reaction must leave the path boxes' Clear buttons
// disabled, or one click would empty the input path while the count goes on.
TEST_F(MainWindow, TheClearButtonsStayDisabledWhileACountRuns) {
  s.main.windowVisible = true;
  s.main.txbFile[1].SetText(dir.File("out.txt"));
  std::string text;
  for (int i = 0; i < 17000; ++i) {  // distinct words of letters only, 85,000 characters
    std::string word = "b";
    for (int n = i, k = 0; k < 3; ++k, n /= 26) word += static_cast<char>('a' + n % 26);
    text += word + (i % 100 == 99 ? "\r\n" : " ");
  }
  text += "\r\n";
  bool clearEnabledDuringCount = false;
  bool displaySwitchedOff = false;
  t.platform.onProcessEvents = [&] {
    if (CurrentRunPhase(s) == RunPhase::kIdle) return;
    displaySwitchedOff |= s.main.chkSuppressWords.Value() == 1;
    for (const auto& button : s.main.cmdClearFile) clearEnabledDuringCount |= button.Enabled();
  };
  CountFile(text);
  t.platform.onProcessEvents = nullptr;
  ASSERT_TRUE(displaySwitchedOff) << "the display was switched off during the count";
  EXPECT_FALSE(clearEnabledDuringCount);
  EXPECT_TRUE(s.main.cmdClearFile[0].Enabled()) << "given back when the count ends";
  EXPECT_TRUE(s.main.cmdClearFile[1].Enabled());
}

// The input's size labels describe the input in the box, or are empty: the
// size of the file before stays neither beside a DOCX document nor after the
// box is emptied or the settings are reinitialised.
TEST_F(MainWindow, TheSizeLabelsDescribeTheCurrentInputOrAreEmpty) {
  const std::string text = dir.Write("in.txt", "alpha beta gamma\r\n");  // 18 bytes
  test::WriteDocx(dir.File("in.docx"), "<w:p><w:r><w:t>delta epsilon</w:t></w:r></w:p>");
  const std::string docxSize = "Filesize: " + std::to_string(FileLength(dir.File("in.docx"))) + " bytes";
  // A settings file that names another input.
  s.main.txbFile[0].SetText(dir.Write("other.txt", "zeta\r\n"));
  ASSERT_EQ(SaveState(s, dir.File("other.kwl")), "");
  const struct {
    const char* what;
    std::string path;  // typed into the input box, then the box loses the focus
    bool count;
    bool reinitialize;
    bool loadSettings;
    std::string filesize;
    std::string textSize;
  } steps[] = {
      {"a text file", text, false, false, false, "Filesize: 18 bytes", ""},
      {"a DOCX document", dir.File("in.docx"), false, false, false, docxSize, ""},
      {"the DOCX document counted", dir.File("in.docx"), true, false, false, docxSize, "Text: 13 bytes"},
      {"the DOCX document again", dir.File("in.docx"), false, false, false, docxSize, "Text: 13 bytes"},
      {"back to the text file", text, false, false, false, "Filesize: 18 bytes", ""},
      {"the DOCX document counted again", dir.File("in.docx"), true, false, false, docxSize, "Text: 13 bytes"},
      {"the box emptied", "", false, false, false, "", ""},
      {"the text file again", text, false, false, false, "Filesize: 18 bytes", ""},
      {"reinitialised", text, false, true, false, "", ""},
      {"the text file again", text, false, false, false, "Filesize: 18 bytes", ""},
      {"a settings file naming another input loaded", text, false, false, true, "", ""},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    s.main.txbFile[0].SetText(step.path);
    s.main.txbFile[0].LoseFocus();
    if (step.count) s.main.cmdListWords.Click();
    if (step.reinitialize) s.params.cmdInitialize.Click();
    if (step.loadSettings) {
      ASSERT_EQ(RestoreSavedState(s, dir.File("other.kwl")), "");
    }
    EXPECT_EQ(s.main.lblFilesize.Caption(), step.filesize);
    EXPECT_EQ(s.main.lblXMLsize.Caption(), step.textSize);
  }
}

// Enter in the input box runs its focus-loss reaction, and the focus leaving
// the box afterwards runs it again: the file's question is asked once per
// choice of the file, typed or chosen through the dialog.
TEST_F(MainWindow, TheCommonWordsQuestionIsAskedOncePerChoiceOfAFile) {
  const std::string french = dir.Write("fr.txt", "caf\xC3\xA9 cr\xC3\xA8me\r\n");
  const std::string other = dir.Write("other.txt", "some words\r\n");
  auto questions = [&] {
    int n = 0;
    for (const MessageBox& box : t.platform.boxes) n += box.title == s.Text(42);
    return n;
  };
  const struct {
    const char* what;
    bool dialog;       // chosen through the dialog, else typed and Enter pressed
    std::string path;
    int focusLosses;   // of the input box afterwards
    int questions;     // asked so far
  } steps[] = {
      {"typed, Enter, then the focus leaves", false, french, 2, 1},
      {"the focus leaves again", false, french, 1, 1},
      {"another file typed", false, other, 2, 2},
      {"typed again", false, french, 2, 3},
      {"chosen through the dialog", true, french, 1, 4},
      {"the same file chosen again", true, french, 1, 5},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    t.platform.answers = {Answer::No, Answer::No};
    if (step.dialog) {
      t.platform.fileAnswers = {step.path};
      s.main.cmdFile[0].Click();
    } else {
      s.main.txbFile[0].SetText(step.path);
    }
    for (int i = 0; i < step.focusLosses; ++i) s.main.txbFile[0].LoseFocus();
    EXPECT_EQ(questions(), step.questions);
  }
}

TEST_F(MainWindow, UpkeepTooltipsFollowThePathLengths) {
  s.main.txbFile[0].SetText(std::string(70, 'a'));
  s.main.txbFile[1].SetText(std::string(71, 'b'));
  s.main.Timer1.SetEnabled(true);
  s.main.Timer1.Tick();
  EXPECT_EQ(s.main.txbFile[0].ToolTip(), "");
  EXPECT_EQ(s.main.txbFile[1].ToolTip(), std::string(71, 'b'));
  EXPECT_EQ(s.main.txbOutput.ToolTip(), s.Text(76));
  EXPECT_FALSE(s.main.cmdClearOutput.Enabled());
  s.main.txbOutput.SetText("x");
  s.main.Timer1.Tick();
  EXPECT_EQ(s.main.txbOutput.ToolTip(), "");
  EXPECT_TRUE(s.main.cmdClearOutput.Enabled());
}

TEST_F(MainWindow, TheLinksOpenTheirPagesAndAFailureIsReported) {
  s.main.lblZorvathSystems.Click();
  EXPECT_EQ(t.platform.openedUrls.back(), s.Text(14));
  EXPECT_TRUE(t.platform.boxes.empty());
  t.platform.openUrlSucceeds = false;
  s.main.lblOnlineDocumentation.Click();
  EXPECT_EQ(t.platform.openedUrls.back(), s.Text(15));
  EXPECT_EQ(t.platform.LastBox().title, "Cannot launch web browser");
  EXPECT_EQ(t.platform.LastBox().text, "Error launching web browser, error code = 2.\r\n\r\nPlease try once more.");
}

TEST_F(MainWindow, ClickingTheIntroductionShowsTheClipboard) {
  t.platform.clipboard = "copied text";
  s.main.txbIntro.Click();
  EXPECT_EQ(s.main.txbOutput.Text(), "copied text");
}

TEST_F(MainWindow, SavingSettingsShowsANoticeOrTheError) {
  s.run.strStateFile = dir.File("kwl.usr");
  s.main.cmdSaveState.Click();
  ASSERT_EQ(t.platform.popUps.size(), 1u);
  EXPECT_EQ(t.platform.popUps[0], s.Text(50));
  EXPECT_NE(test::ReadAll(dir.File("kwl.usr")).find("\r\n"), std::string::npos);

  s.run.strStateFile = dir.File("no such folder/kwl.usr");
  s.params.chkSaveStateOnQuit.SetValue(1);
  cmdQuit_Click(s);
  EXPECT_EQ(t.platform.popUps.size(), 1u);
  EXPECT_EQ(t.platform.LastBox().title, s.Text(34));
  EXPECT_EQ(t.platform.LastBox().text.rfind("Error when attempting to save settings: ", 0), 0u);
}

}  // namespace
}  // namespace kwl
