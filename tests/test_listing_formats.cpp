#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "formats.h"
#include "count_run.h"
#include "progress.h"
#include "text/cp1252.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::CountWords;


std::int32_t IndexOf(const Session& s, const std::string& word) {
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
    if (s.aWords[i].strWord == word) return i;
  ADD_FAILURE() << word << " not in the table";
  return 0;
}

class Formats : public ::testing::Test {
 protected:
  void SetUp() override {
    CountWords(s, {{"beta", 3}, {"gamma", 2}, {"alpha", 1}});
    beta = IndexOf(s, "beta");
  }
  void Layout(int format, bool commas) {
    s.main.cboDisplayFormat.SetListIndex(format);
    s.params.chkOutputWithCommas.SetValue(commas ? 1 : 0);
    s.run.blnWritingToFile = commas;
  }
  test::TestSession t;
  Session& s = t.session;
  std::int32_t beta = 0;
};

// "beta" has rank 1 and count 3; the longest word has 5 characters, so every
// width is the minimum 6. Pieces are written apart to show each layout.
TEST_F(Formats, EveryFormatInBothLayoutsWithItsHeading) {
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
  };
  for (const Case& c : cases) {
    Layout(c.format, c.commas);
    EXPECT_EQ(FormatLine(s, 0), c.heading) << "format " << c.format << (c.commas ? " commas" : " spaces");
    EXPECT_EQ(FormatLine(s, beta), c.line) << "format " << c.format << (c.commas ? " commas" : " spaces");
  }
}

TEST_F(Formats, ColumnTextsArePaddedToTheirWidths) {
  Layout(0, false);
  EXPECT_EQ(FormatRank(s, beta), "     1");
  EXPECT_EQ(FormatFrequency(s, beta), "     3");
  EXPECT_EQ(FormatWord(s, beta), "beta  ");
  EXPECT_EQ(FormatRank(s, 0), "  Rank");
  Layout(7, true);
  EXPECT_EQ(FormatWord(s, beta), "beta, ");
  Layout(5, true);
  EXPECT_EQ(FormatWord(s, beta), "beta  ") << "padded in the comma layout where the word ends the line";
}

TEST_F(Formats, WidthsFollowTheLongestWordTheWordCountAndTheHighestCount) {
  ListingPass pass;
  s.main.cboDisplayFormat.SetListIndex(0);
  s.run.intMaxWordLengthFound = 12;
  s.main.txbOutput.Clear();
  SetColumnWidths(s, pass);
  EXPECT_EQ(s.main.txbOutput.Text(), "   Rank    Freq  Word (longest has 12 characters)\r\n");
  EXPECT_EQ(s.run.intWordWidth, 12);

  // 1234567 included words: the rank column is 7 wide.
  s.main.cboDisplayFormat.SetListIndex(2);
  s.run.lngNumWordsIncluded = 1234567;
  s.main.txbOutput.Clear();
  SetColumnWidths(s, pass);
  EXPECT_EQ(s.main.txbOutput.Text(), "    Rank    Freq\r\n");

  // Counts beyond 32 bits are written whole.
  s.run.lngNumWordsIncluded = 3;
  s.aWords[beta].lngCount = 12345678901;
  s.run.lngMaxFrequency = 12345678901;
  s.main.txbOutput.Clear();
  SetColumnWidths(s, pass);
  EXPECT_EQ(s.run.intFreqWidth, 11);
  EXPECT_EQ(FormatLine(s, beta), " " "     1" "  " "12345678901");
}

TEST_F(Formats, DeliveryToTheTextBox) {
  ListingPass pass;
  std::string buffer;
  s.run.blnWordsGot = false;  // choosing a format then lists nothing by itself
  s.main.txbOutput.Clear();

  s.main.cboDisplayFormat.SetListIndex(9);
  DisplayNextLine(s, pass, 0, buffer);
  EXPECT_EQ(s.main.txbOutput.Text(), "") << "format 9 has no heading";
  DisplayNextLine(s, pass, beta, buffer);
  EXPECT_EQ(buffer, "beta, ");

  buffer.clear();
  s.main.cboDisplayFormat.SetListIndex(8);
  DisplayNextLine(s, pass, 0, buffer);
  DisplayNextLine(s, pass, beta, buffer);
  EXPECT_EQ(s.main.txbOutput.Text(), "Word (longest has 5 characters)\r\n");
  EXPECT_EQ(buffer, "beta\r\n");
  EXPECT_EQ(s.main.lblTwirler.Caption(), TwirlerText(s, beta));
}

TEST_F(Formats, WordsAreShownAsUtf8AndPaddedByCharacters) {
  CountWords(s, {{"née", 2}, {"x", 1}});
  s.main.cboDisplayFormat.SetListIndex(1);
  s.run.blnWritingToFile = false;
  EXPECT_EQ(cp1252::ToUtf8(FormatLine(s, IndexOf(s, cp1252::FromUtf8("née")))), " " "     1" "  " "née   " "  " "     2");
  EXPECT_NE(s.main.txbOutput.Text().find("née"), std::string::npos);
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
  s.scanner.SetAllowedExtraChars("-", s.run.strProhibitedInitialOrFinalChars);
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
