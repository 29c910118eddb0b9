// The core pieces both front ends share: the rules from the settings record,
// the words to ignore, the common-words file and the report texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "count/common_words_file.h"
#include "count/rules_from_settings.h"
#include "count/words_to_ignore.h"
#include "listing/report_text.h"
#include "support/test_files.h"

namespace kwl {
namespace {

TEST(RulesFromSettings, FollowTheRecordAndReferToTheLists) {
  Settings s;
  IgnoreList ignore;
  CommonWordsList common;
  const CountLists lists{&ignore, &common};
  CountRules r = CountRulesFromSettings(s, lists, scan::MarkupKind{"HTML", true});
  EXPECT_EQ(r.allowedExtraChars, "-");
  EXPECT_EQ(r.markup.kind, "HTML");
  EXPECT_EQ(r.word.shortWordSize, 3);
  EXPECT_EQ(r.word.longWordSize, 50);
  EXPECT_EQ(r.word.thresholdFrequency, 2);
  EXPECT_EQ(r.word.wordsToIgnore, &ignore);
  EXPECT_EQ(r.word.commonWords, nullptr) << "not ticked";
  s.ignoreCommonWords = 1;
  s.shortWordSizeIndex = 13;
  s.longWordSizeIndex = 0;
  s.thresholdFrequencyIndex = 7;
  s.allowApostrophes = s.allowNumerals = s.allowAtSigns = 1;
  r = CountRulesFromSettings(s, lists, scan::MarkupKind{"", false});
  EXPECT_EQ(r.allowedExtraChars, "0123456789@'\x91-");
  EXPECT_EQ(r.word.commonWords, &common);
  EXPECT_EQ(r.word.shortWordSize, 15);
  EXPECT_EQ(r.word.longWordSize, 15);
  EXPECT_EQ(r.word.thresholdFrequency, 9);
  EXPECT_TRUE(r.word.apostrophesAllowed);
  const CountRules reading = CommonWordsReadingRules();
  EXPECT_EQ(reading.allowedExtraChars, kAllPossibleExtraChars);
  EXPECT_TRUE(reading.word.readingWordList);
  EXPECT_FALSE(reading.word.caseSignificant);
}

TEST(WordsToIgnore, NormalisedAndChecked) {
  const struct {
    const char* text;
    const char* normalised;  // nullptr: no list
  } cases[] = {
      {"", nullptr},        {"   ", nullptr},           {",,", ""},
      {"the", "the"},       {" The, a THE b ", "a b the"}, {"\xC3\x89t\xC3\xA9 zoo", "zoo \xE9t\xE9"},
  };
  for (const auto& c : cases) {
    const auto got = NormaliseWordsToIgnore(c.text);
    EXPECT_EQ(got.has_value(), c.normalised != nullptr) << c.text;
    if (got && c.normalised) {
      EXPECT_EQ(*got, c.normalised) << c.text;
    }
  }
  EXPECT_EQ(IgnoreListText("a b"), " a b ");
  EXPECT_EQ(FirstCharacterNotAllowed("", ""), -1);
  EXPECT_EQ(FirstCharacterNotAllowed("x-ray e-mail", "-"), -1);
  EXPECT_EQ(FirstCharacterNotAllowed("x-ray e+mail", ""), '-');
  EXPECT_EQ(FirstCharacterNotAllowed("x-ray e+mail", "-"), '+');
}

TEST(CommonWordsFile, StatusesAndWords) {
  test::TempDir dir;
  CountObserver quiet;
  EXPECT_EQ(LocateCommonWordsFile(dir.File("none.txt")).kind, Status::Kind::kNotFound);
  EXPECT_EQ(LocateCommonWordsFile(dir.Path()).kind, Status::Kind::kNotRegular);
  EXPECT_EQ(LocateCommonWordsFile(dir.Path()).detail, "a folder");
  const struct {
    std::string content;
    Status::Kind kind;
    std::vector<std::string> words;
  } cases[] = {
      {"", Status::Kind::kEmpty, {}},
      {"... ;;; !!!\r\n", Status::Kind::kEmpty, {}},
      {"The the\r\nTHE, cat;\n\n   \rand/or x-ray /* skipped */\r\n", Status::Kind::kOk, {"and/or", "cat", "the", "x-ray"}},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write("cw.txt", c.content);
    EXPECT_TRUE(LocateCommonWordsFile(path).Ok());
    const CommonWordsFileRead read = ReadCommonWordsFile(path, false, quiet);
    EXPECT_EQ(read.status.kind, c.kind) << c.content;
    EXPECT_EQ(read.words, c.words) << c.content;
  }
  EXPECT_EQ(ReadCommonWordsFile(dir.File("none.txt"), false, quiet).status.kind, Status::Kind::kNotFound);
  EXPECT_EQ(ReadCommonWordsFile(dir.Write("u.txt", "\xC3\xBC" "ber\r\n"), true, quiet).words,
            std::vector<std::string>{"\xFC" "ber"});
  EXPECT_EQ(CommonWordsFileForLanguage("/p", dir.Write("de.html", "<html lang=\"de\">\r\n")), "/p/cwds_de.txt");
  EXPECT_EQ(CommonWordsFileForLanguage("/p", dir.File("none.txt")), "/p/cwds_en.txt");
}

TEST(ReportText, StatisticsAndExplanations) {
  ListStatistics st;
  st.wordsListed = 5;
  st.occurrencesListed = 9;
  st.totalOccurrences = 1234;
  const auto lines = StatisticsLines(st, false, false);
  EXPECT_EQ(lines[0], "Number of words in this list:     5");
  EXPECT_EQ(lines[1], "Number of words ignored:     0");
  EXPECT_EQ(lines[2], "Number of instances of words in this list:     9");
  EXPECT_EQ(lines[3], "Total number of instances of words: 1,234");
  EXPECT_EQ(StatisticsLines(st, true, true)[1], "No. of words ignored (other than common words):     0");
  EXPECT_EQ(StatisticsLines(st, true, true)[3], "");
  Settings s;
  EXPECT_EQ(NoWordsExplanation(false, s), "No words satisfying the conditions were found.");
  EXPECT_EQ(NoWordsExplanation(true, s), "No words with more than 2 letters\r\noccur at least once.");
  s.ignoreInfrequentWords = 1;
  s.shortWordSizeIndex = 0;
  EXPECT_EQ(NoWordsExplanation(true, s), "No words with more than 1 letter\r\noccur at least twice.");
  s.thresholdFrequencyIndex = 3;
  EXPECT_EQ(NoWordsExplanation(true, s), "No words with more than 1 letter\r\noccur at least 5 times.");
  const struct {
    std::int64_t n;
    const char* time;
    const char* words;
  } numbers[] = {{0, "0s", "No"}, {21, "21s", "Twenty one"}, {61, "1m 1s", "61"}, {100, "1m 40s", "100"},
                 {3600, "1h 0m", "3,600"}, {90061, "1d 1h 1m 1s", "90,061"}};
  for (const auto& n : numbers) {
    EXPECT_EQ(ElapsedTimeText(n.n), n.time) << n.n;
    if (n.n != 61) {
      EXPECT_EQ(NumberInWords(n.n), n.words) << n.n;
    }
  }
  EXPECT_EQ(NumberInWords(61), "Sixty one");
  EXPECT_EQ(TextProgressBar(0, 5), "[>     ]");
  EXPECT_EQ(TextProgressBar(3, 5), "[-->  ]");
  EXPECT_EQ(ProgressBarPosition(1, 2, 5), 2) << "halves to even";
}

TEST(ElapsedTimeText, SecondsMinutesHoursDays) {
  const struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "0s"},           {1, "1s"},           {59, "59s"},          {60, "1m"},
      {61, "1m 1s"},       {119, "1m 59s"},     {120, "2m"},          {3599, "59m 59s"},
      {3600, "1h 0m"},     {3601, "1h 0m 1s"},  {3660, "1h 1m"},      {3661, "1h 1m 1s"},
      {7200, "2h 0m"},     {86399, "23h 59m 59s"}, {86400, "1d 0h 0m"}, {86401, "1d 0h 0m 1s"},
      {86460, "1d 0h 1m"}, {90000, "1d 1h 0m"}, {90061, "1d 1h 1m 1s"}, {172800, "2d 0h 0m"},
  };
  for (const auto& c : cases) EXPECT_EQ(ElapsedTimeText(c.seconds), c.text) << c.seconds;
}

TEST(TextProgressBar, ArrowHeadGrowsIntoHyphens) {
  const struct {
    std::int64_t p;
    std::string text;
  } cases[] = {
      {0, "[>" + std::string(37, ' ') + "]"},
      {1, "[>" + std::string(36, ' ') + "]"},
      {2, "[->" + std::string(35, ' ') + "]"},
      {18, "[" + std::string(17, '-') + ">" + std::string(19, ' ') + "]"},
      {37, "[" + std::string(36, '-') + ">]"},
      {38, "[" + std::string(37, '-') + ">]"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextProgressBar(c.p, 37), c.text) << c.p;
}

TEST(ProgressBarPosition, RoundsHalvesToEven) {
  const struct {
    std::int64_t done;
    std::int64_t total;
    std::int64_t p;
  } cases[] = {
      {0, 100, 0},  {1, 74, 0},     {3, 74, 2},   {5, 74, 2},     {7, 74, 4},  {2, 74, 1},
      {74, 74, 37}, {100, 74, 50},  {10, 0, 0},   {4332506, 4332506, 37},
      {1LL << 40, 1LL << 41, 18},  // 18.5 -> 18
  };
  for (const auto& c : cases) EXPECT_EQ(ProgressBarPosition(c.done, c.total, 37), c.p) << c.done << "/" << c.total;
}

}  // namespace
}  // namespace kwl
