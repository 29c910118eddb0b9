#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "run_state.h"
#include "params.h"
#include "text/cp1252.h"
#include "support/test_files.h"
#include "count/filters.h"
#include "word_filters.h"
#include "count/ignore_list.h"

namespace kwl {
namespace {

std::string W(const char* utf8) { return cp1252::FromUtf8(utf8); }

TEST(WordFilters, CharacterTests) {
  struct Case {
    const char* word;
    bool all7bit;
    bool lacksLetter;
    bool repetition;
    bool roman;
  };
  const Case cases[] = {
      {"", true, true, true, false},
      {"1984", true, true, false, false},
      {"4th", true, false, false, false},
      {"zzz", true, false, true, false},
      {"---", true, true, true, false},
      {"000", true, true, true, false},
      {"Aa", true, false, false, false},
      {"I", true, false, true, false},
      {"i", true, false, true, false},
      {"ii", true, false, true, true},
      {"iv", true, false, false, true},
      {"xiv", true, false, false, true},
      {"xx", true, false, true, true},
      {"XXXIX", true, false, false, true},
      {"VIX", true, false, false, true},
      {"IIII", true, false, true, true},
      {" iv ", true, false, false, true},
      {"mix", true, false, false, false},
      {"civil", true, false, false, false},
      {"dim", true, false, false, false},
      {"ß", false, false, true, false},
      {"Ÿ", false, false, true, false},
      {"œuvre", false, false, false, false},
      {"×÷", false, true, false, false},
      {"café", false, false, false, false},
  };
  for (const Case& c : cases) {
    const std::string w = W(c.word);
    EXPECT_EQ(IsAll7bit(w), c.all7bit) << c.word;
    EXPECT_EQ(LacksLetter(w), c.lacksLetter) << c.word;
    EXPECT_EQ(IsRepetition(w), c.repetition) << c.word;
    EXPECT_EQ(IsRomanNumeralBelow40(w), c.roman) << c.word;
  }
}

TEST(WordFilters, LengthLetterAndRepetitionRules) {
  struct Case {
    const char* name;
    const char* word;
    int shortIndex;  // list index of cboShortWordSize (number - 2)
    bool ignoreShort;
    int longIndex;   // list index of cboLongWordSize ((number - 15) / 5)
    bool noLetter;
    bool repetitions;
    bool kept;
  };
  const Case cases[] = {
      {"short, 3 chosen", "an", 1, true, 7, false, false, false},
      {"short boundary", "the", 1, true, 7, false, false, true},
      {"short rule off", "an", 1, false, 7, false, false, true},
      {"long, 15 chosen", "abcdefghijklmnop", 1, false, 0, false, false, false},
      {"long boundary", "abcdefghijklmno", 1, false, 0, false, false, true},
      {"no letter", "1984", 0, false, 7, true, false, false},
      {"a letter", "4th", 0, false, 7, true, false, true},
      {"no-letter rule off", "1984", 0, false, 7, false, false, true},
      {"repetition", "zzz", 0, false, 7, false, true, false},
      {"repeated hyphens", "---", 0, false, 7, false, true, false},
      {"repeated digits kept", "000", 0, false, 7, false, true, true},
      {"case differs", "Aa", 0, false, 7, false, true, true},
      {"single character", "a", 0, false, 7, false, true, true},
      {"repetition rule off", "zzz", 0, false, 7, false, false, true},
      {"short refuses first", "zz", 1, true, 7, true, true, false},
  };
  for (const Case& c : cases) {
    Params p;
    p.cboShortWordSize.SetListIndex(c.shortIndex);
    p.chkIgnoreShortWords.SetValue(c.ignoreShort ? 1 : 0);
    p.cboLongWordSize.SetListIndex(c.longIndex);
    p.chkIgnoreNoLetter.SetValue(c.noLetter ? 1 : 0);
    p.chkIgnoreRepetitions.SetValue(c.repetitions ? 1 : 0);
    std::string word = c.word;
    ApplyWordFilters(word, p);
    EXPECT_EQ(!word.empty(), c.kept) << c.name;
    if (c.kept) {
      EXPECT_EQ(word, c.word) << c.name;
    }
  }
}

TEST(WordFilters, WordsToIgnoreAndSevenBitRuleAtIntake) {
  test::TestSession t;
  Session& s = t.session;
  s.aWords.Reset();
  s.run.strWordsToIgnore = W(" the über ");
  for (const char* w : {"The", "THE", "the", "Über", "cat", "thee", "ber", "uber"}) s.intake.GetWords2(W(w));
  s.params.chkOnly7bitASCII.SetValue(1);
  s.intake.GetWords2(W("café"));
  s.aWords.OrderByWord();
  std::vector<std::string> counted;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) counted.push_back(s.aWords[i].strWord);
  EXPECT_EQ(counted, (std::vector<std::string>{"ber", "cat", "thee", "uber"}));
}

TEST(WordFilters, IgnoreListHoldsExactlyTheWordsBetweenBlanks) {
  // Normalised lists and texts set by hand alike: a word is listed exactly
  // when blank, word, blank occurs in the text.
  const char* const texts[] = {" the über cat ", " the cat", "the cat ", "", "  ", " a  b ", " x\ty ", " the the "};
  const char* const words[] = {"the", "th", "he", "über", "ber", "cat", "a", "b", "x", "x\ty", "",
                               " ", "a  b", "the cat", "the über"};
  for (const char* text : texts) {
    IgnoreList list;
    list = W(text);
    EXPECT_EQ(list.Text(), W(text));
    for (const char* word : words) {
      const bool listed = W(text).find(" " + W(word) + " ") != std::string::npos;
      EXPECT_EQ(list.Contains(W(word)), listed) << "'" << word << "' in '" << text << "'";
    }
  }
  IgnoreList list;
  list = " a b ";
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(list.Contains("a")) << "nothing left of the earlier list";
}

TEST(WordFilters, PostScanRulesAndTotals) {
  WordTable table;
  table.Reset();
  const std::vector<std::pair<std::string, int>> words = {
      {"xiv", 5}, {"I", 4}, {"twice", 2}, {"thrice", 3}, {"extraordinarily", 1}, {"mix", 3}};
  for (const auto& [w, n] : words)
    for (int k = 0; k < n; ++k) table.Add(w);
  table.OrderByWord();

  Params p;
  p.chkIgnoreRomNum40.SetValue(1);
  p.chkIgnoreInfrequentWords.SetValue(1);
  ApplyPostScanFilters(table, p, 3);
  RunState r;
  r.lngNumWordsIncluded = 99;  // stale values are replaced
  r.lngMaxFrequency = 99;
  ComputeTotals(table, r);
  std::vector<std::string> included;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i)
    if (table[i].blnIncluded) included.push_back(table[i].strWord);
  EXPECT_EQ(included, (std::vector<std::string>{"I", "mix", "thrice"}));
  EXPECT_EQ(r.lngNumWordsIncluded, 3);
  EXPECT_EQ(r.lngNumWordsExcluded, 3);
  EXPECT_EQ(r.lngNumOccurrences, 10) << "excluded entries add no occurrences";
  EXPECT_EQ(r.lngMaxFrequency, 4) << "the excluded xiv (5) does not count";
  EXPECT_EQ(r.intMaxWordLengthFound, 6) << "the excluded 15-letter word does not count";

  // Rules off: everything included again.
  Params none;
  none.chkIgnoreRomNum40.SetValue(0);
  none.chkIgnoreInfrequentWords.SetValue(0);
  ApplyPostScanFilters(table, none, 3);
  ComputeTotals(table, r);
  EXPECT_EQ(r.lngNumWordsIncluded, 6);
  EXPECT_EQ(r.lngNumWordsExcluded, 0);
  EXPECT_EQ(r.lngNumOccurrences, 18);
  EXPECT_EQ(r.lngMaxFrequency, 5);
  EXPECT_EQ(r.intMaxWordLengthFound, 15);

  // Threshold boundary: a count equal to the threshold stays.
  ApplyPostScanFilters(table, p, 2);
  ComputeTotals(table, r);
  EXPECT_EQ(r.lngNumWordsExcluded, 2);  // xiv and the single extraordinarily
}

}  // namespace
}  // namespace kwl
