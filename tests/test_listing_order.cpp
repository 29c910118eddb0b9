#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "order.h"
#include "count_run.h"
#include "text/cp1252.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// A table holding the given words (UTF-8 in the test, Windows-1252 in the
// table) with their counts, in the order a scan leaves it.
void Fill(WordTable& table, const std::vector<std::pair<std::string, int>>& words) {
  table.Reset();
  for (const auto& [word, count] : words)
    for (int k = 0; k < count; ++k) table.Add(cp1252::FromUtf8(word));
  table.OrderByWord();
}

std::vector<std::string> Words(const WordTable& table) {
  std::vector<std::string> out;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) out.push_back(cp1252::ToUtf8(table[i].strWord));
  return out;
}

// The sort exactly as the program performs it: a recursive quicksort that
// swaps whole entries, descending, then the reversal of the range. Equal keys
// must come out of SortWordTable in the same order as from this.
void ReferenceQuickSortDescending(std::vector<WordEntry>& e, int lo, int hi) {
  if (lo >= hi) return;
  const std::string pivot = e[static_cast<std::size_t>(lo + (hi - lo) / 2)].strKey;
  auto key = [&](int k) -> const std::string& { return e[static_cast<std::size_t>(k)].strKey; };
  int i = lo;
  int j = hi;
  while (i <= j) {
    while (i < hi && cp1252::Compare(key(i), pivot) > 0) ++i;
    while (j > lo && cp1252::Compare(key(j), pivot) < 0) --j;
    if (i <= j) {
      if (i < j) std::swap(e[static_cast<std::size_t>(i)], e[static_cast<std::size_t>(j)]);
      ++i;
      --j;
    }
  }
  if (lo < j) ReferenceQuickSortDescending(e, lo, j);
  if (i < hi) ReferenceQuickSortDescending(e, i, hi);
}

std::vector<std::string> ReferenceSort(std::vector<WordEntry> e, int first, int last) {
  ReferenceQuickSortDescending(e, first, last);
  for (int i = 0; first + i < last - i; ++i)
    std::swap(e[static_cast<std::size_t>(first + i)], e[static_cast<std::size_t>(last - i)]);
  std::vector<std::string> out;
  for (std::size_t i = 1; i < e.size(); ++i) out.push_back(cp1252::ToUtf8(e[i].strWord));
  return out;
}

TEST(SortWordTable, EqualKeysEndInTheOrderTheProgramsQuicksortLeavesThem) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> words;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"empty table", {}, {}},
      {"one entry", {{"solo", 1}}, {"solo"}},
      {"accent", {{"café", 1}, {"cafe", 1}}, {"cafe", "café"}},
      {"case", {{"the", 2}, {"The", 1}}, {"The", "the"}},
      // Keys apple, apple, aepple: äpple first, then the two others together.
      {"umlaut", {{"apple", 1}, {"Apple", 1}, {"äpple", 1}}, {"äpple", "Apple", "apple"}},
      {"ligature and sharp s", {{"Straße", 1}, {"strasse", 1}, {"stras", 1}, {"Ärger", 1}, {"aerger", 1}},
       {"aerger", "Ärger", "stras", "Straße", "strasse"}},
      {"three equal keys", {{"ECLAIR", 1}, {"Éclair", 1}, {"eclair", 1}}, {"ECLAIR", "eclair", "Éclair"}},
      {"two pairs", {{"the", 2}, {"CAT", 1}, {"mat", 1}, {"The", 2}, {"sat", 1}, {"cat", 1}},
       {"cat", "CAT", "mat", "sat", "the", "The"}},
      {"prefix sorts first", {{"ab", 1}, {"a", 1}, {"abc", 1}}, {"a", "ab", "abc"}},
  };
  for (const Case& c : cases) {
    WordTable table;
    Fill(table, c.words);
    const std::vector<std::string> reference = ReferenceSort(table.Storage(), 1, table.NumWords());
    SortWordTable(table, 1, table.NumWords(), 1);
    EXPECT_EQ(Words(table), c.expected) << c.name;
    EXPECT_EQ(Words(table), reference) << c.name;
  }
}

TEST(SortWordTable, AgreesWithTheProgramsProcedureOnTablesFullOfEqualKeys) {
  // Many spellings per key (case and accents), so ties decide most places.
  const std::vector<std::string> stems = {"the", "cafe", "eclair", "apple", "strasse", "aerger", "a", "ab", "zz"};
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    WordTable table;
    table.Reset();
    const int n = 1 + static_cast<int>(random() % 300);
    for (int k = 0; k < n; ++k) {
      std::string word = stems[random() % stems.size()];
      for (char& ch : word) {
        const unsigned r = random() % 4;
        if (r == 1) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (r == 2 && ch == 'e') ch = static_cast<char>(0xE9);  // é
        if (r == 3 && ch == 'a') ch = static_cast<char>(0xC0);  // À
      }
      table.Add(word);
    }
    table.OrderByWord();
    const std::vector<std::string> reference = ReferenceSort(table.Storage(), 1, table.NumWords());
    SortWordTable(table, 1, table.NumWords(), 1);
    ASSERT_EQ(Words(table), reference) << "round " << round;
  }
}

TEST(SortWordTable, SortsOnlyTheGivenRangeFromTheGivenPosition) {
  WordTable table;
  Fill(table, {{"dz", 1}, {"ay", 1}, {"cx", 1}, {"bw", 1}});  // binary order: ay bw cx dz
  SortWordTable(table, 2, 4, 2);                              // bw cx dz by their second letter
  EXPECT_EQ(Words(table), (std::vector<std::string>{"ay", "bw", "cx", "dz"}));
  SortWordTable(table, 1, 4, 2);
  EXPECT_EQ(Words(table), (std::vector<std::string>{"bw", "cx", "ay", "dz"}));
  SortWordTable(table, 3, 3, 1);  // first not below last: nothing
  SortWordTable(table, 4, 1, 1);
  EXPECT_EQ(Words(table), (std::vector<std::string>{"bw", "cx", "ay", "dz"}));
}

TEST(SortWordTable, HandlesAMillionEntriesInKeyOrder) {
  WordTable table;
  table.Reset();
  // Found in an order far from sorted, with long runs of equal keys.
  for (std::uint32_t k = 0; k < 1000000; ++k) {
    const std::uint32_t v = (k * 2654435761u) % 1000003u;
    static const char* const suffixes[] = {"", "x", "X", "Xx"};  // "x" and "X" share their key
    std::string word = "w";
    word += std::to_string(v % 250000);
    word += suffixes[v % 4];
    table.Add(word);
  }
  table.OrderByWord();
  SortWordTable(table, 1, table.NumWords(), 1);
  for (std::int32_t i = 2; i <= table.NumWords(); ++i)
    ASSERT_LE(cp1252::Compare(table[i - 1].strKey, table[i].strKey), 0) << "at " << i;
}

struct Ranked {
  std::string word;
  std::int32_t rank;
};

std::vector<Ranked> Chain(const Session& s) {
  std::vector<Ranked> out;
  for (std::int32_t e = s.run.lngFirstFreq; e != 0; e = s.aWords[e].lngNextByFreq)
    out.push_back({s.aWords[e].strWord, s.aWords[e].lngFreqRank});
  return out;
}

// The post-scan steps up to the frequency order.
void Order(Session& s) {
  SortWordTable(s.aWords, 1, s.aWords.NumWords(), 1);
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) s.aWords[i].blnIncluded = true;
  s.run.lngMaxFrequency = 0;
  s.run.lngNumWordsIncluded = s.aWords.NumWords();
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
    s.run.lngMaxFrequency = std::max(s.run.lngMaxFrequency, s.aWords[i].lngCount);
}

TEST(BuildFrequencyOrder, DescendingCountTiesInKeyOrderConsecutiveRanks) {
  test::TestSession t;
  Session& s = t.session;
  Fill(s.aWords, {{"pear", 2}, {"apple", 5}, {"fig", 2}, {"Banana", 5}, {"kiwi", 1}, {"date", 2}});
  Order(s);
  BuildFrequencyOrder(s);
  const std::vector<Ranked> chain = Chain(s);
  const std::vector<std::pair<std::string, std::int32_t>> expected = {
      {"apple", 1}, {"Banana", 2}, {"date", 3}, {"fig", 4}, {"pear", 5}, {"kiwi", 6}};
  ASSERT_EQ(chain.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(chain[k].word, expected[k].first);
    EXPECT_EQ(chain[k].rank, expected[k].second);
  }
  // pear is last in key order (entry 6) but kiwi (entry 5) ends the chain.
  EXPECT_EQ(s.aWords[6].lngNextByFreq, 5);
  EXPECT_EQ(s.aWords[5].lngNextByFreq, 0);
}

TEST(BuildFrequencyOrder, EdgeTables) {
  test::TestSession t;
  Session& s = t.session;

  Fill(s.aWords, {{"only", 3}});
  Order(s);
  BuildFrequencyOrder(s);
  EXPECT_EQ(s.run.lngFirstFreq, 1);
  EXPECT_EQ(s.aWords[1].lngFreqRank, 1);
  EXPECT_EQ(s.aWords[1].lngNextByFreq, 0);

  // All counts equal: frequency order is key order.
  Fill(s.aWords, {{"c", 2}, {"a", 2}, {"b", 2}});
  Order(s);
  BuildFrequencyOrder(s);
  const std::vector<Ranked> chain = Chain(s);
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(chain[0].word + chain[1].word + chain[2].word, "abc");

  // Excluded entries get no rank and are not on the chain.
  Fill(s.aWords, {{"x", 4}, {"y", 1}, {"z", 2}});
  Order(s);
  s.aWords[1].blnIncluded = false;  // x
  s.run.lngNumWordsIncluded = 2;
  s.run.lngMaxFrequency = 2;
  BuildFrequencyOrder(s);
  EXPECT_EQ(s.aWords[1].lngFreqRank, 0);
  const std::vector<Ranked> rest = Chain(s);
  ASSERT_EQ(rest.size(), 2u);
  EXPECT_EQ(rest[0].word, "z");
  EXPECT_EQ(rest[1].word, "y");

  // Nothing included: no chain.
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) s.aWords[i].blnIncluded = false;
  s.run.lngNumWordsIncluded = 0;
  BuildFrequencyOrder(s);
  EXPECT_EQ(s.run.lngFirstFreq, 0);
}

TEST(BuildFrequencyOrder, MarksProgressEveryThousandRanksAndYields) {
  test::TestSession t;
  Session& s = t.session;
  s.aWords.Reset();
  for (int k = 0; k < 2500; ++k) s.aWords.Add(std::string("w").append(std::to_string(k)));
  s.aWords.OrderByWord();
  Order(s);
  s.main.txbOutput.SetText("Ordering ...");
  const int pumpsBefore = t.platform.eventPumps;
  BuildFrequencyOrder(s);
  EXPECT_EQ(s.main.txbOutput.Text(), "Ordering ... . .");
  EXPECT_GE(t.platform.eventPumps - pumpsBefore, 2499);
  std::int32_t n = 0;
  for (std::int32_t e = s.run.lngFirstFreq; e != 0; e = s.aWords[e].lngNextByFreq) ASSERT_EQ(s.aWords[e].lngFreqRank, ++n);
  EXPECT_EQ(n, 2500);
}

}  // namespace
}  // namespace kwl
