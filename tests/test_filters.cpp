#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "count/counter.h"
#include "count/filters.h"
#include "count/ignore_list.h"
#include "text/cp1252.h"

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
    int shortSize;
    bool ignoreShort;
    int longSize;
    bool noLetter;
    bool repetitions;
    bool kept;
  };
  const Case cases[] = {
      {"short, 3 chosen", "an", 3, true, 50, false, false, false},
      {"short boundary", "the", 3, true, 50, false, false, true},
      {"short rule off", "an", 3, false, 50, false, false, true},
      {"long, 15 chosen", "abcdefghijklmnop", 3, false, 15, false, false, false},
      {"long boundary", "abcdefghijklmno", 3, false, 15, false, false, true},
      {"no letter", "1984", 2, false, 50, true, false, false},
      {"a letter", "4th", 2, false, 50, true, false, true},
      {"no-letter rule off", "1984", 2, false, 50, false, false, true},
      {"repetition", "zzz", 2, false, 50, false, true, false},
      {"repeated hyphens", "---", 2, false, 50, false, true, false},
      {"repeated digits kept", "000", 2, false, 50, false, true, true},
      {"case differs", "Aa", 2, false, 50, false, true, true},
      {"single character", "a", 2, false, 50, false, true, true},
      {"repetition rule off", "zzz", 2, false, 50, false, false, true},
      {"short refuses first", "zz", 3, true, 50, true, true, false},
  };
  for (const Case& c : cases) {
    WordRules rules;
    rules.shortWordSize = c.shortSize;
    rules.ignoreShortWords = c.ignoreShort;
    rules.longWordSize = c.longSize;
    rules.ignoreNoLetter = c.noLetter;
    rules.ignoreRepetitions = c.repetitions;
    EXPECT_EQ(KeptByLengthAndShapeRules(c.word, rules), c.kept) << c.name;
  }
}

// Counts each word, handed over as a line of its own.
void Feed(Counter& counter, std::initializer_list<const char*> words) {
  CountObserver quiet;
  for (const char* w : words) {
    std::string line = " " + W(w);
    counter.ScanLine(line, quiet);
  }
}

std::vector<std::string> Listed(WordTable& table) {
  table.OrderByWord();
  std::vector<std::string> words;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) words.emplace_back(table[i].strWord);
  return words;
}

TEST(WordFilters, WordsToIgnoreAndSevenBitRuleAtIntake) {
  IgnoreList ignore;
  ignore = W(" the über ");
  CountRules rules;
  rules.word.caseSignificant = true;
  rules.word.wordsToIgnore = &ignore;
  Counter counter;
  counter.Start(rules);
  Feed(counter, {"The", "THE", "the", "Über", "cat", "thee", "ber", "uber"});
  rules.word.only7bitAscii = true;
  counter.SetWordRules(rules.word);
  Feed(counter, {"café"});
  EXPECT_EQ(Listed(counter.Words()), (std::vector<std::string>{"ber", "cat", "thee", "uber"}));
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

  WordRules rules;
  rules.ignoreRomanNumerals = true;
  rules.ignoreInfrequentWords = true;
  rules.thresholdFrequency = 3;
  ApplyPostScanRules(table, rules);
  CountTotals t = ComputeTotals(table);
  std::vector<std::string> included;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i)
    if (table[i].blnIncluded) included.emplace_back(table[i].strWord);
  EXPECT_EQ(included, (std::vector<std::string>{"I", "mix", "thrice"}));
  EXPECT_EQ(t.included, 3);
  EXPECT_EQ(t.excluded, 3);
  EXPECT_EQ(t.occurrences, 10) << "excluded entries add no occurrences";
  EXPECT_EQ(t.maxFrequency, 4) << "the excluded xiv (5) does not count";
  EXPECT_EQ(t.longestWord, 6) << "the excluded 15-letter word does not count";

  // Rules off: everything included again.
  ApplyPostScanRules(table, WordRules{});
  t = ComputeTotals(table);
  EXPECT_EQ(t.included, 6);
  EXPECT_EQ(t.excluded, 0);
  EXPECT_EQ(t.occurrences, 18);
  EXPECT_EQ(t.maxFrequency, 5);
  EXPECT_EQ(t.longestWord, 15);

  // Threshold boundary: a count equal to the threshold stays.
  rules.thresholdFrequency = 2;
  ApplyPostScanRules(table, rules);
  EXPECT_EQ(ComputeTotals(table).excluded, 2);  // xiv and the single extraordinarily
}

}  // namespace
}  // namespace kwl
