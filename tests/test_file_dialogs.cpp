// File dialogs: the filter they show, the extension a typed name gets, and
// which of the program's dialogs take a name that does not exist yet.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "common_words.h"
#include "file_choice.h"
#include "file_dialog.h"
#include "settings_window.h"
#include "support/test_files.h"

namespace kwl {
namespace {

TEST(FileDialog, TheFilterForEveryFileShowsFilesWithoutAnExtensionToo) {
  struct Case {
    std::string filter;
    std::string shown;
  };
  const Case cases[] = {
      {"", "All files (*)"},
      {"Any file containing only text (*.*) | *.*", "Any file containing only text (*)"},
      {"Any file (*.*)", "Any file (*)"},
      {"A text file or a docx file", "A text file or a docx file (*)"},
      {"Settings files (*.kwl) | *.kwl", "Settings files (*.kwl)"},
  };
  for (const Case& c : cases) EXPECT_EQ(DialogFilter(c.filter), c.shown) << c.filter;
}

TEST(FileDialog, ANameWithoutAnExtensionGetsTheFiltersExtension) {
  struct Case {
    std::string path;
    std::string filter;
    std::string expected;
  };
  const std::string settings = "Settings files (*.kwl) | *.kwl";
  const Case cases[] = {
      {"", settings, ""},
      {"/home/me/mine", settings, "/home/me/mine.kwl"},
      {"/home/me/mine.kwl", settings, "/home/me/mine.kwl"},
      {"/home/me/mine.txt", settings, "/home/me/mine.txt"},
      {"/home/me.d/mine", settings, "/home/me.d/mine.kwl"},
      {"/home/me/", settings, "/home/me/"},
      {"/home/me/mine", "Settings files (*.kwl)", "/home/me/mine.kwl"},
      {"/home/me/mine", "Any file containing only text (*.*) | *.*", "/home/me/mine"},
      {"/home/me/mine", "A text file or a docx file", "/home/me/mine"},
      {"/home/me/mine", "", "/home/me/mine"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithFilterExtension(c.path, c.filter), c.expected) << c.path << " " << c.filter;
}

TEST(FileDialog, OnlyTheOutputAndSaveSettingsDialogsTakeANewNameAndOnlySavingSettingsAsksToReplace) {
  test::TestSession t;
  Session& s = t.session;
  // Every dialog is cancelled.
  cmdFile_Click(s, 0);
  cmdFile_Click(s, 1);
  cmdSaveLoadState_Click(s, 0);
  cmdSaveLoadState_Click(s, 1);
  cmdSelectCommonWordsFile_Click(s, 0);
  struct Case {
    std::string title;
    bool takesNewName;
    bool asksToReplace;
  };
  const Case cases[] = {
      {"Specify input file", false, false},
      {"Specify output file", true, false},
      {"Specify file to save settings to", true, true},
      {"Specify file to load settings from.", false, false},
      {"Specify file of common words to ignore", false, false},
  };
  ASSERT_EQ(t.platform.dialogs.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const FileDialog& dialog = t.platform.dialogs[i];
    EXPECT_EQ(dialog.title, cases[i].title);
    EXPECT_EQ(TakesNewName(dialog), cases[i].takesNewName) << dialog.title;
    EXPECT_EQ(dialog.save && dialog.confirmOverwrite, cases[i].asksToReplace) << dialog.title;
  }
}

TEST(FileDialog, TheOutputFileTakesANameThatDoesNotExistYet) {
  test::TestSession t;
  test::TempDir dir;
  const std::string path = dir.File("new.csv");
  t.platform.fileAnswers.push_back(path);
  cmdFile_Click(t.session, 1);
  EXPECT_EQ(t.session.main.txbFile[1].Text(), path);
  EXPECT_TRUE(t.platform.boxes.empty());
}

}  // namespace
}  // namespace kwl
