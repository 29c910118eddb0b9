// The Unicode scan on ASCII text: its words take the code page's byte-table
// path, which must give what the Unicode finishing gives, and the count
// batches them without changing the order the words are found in.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "count/counter.h"
#include "count/rules_from_settings.h"
#include "scan/markup.h"
#include "scan/scanner.h"
#include "sources/clipboard_text.h"

namespace kwl::scan {
namespace {

struct Collect : ScanSink {
  std::vector<std::string> words;
  bool Word(std::string_view w) override {
    if (!w.empty()) words.emplace_back(w);
    return true;
  }
  void Yield() override {}
};

struct Case {
  std::string name;
  std::string allowed;
  ScanRules rules;
  std::string_view markup;  // "", "C" or "HTML"
  std::vector<std::string> lines;
  // For text beyond ASCII, the words of the Unicode scan (the code page's
  // scan then differs); for ASCII text, empty.
  std::vector<std::string> expected = {};
};

LineScanner MakeScanner(const Case& c) {
  LineScanner scanner;
  scanner.SetAllowedExtraChars(c.allowed);
  scanner.rules = c.rules;
  if (!c.markup.empty()) scanner.markers.SetCommentMarkers(c.markup);
  scanner.blnCharacterEntitiesPossible = c.markup == "HTML";
  return scanner;
}

TEST(UnicodeScan, AsciiGivesTheWordsOfTheCodePageScan) {
  const ScanRules plain{};
  const ScanRules finalS{.dropFinalS = true};
  const ScanRules apostrophes{.apostrophesAllowed = true};
  const ScanRules folded{.dropFinalS = true, .foldCase = true};
  const ScanRules reading{.dropFinalS = true, .readingWords = true};
  const std::string longRun(LineScanner::kMaxRun + 10, 'a');
  const std::string noWords(3 * LineScanner::kYieldBytes, '.');
  const Case cases[] = {
      {"fragments", "", plain, "", {"s t S T isn ARen Shouldn wouldn't don't a n nn isnt"}},
      {"fragments kept", "'", apostrophes, "", {"isn't 'tis o'clock cats' s' 'n' aren"}},
      {"final s", "'", finalS,
       "", {"dogs cats's glass bus as is us physics maths Stats Dickens ALWAYS perhaps ics cars. runs, 's"}},
      {"final s, folded", "-", folded, "", {"Dogs GLASS Physics E-Mails X-Rays CATS-"}},
      {"stripped ends", ".:'", plain, "", {"e.g. U.S.A. end... ratio: a:b: (hello) x' 'y' ..."}},
      {"numerals and extras", "0123456789-_@:/.\\", finalS,
       "", {"4th 1984 000 -x x- --y a--b 3:4 a_b a@b.org c:\\dir/file. 7s"}},
      {"blanks", "", plain, "", {"a\tb\r\nc\bd\fe\x0b" "f  g"}},
      {"comments across lines", "", plain, "C", {"one /* two", "three */ four // five", "six"}},
      {"markup and entities", "", plain, "HTML",
       {"<p class=x>Hello &amp; good&nbsp;bye</p> &#65;bc def <!-- gone", "still --> back &lt;tag&gt;"}},
      {"reading a word list", "'", reading, "", {"dogs isn t s cats' the"}},
      {"long run and a stretch without words", "", plain, "", {longRun + " b " + noWords + " c"}},
      {"beyond ASCII after ASCII that starts no word", "-", folded, "C",
       {"(שלום) .עולם, x.Ζωή -дом /*", "ok */ 東京 «Łódź»"},
       {"שלום", "עולם", "x", "ζωή", "-дом", "東京", "łódź"}},
  };
  for (const Case& c : cases) {
    LineScanner codePage = MakeScanner(c);
    LineScanner unicode = MakeScanner(c);
    Collect codePageWords;
    Collect unicodeWords;
    for (const std::string& line : c.lines) {
      std::string a = " " + line;
      std::string b = a;
      codePage.ScanLine(a, codePageWords);
      unicode.ScanLineUnicode(b, unicodeWords);
    }
    EXPECT_EQ(unicodeWords.words, c.expected.empty() ? codePageWords.words : c.expected) << c.name;
    // The byte-table finishing of the scan's ASCII words against the
    // Unicode finishing, on every raw ASCII token of the text.
    for (const std::string& line : c.lines) {
      std::istringstream tokens(line);
      for (std::string token; tokens >> token;) {
        if (std::all_of(token.begin(), token.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
          EXPECT_EQ(std::string(unicode.FinishWord(token)), std::string(unicode.FinishUnicodeWord(token)))
              << c.name << ": " << token;
        }
      }
    }
  }
}

// Records the new words in the order the count reports them, with no step
// within lines: the count then adds ASCII words in batches.
struct NewWords : CountObserver {
  std::vector<std::string> words;
  bool StepsWithinLines() override { return false; }
  void NewWord(std::string_view word, std::int32_t distinct) override {
    words.emplace_back(word);
    EXPECT_EQ(distinct, static_cast<std::int32_t>(words.size()));
  }
};

TEST(UnicodeScan, FoldedAndAsciiWordsAreAddedInTheOrderFound) {
  ClipboardTextSource source("Émile abc ÉMILE def école abc Zoë ghi zoë jkl");
  source.SetUnicode(true);
  CountRules rules = CountRulesFromSettings(Settings{}, CountLists{}, {"", false});
  rules.unicode = true;
  NewWords observer;
  const CountResult result = Count(source, rules, observer, 0);
  ASSERT_TRUE(result.status.Ok());
  EXPECT_EQ(observer.words, (std::vector<std::string>{"émile", "abc", "def", "école", "zoë", "ghi", "jkl"}));
  EXPECT_EQ(result.totals.totalOccurrences, 10);
}

}  // namespace
}  // namespace kwl::scan
