// Words in every script: counts of UTF-8, Windows-1252, UTF-16 and DOCX
// text with CountRules::unicode, over small texts and the declarations of
// the shared corpus (skipped when it is absent).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "count/counter.h"
#include "count/rules_from_settings.h"
#include "files/paths.h"
#include "scan/no_space_splitter.h"
#include "sources/clipboard_text.h"
#include "sources/input_file.h"
#include "support/test_files.h"
#include "text/cp1252.h"
#include "text/unicode_text.h"

namespace kwl {
namespace {

using Words = std::map<std::string, std::int64_t>;
using namespace std::string_literals;

Words WordsOf(const CountResult& result) {
  Words words;
  for (std::int32_t i = 1; i <= result.words.NumWords(); ++i)
    words[std::string(result.words[i].strWord)] = result.words[i].count;
  return words;
}

// The settings with none of the filters: every word found is counted.
Settings Plain() { return test::WithoutFilters(); }

CountRules UnicodeRules(const Settings& settings = Plain(), scan::MarkupKind markup = {"", false}) {
  CountRules rules = CountRulesFromSettings(settings, CountLists{}, markup);
  rules.unicode = true;
  return rules;
}

// A UTF-8 text counted as clipboard text.
Words CountText(const std::string& text, const Settings& settings = Plain()) {
  ClipboardTextSource source(text);
  source.SetUnicode(true);
  CountObserver quiet;
  const CountResult result = Count(source, UnicodeRules(settings), quiet, 0);
  EXPECT_TRUE(result.status.Ok());
  EXPECT_TRUE(result.words.Unicode());
  return WordsOf(result);
}

// A file counted as the command line opens it, in the mode or not.
Words CountFile(const std::string& path, bool unicode, std::int64_t splitMinUnits = 0) {
  OpenedFile file = OpenInputFile(path, InputFileChoice{std::nullopt, false, unicode});
  EXPECT_TRUE(file.source != nullptr) << path;
  if (!file.source) return {};
  CountRules rules = CountRulesFromSettings(Plain(), CountLists{}, file.markup);
  rules.unicode = unicode;
  CountObserver quiet;
  const CountResult result = Count(*file.source, rules, quiet, splitMinUnits);
  EXPECT_TRUE(result.status.Ok()) << path;
  return WordsOf(result);
}

TEST(UnicodeCount, CorpusDeclarationsCountTheirWords) {
  const struct {
    const char* file;
    const char* word;
    std::int64_t count;
  } cases[] = {
      {"unicode/udhr_pol.html", "człowieka", 7},
      {"unicode/udhr_rus.html", "человека", 8},
  };
  for (const auto& c : cases) {
    KWL_REQUIRE_CORPUS(path, c.file);
    const Words words = CountFile(path, true);
    ASSERT_TRUE(words.count(c.word)) << c.file;
    EXPECT_EQ(words.at(c.word), c.count) << c.file;
    // Read on two threads, the count is the same.
    EXPECT_EQ(CountFile(path, true, 1000), words) << c.file;
  }
}

TEST(UnicodeCount, ScriptsWithoutSpacesGiveShortWords) {
  // Thai words are longer in code points: their vowels and tone marks are
  // characters of their own.
  const struct {
    const char* file;
    std::size_t longest;
  } cases[] = {{"unicode/udhr_cmn_hans.html", 8}, {"unicode/udhr_jpn.html", 8}, {"unicode/udhr_tha.html", 16}};
  for (const auto& [file, longest] : cases) {
    KWL_REQUIRE_CORPUS(path, file);
    const Words words = CountFile(path, true);
    EXPECT_GT(words.size(), 100U) << file;
    for (const auto& [word, count] : words) {
      std::size_t start = 0;
      if (!unicode::IsNoSpaceLetter(unicode::Next(word, start))) continue;
      EXPECT_LE(unicode::Length(word), longest) << file << ": " << word;
    }
  }
}

TEST(UnicodeCount, WordsAreFoldedAndComposedAsDocumented) {
  Settings significant = Plain();
  significant.caseSignificant = 1;
  Settings numerals = Plain();
  numerals.allowNumerals = 1;
  Settings apostrophes = Plain();
  apostrophes.allowApostrophes = 1;
  const struct {
    std::string text;
    Settings settings;
    Words expected;
  } cases[] = {
      // Greek final sigma and capital sigma fold to one small sigma.
      {"ΚΟΣΜΟΣ κόσμος Κόσμος", {}, {{"κοσμοσ", 1}, {"κόσμοσ", 2}}},
      // Turkish: "I" folds to "i", the dotless "ı" stays, "İ" is "i" + U+0307.
      {"IŞIK ışık İstanbul istanbul", {}, {{"işik", 1}, {"ışık", 1}, {"i\u0307stanbul", 1}, {"istanbul", 1}}},
      {"Straße STRASSE", {}, {{"strasse", 2}}},
      {"Straße STRASSE", significant, {{"STRASSE", 1}, {"Straße", 1}}},
      // Decomposed input is composed; marks inside a word belong to it.
      {"e\u0301te\u0301 été", {}, {{"été", 2}}},
      {"\u0301\u0302\u0303 \u0301", {}, {}},
      {"Łódź 2024 ٢٠٢٤", {}, {{"łódź", 1}}},
      {"Łódź 2024 ٢٠٢٤", numerals, {{"łódź", 1}, {"2024", 1}, {"٢٠٢٤", 1}}},
      // The typographic apostrophe is the apostrophe.
      {"don’t don't", {}, {{"don", 2}}},
      {"don’t don't", apostrophes, {{"don't", 2}}},
      {"Dvořák's Dvořák", {}, {{"dvořák", 2}}},
  };
  for (const auto& c : cases) EXPECT_EQ(CountText(c.text, c.settings), c.expected) << c.text;
}

TEST(UnicodeCount, FiltersWorkOnCharacters) {
  Settings s = Plain();
  s.ignoreShortWords = 1;
  s.shortWordSizeIndex = 2;  // shorter than 4 characters
  s.ignoreRepetitions = 1;
  s.only7bitAscii = 0;
  EXPECT_EQ(CountText("ćma żaba жжжж жук word", s), (Words{{"żaba", 1}, {"word", 1}}));
  // Words the dictionary splits off are kept however short, and a doubled
  // character is a word there.
  EXPECT_EQ(CountText("人人 的 権利 ab 人人", s), (Words{{"人人", 2}, {"的", 1}, {"権利", 1}}));
  Settings ascii = Plain();
  ascii.only7bitAscii = 1;
  EXPECT_EQ(CountText("plain café słowo", ascii), (Words{{"plain", 1}}));
  Settings finalS = Plain();
  finalS.dropFinalS = 1;
  EXPECT_EQ(CountText("cafés łódźs λόγοs", finalS), (Words{{"cafés", 1}, {"łódź", 1}, {"λόγοs", 1}}));
}

TEST(UnicodeCount, EveryEncodingGivesTheSameWords) {
  test::TempDir dir;
  const std::string text = "Żółw i ŻÓŁW, \xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 na łące.\r\nŻółw\n";
  std::string le = "\xFF\xFE";
  std::string be = "\xFE\xFF";
  {
    std::string utf16;
    // Through ICU's own converter would be circular: the code units by hand.
    std::size_t i = 0;
    while (i < text.size()) {
      const char32_t cp = unicode::Next(text, i);
      const auto unit = static_cast<char16_t>(cp);
      le += static_cast<char>(unit & 0xFF);
      le += static_cast<char>(unit >> 8);
      be += static_cast<char>(unit >> 8);
      be += static_cast<char>(unit & 0xFF);
    }
  }
  const Words expected{{"i", 1}, {"łące", 1}, {"na", 1}, {"λόγοσ", 1}, {"żółw", 3}};
  EXPECT_EQ(CountFile(dir.Write("utf8.txt", text), true), expected);
  EXPECT_EQ(CountFile(dir.Write("bom.txt", "\xEF\xBB\xBF" + text), true), expected);
  EXPECT_EQ(CountFile(dir.Write("le.txt", le), true), expected);
  EXPECT_EQ(CountFile(dir.Write("be.txt", be), true), expected);
  test::WriteDocx(dir.File("doc.docx"), "<w:p><w:r><w:t>Żółw i ŻÓŁW, λόγος na łące. Żółw</w:t></w:r></w:p>");
  EXPECT_EQ(CountFile(dir.File("doc.docx"), true), expected);
}

TEST(UnicodeCount, AWindows1252FileListsTheSameWordsInTheMode) {
  test::TempDir dir;
  const std::string path = dir.Write(
      "ansi.txt", "Le c\xF4t\xE9 na\xEFve de l'\xE9t\xE9, \xC9T\xC9 et \xE9t\xE9.\r\nSe\xF1or M\xFCller, \xC5ngstr\xF6m!\r\n");
  Words off;
  for (const auto& [word, count] : CountFile(path, false)) off[cp1252::ToUtf8(word)] = count;
  EXPECT_EQ(CountFile(path, true), off);
  KWL_REQUIRE_CORPUS(novel, "text/es_cervantes_don-quijote_pg2000-2010ed.latin1.crlf.txt");
  Words novelOff;
  for (const auto& [word, count] : CountFile(novel, false)) novelOff[cp1252::ToUtf8(word)] = count;
  EXPECT_EQ(CountFile(novel, true), novelOff);
}

TEST(UnicodeCount, BadTextGivesSensibleWords) {
  test::TempDir dir;
  const struct {
    std::string name;
    std::string bytes;
    Words expected;
  } cases[] = {
      // Malformed UTF-8 (in a file detected as UTF-8 by its mark): U+FFFD, no word character.
      {"bad.txt", "\xEF\xBB\xBFgood \xC3\xA9t\xC3\xA9 b\xC3" "ad \xF0\x9F w\xE9rd \xED\xA0\x80x", {{"good", 1}, {"été", 1}, {"b", 1}, {"ad", 1}, {"w", 1}, {"rd", 1}, {"x", 1}}},
      // UTF-16 with an unpaired high and an unpaired low surrogate.
      {"pairs.txt", "\xFF\xFE" "a\0b\0\x00\xD8 \0c\0\x00\xDC"s, {{"ab", 1}, {"c", 1}}},
      // An odd last byte.
      {"odd.txt", "\xFE\xFF\0x\0y\0"s, {{"xy", 1}}},
      // A byte-order mark that lies: the ASCII after it read as UTF-16 units.
      {"liar.txt", "\xFF\xFEhello world\r\n", {}},
  };
  for (const auto& c : cases) {
    const Words words = CountFile(dir.Write(c.name, c.bytes), true);
    if (c.name == "liar.txt") {
      EXPECT_FALSE(words.empty());  // some words, in whatever script the bytes make
    } else {
      EXPECT_EQ(words, c.expected) << c.name;
    }
  }
}

TEST(UnicodeCount, MarkupAndEntitiesAreSkippedAsInTheCodePage) {
  test::TempDir dir;
  const std::string path = dir.Write(
      "page.html", "<p class=\"x\">Caf&eacute; &amp; <b>Łódź</b><!-- ukryty komentarz --> &#1046;ук&#1046; жук</p>\n");
  // A numeric entity is skipped with the letters right after it, as ever.
  EXPECT_EQ(CountFile(path, true), (Words{{"café", 1}, {"łódź", 1}, {"жук", 1}}));
}

TEST(NoSpaceSplitter, ChunksPartARunWithoutLosingCharacters) {
  std::string run;
  for (int i = 0; i < 400; ++i) run += "人人生而自由在尊严和权利上一律平等";
  scan::NoSpaceSplitter splitter;
  for (std::size_t chunk : {std::size_t{7}, std::size_t{64}, std::size_t{1000}, scan::NoSpaceSplitter::kChunkBytes}) {
    std::string joined;
    std::size_t words = 0;
    std::size_t longest = 0;
    splitter.Split(run, [&](std::string_view w) {
      joined += w;
      ++words;
      longest = std::max(longest, unicode::Length(w));
      return true;
    }, chunk);
    EXPECT_EQ(joined, run) << chunk;
    EXPECT_GT(words, 400U * 5) << chunk;
    EXPECT_LE(longest, 8U) << chunk;
  }
  std::size_t seen = 0;
  EXPECT_FALSE(splitter.Split(run, [&](std::string_view) { return ++seen < 3; }));
  EXPECT_EQ(seen, 3U);
}

}  // namespace
}  // namespace kwl
