// The files column (in how many files each word occurs) in every layout, the
// listings that show it, and the statistics lines of a count of several files.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "count_run.h"
#include "list_words.h"
#include "listing/count_listing.h"
#include "listing/formats.h"
#include "listing/listing_writer.h"
#include "listing/order.h"
#include "listing/report_text.h"
#include "listing/statistics.h"
#include "listing/string_sink.h"
#include "settings_window.h"
#include "statistics.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// Every width at its minimum 6, the files column included.
const ColumnWidths kWithFiles{6, 6, 6, 6};

// "beta" has rank 1 and count 3 and occurs in 2 files; the longest word has
// 5 characters. Pieces are written apart to show each layout.
TEST(FilesColumn, EveryFormatInBothLayoutsWithItsHeading) {
  struct Case {
    int format;
    bool commas;
    std::string heading;
    std::string line;
  };
  const std::string note = " (longest has 5 characters)";
  const Case cases[] = {
      {0, false, " " "  Rank" "  " "  Freq" "  " "Word  " "  " " Files" + note,
       " " "     1" "  " "     3" "  " "beta  " "  " "     2"},
      {1, false, " " "  Rank" "  " "Word  " "  " "  Freq" "  " " Files", " " "     1" "  " "beta  " "  " "     3" "  " "     2"},
      {2, false, " " "  Rank" "  " "  Freq" "  " " Files", " " "     1" "  " "     3" "  " "     2"},
      {3, false, " " "  Rank" "  " "Word  " "  " " Files" + note, " " "     1" "  " "beta  " "  " "     2"},
      {4, false, " " "  Freq" "  " "  Rank" "  " " Files", " " "     3" "  " "     1" "  " "     2"},
      {5, false, "  " "  Freq" "  " "Word  " "  " " Files" + note, "  " "     3" "  " "beta  " "  " "     2"},
      {6, false, "  " "Word  " " " "  Rank" "  " " Files", "  " "beta  " " " "     1" "  " "     2"},
      {7, false, "  " "Word  " " " "  Freq" "  " " Files", "  " "beta  " " " "     3" "  " "     2"},
      {8, false, "Word  " "  " " Files" + note, "beta  " "  " "     2"},
      {9, false, "", "beta (2)"},
      {0, true, "  " "  Rank" ",  " "  Freq" ",  " "Word, " " Files" + note,
       "  " "     1" ",  " "     3" ",  " "beta, " "     2"},
      {1, true, "  " "  Rank" ",  " "Word, " "  Freq" ",  " " Files", "  " "     1" ",  " "beta, " "     3" ",  " "     2"},
      {2, true, "  " "  Rank" ",  " "  Freq" ",  " " Files", "  " "     1" ",  " "     3" ",  " "     2"},
      {3, true, "  " "  Rank" ",  " "Word, " " Files" + note, "  " "     1" ",  " "beta, " "     2"},
      {4, true, "  " "  Freq" ",  " "  Rank" ",  " " Files", "  " "     3" ",  " "     1" ",  " "     2"},
      {5, true, "  " "  Freq" ",  " "Word, " " Files" + note, "  " "     3" ",  " "beta, " "     2"},
      {6, true, "  " "Word, " "  Rank" ",  " " Files", "  " "beta, " "     1" ",  " "     2"},
      {7, true, "  " "Word, " "  Freq" ",  " " Files", "  " "beta, " "     3" ",  " "     2"},
      {8, true, "Word, " " Files" + note, "beta, " "     2"},
      {9, true, "", "beta (2)"},
  };
  for (const Case& c : cases) {
    const std::string name = "format " + std::to_string(c.format) + (c.commas ? " commas" : " spaces");
    std::string heading;
    AppendHeading(heading, FormatSpecOf(c.format), c.commas, kWithFiles, 5);
    if (c.format != 9) {
      EXPECT_EQ(heading, c.heading) << name;
    }
    std::string line;
    AppendEntryLine(line, FormatSpecOf(c.format), c.commas, kWithFiles, 1, 3, " beta ", 2);
    EXPECT_EQ(line, c.line) << name;
    // Without the column the line is the format's own, whatever files says.
    std::string without;
    std::string plain;
    AppendEntryLine(without, FormatSpecOf(c.format), c.commas, {}, 1, 3, "beta", 2);
    AppendEntryLine(plain, FormatSpecOf(c.format), c.commas, {}, 1, 3, "beta");
    EXPECT_EQ(without, plain) << name;
  }
}

TEST(FilesColumn, WidthFollowsTheMostFilesWithTheSameMinimum) {
  struct Case {
    bool filesColumn;
    std::int32_t maxFiles;
    int minWidth;
    int width;
  };
  const Case cases[] = {
      {false, 1234567, 6, 0}, {true, 0, 6, 6}, {true, 3, 6, 6}, {true, 999999, 6, 6},
      {true, 1234567, 6, 7},  {true, 45, 0, 2},
  };
  for (const Case& c : cases) {
    ListingLayout layout;
    layout.filesColumn = c.filesColumn;
    layout.maxFiles = c.maxFiles;
    layout.minWidth = c.minWidth;
    EXPECT_EQ(ColumnWidthsFor(layout).files, c.width) << c.maxFiles;
  }
  std::string line;
  AppendEntryLine(line, FormatSpecOf(2), false, {6, 6, 6, 7}, 1, 3, "beta", 1234567);
  EXPECT_EQ(line, " " "     1" "  " "     3" "  " "1234567");
  line.clear();
  AppendHeading(line, FormatSpecOf(2), true, {6, 6, 6, 7}, 0);
  EXPECT_EQ(line, "  " "  Rank" ",  " "  Freq" ",  " "  Files");
}

// A table counted over files, each inner list one file's words, in key
// order; untracked, the same words counted as one text.
WordTable CountedOverFiles(const std::vector<std::vector<std::string>>& files, bool tracked = true) {
  WordTable table;
  table.Reset();
  if (tracked) table.TrackFiles();
  for (std::size_t f = 0; f < files.size(); ++f) {
    if (f > 0 && tracked) table.StartFile();
    for (const std::string& word : files[f]) table.Add(word);
  }
  table.OrderByWord();
  SortWordTable(table, 1, table.NumWords(), 1);
  return table;
}

ListingLayout LayoutOf(const WordTable& table, int format) {
  const ListStatistics st = ComputeListStatistics(table, 0);
  ListingLayout layout;
  layout.format = format;
  layout.filesColumn = true;
  layout.wordsListed = st.wordsListed;
  layout.maxFrequency = st.maxFrequency;
  layout.longestWord = st.longestWord;
  layout.maxFiles = st.maxFiles;
  return layout;
}

TEST(FilesColumn, WholeListingsOfATableCountedOverFiles) {
  WordTable table = CountedOverFiles({{"apple", "apple", "fig"}, {"apple", "pear"}, {"apple"}});
  const std::vector<std::int32_t> order = RankByFrequency(table);
  struct Case {
    int format;
    bool byKey;
    bool separatorAfterLast;
    std::string text;
  };
  const Case cases[] = {
      {0, false, false,
       "   Rank    Freq  Word     Files (longest has 5 characters)\r\n"
       "      1       4  apple        3\r\n"
       "      2       1  fig          1\r\n"
       "      3       1  pear         1\r\n"},
      {7, true, false,
       "  Word     Freq   Files\r\n"
       "  apple       4       3\r\n"
       "  fig         1       1\r\n"
       "  pear        1       1\r\n"},
      {9, false, false, "apple (3), fig (1), pear (1)"},
      {9, true, true, "apple (3), fig (1), pear (1), "},
  };
  for (const Case& c : cases) {
    ListingLayout layout = LayoutOf(table, c.format);
    layout.separatorAfterLastWord = c.separatorAfterLast;
    ListingWriter writer(table, layout);
    StringSink sink;
    if (c.byKey) {
      writer.WriteInKeyOrder(sink);
    } else {
      writer.WriteInFrequencyOrder(order, sink);
    }
    EXPECT_EQ(sink.Text(), c.text) << c.format;
  }

  // A table merged from others with a word in more than a million files.
  WordTable merged;
  merged.TrackFiles();
  merged.AddCounted("common", 5000000, 1234567);
  merged.AddCounted("rare", 2, 1);
  merged.OrderByWord();
  SortWordTable(merged, 1, merged.NumWords(), 1);
  const std::vector<std::int32_t> mergedOrder = RankByFrequency(merged);
  StringSink sink;
  ListingWriter(merged, LayoutOf(merged, 2)).WriteInFrequencyOrder(mergedOrder, sink);
  EXPECT_EQ(sink.Text(),
            "   Rank     Freq    Files\r\n"
            "      1  5000000  1234567\r\n"
            "      2        2        1\r\n");
}

// The output file's listing shows the column when the settings ask for it
// and the table kept the files.
TEST(FilesColumn, CountListingTakesTheSettingAndNeedsTrackedFiles) {
  const std::string notes =
      "\"To open this file in Excel state that it is delimited by commas.\r\n"
      "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
      "\r\n";
  const std::string plain =
      notes + "    Rank,    Freq,  Word (longest has 5 characters)\r\n"
              "       1,       2,  apple\r\n";
  struct Case {
    int show;
    bool tracked;
    std::string text;
  };
  const Case cases[] = {
      {1, true,
       notes + "    Rank,    Freq,  Word,  Files (longest has 5 characters)\r\n"
               "       1,       2,  apple,      2\r\n"},
      {0, true, plain},
      {1, false, plain},
  };
  for (const Case& c : cases) {
    WordTable table = CountedOverFiles({{"apple"}, {"apple"}}, c.tracked);
    Settings settings;
    settings.showFilesColumn = c.show;
    settings.outputWithCommas = 1;
    const ListStatistics st = ComputeListStatistics(table, 2);
    CountListing listing(table, settings, st);
    StringSink sink;
    listing.Write(sink);
    EXPECT_EQ(sink.Text(), c.text) << c.show << c.tracked;
  }
}

TEST(FilesColumn, StatisticsLinesOfSeveralFiles) {
  struct Case {
    std::int32_t counted;
    std::int32_t skipped;
    std::string countedLine;
    std::string skippedLine;
  };
  const Case cases[] = {
      {0, 0, "", ""},  // the clipboard, or one file as counted before
      {1, 0, "", ""},
      {3, 0, "Files counted:     3", ""},
      {3, 1, "Files counted:     3", "Files skipped:     1"},
      {1, 1, "Files counted:     1", "Files skipped:     1"},  // two files given, one refused
      {0, 2, "Files counted:     0", "Files skipped:     2"},
      {12345, 0, "Files counted: 12,345", ""},  // wider than the total's field: whole
      {2000000000, 2000000000, "Files counted: 2,000,000,000", "Files skipped: 2,000,000,000"},
  };
  for (const Case& c : cases) {
    ListStatistics st;
    st.wordsListed = 5;
    st.occurrencesListed = 9;
    st.totalOccurrences = 1234;
    st.filesCounted = c.counted;
    st.filesSkipped = c.skipped;
    const auto lines = StatisticsLines(st, false, false);
    EXPECT_EQ(lines[0], "Number of words in this list:     5");
    EXPECT_EQ(lines[3], "Total number of instances of words: 1,234");
    EXPECT_EQ(lines[4], c.countedLine) << c.counted << " " << c.skipped;
    EXPECT_EQ(lines[5], c.skippedLine) << c.counted << " " << c.skipped;
    // An interrupted count still says how many files it was given.
    EXPECT_EQ(StatisticsLines(st, false, true)[4], c.countedLine);
  }
}

// The window: the statistics labels, and the text box's listing following
// the settings window's check box.
struct FilesInTheWindow : ::testing::Test {
  test::TestSession t;
  Session& s = t.session;

  // A count as the window finishes it, over files each with its words.
  void CountFiles(const std::vector<std::vector<std::string>>& files) {
    s.aWords = CountedOverFiles(files);
    s.run.lngTotalNumOccurrences = s.aWords.NumWords();  // not shown by these tests
    s.run.intThresholdFrequency = s.params.ThresholdFrequency();
    FinishCount(s);
  }
};

TEST_F(FilesInTheWindow, StatisticsLabelsShowTheFilesOfACountOfSeveral) {
  ListStatistics st;
  st.wordsListed = 2;
  st.totalOccurrences = 7;
  ShowRunStatistics(s, st);
  EXPECT_EQ(s.main.lblFilesCounted.Caption(), "");
  EXPECT_EQ(s.main.lblFilesSkipped.Caption(), "");
  st.filesCounted = 3;
  st.filesSkipped = 1;
  ShowRunStatistics(s, st);
  EXPECT_EQ(s.main.lblNumberOfWords.Caption(), "Number of words in this list: 2");
  EXPECT_EQ(s.main.lblFilesCounted.Caption(), "Files counted: 3");
  EXPECT_EQ(s.main.lblFilesSkipped.Caption(), "Files skipped: 1");
  EXPECT_TRUE(s.main.lblFilesCounted.Visible());
}

TEST_F(FilesInTheWindow, TheCheckBoxListsAgainWhenTheCountKeptTheFiles) {
  Params& p = s.params;
  EXPECT_EQ(p.chkShowFiles.Value(), 0) << "off by default";
  EXPECT_EQ(p.chkShowFiles.Caption(), "Show in how many files each word occurs");
  ConnectSettingsWindow(s);
  s.main.cboDisplayFormat.SetListIndex(7);
  const std::string plain =
      "  Word     Freq\r\n"
      "  apple       3\r\n"
      "  pear        1\r\n";
  const std::string withFiles =
      "  Word     Freq   Files\r\n"
      "  apple       3       2\r\n"
      "  pear        1       1\r\n";
  CountFiles({{"apple", "apple"}, {"apple", "pear"}});
  EXPECT_EQ(s.main.txbOutput.Text(), plain) << "the box is off";
  p.chkShowFiles.SetValue(1);
  EXPECT_EQ(s.main.txbOutput.Text(), withFiles) << "listed again, not counted again";
  p.chkShowFiles.SetValue(0);
  EXPECT_EQ(s.main.txbOutput.Text(), plain);

  // Format 9 in the text box: the files in parentheses.
  p.chkShowFiles.SetValue(1);
  s.main.cboDisplayFormat.SetListIndex(9);
  ListWords(s);
  EXPECT_EQ(s.main.txbOutput.Text(), "apple (2), pear (1)\r\n");
  s.main.cboDisplayFormat.SetListIndex(7);
  ListWords(s);

  // A count that did not keep the files has no column to show.
  p.chkShowFiles.SetValue(0);
  test::CountWords(s, {{"apple", 3}, {"pear", 1}});
  s.main.txbOutput.SetText("left alone");
  p.chkShowFiles.SetValue(1);
  EXPECT_EQ(s.main.txbOutput.Text(), "left alone") << "nothing to list again";
  ListWords(s);
  EXPECT_EQ(s.main.txbOutput.Text(), plain);

  // Set and clear leave it; Restore defaults turns it off, as the commas.
  s.run.blnWordsGot = false;  // no question about the word rules
  p.cmdSetOrClearCheckboxes[0].Click();
  EXPECT_EQ(p.chkShowFiles.Value(), 1);
  p.chkOutputWithCommas.SetValue(1);
  p.cmdRestoreDefaults.Click();
  EXPECT_EQ(p.chkShowFiles.Value(), 0);
  EXPECT_EQ(p.chkOutputWithCommas.Value(), 0);
}

}  // namespace
}  // namespace kwl
