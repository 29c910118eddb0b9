// The settings file in the core: composing a record, reading it back, and
// every failure with its text and the lines read before it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "settings/state_file.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// The 38 described lines of the defaults, as a file of the older format.
const std::string kDescribedLines =
    "\"\"\r\n\"\"\r\n\"\"\r\n\"/*\"\r\n\"*/\"\r\n\"//\"\r\n\"\"\r\n"  // 1-7: paths, words, markers
    "1\r\n7\r\n0\r\n"                                               // 8-10: lists
    "1\r\n0\r\n0\r\n1\r\n1\r\n1\r\n0\r\n0\r\n"                      // 11-18
    "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"                 // 19-27: allowed characters
    "0\r\n0\r\n1\r\n"                                               // 28-30
    "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"                                // 31-36
    "\"\"\r\n0\r\n";                                                // 37-38
// The defaults as written now: line 39, the files column, and line 40, the
// Unicode mode, after them.
const std::string kDefaultFile = kDescribedLines + "0\r\n0\r\n";

// The default file with line n (from 1) replaced.
std::string With(int n, const std::string& value) {
  std::string text = kDefaultFile;
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) start = text.find("\r\n", start) + 2;
  return text.replace(start, text.find("\r\n", start) - start, value);
}

// The first n lines of the default file.
std::string FirstLines(int n) {
  std::size_t end = 0;
  for (int i = 0; i < n; ++i) end = kDefaultFile.find("\r\n", end) + 2;
  return kDefaultFile.substr(0, end);
}

TEST(SettingsFile, DefaultsComposeToTheThirtyEightLinesAndLine39) {
  EXPECT_EQ(ComposeSettingsFile(Settings()), kDefaultFile);
  const SettingsRead read = ParseSettings(kDefaultFile);
  EXPECT_TRUE(read.status.Ok());
  EXPECT_EQ(read.lines, kSettingsFileLines);
  EXPECT_EQ(read.settings, Settings());
}

TEST(SettingsFile, ReadThenComposeGivesTheValuesInTheirWrittenForm) {
  struct Case {
    std::string file;
    std::string composed;
  };
  std::string endings = With(1, "\"/a\"");
  endings.replace(endings.find("\r\n"), 2, "\n");
  endings.replace(endings.rfind("\r\n"), 2, "\r");
  const Case cases[] = {
      {kDefaultFile, kDefaultFile},
      {With(1, "\"/a, b.txt\""), With(1, "\"/a, b.txt\"")},         // a comma inside quotes
      {With(1, "\"line\r\nbreak\""), With(1, "\"line\r\nbreak\"")},           // CR LF inside quotes
      {With(1, "   \"/a.txt\" junk"), With(1, "\"/a.txt\"")},                 // the rest of a quoted line skipped
      {With(2, "  /plain.txt"), With(2, "\"/plain.txt\"")},                   // unquoted, leading blanks skipped
      {With(11, "0.5"), With(11, "0")},                                       // rounded half to even
      {With(12, "1.5"), With(12, "2")},
      {With(17, "+1e0xyz"), With(17, "1")},                                   // a leading number
      {With(18, "abc"), With(18, "0")},                                       // a check without a number: 0
      {With(29, "7"), kDefaultFile},                                          // lines 29 and 30 dropped
      {With(30, "\"anything\""), kDefaultFile},
      {With(36, "-1"), With(36, "-1")},                                       // no choice
      {endings, With(1, "\"/a\"")},                                           // LF and CR line ends
  };
  for (const Case& c : cases) {
    const SettingsRead read = ParseSettings(c.file);
    EXPECT_TRUE(read.status.Ok()) << c.file << read.status.detail;
    EXPECT_EQ(ComposeSettingsFile(read.settings), c.composed) << c.file;
  }
}

TEST(SettingsFile, EachFailureGivesItsTextAndTheLinesReadBeforeIt) {
  struct Case {
    std::string file;
    std::string detail;
    int lines;
  };
  const Case cases[] = {
      {"", "Input past end of file", 0},
      {FirstLines(20), "Input past end of file", 20},
      {With(37, "\"unterminated"), "Input past end of file", 37},  // the quote runs to the end of the file
      {With(3, "cat, the"), "Type mismatch", 7},  // a comma ends a value: line 8 reads the "" of line 7
      {With(8, "99"), "Invalid property value", 7},
      {With(9, "-2"), "Invalid property value", 8},
      {With(10, "ten"), "Type mismatch", 9},
      {With(11, "3"), "Invalid property value", 10},
      {With(38, "-1"), "Invalid property value", 37},
      {With(12, "1e300"), "Overflow", 11},
      {With(35, "32768"), "Overflow", 34},
      {"\"" + std::string((1 << 20) + 10, 'x') + "\"\r\n", "Value longer than 1 MiB", 0},
      {std::string((1 << 20) + 10, 'y'), "Value longer than 1 MiB", 0},
      {"\"a\"" + std::string((1 << 20) + 10, 'z'), "Value longer than 1 MiB", 0},
  };
  for (const Case& c : cases) {
    const SettingsRead read = ParseSettings(c.file);
    EXPECT_EQ(read.status.kind, Status::Kind::kBadFormat) << c.file.substr(0, 80);
    EXPECT_EQ(read.status.detail, c.detail) << c.file.substr(0, 80);
    EXPECT_EQ(read.lines, c.lines) << c.file.substr(0, 80);
  }
  const SettingsRead cut = ParseSettings(With(8, "99"));
  EXPECT_EQ(cut.settings.endComment2, "") << "line 7 as read";
  EXPECT_EQ(cut.settings.shortWordSizeIndex, 1) << "the failed line keeps its default";
}

// Line 39 never refuses a file: a file of the 38 described lines, or one
// with anything but 0 or 1 there, reads whole with the files column off.
TEST(SettingsFile, Line39IsReadAsOnOrOffAndNeverFails) {
  struct Case {
    std::string file;
    int showFilesColumn;
  };
  std::string unended = kDescribedLines;
  unended.resize(unended.size() - 2);
  const Case cases[] = {
      {kDescribedLines, 0},
      {unended, 0},                                   // no line end after line 38
      {kDescribedLines + "1\r\n", 1},
      {kDescribedLines + "1", 1},
      {kDescribedLines + "\"1\"\r\n", 1},
      {kDescribedLines + " 1.2 and more\r\n", 1},     // a leading number, rounded
      {kDescribedLines + "0\r\n", 0},
      {kDescribedLines + "\r\n", 0},                  // an empty line
      {kDescribedLines + "yes\r\n", 0},
      {kDescribedLines + "2\r\n", 0},
      {kDescribedLines + "-1\r\n", 0},
      {kDescribedLines + "1e300\r\n", 0},
      {kDescribedLines + "\"unterminated", 0},
      {kDescribedLines + std::string((1 << 20) + 10, '1'), 0},  // too long to be a value
      {kDescribedLines + "1\r\nanything after\r\n", 1},   // line 40 alone is off
  };
  for (const Case& c : cases) {
    const SettingsRead read = ParseSettings(c.file);
    const std::string shown = c.file.substr(kDescribedLines.size() - 4, 40);
    EXPECT_TRUE(read.status.Ok()) << shown << read.status.detail;
    EXPECT_EQ(read.lines, kSettingsFileLines) << shown;
    EXPECT_EQ(read.settings.showFilesColumn, c.showFilesColumn) << shown;
    // The described lines read as they would without line 39.
    Settings described = read.settings;
    described.showFilesColumn = 0;
    EXPECT_EQ(described, Settings()) << shown;
  }
  // Written as 0 or 1, and read back.
  Settings on;
  on.showFilesColumn = 1;
  EXPECT_EQ(ComposeSettingsFile(on), kDescribedLines + "1\r\n0\r\n");
  EXPECT_EQ(ParseSettings(ComposeSettingsFile(on)).settings, on);
  on.showFilesColumn = 2;
  EXPECT_EQ(ComposeSettingsFile(on), kDefaultFile) << "only 1 is on";
  // A file that fails before line 39 has not read it.
  EXPECT_EQ(ParseSettings(With(38, "-1") + "1\r\n").settings.showFilesColumn, 0);
}

// Line 40, the Unicode mode, after line 39 and on the same terms: a file of
// 38 or 39 lines, or anything but 0 or 1 there, reads whole with it off.
TEST(SettingsFile, Line40IsReadAsOnOrOffAndNeverFails) {
  struct Case {
    std::string after;  // what follows the 38 described lines
    int showFilesColumn;
    int unicodeWords;
  };
  const Case cases[] = {
      {"", 0, 0},                               // 38 lines
      {"1\r\n", 1, 0},                          // 39 lines
      {"0", 0, 0},
      {"0\r\n1\r\n", 0, 1},
      {"1\r\n1", 1, 1},                         // no line end after line 40
      {"1,1\r\n", 1, 1},                        // a comma ends a value, as on every line
      {"0\r\n\"1\"\r\n", 0, 1},
      {"0\r\n 0.9 words\r\n", 0, 1},          // a leading number, rounded
      {"0\r\nUnicode\r\n", 0, 0},
      {"0\r\n2\r\n", 0, 0},
      {"1\r\n-1\r\n", 1, 0},
      {"1\r\n\r\n", 1, 0},                    // an empty line
      {"0\r\n1\r\n1\r\nmore\r\n", 0, 1},      // later lines are not read
      {"\"unterminated\r\n1\r\n", 0, 0},      // line 39 runs to the end of the file
      // Too long to be line 39: its rest is no line 40.
      {std::string((1 << 20) + 10, 'x') + "1\r\n1\r\n", 0, 0},
  };
  for (const Case& c : cases) {
    const SettingsRead read = ParseSettings(kDescribedLines + c.after);
    const std::string shown = c.after.substr(0, 40);
    EXPECT_TRUE(read.status.Ok()) << shown << read.status.detail;
    EXPECT_EQ(read.lines, kSettingsFileLines) << shown;
    EXPECT_EQ(read.settings.showFilesColumn, c.showFilesColumn) << shown;
    EXPECT_EQ(read.settings.unicodeWords, c.unicodeWords) << shown;
    Settings described = read.settings;
    described.showFilesColumn = 0;
    described.unicodeWords = 0;
    EXPECT_EQ(described, Settings()) << shown << ": the described lines as read alone";
  }
  // Written as 0 or 1 after line 39, and read back.
  Settings on;
  on.unicodeWords = 1;
  EXPECT_EQ(ComposeSettingsFile(on), kDescribedLines + "0\r\n1\r\n");
  EXPECT_EQ(ParseSettings(ComposeSettingsFile(on)).settings, on);
  on.showFilesColumn = 1;
  EXPECT_EQ(ParseSettings(ComposeSettingsFile(on)).settings, on);
  on.unicodeWords = 2;
  EXPECT_EQ(ComposeSettingsFile(on), kDescribedLines + "1\r\n0\r\n") << "only 1 is on";
  // A file that fails before line 40 has not read it.
  EXPECT_EQ(ParseSettings(With(38, "-1") + "1\r\n1\r\n").settings.unicodeWords, 0);
}

TEST(SettingsFile, FilesAreReadAndReplacedOnlyWhenRegular) {
  test::TempDir dir;
  const std::string pipe = dir.File("pipe.kwl");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    std::string path;
    Status::Kind kind;
    int err;
    std::string detail;
  };
  const Case cases[] = {
      {"", Status::Kind::kNotFound, ENOENT, ""},
      {dir.File("none.kwl"), Status::Kind::kNotFound, ENOENT, ""},
      {dir.Path(), Status::Kind::kNotRegular, EISDIR, "a folder"},
      {pipe, Status::Kind::kNotRegular, 0, "a named pipe"},
  };
  for (const Case& c : cases) {
    const Status read = ReadSettingsFile(c.path).status;
    EXPECT_EQ(read.kind, c.kind) << c.path;
    EXPECT_EQ(read.err, c.err) << c.path;
    EXPECT_EQ(read.detail, c.detail) << c.path;
  }
  Settings settings;
  settings.inputFile = "/in.txt";
  const std::string file = dir.File("mine.kwl");
  EXPECT_TRUE(WriteSettingsFile(file, settings).Ok());
  EXPECT_EQ(test::ReadAll(file), ComposeSettingsFile(settings));
  const SettingsRead read = ReadSettingsFile(file);
  EXPECT_TRUE(read.status.Ok());
  EXPECT_EQ(read.settings, settings);
  EXPECT_EQ(WriteSettingsFile(pipe, settings).detail, "a named pipe");
  EXPECT_EQ(WriteSettingsFile(dir.Path(), settings).err, EISDIR);
  EXPECT_EQ(WriteSettingsFile(dir.File("missing/x.kwl"), settings).err, ENOENT);
}

TEST(SettingsFile, TheStateFileIsInTheUsersConfigurationFolder) {
  test::TempDir dir;
  const std::string home = dir.Path() + "/home";
  std::filesystem::create_directories(home + "/.config");
  struct Case {
    const char* xdg;  // nullptr: unset
    const char* home;
    std::string expected;
  };
  const Case cases[] = {
      {dir.Path().c_str(), home.c_str(), dir.Path() + "/Kestrawl/kwl.usr"},
      {"", home.c_str(), home + "/.config/Kestrawl/kwl.usr"},
      {nullptr, nullptr, ""},
  };
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  for (const Case& c : cases) {
    if (c.xdg) ::setenv("XDG_CONFIG_HOME", c.xdg, 1); else ::unsetenv("XDG_CONFIG_HOME");
    if (c.home) ::setenv("HOME", c.home, 1); else ::unsetenv("HOME");
    EXPECT_EQ(UserStateFilePath("Kestrawl"), c.expected);
    EXPECT_TRUE(c.expected.empty() || std::filesystem::is_directory(c.expected.substr(0, c.expected.rfind('/'))));
  }
  ::setenv("HOME", savedHome.c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsFile, EveryMissingFolderOfTheStateFilePathIsMade) {
  test::TempDir dir;
  dir.Write("plain", "not a folder");
  struct Case {
    std::string xdg;  // empty: unset, so HOME decides
    std::string home;
    std::string expected;
    std::string unmade;  // the folder reported as not made; empty when all were made
  };
  const Case cases[] = {
      {"", dir.File("new/home"), dir.File("new/home/.config/Kestrawl/kwl.usr"), ""},
      {dir.File("a/b/c"), "", dir.File("a/b/c/Kestrawl/kwl.usr"), ""},
      {dir.File("plain/config"), "", dir.File("plain/config/Kestrawl/kwl.usr"), dir.File("plain")},
  };
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  for (const Case& c : cases) {
    if (!c.xdg.empty()) ::setenv("XDG_CONFIG_HOME", c.xdg.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
    if (!c.home.empty()) ::setenv("HOME", c.home.c_str(), 1);
    Status folder;
    EXPECT_EQ(UserStateFilePath("Kestrawl", folder), c.expected);
    EXPECT_EQ(folder.path, c.unmade);
    EXPECT_EQ(folder.err, c.unmade.empty() ? 0 : ENOTDIR);
    EXPECT_EQ(folder.Ok(), std::filesystem::is_directory(c.expected.substr(0, c.expected.rfind('/'))));
  }
  ::setenv("HOME", savedHome.c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace kwl
