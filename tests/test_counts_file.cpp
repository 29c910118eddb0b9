// The counts table: every Windows-1252 character of a word comes back
// exactly, every cut or altered table is refused with the line and the fault,
// and headers merge only under the same rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "count/count_rules.h"
#include "count/ignore_list.h"
#include "count/word_table.h"
#include "listing/counts_file.h"
#include "support/test_files.h"

namespace kwl {
namespace {

CountsTableHeader HeaderOf(const CountRules& rules, std::int64_t occurrences, std::int32_t files) {
  CountsTableHeader h;
  h.rules = CountsRulesOf(rules);
  h.totalOccurrences = occurrences;
  h.filesCounted = files;
  return h;
}

std::string TextOf(const WordTable& words, const CountsTableHeader& header) {
  std::string text;
  FormatCountsTable(words, header, [&](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

// A table of the given words, each counted `count` times in one file.
std::string TableOf(const std::vector<std::string>& words, std::int64_t count = 2) {
  WordTable table;
  table.TrackFiles();
  for (const std::string& w : words) table.Add(w, count);
  table.OrderByWord();
  return TextOf(table, HeaderOf(CountRules{}, count * static_cast<std::int64_t>(words.size()), 1));
}

TEST(CountsFile, EveryCharacterOfAWordComesBackExactly) {
  // Each byte 0x20..0xFF as a word of its own and inside a word, a backslash
  // before an escape's look-alike, and the control bytes no scan keeps.
  std::vector<std::string> words;
  for (int b = 0x20; b <= 0xFF; ++b) {
    words.push_back(std::string(1, static_cast<char>(b)));
    words.push_back("a" + std::string(1, static_cast<char>(b)) + "z");
  }
  words.push_back("\\x41");
  words.push_back("a\\\\b");
  words.push_back(std::string("\x01\t\n\r\x7F", 5));
  WordTable table;
  table.TrackFiles();
  for (std::size_t i = 0; i < words.size(); ++i) table.Add(words[i], static_cast<std::int64_t>(i % 7) + 1);
  table.OrderByWord();
  const std::string text = TextOf(table, HeaderOf(CountRules{}, 10000, 1));
  // One line per row: no word brought a tab or a line end of its own.
  EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), words.size() + 3);

  CountsTableHeader header;
  WordTable back;
  back.TrackFiles();
  const Status st = ReadCountsTableText(text, header, back);
  ASSERT_TRUE(st.Ok()) << st.detail;
  back.OrderByWord();
  ASSERT_EQ(back.NumWords(), table.NumWords());
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    EXPECT_EQ(back[i].strWord, table[i].strWord) << i;
    EXPECT_EQ(back[i].count, table[i].count) << i;
    EXPECT_EQ(back.Files(i), 1) << i;
  }
  EXPECT_EQ(header.rules, CountsRulesOf(CountRules{}));
  EXPECT_EQ(header.totalOccurrences, 10000);
  EXPECT_EQ(CountsWordText("caf\xE9\x80\\"), "caf\xC3\xA9\xE2\x82\xAC\\\\");
  EXPECT_EQ(CountsDisplayText("caf\xE9\t"), "caf\xC3\xA9\xEF\xBF\xBD");
}

TEST(CountsFile, EveryCutOfATableIsRefused) {
  const std::string text = TableOf({"cat", "dog", "emu"});
  for (std::size_t n = 0; n < text.size(); ++n) {
    CountsTableHeader header;
    WordTable table;
    table.TrackFiles();
    const Status st = ReadCountsTableText(text.substr(0, n), header, table);
    EXPECT_EQ(st.kind, Status::Kind::kBadFormat) << n << " bytes";
  }
}

TEST(CountsFile, AlteredTablesAreRefusedWithTheLineAndTheFault) {
  const std::string good = TableOf({"cat", "dog"});
  const std::string header = good.substr(0, good.find('\n') + 1);
  const std::string columns = "word\tdisplay spelling\tcount\tfiles\n";
  const std::string end = "#end\twords=2\n";
  const auto replaced = [&](std::string from, std::string to) {
    std::string t = good;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  const struct {
    const char* name;
    std::string text;
    std::string detail;
  } cases[] = {
      {"empty", "", "line 1: not a Kestrawl counts table"},
      {"another kind of file", "word\tcount\ncat\t2\n", "line 1: not a Kestrawl counts table"},
      {"another version", replaced("version=1", "version=2"), "line 1: a counts table of version 2"},
      {"a rule missing", replaced("\tcase=0", ""), "line 1: the header lacks the rule case"},
      {"an unknown field", replaced("\twords=2\n", "\twords=2\tmore=1\n"), "line 1: the header has more fields"},
      {"other columns", replaced("display spelling", "shown"), "line 2: the column names"},
      {"a row of three fields", replaced("cat\tcat\t2\t1", "cat\t2\t1"), "line 3: a row has 3 fields"},
      {"a count with a leading zero", replaced("cat\tcat\t2", "cat\tcat\t02"), "line 3: the count"},
      {"a negative count", replaced("cat\tcat\t2", "cat\tcat\t-2"), "line 3: the count"},
      {"a count above the occurrences", replaced("cat\tcat\t2", "cat\tcat\t5"), "line 3: the count"},
      {"more files than the header's", replaced("cat\tcat\t2\t1", "cat\tcat\t2\t2"), "line 3: the files"},
      {"no files", replaced("cat\tcat\t2\t1", "cat\tcat\t2\t0"), "line 3: the files"},
      {"a display spelling not the word's", replaced("cat\tcat", "cat\tCat"), "line 3: the display spelling"},
      {"an escape this program does not write", replaced("cat\tcat", "c\\x61t\tcat"), "line 3: the word"},
      {"a lone backslash", replaced("cat\tcat", "c\\t\tc\\t"), "line 3: the word"},
      {"an empty word", replaced("cat\tcat", "\t"), "line 3: the word"},
      {"words out of order", header + columns + "dog\tdog\t2\t1\ncat\tcat\t2\t1\n" + end, "line 4: the words are not"},
      {"a word twice", header + columns + "cat\tcat\t2\t1\ncat\tcat\t2\t1\n" + end, "line 4: the words are not"},
      {"rows missing", header + columns + "cat\tcat\t2\t1\n" + end, "line 4: the #end line"},
      {"a row too many", replaced(end, "emu\temu\t1\t1\n" + end), "line 5: more rows"},
      {"no line end after #end", good.substr(0, good.size() - 1), "line 5: the table is cut short"},
      {"text after #end", good + "x\n", "line 6: text after the #end line"},
      {"CR LF line ends", replaced("\t1\n", "\t1\r\n"), "line 3: the files"},
  };
  for (const auto& c : cases) {
    CountsTableHeader h;
    WordTable table;
    table.TrackFiles();
    const Status st = ReadCountsTableText(c.text, h, table);
    EXPECT_EQ(st.kind, Status::Kind::kBadFormat) << c.name;
    EXPECT_EQ(st.detail.rfind(c.detail, 0), 0u) << c.name << ": " << st.detail;
  }
  CountsTableHeader h;
  WordTable table;
  table.TrackFiles();
  EXPECT_TRUE(ReadCountsTableText(good, h, table).Ok());
}

TEST(CountsFile, HeadersMergeOnlyUnderTheSameRules) {
  CountRules base;
  IgnoreList ignore;
  ignore = std::string(" the and ");
  const auto with = [&](auto change) {
    CountRules r = base;
    change(r);
    return HeaderOf(r, 5, 2);
  };
  const struct {
    const char* name;
    CountsTableHeader later;
    std::string detail;  // empty: merged
  } cases[] = {
      {"the same rules", HeaderOf(base, 5, 2), ""},
      {"case", with([](CountRules& r) { r.word.caseSignificant = true; }), "case=1, not case=0"},
      {"characters", with([](CountRules& r) { r.allowedExtraChars = "'"; }), "chars=', not chars="},
      {"short words", with([](CountRules& r) { r.word.ignoreShortWords = true; }), "short=3, not short=off"},
      {"short-word size while not ignored", with([](CountRules& r) { r.word.shortWordSize = 5; }), ""},
      {"words to ignore", with([&](CountRules& r) { r.word.wordsToIgnore = &ignore; }), "ignore=2:"},
      {"infrequent words (applied when listing)",
       with([](CountRules& r) { r.word.ignoreInfrequentWords = true; r.word.thresholdFrequency = 5; }), ""},
  };
  for (const auto& c : cases) {
    CountsTableHeader whole;
    ASSERT_TRUE(MergeCountsHeader(whole, HeaderOf(base, 7, 3), true).Ok());
    const Status st = MergeCountsHeader(whole, c.later, false);
    if (c.detail.empty()) {
      EXPECT_TRUE(st.Ok()) << c.name << ": " << st.detail;
      EXPECT_EQ(whole.totalOccurrences, 12) << c.name;
      EXPECT_EQ(whole.filesCounted, 5) << c.name;
    } else {
      EXPECT_EQ(st.kind, Status::Kind::kBadFormat) << c.name;
      EXPECT_EQ(st.detail.rfind(c.detail, 0), 0u) << c.name << ": " << st.detail;
    }
  }
  EXPECT_TRUE(with([&](CountRules& r) { r.word.wordsToIgnore = &ignore; }).IgnoresListedWords());
  EXPECT_FALSE(HeaderOf(base, 1, 1).IgnoresListedWords());
}

}  // namespace
}  // namespace kwl
