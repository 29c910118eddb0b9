// Whole counts over lines held in memory: the table, the totals and how the
// count ended, with no window.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "count/counter.h"
#include "count/line_source.h"

namespace kwl {
namespace {

// The lines as a source would hand them over (a blank in front, trimmed);
// with failAfter >= 0 it fails with a read error after that many lines.
class Lines : public LineSource {
 public:
  Lines(std::vector<std::string> lines, int failAfter) : lines_(std::move(lines)), failAfter_(failAfter) {
    for (const std::string& l : lines_) total_ += static_cast<std::int64_t>(l.size());
  }
  bool Next(std::string& line) override {
    if (static_cast<int>(next_) == failAfter_) {
      status_ = Status::Failure(Status::Kind::kReadFailed, EIO, "/in.txt");
      return false;
    }
    if (next_ == lines_.size()) return false;
    line = lines_[next_++];
    done_ += static_cast<std::int64_t>(line.size());
    return true;
  }
  std::int64_t Done() const override { return done_; }
  std::int64_t Total() const override { return total_; }
  const Status& status() const override { return status_; }

 private:
  std::vector<std::string> lines_;
  int failAfter_;
  std::size_t next_ = 0;
  std::int64_t done_ = 0;
  std::int64_t total_ = 0;
  Status status_;
};

// Records what the count reports; asks to stop once stopAt new words are
// found, and answers the confirmation with confirm.
struct Recorder : CountObserver {
  int stopAt = 0;
  bool confirm = true;
  bool stop = false;
  std::vector<std::string> newWords;
  std::vector<std::int64_t> progress;
  bool StopRequested() override { return stop; }
  bool ConfirmStop(std::int32_t) override {
    if (!confirm) stop = false;
    return confirm;
  }
  void NewWord(std::string_view word, std::int32_t distinct) override {
    newWords.emplace_back(word);
    EXPECT_EQ(distinct, static_cast<std::int32_t>(newWords.size()));
    if (static_cast<int>(newWords.size()) == stopAt) stop = true;
  }
  void Progress(std::int64_t done, std::int64_t total) override {
    progress.push_back(done);
    EXPECT_GE(total, done);
  }
};

using Counts = std::vector<std::pair<std::string, std::int64_t>>;

TEST(Count, LinesGiveTheTableTheTotalsAndHowTheCountEnded) {
  CountRules plain;
  CountRules strict;
  strict.word.ignoreShortWords = true;
  strict.word.ignoreRomanNumerals = true;
  CountRules cased;
  cased.word.caseSignificant = true;
  CountRules hyphens;
  hyphens.allowedExtraChars = "-";
  const struct {
    const char* name;
    std::vector<std::string> lines;
    const CountRules& rules;
    int stopAt;
    bool confirm;
    int failAfter;
    Counts included;        // the words the post-scan rules leave in, in word order
    std::int32_t excluded;
    std::int64_t totalOccurrences;
    Status::Kind end;
  } cases[] = {
      {"no lines", {}, plain, 0, true, -1, {}, 0, 0, Status::Kind::kOk},
      {"blank lines", {"", " ", ""}, plain, 0, true, -1, {}, 0, 0, Status::Kind::kOk},
      {"case folded", {" The cat THE"}, plain, 0, true, -1, {{"cat", 1}, {"the", 2}}, 0, 3, Status::Kind::kOk},
      {"case kept", {" The cat THE"}, cased, 0, true, -1, {{"THE", 1}, {"The", 1}, {"cat", 1}}, 0, 3,
       Status::Kind::kOk},
      {"short words and numerals", {" the cat and the hat", " xiv the xxi of"}, strict, 0, true, -1,
       {{"and", 1}, {"cat", 1}, {"hat", 1}, {"the", 3}}, 2, 9, Status::Kind::kOk},
      {"comments over lines", {" a /* b", " c */ d // e"}, plain, 0, true, -1, {{"a", 1}, {"d", 1}}, 0, 2,
       Status::Kind::kOk},
      {"extra characters", {" well-known well"}, hyphens, 0, true, -1, {{"well", 1}, {"well-known", 1}}, 0, 2,
       Status::Kind::kOk},
      // A stop ends the line after the word that asked for it.
      {"stopped", {" a b c", " d e"}, plain, 2, true, -1, {{"a", 1}, {"b", 1}}, 0, 2, Status::Kind::kStopped},
      {"stop withdrawn", {" a b c", " d e"}, plain, 2, false, -1, {{"a", 1}, {"b", 1}, {"d", 1}, {"e", 1}}, 0, 4,
       Status::Kind::kOk},
      // The lines before a failure are counted.
      {"failed source", {" a b", " c"}, plain, 0, true, 1, {{"a", 1}, {"b", 1}}, 0, 2, Status::Kind::kReadFailed},
  };
  for (const auto& c : cases) {
    Lines source(c.lines, c.failAfter);
    Recorder observer;
    observer.stopAt = c.stopAt;
    observer.confirm = c.confirm;
    CountResult result = Count(source, c.rules, observer);
    Counts included;
    for (std::int32_t i = 1; i <= result.words.NumWords(); ++i)
      if (result.words[i].blnIncluded) included.emplace_back(result.words[i].strWord, result.words[i].count);
    EXPECT_EQ(included, c.included) << c.name;
    EXPECT_EQ(result.totals.included, static_cast<std::int32_t>(c.included.size())) << c.name;
    EXPECT_EQ(result.totals.excluded, c.excluded) << c.name;
    EXPECT_EQ(result.totals.totalOccurrences, c.totalOccurrences) << c.name;
    EXPECT_EQ(result.status.kind, c.end) << c.name;
    if (c.failAfter >= 0) {
      EXPECT_EQ(result.status.path, "/in.txt") << c.name;
      EXPECT_EQ(result.status.err, EIO) << c.name;
    }
    EXPECT_EQ(observer.newWords.size(), static_cast<std::size_t>(result.words.NumWords())) << c.name;
  }
}

TEST(Count, NewWordsAreReportedInTheOrderFound) {
  Lines source({" b a b c", " a d"}, -1);
  Recorder observer;
  const CountResult result = Count(source, CountRules{}, observer);
  EXPECT_EQ(observer.newWords, (std::vector<std::string>{"b", "a", "c", "d"}));
  EXPECT_EQ(observer.progress, (std::vector<std::int64_t>{8, 12}));
  EXPECT_EQ(result.totals.occurrences, 6);
  EXPECT_EQ(result.totals.maxFrequency, 2);
  EXPECT_EQ(result.totals.longestWord, 1);
}

// Within a line the observer steps after every word (a window pumps its
// events there and may stop), or not at all when it says it needs no steps;
// a long stretch without words still steps now and then.
TEST(Count, StepsWithinALineFollowTheObserversNeed) {
  struct Stepper : CountObserver {
    bool within = true;
    int steps = 0;
    void Step() override { ++steps; }
    bool StepsWithinLines() override { return within; }
  };
  const std::string stretch(10 * scan::LineScanner::kYieldBytes, ',');
  const struct {
    std::string line;
    bool within;
    int minSteps;
    int maxSteps;
  } cases[] = {
      {" one two three", true, 3, 3},
      {" one two three", false, 0, 0},
      {" isn't", true, 2, 2},  // "isn" and "t" are fragments: counted for nothing, stepped all the same
      {" a" + stretch + "b", true, 10, 13},
      {" a" + stretch + "b", false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 20));
    Counter counter;
    counter.Start(CountRules{});
    Stepper observer;
    observer.within = c.within;
    std::string line = c.line;
    counter.ScanLine(line, observer);
    EXPECT_GE(observer.steps, c.minSteps);
    EXPECT_LE(observer.steps, c.maxSteps);
  }
}

// Without steps within lines the counter adds a line's words a batch at a
// time: the table, its found order and the new words reported are those of
// word-by-word adding, for lines shorter and longer than a batch, with a
// word repeated inside a batch and across batches, and over several lines.
TEST(Count, WordsAddedInBatchesCountAsOneByOne) {
  struct Recorder : CountObserver {
    bool within = true;
    std::vector<std::pair<std::string, std::int32_t>> newWords;
    bool StepsWithinLines() override { return within; }
    void NewWord(std::string_view word, std::int32_t distinct) override { newWords.emplace_back(word, distinct); }
  };
  std::string many;
  for (int i = 0; i < 40; ++i) many += " w" + std::string(1, static_cast<char>('a' + i % 23)) + "x";
  const std::vector<std::vector<std::string>> texts = {
      {" one two three one"}, {many}, {many, " wax wbx new words", many}, {" the the the", ""}};
  for (const auto& lines : texts) {
    std::vector<std::pair<std::string, std::int64_t>> tables[2];
    std::vector<std::pair<std::string, std::int32_t>> reported[2];
    for (const bool within : {true, false}) {
      Counter counter;
      counter.Start(CountRules{});
      Recorder observer;
      observer.within = within;
      for (std::string line : lines) counter.ScanLine(line, observer);
      for (std::int32_t i = 1; i <= counter.Words().NumWords(); ++i)
        tables[within].emplace_back(std::string(counter.Words()[i].strWord), counter.Words()[i].count);
      reported[within] = observer.newWords;
    }
    EXPECT_EQ(tables[false], tables[true]) << lines[0].substr(0, 30);
    EXPECT_EQ(reported[false], reported[true]) << lines[0].substr(0, 30);
    EXPECT_FALSE(tables[true].empty());
  }
}


// The files column: each file counts once per word, whatever the batching,
// and the counts follow the entries through ordering, permuting, copying,
// another counter's part and tables merged from elsewhere.
TEST(Count, EachWordKnowsHowManyFilesItOccursIn) {
  const std::vector<std::vector<std::string>> files = {
      {" the cat the /* open", " comment"}, {" closed */ the dog"}, {" cat cat bird"}};
  for (const bool stepsWithinLines : {true, false}) {
    struct Quiet : CountObserver {
      bool steps = true;
      bool StepsWithinLines() override { return steps; }
    } observer;
    observer.steps = stepsWithinLines;
    Counter counter;
    counter.Start(CountRules{});
    counter.TrackFiles();
    for (std::size_t f = 0; f < files.size(); ++f) {
      if (f > 0) counter.StartFile();  // also ends the comment the first file left open
      Lines source(files[f], -1);
      ASSERT_TRUE(counter.ReadInOrder(source, observer).Ok());
    }
    WordTable table = counter.Words();  // a copy
    table.OrderByWord();
    std::vector<std::pair<std::string, std::int32_t>> got;
    for (std::int32_t i = 1; i <= table.NumWords(); ++i) got.emplace_back(table[i].strWord, table.Files(i));
    const std::vector<std::pair<std::string, std::int32_t>> want = {
        {"bird", 1}, {"cat", 2}, {"closed", 1}, {"dog", 1}, {"the", 2}};
    EXPECT_EQ(got, want) << stepsWithinLines;

    // Reversed, the files count goes with its entry.
    std::vector<std::uint32_t> reverse;
    for (std::uint32_t k = table.NumWords(); k-- > 0;) reverse.push_back(k);
    table.Permute(1, reverse);
    EXPECT_EQ(table[1].strWord, "the");
    EXPECT_EQ(table.Files(1), 2);
    EXPECT_EQ(table.Files(3), 1);  // "closed"

    // A later part of the same file (as a second thread counts it) adds no file.
    Counter part;
    part.StartAsPartOf(counter);
    Lines more({" bird fox"}, -1);
    ASSERT_TRUE(part.ReadInOrder(more, observer).Ok());
    counter.Absorb(part, observer);
    WordTable merged = std::move(counter.Words());
    merged.AddCounted("fox", 4, 3);   // counted elsewhere in three more files
    merged.AddCounted("newt", 2, 2);
    merged.OrderByWord();
    got.clear();
    for (std::int32_t i = 1; i <= merged.NumWords(); ++i) got.emplace_back(merged[i].strWord, merged.Files(i));
    const std::vector<std::pair<std::string, std::int32_t>> wantMerged = {
        {"bird", 1}, {"cat", 2}, {"closed", 1}, {"dog", 1}, {"fox", 4}, {"newt", 2}, {"the", 2}};
    EXPECT_EQ(got, wantMerged) << stepsWithinLines;
  }
  WordTable untracked;
  untracked.Add("a");
  EXPECT_EQ(untracked.Files(1), 0);
}

}  // namespace
}  // namespace kwl
