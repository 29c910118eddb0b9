// A count read on two threads gives what a count on one gives: the cut of a
// text file where a sequential reader starts a line, the tables, new words,
// totals and endings of split counts beside unsplit ones (made-up files
// with comments, tags, line ends and UTF-8 at the cut, the corpus, stops,
// failures and rule changes at every stage), and the window's count.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "count_run.h"
#include "count/count_rules.h"
#include "count/counter.h"
#include "count/ignore_list.h"
#include "files/paths.h"
#include "scan/markup.h"
#include "sources/encoding.h"
#include "session.h"
#include "sources/text_file_source.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::TempDir;

// Lines in memory that split at line `cut`; the back part can fail at a
// line, or wait before its first line until the calling thread opens the
// gate (so that the calling thread is known to wait for it).
struct Script {
  std::vector<std::string> lines;
  std::size_t cut = 0;
  std::size_t failAt = SIZE_MAX;  // a read error instead of this line
  bool gated = false;
  std::atomic<bool> gateOpen{false};
  bool frontRead = false;      // the front asked for the line at the cut
  bool frontReturned = false;  // the front handed out its last line
};

// What a count reports and leaves: everything a split may not change.
struct Outcome {
  std::vector<std::tuple<std::string, std::int64_t, bool>> entries;  // in the table's order
  std::int64_t totalOccurrences = 0;
  Status::Kind end = Status::Kind::kOk;
  std::vector<std::string> newWords;
  std::vector<std::int32_t> confirmations;  // ConfirmStop's distinct words
  std::int64_t done = 0;                    // the source's Done() at the end
  std::int64_t lastProgress = -1;
  bool operator==(const Outcome&) const = default;
};
void PrintTo(const Outcome& o, std::ostream* os) {
  *os << o.entries.size() << " entries, " << o.totalOccurrences << " occurrences, end " << static_cast<int>(o.end)
      << ", " << o.newWords.size() << " new words, done " << o.done << ", last progress " << o.lastProgress;
}

// Records the count; stops at the stopAt-th new word or, on cue, when the
// front has been read; new rules at the rulesAt-th Step() or on cue.
enum class Cue { kNone, kStop, kRules };
struct Recorder : CountObserver {
  Outcome* out = nullptr;
  Counter* counter = nullptr;
  Script* script = nullptr;
  int stopAt = 0;
  bool confirm = true;
  int rulesAt = 0;
  WordRules newRules;
  Cue cue = Cue::kNone;
  // New rules "while the back part waits" take effect, on one thread, before
  // the first word of the line at the cut. A one-thread count steps only
  // after words, so there they come at the end of the front's last line.
  bool rulesCueAtFrontEnd = false;
  bool stop = false;
  int steps = 0;
  bool cued = false;

  void Step() override {
    if (++steps == rulesAt) counter->SetWordRules(newRules);
    // A stop must reach the back part before it reads on: the gate opens
    // at the Step() after it; new rules throw its count away at once.
    if (cued) script->gateOpen = true;
    if (cue == Cue::kNone || cued) return;
    if (!(cue == Cue::kRules && rulesCueAtFrontEnd ? script->frontReturned : script->frontRead)) return;
    cued = true;
    if (cue == Cue::kStop) {
      stop = true;
    } else {
      counter->SetWordRules(newRules);
      script->gateOpen = true;
    }
  }
  bool StopRequested() override { return stop; }
  bool ConfirmStop(std::int32_t distinct) override {
    out->confirmations.push_back(distinct);
    stop = confirm;
    return confirm;
  }
  void NewWord(std::string_view word, std::int32_t distinct) override {
    out->newWords.emplace_back(word);
    EXPECT_EQ(distinct, static_cast<std::int32_t>(out->newWords.size()));
    if (static_cast<int>(out->newWords.size()) == stopAt) stop = true;
  }
  void Progress(std::int64_t done, std::int64_t) override { out->lastProgress = done; }
};

// A whole count of a file, split from splitMinUnits bytes on (0: never).
Outcome CountFile(const std::string& path, bool utf8, std::int64_t splitMinUnits, std::size_t bufferSize,
                  const CountRules& rules) {
  TextFileSource source(path, utf8, bufferSize);
  Outcome out;
  Recorder recorder;
  recorder.out = &out;
  const CountResult result = Count(source, rules, recorder, splitMinUnits);
  for (std::int32_t i = 1; i <= result.words.NumWords(); ++i)
    out.entries.emplace_back(result.words[i].strWord, result.words[i].count, result.words[i].blnIncluded);
  out.totalOccurrences = result.totals.totalOccurrences;
  out.end = result.status.kind;
  out.done = source.Done();
  return out;
}

CountRules RulesFor(const std::string& path) {
  CountRules rules;
  rules.markup = scan::MarkupKindFor(Extension(path));
  return rules;
}

// The lines a sequential reader hands out, with its Done() after each.
std::vector<std::pair<std::string, std::int64_t>> LinesOf(LineSource& source) {
  std::vector<std::pair<std::string, std::int64_t>> lines;
  std::string line;
  while (source.Next(line)) lines.emplace_back(line, source.Done());
  return lines;
}

TEST(TextFileSplit, CutsWhereASequentialReaderStartsALine) {
  const std::string a(20, 'a');
  const std::string b(20, 'b');
  const struct {
    const char* name;
    std::string bytes;
    std::int64_t minUnits;
    std::int64_t cut;  // -1: no split
    int linesRead = 0;  // before the split
  } cases[] = {
      {"empty", "", 1, -1},
      {"the middle of what is left", a + "\n" + a + "\n" + b + "\n" + b, 1, 63, 1},
      {"below the size", a + "\n" + b + "\n", 100, -1},
      {"LF after the middle", a + "\n" + b + "\n" + b, 1, 42},
      // 20 + 2 + 20 bytes: the middle (21) is the LF of the CR LF.
      {"middle on the LF of CR LF", a + "\r\n" + b, 1, 22},
      // 20 + 2 + 18 bytes: the middle (20) is the CR.
      {"middle on the CR of CR LF", a + "\r\n" + b.substr(0, 18), 1, 22},
      {"lone CR", a + "\r" + b, 1, 21},
      {"CR LF LF", a + "\r\n\n" + b, 1, 22},
      {"nothing after the last line end", a + b + "\r\n", 1, -1},
      {"one long line", a + b + b, 1, -1},
      {"line end beyond the quarter after the middle", "x\n" + a + b + b + b + "\ny", 1, -1},
      {"UTF-8 around the cut", "\xEF\xBB\xBF" + a + "\xC3\xA9\n\xE2\x80\x99" + b, 1, 26},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.Write("cut.txt", c.bytes);
    for (const std::size_t bufferSize : {std::size_t{3}, std::size_t{7}, LineReader::kDefaultBufferSize}) {
      TextFileSource whole(path, false, bufferSize);
      const auto expected = LinesOf(whole);
      TextFileSource front(path, false, bufferSize);
      std::vector<std::pair<std::string, std::int64_t>> lines;
      for (std::string line; static_cast<int>(lines.size()) < c.linesRead && front.Next(line);)
        lines.emplace_back(line, front.Done());
      std::unique_ptr<LineSource> back = front.SplitOffBack(c.minUnits);
      ASSERT_EQ(back != nullptr, c.cut >= 0) << c.name;
      if (!back) {
        for (auto& line : LinesOf(front)) lines.push_back(line);
        EXPECT_EQ(lines, expected) << c.name << " reads as unsplit";
        continue;
      }
      // The front ends at the cut, the back starts there: together the
      // lines of the whole file.
      for (auto& line : LinesOf(front)) lines.push_back(line);
      EXPECT_EQ(front.Done(), c.cut) << c.name << " buffer " << bufferSize;
      for (auto& [line, done] : LinesOf(*back)) lines.emplace_back(line, c.cut + done);
      EXPECT_EQ(lines, expected) << c.name << " buffer " << bufferSize;
      EXPECT_EQ(back->Done(), whole.Done() - c.cut) << c.name;
      front.ContinueWith(std::move(back));
      EXPECT_EQ(front.Done(), whole.Done()) << c.name;
      // Given up, the back is read by the front as if never split.
      TextFileSource rejoined(path, false, bufferSize);
      ASSERT_NE(rejoined.SplitOffBack(c.minUnits), nullptr);
      rejoined.Rejoin();
      if (c.linesRead == 0) {
        EXPECT_EQ(LinesOf(rejoined), expected) << c.name << " rejoined";
      }
    }
  }
}

// Lines of n words drawn from a small vocabulary plus a few of their own.
std::string Prose(int lines, const char* tag, const char* end = "\n") {
  static const char* const vocabulary[] = {"river", "stone", "light", "Night", "Who's", "it's", "o'clock", "tree-top"};
  std::string text;
  for (int i = 0; i < lines; ++i) {
    for (int k = 0; k < 6; ++k) text.append(vocabulary[(i * 7 + k * 3) % 8]).append(" ");
    text.append(tag).append(std::to_string(i % 13)).append(end);
  }
  return text;
}

TEST(ParallelCount, MadeUpFilesCountAsOnOneThread) {
  CountRules strict;
  strict.word.ignoreShortWords = true;
  strict.word.dropFinalS = true;
  strict.word.ignoreRomanNumerals = true;
  IgnoreList ignore;
  ignore = std::string(" river tree-top ");
  strict.word.wordsToIgnore = &ignore;
  const struct {
    const char* name;
    const char* file;
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"LF prose", "a.txt", Prose(200, "front") + Prose(200, "back"), false},
      {"CR LF prose", "a.txt", Prose(400, "w", "\r\n"), false},
      {"CR prose", "a.txt", Prose(400, "w", "\r"), false},
      {"blank lines at the cut", "a.txt", Prose(100, "f") + std::string(50, '\n') + " \t\r\n" + Prose(100, "b"), false},
      {"C comment across the cut", "a.txt", Prose(50, "f") + "open /* " + Prose(100, "hidden") + " */ shut " +
                                              Prose(50, "b"), false},
      {"line comment at the cut", "a.c", Prose(100, "f") + "// " + std::string(3000, 'x') + "\n" + Prose(100, "b"),
       false},
      {"HTML comment across the cut", "a.html", "<p>" + Prose(50, "f") + "<!-- " + Prose(100, "hidden") + " -->" +
                                                   Prose(50, "b"), false},
      {"HTML tag across the cut", "a.htm", Prose(50, "f") + "<a\n" + std::string(4000, ' ') + "\nhref=x>" +
                                              Prose(50, "b") + "&eacute;t&eacute; &amp; caf&#233;", false},
      {"UTF-8 at the cut", "a.txt", "\xEF\xBB\xBF" + Prose(100, "caf\xC3\xA9") + "\xE2\x80\x9Cna\xC3\xAFve\xE2\x80\x9D\n" +
                                        Prose(100, "\xC3\xBC" "ber\xE2\x80\x99s"), true},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.Write(c.file, c.bytes);
    ASSERT_NE(TextFileSource(path, c.utf8).SplitOffBack(1), nullptr) << c.name;
    CountRules plain = RulesFor(path);
    strict.markup = plain.markup;
    for (const CountRules* rules : {&plain, &strict}) {
      for (const std::size_t bufferSize : {std::size_t{5}, LineReader::kDefaultBufferSize}) {
        const Outcome one = CountFile(path, c.utf8, 0, bufferSize, *rules);
        ASSERT_FALSE(one.entries.empty()) << c.name;
        EXPECT_EQ(CountFile(path, c.utf8, 1, bufferSize, *rules), one) << c.name << " buffer " << bufferSize;
        // Split after the first lines were read to see how the table grows.
        const auto half = static_cast<std::int64_t>(c.bytes.size() / 2);
        EXPECT_EQ(CountFile(path, c.utf8, half, bufferSize, *rules), one) << c.name << " probed, buffer " << bufferSize;
      }
    }
  }
}

TEST(ParallelCount, CorpusFilesCountAsOnOneThread) {
  KWL_REQUIRE_CORPUS(corpus, "kjvbible.txt");
  std::vector<std::string> paths = {corpus};
  for (const char* folder : {"text", "markup", "source", "unicode"}) {
    const std::filesystem::path dir = std::filesystem::path(corpus).parent_path() / folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& e : std::filesystem::directory_iterator(dir)) paths.push_back(e.path().string());
  }
  for (const std::string& path : paths) {
    const bool utf8 = DetectFileEncoding(path) == 3;
    const auto size = LineReader::kDefaultBufferSize;
    EXPECT_EQ(CountFile(path, utf8, 1, size, RulesFor(path)), CountFile(path, utf8, 0, size, RulesFor(path))) << path;
  }
}

class ScriptSource : public LineSource {
 public:
  ScriptSource(Script& script, std::size_t from, std::size_t to, bool back)
      : script_(script), next_(from), to_(to), back_(back) {}
  bool Next(std::string& line) override {
    if (next_ >= script_.cut && !back_) script_.frontRead = true;
    if (next_ == to_) return false;
    if (next_ == script_.failAt) {
      status_ = Status::Failure(Status::Kind::kReadFailed, EIO, "/in.txt");
      return false;
    }
    for (int i = 0; back_ && script_.gated && !script_.gateOpen && i < 5000; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    line = script_.lines[next_++];
    if (next_ >= script_.cut && !back_) script_.frontReturned = true;
    done_ += static_cast<std::int64_t>(line.size());
    return true;
  }
  std::int64_t Done() const override { return done_; }
  std::int64_t Total() const override { return 1000; }
  const Status& status() const override { return status_; }
  std::unique_ptr<LineSource> SplitOffBack(std::int64_t) override {
    if (to_ != script_.lines.size() || next_ != 0) return nullptr;
    to_ = script_.cut;
    return std::make_unique<ScriptSource>(script_, script_.cut, script_.lines.size(), true);
  }
  void Rejoin() override { to_ = script_.lines.size(); }
  void ContinueWith(std::unique_ptr<LineSource> back) override {
    auto& part = static_cast<ScriptSource&>(*back);
    next_ = part.next_;
    to_ = part.to_;
    done_ += part.done_;
    status_ = part.status_;
  }

 private:
  Script& script_;
  std::size_t next_;
  std::size_t to_;
  bool back_;
  std::int64_t done_ = 0;
  Status status_;
};

TEST(ParallelCount, StopsRulesAndFailuresEndAsOnOneThread) {
  const std::vector<std::string> lines = {" a b c", " d b /* e", " f */ g", " h i j", " k a", " l m", " n"};
  const std::vector<std::string> all = {"a", "b", "c", "d", "g", "h", "i", "j", "k", "l", "m", "n"};
  const std::vector<std::string> withoutHK = {"a", "b", "c", "d", "g", "i", "j", "l", "m", "n"};
  IgnoreList hk;
  hk = std::string(" h k ");
  WordRules ignoreHK;
  ignoreHK.wordsToIgnore = &hk;
  const struct {
    const char* name;
    std::size_t cut;
    int stopAt;  // new words
    bool confirm;
    std::size_t failAt;
    int rulesAt;  // steps: "h" and "k" ignored from then on
    Cue cue;
    std::vector<std::string> newWords;  // both counts report these
  } cases[] = {
      {"plain", 3, 0, true, SIZE_MAX, 0, Cue::kNone, all},
      {"comment open at the cut", 2, 0, true, SIZE_MAX, 0, Cue::kNone, all},
      {"stop in the front", 4, 4, true, SIZE_MAX, 0, Cue::kNone, {"a", "b", "c", "d"}},
      {"stop in the front withdrawn", 4, 2, false, SIZE_MAX, 0, Cue::kNone,
       {"a", "b", "d", "g", "h", "i", "j", "k", "l", "m", "n"}},
      {"read error in the front", 4, 0, true, 2, 0, Cue::kNone, {"a", "b", "c", "d"}},
      {"read error in the back", 3, 0, true, 5, 0, Cue::kNone, {"a", "b", "c", "d", "g", "h", "i", "j", "k"}},
      {"rules changed in the front", 3, 0, true, SIZE_MAX, 4, Cue::kNone, withoutHK},
      {"stop while the back part waits", 3, 0, true, SIZE_MAX, 0, Cue::kStop, {"a", "b", "c", "d", "g", "h"}},
      {"stop withdrawn while the back part waits", 3, 0, false, SIZE_MAX, 0, Cue::kStop,
       {"a", "b", "c", "d", "g", "h", "k", "l", "m", "n"}},
      {"rules changed while the back part waits", 3, 0, true, SIZE_MAX, 0, Cue::kRules, withoutHK},
  };
  for (const auto& c : cases) {
    Outcome outcomes[2];
    for (const int split : {0, 1}) {
      Script script;
      script.lines = lines;
      script.cut = c.cut;
      script.failAt = c.failAt;
      script.gated = c.cue != Cue::kNone;
      ScriptSource source(script, 0, lines.size(), false);
      Counter counter;
      counter.Start(CountRules{});
      counter.SetSplitMinUnits(split);
      Outcome& out = outcomes[split];
      Recorder recorder;
      recorder.out = &out;
      recorder.counter = &counter;
      recorder.script = &script;
      recorder.stopAt = c.stopAt;
      recorder.confirm = c.confirm;
      recorder.rulesAt = c.rulesAt;
      recorder.newRules = ignoreHK;
      recorder.cue = c.cue;
      recorder.rulesCueAtFrontEnd = split == 0;
      out.end = counter.Read(source, recorder).kind;
      for (std::int32_t i = 1; i <= counter.Words().NumWords(); ++i)
        out.entries.emplace_back(counter.Words()[i].strWord, counter.Words()[i].count, true);
      out.totalOccurrences = counter.TotalOccurrences();
      out.done = source.Done();
      out.lastProgress = -1;  // reported at other moments by a split count
      script.gateOpen = true;
    }
    EXPECT_EQ(outcomes[1], outcomes[0]) << c.name;
    EXPECT_EQ(outcomes[1].newWords, c.newWords) << c.name;
  }
}

// What the window keeps and shows after a count through the count button.
using WindowCount = std::tuple<std::vector<std::tuple<std::string, std::int64_t, bool, std::int32_t>>, std::int64_t,
                               bool, std::int16_t, bool, int, std::vector<std::string>, std::string>;

WindowCount CountInWindow(const std::string& path, bool utf8, std::int64_t splitMinUnits) {
  test::TestSession t;
  Session& s = t.session;
  TempDir out;
  s.counter.SetSplitMinUnits(splitMinUnits);
  s.main.chkUTF8.SetValue(utf8 ? 1 : 0);
  s.main.txbFile[0].SetText(path);
  s.main.txbFile[1].SetText(out.File("list.txt"));
  cmdListWords_Click(s);
  std::vector<std::tuple<std::string, std::int64_t, bool, std::int32_t>> words;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
    words.emplace_back(s.aWords[i].strWord, s.aWords[i].count, s.aWords[i].blnIncluded, s.aWords[i].lngFreqRank);
  std::vector<std::string> boxes;
  for (const MessageBox& box : t.platform.boxes) boxes.push_back(box.title);
  return {words, s.run.lngTotalNumOccurrences, s.run.blnDisplaySuppressed, s.main.chkSuppressWords.Value(),
          s.run.blnCountIncomplete, s.run.intLineEndingType, boxes, test::ReadAll(out.File("list.txt"))};
}

TEST(ParallelCount, TheWindowCountsAsOnOneThread) {
  // Few different words in the front, many in the back: the words shown as
  // found pass the text box's limit while the back part's table is added.
  std::string distinct;
  for (int i = 0; i < 12000; ++i) {
    distinct += "wo";
    for (int k = 0, v = i * 7919 % 100003; k < 4; ++k, v /= 26) distinct += static_cast<char>('a' + v % 26);
    distinct += i % 9 == 0 ? "\r\n" : " ";
  }
  const struct {
    const char* name;
    const char* file;
    std::string bytes;
    bool utf8;
    bool suppressed;  // the words shown as found passed the limit
  } cases[] = {
      {"display limit passed in the back", "a.txt", Prose(1500, "front", "\r\n") + distinct, false, true},
      {"LF", "b.txt", Prose(1500, "w") + Prose(1500, "v"), false, false},
      {"CR, with the notice of its line ends", "d.txt", Prose(3000, "w", "\r"), false, false},
      {"UTF-8 with a BOM", "c.txt", "\xEF\xBB\xBF" + Prose(1500, "caf\xC3\xA9") + Prose(1500, "\xE2\x80\x9Cna\xC3\xAFve"), true,
       false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.Write(c.file, c.bytes);
    const WindowCount one = CountInWindow(path, c.utf8, 0);
    EXPECT_FALSE(std::get<7>(one).empty()) << c.name;
    EXPECT_EQ(std::get<2>(one), c.suppressed) << c.name;
    if (c.bytes.find('\n') == std::string::npos) {
      EXPECT_EQ(std::get<5>(one), 3) << c.name << ": CR line ends";
    }
    EXPECT_EQ(CountInWindow(path, c.utf8, 1), one) << c.name;
  }
}

}  // namespace
}  // namespace kwl
