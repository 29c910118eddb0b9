#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "files/paths.h"
#include "list_words.h"
#include "statistics.h"
#include "count_run.h"
#include "text/cp1252.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::CountWords;

const std::string kSpacesNote =
    "\"To open this file in Excel state that it is delimited by spaces.\r\n"
    "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
    "\r\n";
const std::string kCommasNote =
    "\"To open this file in Excel state that it is delimited by commas.\r\n"
    "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
    "\r\n";
const std::string kOverwritePrompt =
    "To overwrite the current output file click on 'OK'.\r\n"
    "To write to a different file edit the filepath below.\r\n"
    "To disable output to file click on 'Cancel'.\r\n"
    "\r\n"
    "(This 'warn on overwrite' can be disabled\r\n"
    "in the 'Settings' window.)";


// n distinct words counted once each: w00001, w00002, ...
std::vector<std::pair<std::string, int>> ManyWords(int n) {
  std::vector<std::pair<std::string, int>> words;
  for (int k = 1; k <= n; ++k) {
    const std::string digits = std::to_string(k);
    std::string w = "w";
    w.append(5 - std::min<std::size_t>(5, digits.size()), '0');
    w += digits;
    words.emplace_back(w, 1);
  }
  return words;
}

class ListWordsTest : public ::testing::Test {
 protected:
  void SetOutput(const std::string& path) {
    s.main.txbFile[1].SetText(path);
    s.main.chkDisableOutputToFile.SetEnabled(true);
  }
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
};

TEST_F(ListWordsTest, WritesTheFileThenListsIntoTheTextBox) {
  const std::string out = dir.File("list.txt");
  SetOutput(out);
  CountWords(s, {{"née", 1}, {"apple", 3}, {"fig", 2}});
  EXPECT_EQ(test::ReadAll(out), kSpacesNote +
                                    "   Rank    Freq  Word (longest has 5 characters)\r\n"
                                    "      1       3  apple\r\n"
                                    "      2       2  fig\r\n"
                                    "      3       1  n\xE9" "e\r\n")
      << "the file holds Windows-1252 bytes";
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank    Freq  Word (longest has 5 characters)\r\n"
            "      1       3  apple\r\n"
            "      2       2  fig\r\n"
            "      3       1  née\r\n");
  EXPECT_TRUE(s.run.blnOutputFileWritten);
  EXPECT_FALSE(s.run.blnWritingToFile);
  EXPECT_TRUE(t.platform.boxes.empty());
}

TEST_F(ListWordsTest, CommaLayoutsInTheFileSpaceLayoutInTheTextBox) {
  const std::string out = dir.File("list.csv");
  SetOutput(out);
  s.params.chkOutputWithCommas.SetValue(1);

  s.main.cboDisplayFormat.SetListIndex(9);
  CountWords(s, {{"gamma", 1}, {"alpha", 1}, {"beta", 1}});
  EXPECT_EQ(test::ReadAll(out), kCommasNote + "alpha, beta, gamma") << "no line end after the last word";
  EXPECT_EQ(s.main.txbOutput.Text(), "alpha, beta, gamma\r\n");

  s.main.cboDisplayFormat.SetListIndex(0);
  CountWords(s, {{"abcde", 2}, {"fghij", 1}});
  EXPECT_EQ(test::ReadAll(out), kCommasNote +
                                    "  " "  Rank" ",  " "  Freq" ",  " "Word (longest has 5 characters)\r\n"
                                    "  " "     1" ",  " "     2" ",  " "abcde\r\n"
                                    "  " "     2" ",  " "     1" ",  " "fghij\r\n");
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank    Freq  Word (longest has 5 characters)\r\n"
            "      1       2  abcde\r\n"
            "      2       1  fghij\r\n");

  s.main.cboDisplayFormat.SetListIndex(8);
  CountWords(s, {{"abcde", 2}, {"fghij", 1}});
  EXPECT_EQ(test::ReadAll(out), kCommasNote + "Word (longest has 5 characters)\r\nabcde\r\nfghij\r\n");
}

TEST_F(ListWordsTest, NoPathOrOutputDisabledMeansTextBoxOnly) {
  CountWords(s, {{"word", 1}});
  EXPECT_FALSE(s.run.blnOutputFileWritten);
  EXPECT_EQ(s.main.txbOutput.Text(), "   Rank    Freq  Word (longest has 4 characters)\r\n      1       1  word\r\n");

  const std::string out = dir.File("kept.txt");
  test::WriteAll(out, "earlier");
  SetOutput(out);
  s.main.chkDisableOutputToFile.SetValue(1);
  CountWords(s, {{"word", 1}});
  EXPECT_EQ(test::ReadAll(out), "earlier");
  EXPECT_FALSE(s.run.blnOutputFileWritten);
}

TEST_F(ListWordsTest, NoIncludedWordsWritesNoFile) {
  const std::string out = dir.File("never.txt");
  SetOutput(out);
  CountWords(s, {});
  EXPECT_FALSE(FileExists(out));
  EXPECT_EQ(s.main.txbOutput.Text(), "No words satisfying the conditions were found.");
  EXPECT_TRUE(t.platform.boxes.empty());
}

TEST_F(ListWordsTest, OverwriteWarningItsThreeAnswers) {
  s.params.chkWarnOnOverwrite.SetValue(1);
  const std::string out = dir.Write("old.txt", "earlier");
  SetOutput(out);

  // OK with the path unchanged: overwritten.
  CountWords(s, {{"word", 1}});
  ASSERT_EQ(t.platform.inputPrompts.size(), 1u);
  EXPECT_EQ(t.platform.inputPrompts[0], kOverwritePrompt);
  EXPECT_EQ(test::ReadAll(out).substr(0, kSpacesNote.size()), kSpacesNote);

  // A different path in an existing folder: written there; case and inner
  // blanks kept, outer blanks trimmed.
  test::WriteAll(out, "earlier");
  const std::string other = dir.File("Other List.TXT");
  t.platform.inputAnswers.push_back("  " + other + " ");
  CountWords(s, {{"word", 1}});
  EXPECT_EQ(s.main.txbFile[1].Text(), other);
  EXPECT_TRUE(FileExists(other));
  EXPECT_EQ(test::ReadAll(out), "earlier");

  // Cancel: output disabled, the list only in the text box.
  SetOutput(out);
  t.platform.inputAnswers.push_back("");
  CountWords(s, {{"word", 1}});
  EXPECT_EQ(s.main.chkDisableOutputToFile.Value(), 1);
  EXPECT_EQ(test::ReadAll(out), "earlier");
  EXPECT_EQ(s.main.txbOutput.Text(), "   Rank    Freq  Word (longest has 4 characters)\r\n      1       1  word\r\n");
  EXPECT_TRUE(t.platform.boxes.empty());
}

TEST_F(ListWordsTest, OverwriteWarningWithAMissingFolderWritesAndListsNothing) {
  s.params.chkWarnOnOverwrite.SetValue(1);
  const std::string out = dir.Write("old.txt", "earlier");
  SetOutput(out);
  t.platform.inputAnswers.push_back(dir.File("missing/new.txt"));
  CountWords(s, {{"word", 1}});
  EXPECT_EQ(t.platform.LastBox().text, "Folder does not exist.");
  EXPECT_EQ(t.platform.LastBox().title, s.Text(34));
  EXPECT_EQ(t.platform.LastBox().icon, Icon::Warning);
  EXPECT_EQ(test::ReadAll(out), "earlier");
  EXPECT_EQ(s.main.txbFile[1].Text(), out);
  EXPECT_EQ(s.main.txbOutput.Text(), "");
  EXPECT_FALSE(FolderExists(dir.File("missing")));
}

TEST_F(ListWordsTest, OverwriteWarningTakesABareFileNameInTheWorkingFolder) {
  s.params.chkWarnOnOverwrite.SetValue(1);
  SetOutput(dir.Write("old.txt", "earlier"));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  t.platform.inputAnswers.push_back("bare.txt");
  CountWords(s, {{"word", 1}});
  std::filesystem::current_path(before);
  EXPECT_TRUE(t.platform.boxes.empty());
  EXPECT_EQ(s.main.txbFile[1].Text(), "bare.txt");
  EXPECT_NE(test::ReadAll(dir.File("bare.txt")).find("word"), std::string::npos);
}

TEST_F(ListWordsTest, AFileThatCannotBeWrittenIsReportedAndNothingElseHappens) {
  const std::string readOnly = dir.Write("readonly.txt", "keep");
  ::chmod(readOnly.c_str(), 0444);
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    std::string report;
  };
  std::vector<Case> cases = {
      {dir.File("missing/list.txt"), "At ListWords error #2.\r\nDescription: No such file or directory"},
      {dir.Path(), "At ListWords error #21.\r\nDescription: Is a directory"},
      // Nothing is opened that could block or write to a device.
      {fifo, "At ListWords error #75.\r\nDescription: The output file " + fifo + " is a named pipe, not a file."},
      {"/dev/full", "At ListWords error #75.\r\nDescription: The output file /dev/full is a device, not a file."},
  };
  if (::geteuid() != 0) cases.push_back({readOnly, "At ListWords error #70.\r\nDescription: Permission denied"});
  for (const Case& c : cases) {
    t.platform.boxes.clear();
    ListWordsTest::SetOutput(c.path);
    CountWords(s, {{"word", 1}});
    ASSERT_EQ(t.platform.boxes.size(), 1u) << c.path;
    EXPECT_EQ(t.platform.boxes[0].text, c.report);
    EXPECT_EQ(t.platform.boxes[0].title, s.Text(34));
    EXPECT_EQ(s.main.txbOutput.Text(), "Now processing and writing to output file ...") << c.path;
    EXPECT_FALSE(s.run.blnOutputFileWritten);
    EXPECT_FALSE(s.run.blnWritingToFile);
  }
  EXPECT_EQ(test::ReadAll(readOnly), "keep");
  EXPECT_FALSE(FolderExists(dir.File("missing")));
}

TEST_F(ListWordsTest, AWriteThatFailsHalfWayKeepsTheEarlierFile) {
  // A file size limit makes the writes fail as a full disk would, once the
  // buffered lines reach the file.
  CountWords(s, ManyWords(50000));
  const std::string out = dir.Write("list.txt", "the earlier list\r\n");
  SetOutput(out);
  t.platform.boxes.clear();
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  ListWords(s);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_DFL);
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_EQ(t.platform.boxes[0].text, "At ListWords error #27.\r\nDescription: File too large");
  EXPECT_TRUE(test::ReadAll(out) == "the earlier list\r\n");
  EXPECT_FALSE(s.run.blnOutputFileWritten);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(ListWordsTest, TheListNeverReplacesTheInputFile) {
  const std::string input = dir.Write("in.txt", "the counted text\r\n");
  s.main.optInFile.Select();
  s.main.txbFile[0].SetText(input);
  std::filesystem::create_symlink(input, dir.File("link.txt"));
  for (const std::string& alias : {input, dir.Path() + "/./in.txt", dir.File("link.txt")}) {
    t.platform.boxes.clear();
    SetOutput(alias);
    CountWords(s, {{"word", 1}});
    ASSERT_EQ(t.platform.boxes.size(), 1u) << alias;
    EXPECT_EQ(t.platform.boxes[0].text, "Output file cannot be the same as the input file.");
    EXPECT_EQ(test::ReadAll(input), "the counted text\r\n") << alias;
    EXPECT_FALSE(s.run.blnOutputFileWritten);
  }
  // The overwrite warning's edited path is held to the same rule.
  s.params.chkWarnOnOverwrite.SetValue(1);
  SetOutput(dir.Write("old.txt", "earlier"));
  t.platform.inputAnswers.push_back(input);
  CountWords(s, {{"word", 1}});
  EXPECT_EQ(t.platform.LastBox().text, "Output file cannot be the same as the input file.");
  EXPECT_EQ(test::ReadAll(input), "the counted text\r\n");
}

TEST_F(ListWordsTest, AListUpToTheLimitShowsCompletelyALongerOneGetsTheFullReport) {
  // Words of 80 characters make lines of 99 with their line ends: 39,000 of
  // them stay under the listing's limit of 4,000,000 characters, 42,000 pass it.
  constexpr std::size_t kLimit = 4000000;
  constexpr std::size_t kLine = 99;
  struct Case {
    const char* name;
    int words;
    bool path;
    bool disabled;
    std::string message;  // the text-box-full report, or none
  };
  const Case cases[] = {
      {"fits", 39000, false, false, ""},
      {"full, no output file", 42000, false, false, s.Text(27) + "  " + s.Text(31)},
      {"full, output disabled", 42000, true, true, s.Text(27) + "  " + s.Text(32)},
      {"full, file written", 42000, true, false, s.Text(27) + "  \r\n" + s.Text(33)},
  };
  const std::string out = dir.File("all.txt");
  std::vector<std::pair<std::string, int>> words;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    t.platform.boxes.clear();
    std::filesystem::remove(out);
    s.main.txbFile[1].SetText(c.path ? out : "");
    s.main.chkDisableOutputToFile.SetValue(c.disabled ? 1 : 0);
    if (words.size() == static_cast<std::size_t>(c.words)) {
      ListWords(s);  // the same words, listed again
    } else {
      words = ManyWords(c.words);
      for (auto& word : words) word.first.resize(80, 'x');
      CountWords(s, words);
    }
    const std::string& text = s.main.txbOutput.Text();
    std::size_t lines = 0;
    for (char ch : text) lines += ch == '\n';
    EXPECT_EQ(s.main.txbOutput.Caret(), 0u);
    if (c.path && !c.disabled) {
      // The file holds the complete list.
      EXPECT_TRUE(test::ReadAll(out).ends_with("  " + words.back().first + "\r\n"));
    }
    if (c.message.empty()) {
      EXPECT_TRUE(t.platform.boxes.empty());
      EXPECT_EQ(lines, static_cast<std::size_t>(c.words) + 1) << "the heading and every word";
      EXPECT_TRUE(text.ends_with("  " + words.back().first + "\r\n"));
      continue;
    }
    ASSERT_EQ(t.platform.boxes.size(), 1u);
    EXPECT_EQ(t.platform.boxes[0].text, c.message);
    EXPECT_EQ(t.platform.boxes[0].title, s.Text(27));
    EXPECT_LE(s.main.txbOutput.Length(), kLimit);
    EXPECT_GT(s.main.txbOutput.Length(), kLimit - 20 * kLine) << "every block that fitted is kept";
    // Whole blocks of 20 lines after the heading.
    EXPECT_EQ((lines - 1) % 20, 0u);
  }
}

TEST_F(ListWordsTest, StopDuringEachPass) {
  const auto words = ManyWords(50);
  CountWords(s, words);

  // Stop after 30 listed entries of the text-box pass: 30 lines, then the note.
  int pumps = 0;
  t.platform.onProcessEvents = [&] {
    if (++pumps == 30) s.run.blnStop = true;
  };
  ListWords(s);
  const std::string& text = s.main.txbOutput.Text();
  EXPECT_NE(text.find("w00030"), std::string::npos);
  EXPECT_EQ(text.find("w00031"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 20), "\r\nListing stopped.\r\n");
  EXPECT_EQ(s.main.txbOutput.Caret(), s.main.txbOutput.Length());

  // A listing after a stopped one lists everything again.
  t.platform.onProcessEvents = nullptr;
  ListWords(s);
  EXPECT_NE(s.main.txbOutput.Text().find("w00050"), std::string::npos);
  EXPECT_EQ(s.main.txbOutput.Text().find("Listing stopped."), std::string::npos);

  // Stop during the file pass: a cut-off list never replaces the earlier
  // output file, and no temporary file is left beside it.
  const std::string out = dir.Write("partial.txt", "the earlier list\r\n");
  SetOutput(out);
  pumps = 0;
  t.platform.onProcessEvents = [&] {
    if (++pumps == 5) s.run.blnStop = true;
  };
  ListWords(s);
  EXPECT_EQ(s.main.txbOutput.Text(), "Output to file was terminated.\r\n");
  EXPECT_EQ(test::ReadAll(out), "the earlier list\r\n");
  EXPECT_FALSE(s.run.blnOutputFileWritten);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(ListWordsTest, AlphabeticalStopAndFormat9InTheTextBox) {
  s.main.cboWordOrder.SetListIndex(1);
  s.main.cboDisplayFormat.SetListIndex(9);
  CountWords(s, ManyWords(3));
  EXPECT_EQ(s.main.txbOutput.Text(), "w00001, w00002, w00003\r\n");

  CountWords(s, ManyWords(40));
  int pumps = 0;
  t.platform.onProcessEvents = [&] {
    if (++pumps == 25) s.run.blnStop = true;
  };
  ListWords(s);
  const std::string& text = s.main.txbOutput.Text();
  EXPECT_EQ(text.substr(0, 8), "w00001, ");
  EXPECT_NE(text.find("w00025, \r\nListing stopped.\r\n"), std::string::npos);
}

TEST(RunStatistics, FieldsArePaddedByCharactersWithAMultiByteGroupSeparator) {
  test::TestSession t;
  Session& s = t.session;
  t.platform.groupSeparator = "\u202F";  // French: narrow no-break space
  ListStatistics st;
  st.wordsListed = 7;
  st.wordsIgnored = 12345;
  st.occurrencesListed = 1234567;
  st.totalOccurrences = 1234567;
  ShowRunStatistics(s, st);
  EXPECT_EQ(s.main.lblNumberOfWords.Caption(), "Number of words in this list:" + std::string(9, ' ') + "7");
  EXPECT_EQ(s.main.lblNumWordsExcluded.Caption(), "Number of words ignored:    12\u202F345");
  EXPECT_EQ(s.main.lblTotalNumOccurrences.Caption(), "Total number of instances of words: 1\u202F234\u202F567");
}

TEST(RunStatistics, LabelsAndFieldWidths) {
  test::TestSession t;
  Session& s = t.session;
  RunState& r = s.run;
  ListStatistics st;
  st.wordsListed = 7;
  st.wordsIgnored = 12;
  st.occurrencesListed = 0;
  st.totalOccurrences = 999;
  r.blnInterrupted = false;
  r.blnElapsedTimeRunning = true;
  ShowRunStatistics(s, st);
  EXPECT_EQ(s.main.lblNumberOfWords.Caption(), "Number of words in this list:   7");
  EXPECT_EQ(s.main.lblNumWordsExcluded.Caption(), "Number of words ignored:  12");
  EXPECT_EQ(s.main.lblNumOccurrences.Caption(), "") << "no occurrences in the list";
  EXPECT_EQ(s.main.lblTotalNumOccurrences.Caption(), "Total number of instances of words: 999");
  EXPECT_EQ(s.main.lblTotalNumOccurrences.Alignment(), Align::Right);
  EXPECT_FALSE(r.blnElapsedTimeRunning);

  st.occurrencesListed = 1234567;
  st.totalOccurrences = 12234884;
  s.params.txbWordsToIgnore.SetText("the");
  s.run.strWordsToIgnore = " the ";
  ShowRunStatistics(s, st);
  EXPECT_EQ(s.main.lblNumOccurrences.Caption(), "Number of instances of words in this list:  1,234,567");
  EXPECT_EQ(s.main.lblTotalNumOccurrences.Caption(), "Total number of instances of words: 12,234,884");
  EXPECT_EQ(s.main.lblNumWordsExcluded.Caption(), "No. of words ignored (other than common words):" + std::string(9, ' ') + "12");

  r.blnInterrupted = true;
  ShowRunStatistics(s, st);
  EXPECT_EQ(s.main.lblNumOccurrences.Caption(), "");
  EXPECT_EQ(s.main.lblTotalNumOccurrences.Caption(), "");
  EXPECT_EQ(s.main.lblNumberOfWords.Caption(), "Number of words in this list:          7");
}

TEST(ListStatistics, CountsOfTheIncludedAndTheExcludedEntries) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> words;
    std::vector<std::string> excluded;
    std::int64_t total;
    ListStatistics expected;
  };
  const Case cases[] = {
      {"empty table", {}, {}, 0, {}},
      {"empty table, words found", {}, {}, 5, {0, 0, 0, 5, 0, 0}},
      {"all included", {{"apple", 3}, {"fig", 2}}, {}, 9, {2, 0, 5, 9, 3, 5}},
      {"excluded ones add nothing", {{"xiv", 7}, {"extraordinary", 1}, {"fig", 2}}, {"xiv", "extraordinary"}, 10,
       {1, 2, 2, 10, 2, 3}},
  };
  for (const Case& c : cases) {
    WordTable table;
    for (const auto& [word, count] : c.words)
      for (int k = 0; k < count; ++k) table.Add(word);
    table.OrderByWord();
    for (std::int32_t i = 1; i <= table.NumWords(); ++i)
      for (const std::string& x : c.excluded) table[i].blnIncluded = table[i].blnIncluded && table[i].strWord != x;
    const ListStatistics st = ComputeListStatistics(table, c.total);
    EXPECT_EQ(st.wordsListed, c.expected.wordsListed) << c.name;
    EXPECT_EQ(st.wordsIgnored, c.expected.wordsIgnored) << c.name;
    EXPECT_EQ(st.occurrencesListed, c.expected.occurrencesListed) << c.name;
    EXPECT_EQ(st.totalOccurrences, c.expected.totalOccurrences) << c.name;
    EXPECT_EQ(st.maxFrequency, c.expected.maxFrequency) << c.name;
    EXPECT_EQ(st.longestWord, c.expected.longestWord) << c.name;
  }
}

TEST(ReportNoWords, ExplainsWhyNothingIsListed) {
  struct Case {
    const char* name;
    bool anyWord;
    int shortIndex;
    int thresholdIndex;
    bool infrequent;
    std::string text;
  };
  const Case cases[] = {
      {"nothing counted", false, 1, 0, true, "No words satisfying the conditions were found."},
      {"all filtered, threshold unused", true, 1, 2, false, "No words with more than 2 letters\r\noccur at least once."},
      {"threshold 2", true, 0, 0, true, "No words with more than 1 letter\r\noccur at least twice."},
      {"threshold 4", true, 1, 2, true, "No words with more than 2 letters\r\noccur at least 4 times."},
      {"no short-word choice", true, -1, 7, true, "No words with more than 0 letter\r\noccur at least 9 times."},
  };
  for (const Case& c : cases) {
    test::TestSession t;
    Session& s = t.session;
    s.aWords.Reset();
    if (c.anyWord) s.aWords.Add("x");
    s.params.cboShortWordSize.SetListIndex(c.shortIndex);
    s.params.cboThresholdFrequency.SetListIndex(c.thresholdIndex);
    s.params.chkIgnoreInfrequentWords.SetValue(c.infrequent ? 1 : 0);
    ReportNoWords(s);
    EXPECT_EQ(s.main.txbOutput.Text(), c.text) << c.name;
  }
}

}  // namespace
}  // namespace kwl
