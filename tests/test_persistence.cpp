#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "count_run.h"
#include "params_logic.h"
#include "persistence.h"
#include "text/cp1252.h"
#include "support/test_files.h"

namespace kwl {
namespace {

const char* const kRestoreError = "Error when attempting to restore settings: ";

// The file lines, without their CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

const std::vector<std::string> kDefaults = {
    "\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"",  // 1-7: paths, words, markers
    "1",    "7",    "0",                                             // 8-10: lists
    "1",    "0",    "0",    "1",      "1",      "1",      "0",  "0", // 11-18
    "1",    "0",    "0",    "0",      "0",      "0",      "0",  "0", "0",  // 19-27: allowed characters
    "0",    "0",    "1",                                             // 28-30
    "0",    "0",    "0",    "0",      "0",      "0",                 // 31-36
    "\"\"", "0",                                                     // 37-38
    "0",                                                            // 39: the files column
    "0"};                                                           // 40: the Unicode mode

// Every setting away from its default.
void ChangeEverything(Session& s) {
  Params& p = s.params;
  s.main.txbFile[0].SetText("/home/ann/Texte/Märchen, Band 1.txt");
  s.main.txbFile[1].SetText("/tmp/out list.csv");
  p.txbWordsToIgnore.SetText("Zebra, apple");
  NormaliseWordsToIgnore(s);
  p.txbStartComment[0].SetText("<!--");
  p.txbEndComment[0].SetText("-->");
  p.txbStartComment[1].SetText("#");
  p.txbEndComment[1].SetText("end");
  p.cboShortWordSize.SetListIndex(13);
  p.cboLongWordSize.SetListIndex(15);
  p.cboThresholdFrequency.SetListIndex(7);
  for (CheckBox* box : {&p.chkIgnoreShortWords, &p.chkIgnoreInfrequentWords, &p.chkIgnoreCommonWords,
                        &p.chkIgnoreRepetitions, &p.chkIgnoreRomNum40, &p.chkIgnoreNoLetter, &p.chkCaseSignificant,
                        &p.chkDropFinalS, &p.chkAllowWordsWithHyphens, &p.chkAllowWordsWithApostrophes,
                        &p.chkAllowWordsWithUnderscores, &p.chkAllowWordsWithColons, &p.chkAllowWordsWithBackslashes,
                        &p.chkAllowWordsWithForwardslashes, &p.chkAllowWordsWithPeriods, &p.chkAllowWordsWithAtSigns,
                        &p.chkAllowWordsWithNumerals, &p.chkOutputWithCommas, &p.chkWarnOnOverwrite,
                        &p.chkSaveStateOnQuit, &p.chkOnly7bitASCII, &p.chkShowFiles, &p.chkUnicodeWords})
    box->SetValue(box->Value() == 1 ? 0 : 1);
  p.chkAllowCommentMarkers.SetValue(0);
  s.main.chkSuppressWords.SetValue(1);
  s.main.chkDisableOutputToFile.SetValue(1);
  s.main.cboWordOrder.SetListIndex(1);
  s.main.cboDisplayFormat.SetListIndex(9);
  s.run.strCommonWordsFile = "/usr/share/kestrawl/cwds_de.txt";
  p.txbCommonWordsFile.SetText(s.run.strCommonWordsFile);
}

TEST(Persistence, DefaultsAreWrittenAsTheThirtyEightLinesAndLine39) {
  test::TestSession t;
  test::TempDir dir;
  const std::string path = dir.File("defaults.kwl");
  EXPECT_EQ(SaveState(t.session, path), "");
  const std::string text = test::ReadAll(path);
  EXPECT_EQ(text, Join(kDefaults));
  EXPECT_EQ(Lines(text).size(), 40u);
}

TEST(Persistence, RoundTripGivesBackEverySetting) {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  ChangeEverything(s);
  const std::string first = dir.File("all.kwl");
  ASSERT_EQ(SaveState(s, first), "");
  const std::vector<std::string> saved = Lines(test::ReadAll(first));
  ASSERT_EQ(saved.size(), 40u);
  EXPECT_EQ(saved[0], "\"/home/ann/Texte/Märchen, Band 1.txt\"") << "UTF-8, commas kept inside quotes";
  EXPECT_EQ(saved[2], "\"apple zebra\"");
  EXPECT_EQ(saved[28], "0");
  EXPECT_EQ(saved[29], "0");
  EXPECT_EQ(saved[38], "1") << "the files column";
  EXPECT_EQ(saved[39], "1") << "the Unicode mode";

  InitializeVariables(s);
  EXPECT_EQ(RestoreSavedState(s, first), "");
  EXPECT_EQ(s.params.chkAllowCommentMarkers.Value(), 1) << "always 1 after a restore";
  EXPECT_EQ(s.params.chkShowFiles.Value(), 1);
  EXPECT_EQ(s.params.chkUnicodeWords.Value(), 1);
  EXPECT_EQ(s.run.strWordsToIgnore.Text(), " apple zebra ");
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), "/usr/share/kestrawl/cwds_de.txt");
  EXPECT_TRUE(s.main.chkDisableOutputToFile.Enabled()) << "an output path enables the Disable box";

  const std::string second = dir.File("again.kwl");
  ASSERT_EQ(SaveState(s, second), "");
  std::vector<std::string> expected = saved;
  expected[29] = "1";
  EXPECT_EQ(Lines(test::ReadAll(second)), expected);

  // The defaults come back from a defaults file too.
  test::TestSession fresh;
  const std::string defaults = dir.File("defaults.kwl");
  ASSERT_EQ(SaveState(fresh.session, defaults), "");
  ChangeEverything(s);
  EXPECT_EQ(RestoreSavedState(s, defaults), "");
  ASSERT_EQ(SaveState(s, second), "");
  EXPECT_EQ(test::ReadAll(second), Join(kDefaults));
}

TEST(Persistence, EmptyPathMeansTheStateFile) {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  s.run.strStateFile = dir.File("kwl.usr");
  s.params.chkDropFinalS.SetValue(1);
  EXPECT_EQ(SaveState(s, ""), "");
  EXPECT_TRUE(std::filesystem::exists(s.run.strStateFile));
  s.params.chkDropFinalS.SetValue(0);
  EXPECT_EQ(RestoreSavedState(s, ""), "");
  EXPECT_EQ(s.params.chkDropFinalS.Value(), 1);
}

TEST(Persistence, ReadingRulesOfTheFormat) {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  std::vector<std::string> lines = kDefaults;
  lines[0] = "   \"/a, b/c.txt\" trailing junk";  // quoted: to the next quote, the rest skipped
  lines[1] = "  /plain/path.txt";                 // unquoted: leading blanks skipped
  lines[2] = "\"Cat, THE  the\"";                 // normalised after reading
  lines[10] = "0.5";                              // rounded half to even: 0
  lines[11] = "1.5";                              // 2
  lines[17] = "+1e0xyz";                          // a leading number: 1
  lines[13] = "abc";                              // no number: 0
  lines[14] = "2";                                // the greyed state is accepted
  lines[29] = "\"anything\"";                     // line 30 is dropped
  // LF and CR line ends are read as well as CR LF.
  std::string text = Join(lines);
  text.replace(text.find("\r\n"), 2, "\n");
  text.replace(text.rfind("\r\n"), 2, "\r");
  ASSERT_EQ(RestoreSavedState(s, dir.Write("rules.kwl", text)), "");
  EXPECT_EQ(s.main.txbFile[0].Text(), "/a, b/c.txt");
  EXPECT_EQ(s.main.txbFile[1].Text(), "/plain/path.txt");
  EXPECT_EQ(s.params.txbWordsToIgnore.Text(), "cat the");
  EXPECT_EQ(s.params.chkIgnoreShortWords.Value(), 0);
  EXPECT_EQ(s.params.chkIgnoreInfrequentWords.Value(), 2);
  EXPECT_EQ(s.params.chkDropFinalS.Value(), 1);
  EXPECT_EQ(s.params.chkIgnoreRepetitions.Value(), 0);
  EXPECT_EQ(s.params.chkIgnoreRomNum40.Value(), 2);
  EXPECT_EQ(s.params.chkAllowCommentMarkers.Value(), 1);
}

TEST(Persistence, DamagedFilesGiveTheRestoreMessageAndKeepWhatWasApplied) {
  struct Case {
    const char* name;
    std::string content;
    std::string message;       // whole message, or "" for the restore-error prefix
    bool firstSevenApplied;
  };
  auto with = [](int line, const std::string& value) {
    std::vector<std::string> lines = kDefaults;
    lines[0] = "\"/in.txt\"";
    lines[6] = "\"seventh\"";
    lines[static_cast<std::size_t>(line - 1)] = value;
    return Join(lines);
  };
  std::vector<std::string> cut(kDefaults.begin(), kDefaults.begin() + 20);
  cut[0] = "\"/in.txt\"";
  cut[6] = "\"seventh\"";
  const Case cases[] = {
      {"cut after line 20", Join(cut), std::string(kRestoreError) + "Input past end of file", true},
      {"empty file", "", std::string(kRestoreError) + "Input past end of file", false},
      {"list index beyond the list", with(8, "99"), std::string(kRestoreError) + "Invalid property value", true},
      {"negative list index", with(9, "-2"), "", true},
      {"non-numeric list index", with(10, "ten"), std::string(kRestoreError) + "Type mismatch", true},
      {"check value 3", with(11, "3"), "", true},
      {"check value -1", with(38, "-1"), "", true},
      {"huge number", with(12, "1e300"), std::string(kRestoreError) + "Overflow", true},
      {"binary", std::string("\x00\x01\xFF\xFE,\x7F\x80", 7) + std::string(3000, '\x01'), "", false},
      {"value over 1 MiB", "\"" + std::string((1 << 20) + 10, 'x') + "\"\r\n", "", false},
      {"unquoted line over 1 MiB", std::string((1 << 20) + 10, 'y'), "", false},
      {"unterminated quote", "\"/in.txt", "", false},
  };
  for (const Case& c : cases) {
    test::TestSession t;
    Session& s = t.session;
    test::TempDir dir;
    const std::string message = RestoreSavedState(s, dir.Write("bad.kwl", c.content));
    if (c.message.empty()) {
      EXPECT_EQ(message.rfind(kRestoreError, 0), 0u) << c.name << ": " << message;
    } else {
      EXPECT_EQ(message, c.message) << c.name;
    }
    if (c.firstSevenApplied) {
      EXPECT_EQ(s.main.txbFile[0].Text(), "/in.txt") << c.name;
      EXPECT_EQ(s.params.txbEndComment[1].Text(), "seventh") << c.name;
    }
    EXPECT_LE(s.main.txbFile[0].Text().size(), std::size_t{1} << 20) << c.name;
  }
}

// A file of the 38 described lines, as older versions wrote it, one of 39
// lines, and ones with a line 39 or 40 that is neither 0 nor 1, restore
// without a message and with the files column and the Unicode mode off.
TEST(Persistence, OptionalLinesMissingOrUnreadableRestoreOff) {
  const auto with = [](int line39, const char* v39, const char* v40) {
    std::vector<std::string> lines(kDefaults.begin(), kDefaults.begin() + line39);
    if (v39 != nullptr) lines.emplace_back(v39);
    if (v40 != nullptr) lines.emplace_back(v40);
    return Join(lines);
  };
  const struct {
    const char* name;
    std::string content;
    int files;
    int unicode;
  } cases[] = {
      {"38 lines", with(38, nullptr, nullptr), 0, 0},
      {"39 lines", with(38, "1", nullptr), 1, 0},
      {"garbage 39", with(38, "\"on\"", "0"), 0, 0},
      {"files on", with(38, "1", "0"), 1, 0},
      {"garbage 40", with(38, "1", "\"Unicode\""), 1, 0},
      {"unicode on", with(38, "0", "1"), 0, 1},
      {"both on", with(38, "1", "1"), 1, 1},
  };
  for (const auto& c : cases) {
    test::TestSession t;
    Session& s = t.session;
    test::TempDir dir;
    s.params.chkShowFiles.SetValue(c.files == 1 ? 0 : 1);
    s.params.chkUnicodeWords.SetValue(c.unicode == 1 ? 0 : 1);
    s.main.txbFile[0].SetText("/before.txt");
    EXPECT_EQ(RestoreSavedState(s, dir.Write("state.kwl", c.content)), "") << c.name;
    EXPECT_EQ(s.params.chkShowFiles.Value(), c.files) << c.name;
    EXPECT_EQ(s.params.chkUnicodeWords.Value(), c.unicode) << c.name;
    EXPECT_EQ(s.main.txbFile[0].Text(), "") << c.name << ": the described lines are applied";
  }
}

TEST(Persistence, MissingListChoiceIsAppliedAndReported) {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  std::vector<std::string> lines = kDefaults;
  lines[35] = "-1";
  lines[37] = "1";
  EXPECT_EQ(RestoreSavedState(s, dir.Write("minus.kwl", Join(lines))), "Invalid combo box index");
  EXPECT_EQ(s.main.cboDisplayFormat.ListIndex(), -1);
  EXPECT_EQ(s.params.chkOnly7bitASCII.Value(), 1) << "read to the end";
}

TEST(Persistence, MissingOrUnreadableFiles) {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  EXPECT_EQ(RestoreSavedState(s, dir.File("none.kwl")), std::string(kRestoreError) + "No such file or directory");
  EXPECT_EQ(RestoreSavedState(s, dir.Path()), std::string(kRestoreError) + "Is a directory");
  s.run.strStateFile.clear();
  EXPECT_EQ(RestoreSavedState(s, ""), std::string(kRestoreError) + "No such file or directory");
}

TEST(Persistence, SaveErrorsAndWholeFileReplacement) {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  const std::string path = dir.File("keep.kwl");
  ASSERT_EQ(SaveState(s, path), "");
  const std::string earlier = test::ReadAll(path);
  ::chmod(path.c_str(), 0640);

  EXPECT_EQ(SaveState(s, dir.File("missing/x.kwl")),
            "Error when attempting to save settings: No such file or directory");
  EXPECT_EQ(SaveState(s, dir.Path()), "Error when attempting to save settings: Is a directory");
  s.run.strStateFile.clear();
  EXPECT_EQ(SaveState(s, ""), "Error when attempting to save settings: No such file or directory");

  // A save replaces the file whole and keeps its permissions; no temporary
  // file stays behind.
  s.params.chkDropFinalS.SetValue(1);
  ASSERT_EQ(SaveState(s, path), "");
  EXPECT_NE(test::ReadAll(path), earlier);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 1u);

  // Through a symbolic link the target is replaced and the link stays.
  const std::string link = dir.File("link.kwl");
  std::filesystem::create_symlink(path, link);
  s.params.chkDropFinalS.SetValue(0);
  ASSERT_EQ(SaveState(s, link), "");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(test::ReadAll(path), Join(kDefaults));
}

TEST(Persistence, ASaveRemovesStaleTemporaryFilesOfDeadProcessesOnly) {
  test::TempDir dir;
  const std::string state = dir.Write("kwl.usr", "");
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string stale = state + ".tmp" + std::to_string(dead) + "-1";
  const std::vector<std::string> kept = {
      state + ".tmp" + std::to_string(::getppid()) + "-3",  // a running process
      state + ".tmp" + std::to_string(dead) + "-1x",        // not a temporary name
      dir.File("other.kwl.tmp" + std::to_string(dead) + "-1"),  // beside another file
  };
  test::WriteAll(stale, "cut off");
  for (const auto& path : kept) test::WriteAll(path, "keep");
  test::TestSession t;
  EXPECT_EQ(SaveState(t.session, state), "");
  EXPECT_FALSE(std::filesystem::exists(stale));
  for (const auto& path : kept) EXPECT_TRUE(std::filesystem::exists(path)) << path;
}

TEST(WordsToIgnore, Normalisation) {
  struct Case {
    const char* typed;
    const char* shown;
    const char* inForce;
  };
  const Case cases[] = {
      {"", "", ""},
      {"   ", "   ", ""},
      {"The,cat,  the  Apple", "apple cat the", " apple cat the "},
      {"  word  ", "word", " word "},
      {"ÉTÉ été Zoo", "zoo été", " zoo été "},  // é (E9) sorts after z
      {"b a b a", "a b", " a b "},
      {",,,", "", "  "},
      {"b A a B c b", "a b c", " a b c "},
      {"Zoo ZOO zoo Été ÉTÉ été", "zoo été", " zoo été "},
      {" pear,apple  pear , Apple,PEAR ", "apple pear", " apple pear "},
      {"one", "one", " one "},
      {"‘a été ‘a", "été ‘a", " été ‘a "},  // ‘ (91, U+2018) sorts after é (E9, U+00E9)
      {"ab a abc a", "a ab abc", " a ab abc "},
      {"abcdefghij abcdefghi abcdefghia abcdefghi", "abcdefghi abcdefghia abcdefghij",
       " abcdefghi abcdefghia abcdefghij "},
  };
  for (const Case& c : cases) {
    test::TestSession t;
    Session& s = t.session;
    s.params.txbWordsToIgnore.SetText(c.typed);
    NormaliseWordsToIgnore(s);
    EXPECT_EQ(s.params.txbWordsToIgnore.Text(), c.shown) << c.typed;
    EXPECT_EQ(cp1252::ToUtf8(s.run.strWordsToIgnore.Text()), c.inForce) << c.typed;
  }
}

}  // namespace
}  // namespace kwl
