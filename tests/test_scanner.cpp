// The line scanner with its character rules, comments, markup and entities.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/char_rules.h"
#include "scan/line_facts.h"
#include "scan/markup.h"
#include "text/normalise.h"
#include "scan/scanner.h"

namespace kwl::scan {
namespace {

struct Collect : ScanSink {
  std::vector<std::string> words;
  int stopAfter = -1;
  bool Word(std::string_view w) override {
    if (!w.empty()) words.emplace_back(w);
    return stopAfter < 0 || static_cast<int>(words.size()) < stopAfter;
  }
  void Yield() override {}
};

struct Rules {
  std::string allowed;
  bool dropFinalS = false;
  bool apostrophes = false;
  std::string_view kind = "C";
};

// Scans each line (prefixed with a blank, as the file source hands lines over)
// with one scanner, so that comment state carries across lines.
std::vector<std::string> Scan(std::vector<std::string> lines, const Rules& r = {}) {
  LineScanner scanner;
  scanner.SetAllowedExtraChars(r.allowed);
  scanner.rules.dropFinalS = r.dropFinalS;
  scanner.rules.apostrophesAllowed = r.apostrophes || r.allowed.find('\'') != std::string::npos;
  const MarkupKind kind = r.kind == "C" ? MarkupKind{"C", false}
                        : r.kind == "XML" ? MarkupKind{"XML", false}
                        : MarkupKind{r.kind, true};
  scanner.markers.SetCommentMarkers(kind.kind);
  scanner.blnCharacterEntitiesPossible = kind.characterEntities;
  Collect sink;
  for (auto& line : lines) {
    std::string l = " " + line;
    scanner.ScanLine(l, sink);
  }
  return sink.words;
}

using Words = std::vector<std::string>;

TEST(ScannerWords, StartsAndEndsOfWords) {
  EXPECT_EQ(Scan({"hello, world."}), (Words{"hello", "world"}));
  EXPECT_EQ(Scan({"(hello"}), (Words{"hello"}));
  EXPECT_EQ(Scan({"to be or not to be a"}), (Words{"to", "be", "or", "not", "to", "be", "a"}));
  EXPECT_EQ(Scan({"tab\tseparated"}), (Words{"tab", "separated"}));
  EXPECT_EQ(Scan({""}), Words{});
  EXPECT_EQ(Scan({"   "}), Words{});
}

TEST(ScannerWords, ExtraCharactersDecideWhatAWordIs) {
  EXPECT_EQ(Scan({"e-mail x_1"}), (Words{"e", "mail", "x"}));
  EXPECT_EQ(Scan({"e-mail -mail"}, {"-"}), (Words{"e-mail", "-mail"}));
  EXPECT_EQ(Scan({"4th 1984"}, {"0123456789"}), (Words{"4th", "1984"}));
  EXPECT_EQ(Scan({"4th 1984"}), (Words{"th"}));
  EXPECT_EQ(Scan({"mail me at a.b@c.org."}, {"@."}), (Words{"mail", "me", "at", "a.b@c.org"}));
  EXPECT_EQ(Scan({"na\xEFve Stra\xDF" "e \x8Cuvre"}), (Words{"na\xEFve", "Stra\xDF" "e", "uvre"}));
  // Multiplication and division signs split words.
  EXPECT_EQ(Scan({"a\xD7" "b c\xF7" "d"}), (Words{"a", "b", "c", "d"}));
}

TEST(ScannerWords, ProhibitedCharactersNeverStartOrEndAWord) {
  EXPECT_EQ(Scan({"e.g. U.S.A."}, {"."}), (Words{"e.g", "U.S.A"}));
  EXPECT_EQ(Scan({"'tis o'clock"}, {"'"}), (Words{"tis", "o'clock"}));
  EXPECT_EQ(Scan({"ratio: 3:4 a:b:"}, {":"}), (Words{"ratio", "a:b"}));
  EXPECT_EQ(Scan({"end..."}, {"."}), (Words{"end"}));
}

TEST(ScannerWords, ApostropheFragmentsAreDroppedWhenApostrophesSplitWords) {
  EXPECT_EQ(Scan({"don't isn't john's"}), (Words{"don", "john"}));
  EXPECT_EQ(Scan({"Didn't WOULDN'T"}), Words{});
  EXPECT_EQ(Scan({"don't isn't"}, {"'"}), (Words{"don't", "isn't"}));
  // The right single quotation mark is never allowed, so it splits words; the
  // left one may even begin a word, as it is not among the prohibited characters.
  EXPECT_EQ(Scan({"don\x92t"}, {"'\x91"}), (Words{"don", "t"}));
  EXPECT_EQ(Scan({"\x91quoted\x91 it\x91s"}, {"'\x91"}), (Words{"\x91quoted\x91", "it\x91s"}));
}

TEST(ScannerWords, FinalSIsDroppedUnlessTheWordProtectsIt) {
  const Rules drop{"", true};
  EXPECT_EQ(Scan({"cats its days"}, drop), (Words{"cat", "it", "day"}));
  EXPECT_EQ(Scan({"glass bus physics maths always perhaps dickens stats as is"}, drop),
            (Words{"glass", "bus", "physics", "maths", "always", "perhaps", "dickens", "stats", "as", "is"}));
  EXPECT_EQ(Scan({"WORDS Words"}, drop), (Words{"WORDS", "Word"}));
  EXPECT_EQ(Scan({"john's"}, Rules{"'", true}), (Words{"john's"}));
  // An accented small vowel protects the "s"; a capital one does not.
  EXPECT_EQ(Scan({"pap\xE1s PAP\xC1s"}, drop), (Words{"pap\xE1s", "PAP\xC1"}));
  EXPECT_EQ(Scan({"cats"}), (Words{"cats"}));
}

TEST(ScannerWords, RunsLongerThan65000CharactersAreCut) {
  const std::string run(65010, 'a');
  const Words words = Scan({run});
  ASSERT_EQ(words.size(), 2U);
  EXPECT_EQ(words[0].size(), 65000U);
  EXPECT_EQ(words[1].size(), 10U);
}

TEST(ScannerComments, PlainTextComments) {
  EXPECT_EQ(Scan({"note a // b c"}), (Words{"note", "a"}));
  EXPECT_EQ(Scan({"one /* two", "three */ four"}), (Words{"one", "four"}));
  EXPECT_EQ(Scan({"x /* never closed", "hidden", "still hidden"}), (Words{"x"}));
  EXPECT_EQ(Scan({"word/*c*/next"}), (Words{"word", "next"}));
  EXPECT_EQ(Scan({"a /*1*//*2*/ b"}), (Words{"a", "b"}));
}

TEST(ScannerComments, MarkupTagsScriptsAndEntities) {
  const Rules html{"", false, false, "HTML"};
  EXPECT_EQ(Scan({"<p>Hello <b>big</b> world</p>"}, html), (Words{"Hello", "big", "world"}));
  EXPECT_EQ(Scan({"<script>var x;</script>after"}, html), (Words{"after"}));
  EXPECT_EQ(Scan({"<SCRIPT>var x;</Script> after"}, html), (Words{"after"}));
  EXPECT_EQ(Scan({"caf&eacute; cr&egrave;me"}, html), (Words{"caf\xE9", "cr\xE8me"}));
  // Without ";" the "&" starts no entity; the lone "T" is then an apostrophe
  // fragment unless apostrophes are allowed.
  EXPECT_EQ(Scan({"AT&T rocks"}, html), (Words{"AT", "rocks"}));
  EXPECT_EQ(Scan({"AT&T rocks"}, Rules{"'", false, true, "HTML"}), (Words{"AT", "T", "rocks"}));
  EXPECT_EQ(Scan({"don&#8217;t stop"}, html), (Words{"don", "stop"}));
  EXPECT_EQ(Scan({"<a href=\"x\"", "title=y>link</a> text"}, html), (Words{"link", "text"}));
  EXPECT_EQ(Scan({"a&nbsp;b &unknown; c"}, html), (Words{"a", "b", "c"}));
  const Rules xml{"", false, false, "XML"};
  EXPECT_EQ(Scan({"<?xml version=\"1.0\"?><r>text</r>"}, xml), (Words{"text"}));
  EXPECT_EQ(Scan({"<!-- a comment --> kept"}, xml), (Words{"kept"}));
}

TEST(ScannerComments, DoubleHyphensAreDashes) {
  EXPECT_EQ(Scan({"well--known"}, {"-"}), (Words{"well", "known"}));
  std::string line = " <!-- x --> a--b";
  SplitDoubleHyphens(line);
  EXPECT_EQ(line, " <!-- x --> a  b");
  std::string start = "--x";
  SplitDoubleHyphens(start);
  EXPECT_EQ(start, "--x");
}

TEST(Markup, EntitiesAreReplacedOnceFromLeftToRight) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"&amp;lt; &quot;q&quot; &copy;", "&lt; \"q\" \xA9"},
      {"&#160;&#8212;&Eacute;", " \x97\xC9"},
      // An unknown piece is kept whole, and the search resumes after its ";".
      {"&x &amp; &amp;", "&x &amp; &"},
      {"no semicolon &amp", "no semicolon &amp"},
      {"&EACUTE;", "&EACUTE;"},
      {"", ""},
      {"a&amp;b&lt;c;d&copy;", "a&b&lt;c;d\xA9"},
  };
  for (const auto& c : cases) {
    std::string line = c.in;
    ReplaceEntities(line);
    EXPECT_EQ(line, c.out) << c.in;
  }
}

TEST(Markup, IsEntityAt) {
  EXPECT_EQ(IsEntityAt("&a;"), 0);
  EXPECT_EQ(IsEntityAt("&#12"), 1);
  EXPECT_EQ(IsEntityAt("&amp; x"), 5);
  EXPECT_EQ(IsEntityAt("&a b;"), 0);
  EXPECT_EQ(IsEntityAt("&1ab;"), 0);
  EXPECT_EQ(IsEntityAt("&abcdefghijklmnopqr;"), 20);
  EXPECT_EQ(IsEntityAt("&abcdefghijklmnopqrs;"), 0);
  EXPECT_EQ(IsEntityAt("x&amp;"), 0);
}

TEST(Markup, KindFromExtension) {
  EXPECT_EQ(MarkupKindFor("php").kind, "PHP");
  EXPECT_TRUE(MarkupKindFor("php").characterEntities);
  EXPECT_EQ(MarkupKindFor("xml").kind, "XML");
  EXPECT_FALSE(MarkupKindFor("xml").characterEntities);
  for (const char* ext : {"htm", "html", "shtml", "xhtml"}) EXPECT_EQ(MarkupKindFor(ext).kind, "HTML") << ext;
  EXPECT_EQ(MarkupKindFor("txt").kind, "C");
  EXPECT_EQ(MarkupKindFor("").kind, "C");
}

TEST(Normalise, CaseAndAccentFolding) {
  EXPECT_EQ(FoldCase("\xC0\xC9\xCE\xD5\xDC"), "\xE0\xE9\xEE\xF5\xFC");
  EXPECT_EQ(FoldCase("\xD0\xD1\xDD"), "\xF0\xF1\xFD");
  EXPECT_EQ(FoldCase("ABC\xC6\x8C\xDE\x8A\x9F\x8E"), "abc\xE6\x9C\xFE\x9A\xFF\x9E");
  EXPECT_EQ(FoldAccents("\x9F"), "Y");
  EXPECT_EQ(FoldAccents("\xDF"), "ss");
  EXPECT_EQ(FoldAccents("\x9C"), "\x9C");
  EXPECT_EQ(FoldAccents("Stra\xDF" "e \x8Cuvre \xC4rger caf\xE9 \xD1" "and\xFA"), "Strasse Oeuvre Aerger cafe Nandu");
  EXPECT_EQ(SortKey("M\xFCller"), "mueller");
  EXPECT_EQ(SortKey("M\xDCLLER"), "mueller");
  EXPECT_EQ(SortKey("Muller"), "muller");
  // Folding twice changes nothing more (the counter folds lines a reader may have folded).
  std::string every;
  for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
  EXPECT_EQ(FoldCase(FoldCase(every)), FoldCase(every));
}

TEST(Normalise, VowelsAndContractionStems) {
  EXPECT_TRUE(IsContractionStem("Didn"));
  EXPECT_FALSE(IsContractionStem("en"));
  EXPECT_FALSE(IsContractionStem("n"));
  EXPECT_FALSE(IsVowel(0xC9));
  EXPECT_TRUE(IsVowel(0xE9));
  EXPECT_FALSE(IsVowel('y'));
  EXPECT_FALSE(IsVowel('A'));
}

TEST(CharRules, NumeralsAndTheLettersOfTheTable) {
  EXPECT_TRUE(IsWordChar('7', true, ""));
  EXPECT_FALSE(IsWordChar('7', false, ""));
  for (int c : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xD7, 0xF7}) EXPECT_FALSE(IsLetterCode(static_cast<unsigned char>(c))) << c;
  for (int c : {0x8A, 0x8C, 0x9A, 0x9C, 0x9F}) EXPECT_TRUE(IsTableLetter(static_cast<unsigned char>(c))) << c;
}

TEST(ScannerLines, ControlCharactersAndLineEndsBecomeBlanks) {
  EXPECT_EQ(Scan({"a\bb c\r\nd\re\nf\x0Cg\xA0h"}), (Words{"ab", "c", "d", "e", "f", "g", "h"}));
}

TEST(ScannerLines, StopEndsTheLineAfterTheCurrentWord) {
  LineScanner scanner;
  scanner.markers.SetCommentMarkers("C");
  Collect sink;
  sink.stopAfter = 2;
  std::string line = " one two three four";
  scanner.ScanLine(line, sink);
  EXPECT_EQ(sink.words, (Words{"one", "two"}));
}

TEST(ScannerLines, ReadingCommonWordsKeepsWordsWhole) {
  LineScanner scanner;
  scanner.SetAllowedExtraChars("'0123456789-_@:/.\\");
  scanner.markers.SetCommentMarkers("C");
  scanner.rules = {true, false, true};
  Collect sink;
  std::string line = " isn't cats well--known";
  scanner.ScanLine(line, sink);
  EXPECT_EQ(sink.words, (Words{"isn't", "cats", "well--known"}));
}

TEST(ScannerLines, HugeLinesAndEveryByteValueAreScannedInOnePass) {
  std::string line;
  for (int i = 0; i < 10 * 1024 * 1024; ++i) line += static_cast<char>(i % 256);
  const Words words = Scan({line}, {"'0123456789-_@:/.\\"});
  EXPECT_FALSE(words.empty());
  std::string words10m;
  for (int i = 0; i < 1000000; ++i) words10m += "word ";
  EXPECT_EQ(Scan({words10m}).size(), 1000000U);
}

// The first pass over a line, at every length around its steps of sixteen
// bytes and with each byte it looks for at every position: the facts and the
// folding agree with a byte-at-a-time reading.
TEST(ScannerLines, TheFirstPassFindsEveryByteItLooksForAndFoldsOnlyAsciiCapitals) {
  const char trigger[] = {'\b', '\t', '\n', '\x0C', '\r', '\xA0', '-', '\xC9', 'Q', '\x01'};
  for (std::size_t n = 0; n <= 49; ++n) {
    for (std::size_t at = 0; at <= n; ++at) {
      for (const char t : trigger) {
        std::string line(n, 'w');
        for (std::size_t i = 0; i < n; i += 7) line[i] = 'K';
        if (at < n) line[at] = t;
        std::string folded = line;
        LineFacts want;
        for (char& ch : folded) {
          const auto c = static_cast<unsigned char>(ch);
          want.nonAscii = want.nonAscii || c >= 0x80;
          want.mayNeedBlanks = want.mayNeedBlanks || c <= 13 || c == 0xA0;
          want.hyphen = want.hyphen || c == '-';
          if (c >= 'A' && c <= 'Z') ch = static_cast<char>(c + 32);
        }
        for (const bool fold : {false, true}) {
          std::string got = line;
          const LineFacts facts = FoldAsciiAndLook(got.data(), got.size(), fold);
          ASSERT_EQ(got, fold ? folded : line) << n << " " << at << " " << int(t);
          ASSERT_EQ(facts.nonAscii, want.nonAscii) << n << " " << at << " " << int(t);
          ASSERT_EQ(facts.mayNeedBlanks, want.mayNeedBlanks) << n << " " << at << " " << int(t);
          ASSERT_EQ(facts.hyphen, want.hyphen) << n << " " << at << " " << int(t);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kwl::scan
