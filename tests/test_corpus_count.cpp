// A corpus counted on one thread and on several gives the same table, found
// order, totals, files per word and messages in the same order; refused
// files are skipped and the count goes on; a file that fails while read ends
// it; no more files are open at a time than threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "count/corpus_count.h"
#include "count/count_rules.h"
#include "count/counter.h"

namespace kwl {
namespace {

// Lines in memory; a read error instead of line failAt.
class Lines final : public LineSource {
 public:
  Lines(std::vector<std::string> lines, std::size_t failAt) : lines_(std::move(lines)), failAt_(failAt) {}
  bool Next(std::string& line) override {
    if (next_ == failAt_) {
      status_ = Status::Failure(Status::Kind::kReadFailed, EIO, "x");
      return false;
    }
    if (next_ >= lines_.size()) return false;
    line = lines_[next_++];
    return true;
  }
  std::int64_t Done() const override { return static_cast<std::int64_t>(next_); }
  std::int64_t Total() const override { return static_cast<std::int64_t>(lines_.size()); }
  const Status& status() const override { return status_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::size_t failAt_;
  Status status_;
};

// The files of a made-up corpus by name: ".refused" files are refused, ".fail"
// files fail at their second line, an ".htm" file has tags skipped.
struct MadeUp {
  std::map<std::string, std::vector<std::string>> files;
  std::atomic<int> opened{0};

  OpenedFile Open(const std::string& path) {
    ++opened;
    OpenedFile f;
    f.messages.push_back({"Opened", path});
    if (path.find(".refused") != std::string::npos) {
      f.messages.push_back({"Refused", "no"});
      return f;
    }
    f.markup = path.ends_with(".htm") ? scan::MarkupKindFor("htm") : scan::MarkupKindFor("txt");
    f.source = std::make_unique<Lines>(files.at(path), path.find(".fail") != std::string::npos ? 1 : SIZE_MAX);
    return f;
  }
};

struct Outcome {
  std::vector<std::tuple<std::string, std::int64_t, std::int32_t>> entries;  // found order, count, files
  std::int64_t totalOccurrences = 0;
  std::int32_t counted = 0, skipped = 0;
  Status::Kind end = Status::Kind::kOk;
  std::string failedFile;
  std::vector<std::string> told;  // messages and new words, in order
  int mostAhead = 0;              // files opened beyond the one told
  bool operator==(const Outcome& o) const {
    return std::tie(entries, totalOccurrences, counted, skipped, end, failedFile, told) ==
           std::tie(o.entries, o.totalOccurrences, o.counted, o.skipped, o.end, o.failedFile, o.told);
  }
};
void PrintTo(const Outcome& o, std::ostream* os) {
  for (const auto& [w, c, f] : o.entries) *os << w << ":" << c << "/" << f << " ";
  *os << "total " << o.totalOccurrences << " files " << o.counted << "+" << o.skipped << " end "
      << static_cast<int>(o.end) << " " << o.failedFile << "\n";
  for (const std::string& t : o.told) *os << t << "|";
}

class Recorder final : public CorpusObserver {
 public:
  Recorder(Outcome& o, MadeUp& m) : o_(o), m_(m) {}
  void FileOpened(std::size_t index, const std::string& path, const std::vector<FileMessage>& messages,
                  bool skipped) override {
    o_.mostAhead = std::max(o_.mostAhead, m_.opened.load() - static_cast<int>(index) - 1);
    o_.told.push_back(path + (skipped ? " skipped" : ""));
    for (const FileMessage& m : messages) o_.told.push_back(m.title + ": " + m.text);
  }
  void NewWord(std::string_view word, std::int32_t n) override {
    o_.told.push_back("new " + std::string(word) + " " + std::to_string(n));
  }

 private:
  Outcome& o_;
  MadeUp& m_;
};

Outcome CountMadeUp(const std::map<std::string, std::vector<std::string>>& files, int threads) {
  MadeUp made;
  made.files = files;
  std::vector<std::string> names;
  for (const auto& [name, lines] : files) names.push_back(name);
  CountRules rules;
  rules.allowedExtraChars = "";
  Counter counter;
  counter.Start(rules);
  counter.TrackFiles();
  counter.SetSplitMinUnits(0);
  Outcome o;
  Recorder recorder(o, made);
  const CorpusTally tally =
      CountCorpus(counter, names, [&](const std::string& path) { return made.Open(path); }, recorder, threads);
  const WordTable& words = counter.Words();
  for (std::int32_t i = 1; i <= words.NumWords(); ++i)
    o.entries.emplace_back(std::string(words[i].strWord), words[i].count, words.Files(i));
  o.totalOccurrences = counter.TotalOccurrences();
  o.counted = tally.filesCounted;
  o.skipped = tally.filesSkipped;
  o.end = tally.status.kind;
  o.failedFile = tally.failedFile;
  return o;
}

TEST(CorpusCount, SeveralThreadsCountAsOneDoes) {
  using Files = std::map<std::string, std::vector<std::string>>;
  const struct {
    const char* name;
    Files files;
    std::vector<std::tuple<std::string, std::int64_t, std::int32_t>> expected;  // on one thread
    std::int32_t counted, skipped;
    Status::Kind end;
  } cases[] = {
      {"no files", {}, {}, 0, 0, Status::Kind::kOk},
      {"one file", {{"a.txt", {"cat dog cat"}}}, {{"cat", 2, 1}, {"dog", 1, 1}}, 1, 0, Status::Kind::kOk},
      {"a word in two of three files",
       {{"a.txt", {"cat sat"}}, {"b.txt", {"dog"}}, {"c.txt", {"", "cat cat"}}},
       {{"cat", 3, 2}, {"sat", 1, 1}, {"dog", 1, 1}}, 3, 0, Status::Kind::kOk},
      {"a refused file in the middle is skipped",
       {{"a.txt", {"cat"}}, {"b.refused.txt", {"zebra"}}, {"c.txt", {"cat owl"}}},
       {{"cat", 2, 2}, {"owl", 1, 1}}, 2, 1, Status::Kind::kOk},
      {"every file starts outside a comment, with its own markup",
       {{"a.txt", {"cat /* open", "still"}}, {"b.htm", {"<dog> owl &amp; emu"}}, {"c.txt", {"<dog> end */ yak"}}},
       {{"cat", 1, 1}, {"owl", 1, 1}, {"emu", 1, 1}, {"dog", 1, 1}, {"end", 1, 1}, {"yak", 1, 1}}, 3, 0,
       Status::Kind::kOk},
      {"a file failing while read ends the count",
       {{"a.txt", {"cat"}}, {"b.fail.txt", {"dog", "emu"}}, {"c.txt", {"owl"}}},
       {{"cat", 1, 1}, {"dog", 1, 1}}, 2, 0, Status::Kind::kReadFailed},
      {"only refused files", {{"a.refused", {"x"}}, {"b.refused", {"y"}}}, {}, 0, 2, Status::Kind::kOk},
  };
  for (const auto& c : cases) {
    const Outcome one = CountMadeUp(c.files, 1);
    EXPECT_EQ(one.entries, c.expected) << c.name;
    EXPECT_EQ(one.counted, c.counted) << c.name;
    EXPECT_EQ(one.skipped, c.skipped) << c.name;
    EXPECT_EQ(one.end, c.end) << c.name;
    EXPECT_EQ(one.failedFile, c.end == Status::Kind::kOk ? "" : "b.fail.txt") << c.name;
    for (int threads : {2, 3, 8}) {
      const Outcome many = CountMadeUp(c.files, threads);
      EXPECT_EQ(many, one) << c.name << ", " << threads << " threads";
    }
  }
}

TEST(CorpusCount, NoMoreFilesAreOpenAtATimeThanThreads) {
  std::map<std::string, std::vector<std::string>> files;
  for (int i = 0; i < 40; ++i) files["f" + std::to_string(100 + i) + ".txt"] = {"word" + std::to_string(i) + " common"};
  for (int threads : {1, 2, 4}) {
    const Outcome o = CountMadeUp(files, threads);
    EXPECT_EQ(o.counted, 40);
    EXPECT_LE(o.mostAhead, threads - 1) << threads << " threads";
    EXPECT_EQ(std::get<1>(o.entries[1]), 40);  // "common", in every file
    EXPECT_EQ(std::get<2>(o.entries[1]), 40);
  }
}

}  // namespace
}  // namespace kwl
