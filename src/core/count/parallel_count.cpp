#include "count/parallel_count.h"

#include <sched.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <future>
#include <new>
#include <optional>
#include <stop_token>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "count/common_words_list.h"
#include "count/count_rules.h"
#include "count/ignore_list.h"

namespace kwl {

std::int64_t DefaultSplitMinUnits() {
  // The processors this process may run on (taskset, a container's CPU
  // set), which can be fewer than the machine has.
  static const std::int64_t units = [] {
    cpu_set_t set;
    CPU_ZERO(&set);
    const int cores = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set)
                                                                   : static_cast<int>(std::thread::hardware_concurrency());
    return cores >= 2 ? kSplitMinUnits : 0;
  }();
  return units;
}

namespace {

// The part of the size from which a text is split that is read first to
// see how fast its table grows, and the share of new words above which it
// is not split: one in four.
constexpr std::int64_t kProbeShare = 16;
constexpr std::int64_t kMaxDistinctShare = 4;

// How long the calling thread sleeps between two looks at the back part:
// short beside the event pump's 20 ms, long beside a look's cost.
constexpr std::chrono::milliseconds kWaitSlice{1};

bool SameList(const IgnoreList* a, const IgnoreList* b) {
  // The counter looks nothing up in an empty list.
  const bool aEmpty = a == nullptr || a->Empty();
  const bool bEmpty = b == nullptr || b->Empty();
  if (aEmpty || bEmpty) return aEmpty == bEmpty;
  return a == b || a->Text() == b->Text();
}

bool SameList(const CommonWordsList* a, const CommonWordsList* b) {
  if (a == nullptr || b == nullptr) return a == b;
  return a == b || a->Words() == b->Words();
}

// Whether two word rules count every word of a line alike: the rules taken
// while lines are scanned, and the lists by their contents. The rules
// applied to the finished table (numerals, infrequent words) do not matter.
bool SameCountingRules(const WordRules& a, const WordRules& b) {
  return a.caseSignificant == b.caseSignificant && a.dropFinalS == b.dropFinalS &&
         a.apostrophesAllowed == b.apostrophesAllowed && a.readingWordList == b.readingWordList &&
         a.only7bitAscii == b.only7bitAscii && a.ignoreShortWords == b.ignoreShortWords &&
         a.shortWordSize == b.shortWordSize && a.longWordSize == b.longWordSize &&
         a.ignoreNoLetter == b.ignoreNoLetter && a.ignoreRepetitions == b.ignoreRepetitions &&
         a.maxWordLength == b.maxWordLength && SameList(a.wordsToIgnore, b.wordsToIgnore) &&
         SameList(a.commonWords, b.commonWords);
}

// The back part's observer, on its own thread: it stops when asked and
// publishes how far it has come; everything else is the calling thread's.
class BackObserver final : public CountObserver {
 public:
  BackObserver(std::stop_token stop, std::atomic<std::int64_t>& done, std::atomic<std::int64_t>& steps)
      : stop_(std::move(stop)), done_(done), steps_(steps) {}
  void Step() override { ++stepped_; }
  bool StopRequested() override { return stop_.stop_requested(); }
  void Progress(std::int64_t done, std::int64_t /*total*/) override {
    done_.store(done, std::memory_order_relaxed);
    steps_.store(stepped_, std::memory_order_relaxed);
  }

 private:
  std::stop_token stop_;
  std::atomic<std::int64_t>& done_;
  std::atomic<std::int64_t>& steps_;
  std::int64_t stepped_ = 0;
};

// The back part of a split source, counted on a thread of its own from the
// moment it is made. Nothing it touches while it runs is shared: its own
// counter, source and copies of the word lists; the calling thread reads its
// progress through atomics and its result only after Join().
class BackPart {
 public:
  BackPart(const Counter& whole, std::unique_ptr<LineSource> source)
      : source_(std::move(source)), rules_(whole.Rules()), allowed_(whole.AllowedExtraChars()) {
    if (rules_.wordsToIgnore != nullptr) rules_.wordsToIgnore = &ignore_.emplace(*rules_.wordsToIgnore);
    if (rules_.commonWords != nullptr) rules_.commonWords = &common_.emplace(*rules_.commonWords);
    counter_.StartAsPartOf(whole);
    counter_.SetWordRules(rules_);
    finished_ = result_.get_future();
    thread_ = std::jthread([this](std::stop_token stop) { Run(std::move(stop)); });
  }
  BackPart(const BackPart&) = delete;
  BackPart& operator=(const BackPart&) = delete;
  // Stops and joins the thread (a part given up).
  ~BackPart() { Join(); }

  // True once the part has ended, after waiting for at most slice.
  bool WaitFor(std::chrono::milliseconds slice) const {
    return finished_.wait_for(slice) == std::future_status::ready;
  }
  // Asks the part to end after its next word.
  void RequestStop() { thread_.request_stop(); }
  void Join() {
    RequestStop();
    if (thread_.joinable()) thread_.join();
  }

  std::int64_t Done() const { return done_.load(std::memory_order_relaxed); }
  std::int64_t Steps() const { return steps_.load(std::memory_order_relaxed); }

  // Whether the counter, having read the front to the cut, may take this
  // part's count as the count of the rest: this part read to its end or to a
  // stop it was asked for, the front ended as a fresh line starts, and the
  // counter counts with the rules this part counted with.
  bool FitsAfter(const Counter& counter) const {
    const bool read = status_.Ok() || status_.kind == Status::Kind::kStopped;
    return read && counter.Carried() == Counter::CarriedState{} && SameRules(counter);
  }
  bool SameRules(const Counter& counter) const {
    return SameCountingRules(counter.Rules(), rules_) && counter.AllowedExtraChars() == allowed_;
  }

  // After Join().
  const Counter& Count() const { return counter_; }
  std::unique_ptr<LineSource> TakeSource() { return std::move(source_); }

 private:
  void Run(std::stop_token stop) {
    BackObserver observer(std::move(stop), done_, steps_);
    try {
      status_ = counter_.ReadInOrder(*source_, observer);
    } catch (...) {
      // Counted again on the calling thread, which meets the same failure.
      status_ = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, {});
    }
    result_.set_value();
  }

  std::unique_ptr<LineSource> source_;
  WordRules rules_;
  std::string allowed_;
  std::optional<IgnoreList> ignore_;
  std::optional<CommonWordsList> common_;
  Counter counter_;
  Status status_;
  std::atomic<std::int64_t> done_{0};
  std::atomic<std::int64_t> steps_{0};
  std::promise<void> result_;
  std::future<void> finished_;
  // Last: started when everything above is ready.
  std::jthread thread_;
};

// The observer of the front part: progress counts the back part's bytes too.
class FrontObserver final : public CountObserver {
 public:
  FrontObserver(CountObserver& observer, const BackPart& back) : observer_(observer), back_(back) {}
  void Step() override { observer_.Step(); }
  bool StopRequested() override { return observer_.StopRequested(); }
  bool ConfirmStop(std::int32_t distinctWords) override { return observer_.ConfirmStop(distinctWords); }
  void NewWord(std::string_view word, std::int32_t distinctWords) override { observer_.NewWord(word, distinctWords); }
  void Progress(std::int64_t done, std::int64_t total) override {
    lastDone_ = done;
    observer_.Progress(done + back_.Done(), total);
  }
  // The front's own progress at its last line with words, -1 before.
  std::int64_t LastDone() const { return lastDone_; }

 private:
  CountObserver& observer_;
  const BackPart& back_;
  std::int64_t lastDone_ = -1;
};

Status Stopped() { return Status::Failure(Status::Kind::kStopped, 0, {}); }

Status ReadInTwoParts(Counter& counter, LineSource& front, std::unique_ptr<LineSource> back,
                      CountObserver& observer) {
  // Without a thread (or the memory for the back part's copies) the whole
  // source is read on this one.
  std::optional<BackPart> part;
  try {
    part.emplace(counter, std::move(back));
  } catch (const std::bad_alloc&) {
  } catch (const std::system_error&) {
  }
  if (!part) {
    front.Rejoin();
    return counter.ReadInOrder(front, observer);
  }
  // The rest on this thread alone, as if the source had never been split.
  const auto readOnAlone = [&]() {
    part.reset();
    front.Rejoin();
    return counter.ReadInOrder(front, observer);
  };

  FrontObserver frontObserver(observer, *part);
  const Status frontStatus = counter.ReadInOrder(front, frontObserver);
  if (!frontStatus.Ok()) {
    // A confirmed stop, a failure, a line that could not be counted: where a
    // count on one thread would have ended too. The source reads on past the
    // cut for a caller that goes on.
    part.reset();
    front.Rejoin();
    return frontStatus;
  }

  // The front is read; the back part may still run.
  std::int64_t steps = 0;
  while (!part->WaitFor(kWaitSlice)) {
    const std::int64_t stepped = part->Steps();
    do observer.Step();
    while (++steps < stepped);
    observer.Progress(front.Done() + part->Done(), front.Total());
    // New rules apply from the next word: here, the first of the back part.
    if (!part->SameRules(counter)) return readOnAlone();
    if (observer.StopRequested()) part->RequestStop();
  }
  part->Join();
  if (!part->FitsAfter(counter)) return readOnAlone();

  // The progress a count on one thread reports last: after the last line
  // with words (blank lines after it are not reported).
  const std::int64_t cut = front.Done();
  const std::int64_t lastDone = part->Done() > 0 ? cut + part->Done() : frontObserver.LastDone();
  front.ContinueWith(part->TakeSource());
  try {
    counter.Absorb(part->Count(), observer);
  } catch (const std::bad_alloc&) {
    // As a line that could not be counted: the rest of the back part's words
    // are lost, the source is past them.
    return Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, {}, "a line could not be counted");
  }
  part.reset();
  if (lastDone >= 0) observer.Progress(lastDone, front.Total());
  // The question a count on one thread asks after the line where the back
  // part stopped (or after its last line).
  if (observer.StopRequested() && observer.ConfirmStop(counter.Words().NumWords())) return Stopped();
  // After a stop withdrawn, the lines after the one where the back part
  // stopped; otherwise nothing is left.
  return counter.ReadInOrder(front, observer);
}

}  // namespace

Status ReadInParts(Counter& counter, LineSource& source, CountObserver& observer, std::int64_t minUnits) {
  if (source.Total() - source.Done() < minUnits) return counter.ReadInOrder(source, observer);
  if (const std::int64_t probeUnits = minUnits / kProbeShare; probeUnits > 0) {
    const Status probe = counter.ReadInOrder(source, observer, source.Done() + probeUnits);
    if (!probe.Ok()) return probe;
    // The table of a text grows far slower than its words (the King James
    // Bible: one new word in 600; a novel's first pages: one in six); a list
    // of different words grows with every word (and a word list being read
    // counts no occurrences).
    const std::int64_t words = counter.TotalOccurrences();
    const std::int64_t distinct = counter.Words().NumWords();
    if (distinct > 0 && (words == 0 || distinct * kMaxDistinctShare > words))
      return counter.ReadInOrder(source, observer);
  }
  std::unique_ptr<LineSource> back = source.SplitOffBack(1);
  if (!back) return counter.ReadInOrder(source, observer);
  return ReadInTwoParts(counter, source, std::move(back), observer);
}

}  // namespace kwl
