// Start-up, the settings defaults and the reset of all settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup.h"
#include "params_logic.h"
#include "word_filters.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// A window started over the fake platform, with XDG_CONFIG_HOME set during
// the start (an empty folder of the test's own unless given).
struct StartUp : ::testing::Test {
  test::FakePlatform platform;
  Session s{platform};
  test::TempDir config;

  bool Start(const std::string& configHome = "") {
    ::setenv("XDG_CONFIG_HOME", (configHome.empty() ? config.Path() : configHome).c_str(), 1);
    s.programFolder = test::DataFolder();
    const bool started = FormLoad(s);
    ::unsetenv("XDG_CONFIG_HOME");
    return started;
  }
};

TEST_F(StartUp, MissingCatalogueEndsTheProgramWithAnErrorBox) {
  test::TempDir empty;
  s.programFolder = empty.Path();
  EXPECT_FALSE(FormLoad(s));
  const MessageBox& box = platform.LastBox();
  EXPECT_EQ(box.text, "Cannot open file containing program text.\r\n" + empty.Path() + "/kwl.dat");
  EXPECT_EQ(box.title, "");
  EXPECT_EQ(box.icon, Icon::Error);
  EXPECT_FALSE(s.run.blnStartUpCompleted);
}

TEST_F(StartUp, WindowComesUpIdleWithTheIntroductionAndDefaultSettings) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(s.run.blnStartUpCompleted);
  EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
  EXPECT_EQ(s.main.txbIntro.Text(), s.Text(19) + "\r\n\r\n" + s.Text(20) + "\r\n\r\n" + s.Text(35) + "\r\n\r\n" +
                                        s.Text(21) + "\r\n\r\n" + s.Text(30) + "\r\n\r\n" + s.Text(22) + "\r\n\r\n" +
                                        s.Text(23));
  ASSERT_FALSE(s.Text(15).empty());
  EXPECT_NE(s.main.txbHelp.Text().find("can be found at " + s.Text(15) + ".  This help window"), std::string::npos)
      << "the help names the manual's address from the catalogue";
  EXPECT_TRUE(s.main.optInFile.Value());
  EXPECT_EQ(s.main.cboWordOrder.Text(), "by frequency");
  EXPECT_EQ(s.main.cboDisplayFormat.Text(), "rank frequency word");
  EXPECT_EQ(s.params.cboShortWordSize.Text(), "3");
  EXPECT_EQ(s.params.cboLongWordSize.Text(), "50");
  EXPECT_EQ(s.params.cboThresholdFrequency.Text(), "2");
  EXPECT_EQ(s.params.cboLongWordSize.Items().size(), 16U);
  EXPECT_EQ(s.params.cboLongWordSize.Items().back(), "90");
  EXPECT_EQ(s.params.chkIgnoreShortWords.Value(), 1);
  EXPECT_EQ(s.params.chkAllowWordsWithHyphens.Value(), 1);
  EXPECT_EQ(s.params.chkAllowCommentMarkers.Value(), 1);
  EXPECT_FALSE(s.main.lblNumberOfWords.Visible());
  EXPECT_TRUE(s.main.Timer1.Enabled());
  EXPECT_EQ(s.run.strStateFile, config.Path() + "/" + s.Text(310) + "/kwl.usr");
}

TEST_F(StartUp, AConfigurationFolderThatCannotBeMadeIsNamedAndTheWindowStillStarts) {
  test::TempDir dir;
  dir.Write("plain", "not a folder");
  ASSERT_TRUE(Start(dir.File("plain/config")));
  EXPECT_TRUE(s.run.blnStartUpCompleted);
  ASSERT_FALSE(platform.boxes.empty());
  EXPECT_EQ(platform.boxes.front().text,
            "Cannot create the folder for the settings file:\r\n" + dir.File("plain") + "\r\nNot a directory");
  EXPECT_EQ(platform.boxes.front().icon, Icon::Warning);
}

TEST_F(StartUp, TheMakersAddressStandsBesideItsNameWhichOpensIt) {
  ASSERT_TRUE(Start());
  ASSERT_FALSE(s.Text(14).empty());
  EXPECT_EQ(s.main.lblZV_URL.Caption(), s.Text(14));
  s.main.lblZV_URL.Click();
  EXPECT_TRUE(platform.openedUrls.empty()) << "the address itself is no link";
  s.main.lblZorvathSystems.Click();
  EXPECT_EQ(platform.openedUrls, std::vector<std::string>{s.Text(14)});
}

TEST_F(StartUp, AFailedRestoreRefreshesThePathTooltips) {
  for (auto& box : s.main.txbFile) box.SetToolTip("an earlier path");
  ASSERT_TRUE(Start());  // no state file: the restore fails
  EXPECT_EQ(s.main.txbFile[0].ToolTip(), "");
  EXPECT_EQ(s.main.txbFile[1].ToolTip(), "");
}

TEST(Settings, DefaultsLeaveWordsToIgnoreAndCommonWordsAlone) {
  test::TestSession t;
  Session& s = t.session;
  s.params.txbWordsToIgnore.SetText("alpha beta");
  s.params.txbCommonWordsFile.SetText("/some/cwds_de.txt");
  s.params.selfChange = true;  // tick the box without reading the file
  s.params.chkIgnoreCommonWords.SetValue(1);
  s.params.selfChange = false;
  s.params.chkDropFinalS.SetValue(1);
  s.params.chkIgnoreShortWords.SetValue(0);
  s.params.cboLongWordSize.SetListIndex(0);
  s.run.blnWordsGot = true;
  SetDefaultValues(s);
  EXPECT_EQ(s.params.txbWordsToIgnore.Text(), "alpha beta");
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), "/some/cwds_de.txt");
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 1);
  EXPECT_EQ(s.params.chkDropFinalS.Value(), 0);
  EXPECT_EQ(s.params.chkIgnoreShortWords.Value(), 1);
  EXPECT_EQ(s.params.cboLongWordSize.ListIndex(), 7);
  EXPECT_FALSE(s.run.blnWordsGot);
  EXPECT_EQ(MakeCountRules(s).markup.kind, "C") << "a text file's count skips the C comments";
}

TEST(Settings, ResetEmptiesPathsAndTheWordsToIgnore) {
  test::TestSession t;
  Session& s = t.session;
  s.main.txbFile[0].SetText("/in.txt");
  s.main.txbFile[1].SetText("/out.txt");
  s.main.chkDisableOutputToFile.SetValue(1);
  s.main.chkUTF8.SetValue(1);
  s.params.txbWordsToIgnore.SetText("x");
  s.run.strWordsToIgnore = " x ";
  s.run.strCommonWordsFile = "/c.txt";
  Initialize(s);
  EXPECT_EQ(s.main.txbFile[0].Text(), "");
  EXPECT_EQ(s.main.txbFile[1].Text(), "");
  EXPECT_EQ(s.main.chkUTF8.Value(), 0);
  EXPECT_EQ(s.main.chkDisableOutputToFile.Value(), 0);
  EXPECT_FALSE(s.main.chkDisableOutputToFile.Enabled());
  EXPECT_EQ(s.run.strWordsToIgnore.Text(), "");
  EXPECT_EQ(s.run.strCommonWordsFile, "");
}

}  // namespace
}  // namespace kwl
