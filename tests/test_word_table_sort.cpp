#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "count/word_table.h"
#include "listing/order.h"
#include "text/cp1252.h"
#include "text/normalise.h"

namespace kwl {
namespace {

// Bytes that make sorting hard: capitals and small letters, accented letters
// and their bases, the ligatures and sharp s that expand to two letters in a
// key, and Windows-1252 bytes whose UTF-16 order is not their byte order
// (80 euro sign and 91 quotation mark after every Latin-1 letter, 8A S caron
// before the euro sign, 81 undefined: a C1 control before A0).
const std::string kAlphabet = "aAeE\xE9\xC9sS\xDF\xE4\xC4\xE6\x8C\x80\x8A\x9A\x91\x81\x9F\xA0\xFFz0";

// A word of those bytes, now and then after a stem longer than the eight
// characters the sorts pack into one number.
std::string RandomWord(std::mt19937& random) {
  std::string word = random() % 3 == 0 ? "prefixes" : "";
  const int length = 1 + static_cast<int>(random() % 6);
  for (int k = 0; k < length; ++k) word += kAlphabet[random() % kAlphabet.size()];
  return word;
}

// The simple reference: UTF-16 code units from the code page's own mapping
// (every Windows-1252 character is one unit), compared as sequences.
bool Utf16Less(const std::string& a, const std::string& b) {
  auto units = [](const std::string& s) {
    std::u16string out;
    for (unsigned char c : s) out += static_cast<char16_t>(cp1252::ToUnicode(c));
    return out;
  };
  return units(a) < units(b);
}

std::vector<std::string> Words(const WordTable& table) {
  std::vector<std::string> out;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) out.emplace_back(table[i].strWord);
  return out;
}

TEST(WordTableSort, OrderByWordIsUtf16OrderOnTrickyWords) {
  struct Case {
    const char* name;
    std::vector<std::string> found;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"empty table", {}, {}},
      {"a prefix first", {"ab", "b", "a"}, {"a", "ab", "b"}},
      {"capitals before small letters", {"the", "Zeta", "The"}, {"The", "Zeta", "the"}},
      {"euro sign after y diaeresis, S caron before it", {"\x80", "\xFF", "\x8A", "z"}, {"z", "\xFF", "\x8A", "\x80"}},
      {"undefined 81 before A0", {"\xA0", "\x81"}, {"\x81", "\xA0"}},
      {"beyond eight characters", {"prefixesb", "prefixes", "prefixesa", "prefixe"},
       {"prefixe", "prefixes", "prefixesa", "prefixesb"}},
  };
  for (const Case& c : cases) {
    WordTable table;
    table.Reset();
    for (const std::string& w : c.found) table.Add(w);
    table.OrderByWord();
    EXPECT_EQ(Words(table), c.expected) << c.name;
  }

  std::mt19937 random(2024);
  for (int round = 0; round < 20; ++round) {
    WordTable table;
    table.Reset();
    std::vector<std::string> expected;
    for (int k = 0; k < 2000; ++k) {
      const std::string word = RandomWord(random);
      if (table.Add(word)) expected.push_back(word);
    }
    std::sort(expected.begin(), expected.end(), Utf16Less);
    table.OrderByWord();
    ASSERT_EQ(Words(table), expected) << "round " << round;
  }
}

// The program's quicksort over keys (from a character position), descending,
// then the reversal of the range: what SortWordTable must leave, ties included.
std::vector<std::string> ReferenceKeySort(std::vector<std::string> words, int first, int last, int startPos) {
  auto key = [&](int k) {
    const std::string full = scan::SortKey(words[static_cast<std::size_t>(k)]);
    return static_cast<std::size_t>(startPos - 1) < full.size() ? full.substr(static_cast<std::size_t>(startPos - 1))
                                                                : std::string();
  };
  auto greater = [](const std::string& a, const std::string& b) { return Utf16Less(b, a); };
  std::vector<std::pair<int, int>> pending{{first, last}};
  while (!pending.empty()) {
    const auto [lo, hi] = pending.back();
    pending.pop_back();
    if (lo >= hi) continue;
    const std::string pivot = key(lo + (hi - lo) / 2);
    int i = lo;
    int j = hi;
    while (i <= j) {
      while (i < hi && greater(key(i), pivot)) ++i;
      while (j > lo && greater(pivot, key(j))) --j;
      if (i <= j) {
        if (i < j) std::swap(words[static_cast<std::size_t>(i)], words[static_cast<std::size_t>(j)]);
        ++i;
        --j;
      }
    }
    pending.emplace_back(lo, j);
    pending.emplace_back(i, hi);
  }
  std::reverse(words.begin() + first, words.begin() + last + 1);
  return words;
}

TEST(WordTableSort, SortWordTableMatchesTheProgramsQuicksortOnTrickyKeys) {
  std::mt19937 random(77);
  for (int round = 0; round < 60; ++round) {
    WordTable table;
    table.Reset();
    const int n = 1 + static_cast<int>(random() % 400);
    for (int k = 0; k < n; ++k) table.Add(RandomWord(random));
    table.OrderByWord();
    const std::int32_t words = table.NumWords();
    const std::int32_t first = round % 3 == 0 ? 1 : 1 + static_cast<std::int32_t>(random() % words);
    const std::int32_t last =
        round % 3 == 0 ? words : first + static_cast<std::int32_t>(random() % (words - first + 1));
    const int startPos = 1 + static_cast<int>(random() % 3);
    std::vector<std::string> before = Words(table);
    before.insert(before.begin(), "");  // 1-based like the table
    std::vector<std::string> expected = ReferenceKeySort(before, first, last, startPos);
    expected.erase(expected.begin());
    SortWordTable(table, first, last, startPos);
    ASSERT_EQ(Words(table), expected) << "round " << round << ", entries " << first << ".." << last << " from "
                                      << startPos;
  }
}

TEST(WordTableSort, RankByFrequencyOrdersLargeAndSmallCountsWithTiesInTableOrder) {
  // Counts on both sides of the counting sort's bucket limit (65,536).
  const std::vector<std::pair<std::string, std::int64_t>> counts = {
      {"a", 5}, {"b", 70000}, {"c", 1}, {"d", 3000000000}, {"e", 70000}, {"f", 5}, {"g", 65536}, {"h", 65535},
      {"i", 0}, {"j", 2}, {"k", 70000}};
  WordTable table;
  table.Reset();
  for (const auto& [word, count] : counts) table.Add(word, count);
  table.OrderByWord();
  table[11].blnIncluded = false;  // k: not listed, not ranked
  const std::vector<std::int32_t> order = RankByFrequency(table);
  std::vector<std::string> listed;
  for (const std::int32_t e : order) listed.emplace_back(table[e].strWord);
  EXPECT_EQ(listed, (std::vector<std::string>{"d", "b", "e", "g", "h", "a", "f", "j", "c"}));
  for (std::size_t k = 0; k < order.size(); ++k)
    EXPECT_EQ(table[order[k]].lngFreqRank, static_cast<std::int32_t>(k + 1));
  EXPECT_EQ(table[9].lngFreqRank, 0);   // i: count 0
  EXPECT_EQ(table[11].lngFreqRank, 0);  // k: excluded
}

TEST(WordTableSort, AddWithTimesAndACopyThatOutlivesTheOriginal) {
  WordTable table;
  table.Reset();
  EXPECT_TRUE(table.Add("zebra", 3));
  EXPECT_TRUE(table.Add("apple"));
  EXPECT_FALSE(table.Add("zebra", 4));
  WordTable copy = table;
  table.Reset();
  table.Add("other");
  ASSERT_EQ(copy.NumWords(), 2);
  EXPECT_EQ(copy[1].strWord, "zebra");  // found order until OrderByWord
  EXPECT_EQ(copy[1].count, 7);
  EXPECT_FALSE(copy.Add("apple", 2));
  EXPECT_EQ(copy[2].count, 3);
  copy.OrderByWord();
  EXPECT_EQ(Words(copy), (std::vector<std::string>{"apple", "zebra"}));
}

}  // namespace
}  // namespace kwl
