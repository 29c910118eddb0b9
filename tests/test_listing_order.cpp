#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "listing/order.h"
#include "order.h"
#include "text/cp1252.h"
#include "text/normalise.h"
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
  const std::string pivot = scan::SortKey(e[static_cast<std::size_t>(lo + (hi - lo) / 2)].strWord);
  auto key = [&](int k) { return scan::SortKey(e[static_cast<std::size_t>(k)].strWord); };
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
    const std::vector<std::string> reference = ReferenceSort(table.Entries(), 1, table.NumWords());
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
    const std::vector<std::string> reference = ReferenceSort(table.Entries(), 1, table.NumWords());
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
    ASSERT_LE(cp1252::Compare(scan::SortKey(table[i - 1].strWord), scan::SortKey(table[i].strWord)), 0) << "at " << i;
}

struct Ranked {
  std::string word;
  std::int32_t rank;
};

// The entries of the order with their ranks.
std::vector<Ranked> Ranks(const WordTable& table, const std::vector<std::int32_t>& order) {
  std::vector<Ranked> out;
  for (std::int32_t e : order) out.push_back({std::string(table[e].strWord), table[e].lngFreqRank});
  return out;
}

// A table in key order, every entry included, as the filters leave it.
void Ordered(WordTable& table, const std::vector<std::pair<std::string, int>>& words) {
  Fill(table, words);
  SortWordTable(table, 1, table.NumWords(), 1);
}

TEST(RankByFrequency, DescendingCountTiesInKeyOrderConsecutiveRanks) {
  WordTable table;
  Ordered(table, {{"pear", 2}, {"apple", 5}, {"fig", 2}, {"Banana", 5}, {"kiwi", 1}, {"date", 2}});
  const std::vector<std::int32_t> order = RankByFrequency(table);
  const std::vector<Ranked> ranked = Ranks(table, order);
  const std::vector<std::pair<std::string, std::int32_t>> expected = {
      {"apple", 1}, {"Banana", 2}, {"date", 3}, {"fig", 4}, {"pear", 5}, {"kiwi", 6}};
  ASSERT_EQ(ranked.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(ranked[k].word, expected[k].first);
    EXPECT_EQ(ranked[k].rank, expected[k].second);
  }
  // pear is last in key order (entry 6) but kiwi (entry 5) ends the order.
  EXPECT_EQ(order[4], 6);
  EXPECT_EQ(order[5], 5);
}

TEST(RankByFrequency, EdgeTables) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> words;
    std::vector<std::string> excluded;
    std::string order;  // the words in frequency order
  };
  const Case cases[] = {
      {"empty table", {}, {}, ""},
      {"one entry", {{"only", 3}}, {}, "only "},
      {"all counts equal: key order", {{"c", 2}, {"a", 2}, {"b", 2}}, {}, "a b c "},
      {"excluded entries are left out", {{"x", 4}, {"y", 1}, {"z", 2}}, {"x"}, "z y "},
      {"nothing included", {{"x", 4}, {"y", 1}}, {"x", "y"}, ""},
  };
  for (const Case& c : cases) {
    WordTable table;
    Ordered(table, c.words);
    for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
      table[i].lngFreqRank = 99;  // left from an earlier order
      for (const std::string& x : c.excluded)
        if (table[i].strWord == x) table[i].blnIncluded = false;
    }
    std::string words;
    for (const Ranked& r : Ranks(table, RankByFrequency(table))) words += r.word + " ";
    EXPECT_EQ(words, c.order) << c.name;
    for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
      if (!table[i].blnIncluded) {
        EXPECT_EQ(table[i].lngFreqRank, 0) << c.name << ": excluded entries get no rank";
      }
    }
  }
}

// Records the progress calls as letters: C for a count value ranked, P for a
// placed entry.
struct ProgressLog : OrderProgress {
  std::string calls;
  std::vector<std::int32_t> placed;
  void CountRanked() override { calls += 'C'; }
  void Placed(std::int32_t rank) override {
    calls += 'P';
    placed.push_back(rank);
  }
};

TEST(RankByFrequency, TellsEachCountValueThenEachPlacedRank) {
  WordTable table;
  Ordered(table, {{"a", 3}, {"b", 1}, {"c", 3}, {"d", 2}});
  ProgressLog log;
  RankByFrequency(table, log);
  EXPECT_EQ(log.calls, "CCCPPP") << "three count values, then ranks 2, 3 and 4";
  EXPECT_EQ(log.placed, (std::vector<std::int32_t>{2, 3, 4}));
}

TEST(BuildFrequencyOrder, MarksProgressEveryThousandRanksAndYields) {
  test::TestSession t;
  Session& s = t.session;
  s.aWords.Reset();
  for (int k = 0; k < 2500; ++k) s.aWords.Add(std::string("w").append(std::to_string(k)));
  s.aWords.OrderByWord();
  SortWordTable(s.aWords, 1, s.aWords.NumWords(), 1);
  s.main.txbOutput.SetText("Ordering ...");
  const int pumpsBefore = t.platform.eventPumps;
  BuildFrequencyOrder(s);
  EXPECT_EQ(s.main.txbOutput.Text(), "Ordering ... . .");
  EXPECT_GE(t.platform.eventPumps - pumpsBefore, 2499);
  ASSERT_EQ(s.run.aFrequencyOrder.size(), 2500u);
  std::int32_t n = 0;
  for (std::int32_t e : s.run.aFrequencyOrder) ASSERT_EQ(s.aWords[e].lngFreqRank, ++n);
}

}  // namespace
}  // namespace kwl
