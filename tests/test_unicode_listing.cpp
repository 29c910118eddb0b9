#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "count/word_table.h"
#include "count_run.h"
#include "list_words.h"
#include "listing/collation.h"
#include "listing/count_listing.h"
#include "listing/listing_writer.h"
#include "listing/order.h"
#include "listing/statistics.h"
#include "listing/string_sink.h"
#include "support/test_files.h"
#include "text/utf8_measure.h"

namespace kwl {
namespace {

// A table of UTF-8 words, each counted as often as given, in binary order
// as a scan leaves it.
WordTable UnicodeTable(const std::vector<std::pair<std::string, int>>& words) {
  WordTable table;
  table.SetUnicode(true);
  table.Reset();
  for (const auto& [word, count] : words) table.Add(word, count);
  table.OrderByWord();
  return table;
}

std::vector<std::string> Words(const WordTable& table) {
  std::vector<std::string> out;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) out.emplace_back(table[i].strWord);
  return out;
}

std::vector<std::string> Alphabetical(const std::vector<std::string>& found, int startPos = 1) {
  std::vector<std::pair<std::string, int>> words;
  for (const std::string& w : found) words.emplace_back(w, 1);
  WordTable table = UnicodeTable(words);
  SortWordTable(table, 1, table.NumWords(), startPos);
  return Words(table);
}

TEST(UnicodeOrder, AlphabeticalOrderFollowsTheRootCollation) {
  struct Case {
    const char* name;
    std::vector<std::string> found;
    std::vector<std::string> expected;
    int startPos = 1;
  };
  const Case cases[] = {
      {"empty table", {}, {}},
      {"one word", {"łódź"}, {"łódź"}},
      {"Polish l with stroke after the words in l", {"zebra", "mama", "łódź", "lody", "lato"},
       {"lato", "lody", "łódź", "mama", "zebra"}},
      {"an accent between its base word and a longer one", {"emilia", "émile", "emil"},
       {"emil", "émile", "emilia"}},
      // ß collates as ss: straße and strasse are equal, and keep binary order.
      {"German sharp s", {"strasz", "straße", "strasse", "straf", "strass"},
       {"straf", "strass", "strasse", "straße", "strasz"}},
      // The accented alpha is equal to the plain one and first in binary order.
      {"Greek", {"ωμέγα", "βήτα", "αλφα", "άλφα"}, {"άλφα", "αλφα", "βήτα", "ωμέγα"}},
      {"Greek final sigma equals sigma", {"λόγοσ", "λόγος", "λόγοι"}, {"λόγοι", "λόγος", "λόγοσ"}},
      // ё is е with an accent (binary order would put it after я).
      {"Russian", {"яблоко", "ёлка", "жук", "ель", "абрикос"}, {"абрикос", "ёлка", "ель", "жук", "яблоко"}},
      {"scripts in the order of the root collation", {"日本", "мама", "zebra", "αλφα", "alpha", "2nd"},
       {"2nd", "alpha", "zebra", "αλφα", "мама", "日本"}},
      {"Han in code point order", {"人", "中", "一"}, {"一", "中", "人"}},
      // Case and accents tie: capitals first, as binary order has them.
      {"case variants keep binary order", {"banana", "äpple", "apple", "Apple", "APPLE"},
       {"APPLE", "Apple", "apple", "äpple", "banana"}},
      {"from the second character on", {"zc", "ya", "xb"}, {"ya", "xb", "zc"}, 2},
      {"from the second character of multibyte words", {"ąc", "ża", "łb"}, {"ża", "łb", "ąc"}, 2},
      {"a position past the end: every key empty, binary order", {"b", "ab", "é"}, {"ab", "b", "é"}, 9},
      // A malformed byte collates as the replacement character, after every letter.
      {"malformed bytes", {"b\xFF", "bz", "a"}, {"a", "bz", "b\xFF"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Alphabetical(c.found, c.startPos), c.expected) << c.name;
}

TEST(UnicodeOrder, TheOrderDoesNotDependOnTheTablesEarlierOrder) {
  // Words with many ties (case and accent variants) and keys longer than the
  // eight bytes sorted at once; each order must equal the reference, and
  // shuffling the table first must not change it.
  const std::vector<std::string> stems = {"e", "é", "E", "É", "ê", "ss", "ß", "ł", "l", "日", "ж", "Ж", "ё"};
  std::mt19937 random(14);
  std::vector<std::string> words;
  for (int k = 0; k < 3000; ++k) {
    std::string word = random() % 2 ? "prefixed" : "";
    const int length = 1 + static_cast<int>(random() % 5);
    for (int j = 0; j < length; ++j) word += stems[random() % stems.size()];
    words.push_back(word);
  }
  std::vector<std::pair<std::string, int>> counted;
  for (const std::string& w : words) counted.emplace_back(w, 1);
  WordTable table = UnicodeTable(counted);
  std::vector<std::string> expected = Words(table);
  std::stable_sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
    const std::string ka = PrimarySortKey(a);
    const std::string kb = PrimarySortKey(b);
    return ka != kb ? ka < kb : a < b;
  });
  SortWordTable(table, 1, table.NumWords(), 1);
  EXPECT_EQ(Words(table), expected);

  std::vector<std::uint32_t> shuffle(static_cast<std::size_t>(table.NumWords()));
  for (std::size_t k = 0; k < shuffle.size(); ++k) shuffle[k] = static_cast<std::uint32_t>(k);
  std::shuffle(shuffle.begin(), shuffle.end(), random);
  table.Permute(1, shuffle);
  SortWordTable(table, 1, table.NumWords(), 1);
  EXPECT_EQ(Words(table), expected);
}

TEST(UnicodeOrder, EqualCountsFollowTheAlphabeticalOrder) {
  WordTable table = UnicodeTable({{"zebra", 2}, {"łódź", 2}, {"mama", 3}, {"lody", 2}, {"émile", 1}});
  SortWordTable(table, 1, table.NumWords(), 1);
  std::vector<std::string> byFrequency;
  for (const std::int32_t entry : RankByFrequency(table)) byFrequency.emplace_back(table[entry].strWord);
  EXPECT_EQ(byFrequency, (std::vector<std::string>{"mama", "lody", "łódź", "zebra", "émile"}));
}

TEST(UnicodeOrder, TheFlagAndTheBinaryOrderOfUtf8Words) {
  // "À" is C3 80 and "é" C3 A9: bytes in code point order put "À" first; read
  // as Windows-1252 (Ã€ and Ã©) the euro sign sorts after the copyright sign.
  WordTable unicode = UnicodeTable({{"é", 1}, {"À", 1}, {"я", 1}, {"ё", 1}});
  EXPECT_TRUE(unicode.Unicode());
  EXPECT_EQ(Words(unicode), (std::vector<std::string>{"À", "é", "я", "ё"}));
  WordTable cp1252;
  cp1252.Reset();
  cp1252.Add("\xC3\xA9");
  cp1252.Add("\xC3\x80");
  cp1252.OrderByWord();
  EXPECT_FALSE(cp1252.Unicode());
  EXPECT_EQ(Words(cp1252), (std::vector<std::string>{"\xC3\xA9", "\xC3\x80"}));

  const WordTable copy(unicode);
  EXPECT_TRUE(copy.Unicode());
  WordTable assigned;
  assigned = copy;
  EXPECT_TRUE(assigned.Unicode());
  WordTable moved(std::move(assigned));
  EXPECT_TRUE(moved.Unicode());
  moved.Reset();
  EXPECT_TRUE(moved.Unicode()) << "Reset keeps how the words are held";
}

TEST(Utf8Measure, CharactersAndDisplayColumns) {
  struct Case {
    const char* name;
    std::string text;
    int characters;
    int columns;
  };
  const Case cases[] = {
      {"empty", "", 0, 0},
      {"ASCII", "word", 4, 4},
      {"Latin letters of two bytes", "łódź", 4, 4},
      {"Han, wide", "日本語", 3, 6},
      {"Hangul syllables, wide", "한국어", 3, 6},
      {"fullwidth letter", "\uFF21", 1, 2},
      {"halfwidth katakana", "\uFF71", 1, 1},
      {"a combining acute takes no column", "e\u0301", 2, 1},
      {"Thai marks above a consonant", "ส้ม", 3, 2},
      {"Devanagari spacing vowel sign", "का", 2, 2},
      {"zero width joiner", "a\u200Db", 3, 2},
      {"an emoji of four bytes", "\U0001F600", 1, 2},
      {"mixed scripts", "Tokyo東京", 7, 9},
      {"only combining marks", "\u0301\u0302", 2, 0},
      {"a malformed byte is one character", "a\xFFz", 3, 3},
      {"a cut sequence at the end", "a\xE6\x97", 2, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8Characters(c.text), c.characters) << c.name;
    EXPECT_EQ(DisplayWidth(c.text), c.columns) << c.name;
  }
}

// A finished Unicode table, ranked, with the layout its statistics give.
struct UnicodeListing {
  explicit UnicodeListing(const std::vector<std::pair<std::string, int>>& words) : table(UnicodeTable(words)) {
    SortWordTable(table, 1, table.NumWords(), 1);
    const ListStatistics st = ComputeListStatistics(table, 0);
    layout.wordsListed = st.wordsListed;
    layout.maxFrequency = st.maxFrequency;
    layout.longestWord = st.longestWord;
    order = RankByFrequency(table);
  }
  std::string Write(bool byKey) const {
    StringSink sink;
    ListingWriter writer(table, layout);
    if (byKey) {
      writer.WriteInKeyOrder(sink);
    } else {
      writer.WriteInFrequencyOrder(order, sink);
    }
    return sink.Text();
  }
  WordTable table;
  ListingLayout layout;
  std::vector<std::int32_t> order;
};

TEST(UnicodeListing, WordsArePaddedByDisplayWidthAndTheNoteCountsCharacters) {
  // 日本語です: 5 characters, 10 columns; łódź 4 and 4; ส้ม 3 and 2.
  const std::vector<std::pair<std::string, int>> words = {{"łódź", 2}, {"日本語です", 3}, {"ส้ม", 1}};
  struct Case {
    const char* name;
    int format;
    bool byKey;
    bool commas;
    std::string text;
  };
  const Case cases[] = {
      {"the note in characters, a last word unpadded", 0, false, false,
       "   Rank    Freq  Word (longest has 5 characters)\r\n"
       "      1       3  日本語です\r\n"
       "      2       2  łódź\r\n"
       "      3       1  ส้ม\r\n"},
      {"a word column as wide as the widest word's columns", 1, true, false,
       "   Rank  Word          Freq\r\n"
       "      2  łódź             2\r\n"
       "      3  ส้ม               1\r\n"
       "      1  日本語です       3\r\n"},
      {"word first", 7, false, false,
       "  Word         Freq\r\n"
       "  日本語です      3\r\n"
       "  łódź            2\r\n"
       "  ส้ม              1\r\n"},
      {"the comma layout pads nothing", 1, false, true,
       "    Rank,  Word,   Freq\r\n"
       "       1,  日本語です,      3\r\n"
       "       2,  łódź,      2\r\n"
       "       3,  ส้ม,      1\r\n"},
      {"one line", 9, true, false, "łódź, ส้ม, 日本語です"},
  };
  for (const Case& c : cases) {
    UnicodeListing listing(words);
    listing.layout.format = c.format;
    listing.layout.commas = c.commas;
    EXPECT_EQ(listing.Write(c.byKey), c.text) << c.name;
  }
  // Narrow words keep the least width, as Windows-1252 words do.
  UnicodeListing narrow({{"ab", 1}, {"中", 1}});
  narrow.layout.format = 1;
  EXPECT_EQ(narrow.Write(true),
            "   Rank  Word      Freq\r\n"
            "      1  ab           1\r\n"
            "      2  中           1\r\n");
}

TEST(UnicodeListing, TheOutputFileIsUtf8WithAByteOrderMarkAndSaysSo) {
  const test::TempDir dir;
  const std::string path = dir.Path() + "/list.txt";
  struct Case {
    const char* name;
    bool commas;
    std::string text;
  };
  const Case cases[] = {
      {"spaces", false,
       "\xEF\xBB\xBF\"To open this file in Excel state that it is delimited by spaces.\r\n"
       "\"Set File Origin: Unicode (UTF-8) & Text qualifier: double-quote.\r\n"
       "\r\n"
       "   Rank    Freq  Word (longest has 4 characters)\r\n"
       "      1       2  łódź\r\n"
       "      2       1  żółw\r\n"},
      {"commas", true,
       "\xEF\xBB\xBF\"To open this file in Excel state that it is delimited by commas.\r\n"
       "\"Set File Origin: Unicode (UTF-8) & Text qualifier: double-quote.\r\n"
       "\r\n"
       "    Rank,    Freq,  Word (longest has 4 characters)\r\n"
       "       1,       2,  łódź\r\n"
       "       2,       1,  żółw\r\n"},
  };
  for (const Case& c : cases) {
    WordTable table;
    table.SetUnicode(true);
    table.Reset();
    table.Add("żółw");
    table.Add("łódź", 2);
    table.OrderByWord();
    SortWordTable(table, 1, table.NumWords(), 1);
    Settings settings;
    settings.outputWithCommas = c.commas ? 1 : 0;
    const ListStatistics statistics = ComputeListStatistics(table, 3);
    CountListing listing(table, settings, statistics);
    ASSERT_TRUE(listing.WriteFile(path).Ok()) << c.name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.text) << c.name;
  }
}

TEST(UnicodeListing, TheWindowListsUtf8WordsAsTheyAre) {
  test::TestSession t;
  Session& s = t.session;
  s.main.cboWordOrder.SetListIndex(1);
  s.main.cboDisplayFormat.SetListIndex(1);
  s.aWords.SetUnicode(true);
  s.aWords.Reset();
  s.run.lngTotalNumOccurrences = 0;
  for (const auto& [word, count] : std::vector<std::pair<std::string, int>>{
           {"mama", 1}, {"東京都庁舎", 2}, {"łódź", 1}, {"lody", 3}}) {
    s.aWords.Add(word, count);
    s.run.lngTotalNumOccurrences += count;
  }
  s.run.intThresholdFrequency = s.params.ThresholdFrequency();
  FinishCount(s);
  EXPECT_EQ(s.run.intMaxWordLengthFound, 5) << "characters, not bytes";
  EXPECT_EQ(s.main.txbOutput.Text(),
            "   Rank  Word          Freq\r\n"
            "      1  lody             3\r\n"
            "      3  łódź             1\r\n"
            "      4  mama             1\r\n"
            "      2  東京都庁舎       2\r\n");
}

}  // namespace
}  // namespace kwl
