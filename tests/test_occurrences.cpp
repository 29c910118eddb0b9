// Occurrences and explanations: the count scanned again, word by word. The
// occurrences of an entry are as many as its counted frequency; the
// explanation of a token names the rule that acted on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <tuple>
#include <map>
#include <string>
#include <vector>

#include "count/common_words_list.h"
#include "count/counter.h"
#include "count/ignore_list.h"
#include "count/words_to_ignore.h"
#include "files/paths.h"
#include "inspect/explain.h"
#include "inspect/occurrences.h"
#include "sources/encoding.h"
#include "sources/text_file_source.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// Lines held in memory, numbered from 1.
class Lines : public LineSource {
 public:
  explicit Lines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool Next(std::string& line) override {
    if (next_ == lines_.size()) return false;
    line = " " + lines_[next_++];
    return true;
  }
  std::int64_t Done() const override { return static_cast<std::int64_t>(next_); }
  std::int64_t Total() const override { return static_cast<std::int64_t>(lines_.size()); }
  std::int64_t LineNumber() const override { return static_cast<std::int64_t>(next_); }
  const Status& status() const override { return status_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  Status status_;
};

// Every entry of the count, with its frequency, against the occurrences
// found for it, one by one and all at once.
template <class MakeSource>
void ExpectOccurrencesMatchCount(MakeSource make, const CountRules& rules, bool eachEntry) {
  auto counted = make();
  CountObserver quiet;
  const CountResult count = Count(*counted, rules, quiet, 0);
  ASSERT_TRUE(count.status.Ok());
  auto again = make();
  const OccurrenceSearch every = FindEveryOccurrence(*again, rules);
  ASSERT_TRUE(every.status.Ok());
  std::map<std::string, std::int64_t> found;
  for (const Occurrence& o : every.rows) ++found[o.entry];
  EXPECT_EQ(static_cast<std::int64_t>(found.size()), count.words.NumWords());
  for (std::int32_t i = 1; i <= count.words.NumWords(); ++i) {
    const WordEntry& e = count.words[i];
    EXPECT_EQ(found[std::string(e.strWord)], e.count) << e.strWord;
    if (!eachEntry) continue;
    auto source = make();
    const OccurrenceSearch one = FindOccurrences(*source, rules, e.strWord);
    const bool listed = e.blnIncluded;
    EXPECT_EQ(static_cast<std::int64_t>(one.rows.size()), listed ? e.count : 0) << e.strWord;
    EXPECT_EQ(one.excludedBy == WordRule::kCounted, listed) << e.strWord;
  }
}

CountRules Rules(std::string_view markup, void (*adjust)(CountRules&) = nullptr) {
  CountRules r;
  r.markup = scan::MarkupKindFor(markup);
  if (adjust != nullptr) adjust(r);
  return r;
}

TEST(Occurrences, AsManyAsTheCountedFrequencyOfEveryEntry) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string_view extension;
    void (*adjust)(CountRules&);
  };
  const std::vector<Case> cases = {
      {"empty", {}, "txt", nullptr},
      {"comment", {"The cat /* cat cat */ sat.", "/* a comment over", "two lines cat */ cat Cat CAT"}, "c", nullptr},
      {"tag and entity",
       {"<p class=\"cat\">The <b>cat</b> caf&eacute; CAF&Eacute; &AMP; cat&amp;dog</p>", "<!-- cat -->cat"},
       "html",
       nullptr},
      {"final s, apostrophes, short words",
       {"Cats cat's don't DON'T it's physics Dickens cat. (cat) cats,", "a an the Xiv xiv xiv"},
       "txt",
       [](CountRules& r) {
         r.word.dropFinalS = true;
         r.word.ignoreShortWords = true;
         r.word.ignoreRomanNumerals = true;
       }},
      {"case significant, hyphens",
       {"Cat cat CAT e-mail e--mail -mail", "well-known well-known."},
       "txt",
       [](CountRules& r) {
         r.word.caseSignificant = true;
         r.allowedExtraChars = "-";
       }},
      {"infrequent words", {"one two two three three three"}, "txt", [](CountRules& r) {
         r.word.ignoreInfrequentWords = true;
         r.word.thresholdFrequency = 2;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectOccurrencesMatchCount([&] { return std::make_unique<Lines>(c.lines); }, Rules(c.extension, c.adjust),
                                true);
  }
}

TEST(Occurrences, ShowTheWordAsItStandsWithItsLineAndContext) {
  Lines text({"<p>A black Cat &amp; a cat.</p>", "<!-- cat --> Cats!"});
  CountRules rules = Rules("html");
  rules.word.dropFinalS = true;
  const OccurrenceSearch s = FindOccurrences(text, rules, EntryFor("CAT", rules.word));
  ASSERT_TRUE(s.status.Ok());
  ASSERT_EQ(s.rows.size(), 3u);
  EXPECT_EQ(s.entry, "cat");
  const std::vector<std::tuple<std::int64_t, std::string, std::string, std::string>> want = {
      {1, "<p>A black ", "Cat", " & a cat.</p>"},
      {1, "<p>A black Cat & a ", "cat", ".</p>"},
      {2, "<!-- cat --> ", "Cats", "!"},
  };
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(s.rows[i].line, std::get<0>(want[i]));
    EXPECT_EQ(s.rows[i].left, std::get<1>(want[i]));
    EXPECT_EQ(s.rows[i].word, std::get<2>(want[i]));
    EXPECT_EQ(s.rows[i].right, std::get<3>(want[i]));
  }
  Lines again({"no such word here"});
  EXPECT_TRUE(FindOccurrences(again, rules, "cat").rows.empty());
}

TEST(Occurrences, CorpusFilesGiveTheCountedFrequencies) {
  int files = 0;
  for (const char* folder : {"text", "markup"}) {
    const std::string dir = test::CorpusFile(folder);
    if (dir.empty() || !std::filesystem::is_directory(dir)) continue;
    for (const auto& f : std::filesystem::directory_iterator(dir)) {
      const std::string path = f.path().string();
      SCOPED_TRACE(path);
      const bool utf8 = InspectTextFile(path).sample.utf8;
      CountRules rules = Rules(Extension(path));
      rules.word.dropFinalS = files % 2 == 1;  // the final "s" rule on every other file
      ExpectOccurrencesMatchCount([&] { return std::make_unique<TextFileSource>(path, utf8); }, rules, false);
      ++files;
    }
  }
  if (files == 0) GTEST_SKIP() << "the shared corpus is not there";
}

TEST(Occurrences, SortByPositionLeftOrRightContext) {
  auto row = [](std::int64_t order, std::string left, std::string right) {
    Occurrence o;
    o.order = order;
    o.left = std::move(left);
    o.right = std::move(right);
    return o;
  };
  const std::vector<Occurrence> rows = {row(0, "the big", "zebra ate"), row(1, "a small", "Ant came"),
                                        row(2, "one Big", "ant went"), row(3, "", "")};
  struct Case {
    OccurrenceOrder order;
    std::vector<std::int64_t> want;
  };
  for (const Case& c : std::vector<Case>{{OccurrenceOrder::kRight, {3, 1, 2, 0}},
                                         {OccurrenceOrder::kLeft, {3, 2, 0, 1}},
                                         {OccurrenceOrder::kPosition, {0, 1, 2, 3}}}) {
    std::vector<Occurrence> sorted = rows;
    std::reverse(sorted.begin(), sorted.end());
    SortOccurrences(sorted, c.order);
    std::vector<std::int64_t> got;
    for (const Occurrence& o : sorted) got.push_back(o.order);
    EXPECT_EQ(got, c.want) << static_cast<int>(c.order);
  }
}

TEST(Occurrences, KwicLinesAlignTheWords) {
  std::vector<Occurrence> rows(2);
  rows[0].line = 7;
  rows[0].left = "a ";
  rows[0].word = "cat";
  rows[0].right = " sat.";
  rows[1].line = 120;
  rows[1].left = "the black ";
  rows[1].word = "Cat";
  rows[1].right = ",";
  const std::vector<std::string> lines = KwicLines(rows);
  EXPECT_EQ(lines, (std::vector<std::string>{"  7          a cat sat.", "120  the black Cat,"}));
}

TEST(Occurrences, AChangedSourceIsRefused) {
  test::TempDir dir;
  const std::string path = dir.Write("in.txt", "dog\r\n\r\ncat dog cat\r\n");
  SourceStamp stamp;
  ASSERT_TRUE(StampSource(path, stamp).Ok());
  const CountRules rules;
  const OccurrenceSearch same = FindOccurrencesInFile(path, false, rules, "cat", stamp);
  ASSERT_EQ(same.rows.size(), 2u);
  EXPECT_EQ(same.rows[1].line, 3);  // the empty line is numbered too

  test::WriteAll(path, "cat dog cat cat\r\n");
  const OccurrenceSearch changed = FindOccurrencesInFile(path, false, rules, "cat", stamp);
  EXPECT_TRUE(IsSourceChanged(changed.status));
  EXPECT_TRUE(changed.rows.empty());
  EXPECT_NE(OccurrenceSearchProblem(changed.status).find("count it again"), std::string::npos);

  std::filesystem::remove(path);
  const OccurrenceSearch gone = FindOccurrencesInFile(path, false, rules, "cat", stamp);
  EXPECT_EQ(gone.status.kind, Status::Kind::kNotFound);
  EXPECT_NE(OccurrenceSearchProblem(gone.status).find("no longer exists"), std::string::npos);
}

TEST(Explanation, NamesTheRuleThatActed) {
  IgnoreList ignore;
  ignore = IgnoreListText("foo");
  CommonWordsList common;
  common.Replace({"the"});
  struct Case {
    const char* token;
    void (*adjust)(CountRules&);
    WordRule rule;         // of the last word the scanner cut out
    std::string entry;     // of that word
    std::string step;      // a sentence of the explanation holds this
  };
  const std::vector<Case> cases = {
      {"Cats", [](CountRules& r) { r.word.dropFinalS = true; }, WordRule::kCounted, "cat",
       "The final \"s\" is dropped: \xAB" "Cats\xBB becomes \xAB" "Cat\xBB"},
      {"isn't", nullptr, WordRule::kCounted, "", "\xAB" "isn\xBB is an apostrophe fragment"},
      {"e-mail", nullptr, WordRule::kCounted, "mail", "The characters \xAB-\xBB end or split it"},
      {"e-mail", [](CountRules& r) { r.allowedExtraChars = "-"; }, WordRule::kCounted, "e-mail",
       "Counted under the entry \xAB" "e-mail\xBB"},
      {"well--known", [](CountRules& r) { r.allowedExtraChars = "-"; }, WordRule::kCounted, "known",
       "double hyphens split"},
      {"XIV", [](CountRules& r) { r.word.ignoreRomanNumerals = true; }, WordRule::kRomanNumeral, "xiv",
       "a Roman numeral"},
      {"The", nullptr, WordRule::kCommonWord, "the", "a common word of english.txt"},
      {"an", [](CountRules& r) { r.word.ignoreShortWords = true; }, WordRule::kTooShort, "an",
       "too short (2 characters, fewer than the threshold of 3)"},
      {"1984", [](CountRules& r) { r.allowedExtraChars = "0123456789"; r.word.ignoreNoLetter = true; },
       WordRule::kNoLetter, "1984", "it has no letter"},
      {"zzz", [](CountRules& r) { r.word.ignoreRepetitions = true; }, WordRule::kRepetition, "zzz",
       "a repetition of one character"},
      {"caf\xE9", [](CountRules& r) { r.word.only7bitAscii = true; }, WordRule::kNot7bit, "caf\xE9",
       "only 7-bit ASCII words are counted"},
      {"Foo", nullptr, WordRule::kWordsToIgnore, "foo", "in the words to ignore"},
      {"Word.", [](CountRules& r) { r.allowedExtraChars = "."; }, WordRule::kCounted, "word",
       "The trailing \xAB.\xBB is cut off"},
      {"Word", nullptr, WordRule::kCounted, "word", "Case is folded: \xAB" "Word\xBB becomes \xAB" "word\xBB"},
      {"cat&amp;dog", [](CountRules& r) { r.markup = scan::MarkupKindFor("html"); }, WordRule::kCounted, "dog",
       "as \xAB" "cat&dog\xBB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    CountRules rules;
    rules.word.wordsToIgnore = &ignore;
    if (std::string_view(c.token) == "The") rules.word.commonWords = &common;
    if (c.adjust != nullptr) c.adjust(rules);
    const Explanation ex = ExplainToken(c.token, rules, "english.txt");
    ASSERT_FALSE(ex.words.empty());
    const WordVerdict& last = ex.words.back();
    const bool fragment = c.entry.empty();
    EXPECT_EQ(last.fragment, fragment);
    if (!fragment) {
      EXPECT_EQ(last.rule, c.rule);
      EXPECT_EQ(last.entry, c.entry);
    }
    std::string all;
    for (const std::string& s : ex.steps) all += s + "\n";
    EXPECT_NE(all.find(c.step), std::string::npos) << all;
  }
}

TEST(Explanation, ATokenWithNoWord) {
  struct Case {
    const char* token;
    std::string_view extension;
    bool markup;
  };
  for (const Case& c : std::vector<Case>{{"", "txt", false}, {"...", "txt", false}, {"<b>", "html", true},
                                         {"/* x */", "c", true}}) {
    SCOPED_TRACE(c.token);
    const Explanation ex = ExplainToken(c.token, Rules(c.extension));
    EXPECT_TRUE(ex.words.empty());
    EXPECT_EQ(ex.skippedAsMarkup, c.markup);
    ASSERT_FALSE(ex.steps.empty());
    EXPECT_NE(ex.steps.back().find("finds no word"), std::string::npos);
  }
}

TEST(Explanation, GivesTheFrequencyAndTheInfrequencyRuleOfTheLastCount) {
  Lines text({"cat cat dog"});
  CountRules rules;
  rules.word.ignoreInfrequentWords = true;
  CountObserver quiet;
  const CountResult count = Count(text, rules, quiet, 0);
  const Explanation cat = ExplainToken("Cat", rules, {}, &count.words);
  EXPECT_EQ(cat.words.at(0).rule, WordRule::kCounted);
  EXPECT_EQ(cat.words.at(0).frequency, 2);
  EXPECT_NE(cat.steps.back().find("2 times in the last count"), std::string::npos);
  EXPECT_EQ(ExplainToken("dog", rules, {}, &count.words).words.at(0).rule, WordRule::kInfrequent);
}

}  // namespace
}  // namespace kwl
