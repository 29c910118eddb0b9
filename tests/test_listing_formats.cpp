#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "count/limits.h"
#include "count_run.h"
#include "list_words.h"
#include "listing/formats.h"
#include "listing/listing_writer.h"
#include "listing/order.h"
#include "progress.h"
#include "support/test_files.h"
#include "text/cp1252.h"

namespace kwl {
namespace {

using test::CountWords;

std::int32_t IndexOf(const Session& s, const std::string& word) {
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
    if (s.aWords[i].strWord == word) return i;
  ADD_FAILURE() << word << " not in the table";
  return 0;
}

std::string Heading(int format, bool commas, const ColumnWidths& widths, int longest) {
  std::string out;
  AppendHeading(out, FormatSpecOf(format), commas, widths, longest);
  return out;
}

std::string Line(int format, bool commas, const ColumnWidths& widths, std::int32_t rank, std::int64_t count,
                 std::string_view word) {
  std::string out;
  AppendEntryLine(out, FormatSpecOf(format), commas, widths, rank, count, word);
  return out;
}

// "beta" has rank 1 and count 3; the longest word has 5 characters, so every
// width is the minimum 6. Pieces are written apart to show each layout.
TEST(ListingFormats, EveryFormatInBothLayoutsWithItsHeading) {
  struct Case {
    int format;
    bool commas;
    std::string heading;
    std::string line;
  };
  const std::string note = " (longest has 5 characters)";
  const Case cases[] = {
      {0, false, " " "  Rank" "  " "  Freq" "  " "Word" + note, " " "     1" "  " "     3" "  " "beta"},
      {1, false, " " "  Rank" "  " "Word  " "  " "  Freq", " " "     1" "  " "beta  " "  " "     3"},
      {2, false, " " "  Rank" "  " "  Freq", " " "     1" "  " "     3"},
      {3, false, " " "  Rank" "  " "Word" + note, " " "     1" "  " "beta"},
      {4, false, " " "  Freq" "  " "  Rank", " " "     3" "  " "     1"},
      {5, false, "  " "  Freq" "  " "Word" + note, "  " "     3" "  " "beta"},
      {6, false, "  " "Word  " " " "  Rank", "  " "beta  " " " "     1"},
      {7, false, "  " "Word  " " " "  Freq", "  " "beta  " " " "     3"},
      {8, false, "Word" + note, "beta"},
      {9, false, "Word", "beta"},
      {0, true, "  " "  Rank" ",  " "  Freq" ",  " "Word" + note, "  " "     1" ",  " "     3" ",  " "beta"},
      {1, true, "  " "  Rank" ",  " "Word, " "  Freq", "  " "     1" ",  " "beta, " "     3"},
      {2, true, "  " "  Rank" ",  " "  Freq", "  " "     1" ",  " "     3"},
      {3, true, "  " "  Rank" ",  " "Word" + note, "  " "     1" ",  " "beta"},
      {4, true, "  " "  Freq" ",  " "  Rank", "  " "     3" ",  " "     1"},
      {5, true, "  " "  Freq" ",  " "Word" + note, "  " "     3" ",  " "beta"},
      {6, true, "  " "Word, " "  Rank", "  " "beta, " "     1"},
      {7, true, "  " "Word, " "  Freq", "  " "beta, " "     3"},
      {8, true, "Word" + note, "beta"},
      {9, true, "Word", "beta"},
      // No choice, or a number out of range, is format 0.
      {-1, false, " " "  Rank" "  " "  Freq" "  " "Word" + note, " " "     1" "  " "     3" "  " "beta"},
      {10, false, " " "  Rank" "  " "  Freq" "  " "Word" + note, " " "     1" "  " "     3" "  " "beta"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Heading(c.format, c.commas, {}, 5), c.heading) << "format " << c.format << (c.commas ? " commas" : " spaces");
    EXPECT_EQ(Line(c.format, c.commas, {}, 1, 3, "beta"), c.line) << "format " << c.format << (c.commas ? " commas" : " spaces");
  }
}

TEST(ListingFormats, ColumnsFollowTheirWidthsAndLongValuesStayWhole) {
  struct Case {
    int format;
    bool commas;
    ColumnWidths widths;
    std::int32_t rank;
    std::int64_t count;
    std::string word;
    std::string line;
  };
  const Case cases[] = {
      {1, false, {7, 6, 12}, 1, 3, "beta", " " "      1" "  " "beta        " "  " "     3"},
      {6, false, {6, 6, 6}, 1, 3, "extraordinary", "  " "extraordinary" " " "     1"},
      {2, false, {6, 11, 6}, 1, 12345678901, "beta", " " "     1" "  " "12345678901"},
      {4, false, {6, 6, 6}, 1234567, 12345678901, "beta", " " "12345678901" "  " "1234567"},
      // A word keeps no blanks around it, wherever its column stands.
      {0, false, {6, 6, 6}, 1, 3, " beta ", " " "     1" "  " "     3" "  " "beta"},
      {7, false, {6, 6, 6}, 1, 3, " beta ", "  " "beta  " " " "     3"},
      {7, true, {6, 6, 6}, 1, 3, " beta ", "  " "beta, " "     3"},
      {8, false, {6, 6, 6}, 1, 3, "  ", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Line(c.format, c.commas, c.widths, c.rank, c.count, c.word), c.line) << c.format << " " << c.word;
  EXPECT_EQ(Heading(4, false, {7, 11, 6}, 0), " " "       Freq" "  " "   Rank");
}

TEST(ListingFormats, WidthsFollowTheWordCountTheHighestCountAndTheLongestWord) {
  struct Case {
    std::int32_t words;
    std::int64_t maxFrequency;
    int longest;
    int minWidth;
    int rank, frequency, word;
  };
  const Case cases[] = {
      {0, 0, 0, 6, 6, 6, 6},
      {3, 3, 5, 6, 6, 6, 6},
      {3, 3, 12, 6, 6, 6, 12},
      {1234567, 3, 5, 6, 7, 6, 6},
      {3, 12345678901, 5, 6, 6, 11, 6},
      {123, 45, 6, 0, 3, 2, 6},
  };
  for (const Case& c : cases) {
    ListingLayout layout;
    layout.wordsListed = c.words;
    layout.maxFrequency = c.maxFrequency;
    layout.longestWord = c.longest;
    layout.minWidth = c.minWidth;
    const ColumnWidths w = ColumnWidthsFor(layout);
    EXPECT_EQ(w.rank, c.rank) << c.words;
    EXPECT_EQ(w.frequency, c.frequency) << c.maxFrequency;
    EXPECT_EQ(w.word, c.word) << c.longest;
  }
}

// A sink that keeps everything, marking entries and steps so that a test sees
// where each call fell; it stops when asked to.
struct Recorder : ListingSink {
  std::string text;
  std::vector<std::int32_t> entries;
  int steps = 0;
  int stopAtEntry = -1;  // Entry returns false for this listed number
  int stopAtStep = -1;   // Continue returns false at this step
  void Line(std::string_view t) override { text += t; }
  bool Entry(std::string_view t, std::int32_t entry, std::int32_t listed) override {
    text += t;
    entries.push_back(entry);
    EXPECT_EQ(listed, static_cast<std::int32_t>(entries.size()));
    return listed != stopAtEntry;
  }
  bool Continue() override { return ++steps != stopAtStep; }
};

// A finished table: key order, the given entries excluded, ranked.
struct Counted {
  explicit Counted(const std::vector<std::pair<std::string, int>>& words, const std::vector<std::string>& excluded = {}) {
    table.Reset();
    for (const auto& [word, count] : words)
      for (int k = 0; k < count; ++k) table.Add(word);
    table.OrderByWord();
    SortWordTable(table, 1, table.NumWords(), 1);
    for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
      WordEntry& e = table[i];
      for (const std::string& x : excluded) e.blnIncluded = e.blnIncluded && e.strWord != x;
      if (!e.blnIncluded) continue;
      ++layout.wordsListed;
      layout.maxFrequency = std::max(layout.maxFrequency, e.count);
      layout.longestWord = std::max(layout.longestWord, static_cast<int>(e.strWord.size()));
    }
    order = RankByFrequency(table);
  }
  std::string Write(bool byKey, Recorder& sink) const {
    ListingWriter writer(table, layout);
    if (byKey) {
      writer.WriteInKeyOrder(sink);
    } else {
      writer.WriteInFrequencyOrder(order, sink);
    }
    return sink.text;
  }
  std::string Write(bool byKey) const {
    Recorder sink;
    return Write(byKey, sink);
  }
  WordTable table;
  ListingLayout layout;
  std::vector<std::int32_t> order;
};

const std::string kSpacesNote =
    "\"To open this file in Excel state that it is delimited by spaces.\r\n"
    "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
    "\r\n";

TEST(ListingWriter, WholeListingsFromTheEmptyTableOn) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> words;
    int format;
    bool byKey;
    bool commas;
    bool notes;
    bool separatorAfterLast;
    std::string text;
  };
  const std::vector<std::pair<std::string, int>> fruit = {{"pear", 1}, {"apple", 3}, {"fig", 2}};
  const Case cases[] = {
      {"empty, format 0", {}, 0, false, false, false, false, "   Rank    Freq  Word (longest has 0 characters)\r\n"},
      {"empty, format 9", {}, 9, true, false, false, true, ""},
      {"empty, file notes", {}, 2, true, false, true, false, kSpacesNote + "   Rank    Freq\r\n"},
      {"by frequency", fruit, 0, false, false, false, false,
       "   Rank    Freq  Word (longest has 5 characters)\r\n"
       "      1       3  apple\r\n"
       "      2       2  fig\r\n"
       "      3       1  pear\r\n"},
      // Alphabetical: the rank column keeps the frequency ranks.
      {"by key", {{"pear", 5}, {"apple", 3}, {"fig", 4}}, 3, true, false, false, false,
       "   Rank  Word (longest has 5 characters)\r\n"
       "      3  apple\r\n"
       "      2  fig\r\n"
       "      1  pear\r\n"},
      {"commas with notes", fruit, 1, false, true, true, false,
       "\"To open this file in Excel state that it is delimited by commas.\r\n"
       "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
       "\r\n"
       "    Rank,  Word,   Freq\r\n"
       "       1,  apple,      3\r\n"
       "       2,  fig,      2\r\n"
       "       3,  pear,      1\r\n"},
      // Format 9: no heading; the file has no separator after the last word,
      // the text box one after every word.
      {"one line, file", fruit, 9, true, true, true, false, "\"To open this file in Excel state that it is delimited by commas.\r\n"
       "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n\r\napple, fig, pear"},
      {"one line, text box", fruit, 9, false, false, false, true, "apple, fig, pear, "},
      {"format 1 pads to the longest", {{"a", 2}, {"extraordinary", 1}}, 1, false, false, false, false,
       "   Rank  Word             Freq\r\n"
       "      1  a                   2\r\n"
       "      2  extraordinary       1\r\n"},
  };
  // Every format over the empty table: the heading alone, none in format 9.
  for (int format = 0; format <= 9; ++format) {
    for (const bool commas : {false, true}) {
      Counted empty({});
      empty.layout.format = format;
      empty.layout.commas = commas;
      const std::string heading = format == 9 ? "" : Heading(format, commas, {}, 0) + "\r\n";
      EXPECT_EQ(empty.Write(true), heading) << format << commas;
      EXPECT_EQ(empty.Write(false), heading) << format << commas;
    }
  }
  for (const Case& c : cases) {
    Counted counted(c.words);
    counted.layout.format = c.format;
    counted.layout.commas = c.commas;
    counted.layout.spreadsheetNotes = c.notes;
    counted.layout.separatorAfterLastWord = c.separatorAfterLast;
    EXPECT_EQ(counted.Write(c.byKey), c.text) << c.name;
  }
}

TEST(ListingWriter, EqualCountsInKeyOrderAndExcludedEntriesNeitherListedNorRanked) {
  Counted counted({{"pear", 2}, {"apple", 5}, {"fig", 2}, {"Banana", 5}, {"xiv", 9}, {"date", 2}}, {"xiv"});
  counted.layout.format = 0;
  const std::string byFrequency =
      "   Rank    Freq  Word (longest has 6 characters)\r\n"
      "      1       5  apple\r\n"
      "      2       5  Banana\r\n"
      "      3       2  date\r\n"
      "      4       2  fig\r\n"
      "      5       2  pear\r\n";
  EXPECT_EQ(counted.Write(false), byFrequency);
  Recorder key;
  EXPECT_EQ(counted.Write(true, key),
            "   Rank    Freq  Word (longest has 6 characters)\r\n"
            "      1       5  apple\r\n"
            "      2       5  Banana\r\n"
            "      3       2  date\r\n"
            "      4       2  fig\r\n"
            "      5       2  pear\r\n");
  EXPECT_EQ(key.steps, 6) << "the excluded entry is a step of the key walk too";
}

TEST(ListingWriter, ASinkEndsTheListing) {
  Counted counted({{"a1", 1}, {"b2", 1}, {"c3", 1}, {"d4", 1}});
  counted.layout.format = 8;
  struct Case {
    bool byKey;
    int stopAtEntry;
    int stopAtStep;
    std::vector<std::int32_t> entries;
    int steps;
  };
  const Case cases[] = {
      {true, -1, -1, {1, 2, 3, 4}, 4},
      {false, -1, -1, {1, 2, 3, 4}, 4},
      {true, 2, -1, {1, 2}, 1},   // a full box or a failed write: no step after it
      {false, 3, -1, {1, 2, 3}, 2},
      {true, -1, 2, {1, 2}, 2},   // a stop request after the second step
      {false, -1, 1, {1}, 1},
  };
  for (const Case& c : cases) {
    Recorder sink;
    sink.stopAtEntry = c.stopAtEntry;
    sink.stopAtStep = c.stopAtStep;
    counted.Write(c.byKey, sink);
    EXPECT_EQ(sink.entries, c.entries) << c.byKey << c.stopAtEntry << c.stopAtStep;
    EXPECT_EQ(sink.steps, c.steps) << c.byKey << c.stopAtEntry << c.stopAtStep;
  }
  // An order naming an entry the table does not hold ends the listing there.
  Recorder sink;
  const std::vector<std::int32_t> stale = {2, 9, 1};
  ListingWriter(counted.table, counted.layout).WriteInFrequencyOrder(stale, sink);
  EXPECT_EQ(sink.entries, std::vector<std::int32_t>{2});
}

// Delivery to the text box: the heading first, then the lines; the activity
// indicator shows the entry of the line listed last.
TEST(TextBoxListing, HeadingThenLinesAndTheIndicatorOfTheLastLine) {
  test::TestSession t;
  Session& s = t.session;
  s.main.cboWordOrder.SetListIndex(1);
  s.main.cboDisplayFormat.SetListIndex(8);
  CountWords(s, {{"beta", 3}, {"gamma", 2}, {"alpha", 1}});
  ListWords(s);
  EXPECT_EQ(s.main.txbOutput.Text(), "Word (longest has 5 characters)\r\nalpha\r\nbeta\r\ngamma\r\n");
  EXPECT_EQ(s.main.lblTwirler.Caption(), TwirlerText(3));

  s.main.cboDisplayFormat.SetListIndex(9);
  ListWords(s);
  EXPECT_EQ(s.main.txbOutput.Text(), "alpha, beta, gamma\r\n") << "format 9 has no heading";
}

TEST(TextBoxListing, WordsAreShownAsUtf8AndPaddedByCharacters) {
  test::TestSession t;
  Session& s = t.session;
  s.main.cboDisplayFormat.SetListIndex(1);
  CountWords(s, {{"née", 2}, {"x", 1}});
  EXPECT_NE(s.main.txbOutput.Text().find(" " "     1" "  " "née   " "  " "     2" "\r\n"), std::string::npos);
}

// Whole listings in the text box, as a count leaves them.
TEST(TextBoxListing, ByFrequencyAndAlphabetically) {
  test::TestSession t;
  Session& s = t.session;
  s.main.cboDisplayFormat.SetListIndex(0);
  CountWords(s, {{"pear", 1}, {"apple", 3}, {"fig", 2}});
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank    Freq  Word (longest has 5 characters)\r\n"
            "      1       3  apple\r\n"
            "      2       2  fig\r\n"
            "      3       1  pear\r\n");
  EXPECT_EQ(s.main.txbOutput.Caret(), 0u);

  // Alphabetical: the rank column keeps the frequency ranks.
  s.main.cboWordOrder.SetListIndex(1);
  s.main.cboDisplayFormat.SetListIndex(3);
  CountWords(s, {{"pear", 1}, {"apple", 3}, {"fig", 2}});
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank  Word (longest has 5 characters)\r\n"
            "      1  apple\r\n"
            "      2  fig\r\n"
            "      3  pear\r\n");
  CountWords(s, {{"pear", 5}, {"apple", 3}, {"fig", 4}});
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank  Word (longest has 5 characters)\r\n"
            "      3  apple\r\n"
            "      2  fig\r\n"
            "      1  pear\r\n");

  // Format 9: one line, the last separator removed, ended by CR LF.
  s.main.cboDisplayFormat.SetListIndex(9);
  CountWords(s, {{"gamma", 1}, {"alpha", 1}, {"beta", 1}});
  EXPECT_EQ(s.main.txbOutput.Text(), "alpha, beta, gamma\r\n");

  // Format 1 aligns the frequency column by padding the words.
  s.main.cboWordOrder.SetListIndex(0);
  s.main.cboDisplayFormat.SetListIndex(1);
  CountWords(s, {{"a", 2}, {"extraordinary", 1}});
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank  Word             Freq\r\n"
            "      1  a                   2\r\n"
            "      2  extraordinary       1\r\n");
}

TEST(TextBoxListing, ExcludedEntriesAreNeitherListedNorRanked) {
  test::TestSession t;
  Session& s = t.session;
  s.params.chkIgnoreRomNum40.SetValue(1);
  s.params.chkIgnoreInfrequentWords.SetValue(1);
  s.params.cboThresholdFrequency.SetListIndex(0);  // at least twice
  s.main.cboDisplayFormat.SetListIndex(0);
  CountWords(s, {{"xiv", 4}, {"word", 3}, {"rare", 1}, {"I", 2}});
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank    Freq  Word (longest has 4 characters)\r\n"
            "      1       3  word\r\n"
            "      2       2  I\r\n");
  EXPECT_EQ(s.aWords[IndexOf(s, "xiv")].lngFreqRank, 0);
  EXPECT_EQ(s.aWords[IndexOf(s, "rare")].lngFreqRank, 0);
  EXPECT_EQ(s.run.lngNumWordsExcluded, 2);
  EXPECT_EQ(s.run.lngNumOccurrences, 5);
  EXPECT_EQ(s.run.lngMaxFrequency, 3) << "the excluded xiv does not set the highest count";
}

TEST(TextBoxListing, CountedThroughTheScanner) {
  test::TestSession t;
  Session& s = t.session;
  s.aWords.Reset();
  s.run.lngTotalNumOccurrences = 0;
  s.main.chkSuppressWords.SetValue(1);
  s.scanner.SetAllowedExtraChars("-", kProhibitedInitialOrFinalChars);
  for (std::string line : {" the cat and the hat", " the end"}) ScanOneLine(s, line);
  s.run.intThresholdFrequency = 2;
  s.main.cboDisplayFormat.SetListIndex(7);
  FinishCount(s);
  // Short words (fewer than 3 letters) are ignored by default.
  EXPECT_EQ(s.main.txbOutput.Text(),
            "  " "Word  " " " "  Freq" "\r\n"
            "  " "the   " " " "     3" "\r\n"
            "  " "and   " " " "     1" "\r\n"
            "  " "cat   " " " "     1" "\r\n"
            "  " "end   " " " "     1" "\r\n"
            "  " "hat   " " " "     1" "\r\n");
  EXPECT_EQ(s.run.lngTotalNumOccurrences, 7);
}

}  // namespace
}  // namespace kwl
