#include "count/corpus_count.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>
#include <utility>

#include "files/paths.h"

namespace kwl {

namespace {

// Bytes of a file of `size` bytes done when its source has read done of total.
std::int64_t ShareOf(std::int64_t size, std::int64_t done, std::int64_t total) {
  if (total <= 0 || done <= 0) return 0;
  if (done >= total) return size;
  return static_cast<std::int64_t>(static_cast<double>(size) * static_cast<double>(done) / static_cast<double>(total));
}

// The caller's observer while one file is read on the calling thread: its
// progress moved to the file's place among the bytes of the whole list.
class FileInList final : public CountObserver {
 public:
  FileInList(CountObserver& outer, std::int64_t before, std::int64_t size, std::int64_t all)
      : outer_(outer), before_(before), size_(size), all_(all) {}
  void Step() override { outer_.Step(); }
  bool StopRequested() override { return outer_.StopRequested(); }
  bool StepsWithinLines() override { return outer_.StepsWithinLines(); }
  bool ConfirmStop(std::int32_t distinctWords) override { return outer_.ConfirmStop(distinctWords); }
  void NewWord(std::string_view word, std::int32_t distinctWords) override { outer_.NewWord(word, distinctWords); }
  void Progress(std::int64_t done, std::int64_t total) override {
    outer_.Progress(before_ + ShareOf(size_, done, total), all_);
  }

 private:
  CountObserver& outer_;
  std::int64_t before_, size_, all_;
};

struct Sizes {
  std::vector<std::int64_t> of;
  std::int64_t all = 0;
};

Sizes SizesOf(const std::vector<std::string>& files) {
  Sizes s;
  for (const std::string& f : files) {
    s.of.push_back(std::max<std::int64_t>(FileLength(f), 0));
    s.all += s.of.back();
  }
  return s;
}

CorpusTally CountInOrder(Counter& counter, const std::vector<std::string>& files, const CorpusFileOpener& open,
                         CorpusObserver& observer) {
  const Sizes sizes = SizesOf(files);
  CorpusTally tally;
  std::int64_t before = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    OpenedFile file = open(files[i]);
    observer.FileOpened(i, files[i], file.messages, file.source == nullptr);
    if (!file.source) {
      ++tally.filesSkipped;
    } else {
      if (tally.filesCounted > 0) counter.StartFile();
      ++tally.filesCounted;
      SetMarkup(counter, file.markup);
      FileInList within(observer, before, sizes.of[i], sizes.all);
      if (Status read = counter.Read(*file.source, within); !read.Ok()) {
        tally.status = std::move(read);
        tally.failedFile = files[i];
        return tally;
      }
    }
    before += sizes.of[i];
    observer.Progress(before, sizes.all);
  }
  return tally;
}

// The pool: threads take the files in order, each counts one file at a time
// into a counter of its own, and the calling thread adds the results in
// order as they become ready.
class Pool {
 public:
  Pool(const Counter& whole, const std::vector<std::string>& files, const Sizes& sizes, const CorpusFileOpener& open,
       int threads)
      : files_(files), sizes_(sizes), open_(open), window_(static_cast<std::size_t>(threads)), slots_(files.size()) {
    model_.StartAsPartOf(whole);
    model_.Words().Reset();  // a part's words count the whole's current file, which adds it once
    for (int t = 0; t < threads; ++t) threads_.emplace_back([this] { Work(); });
  }
  Pool(const Pool&) = delete;
  Pool& operator=(const Pool&) = delete;
  ~Pool() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    stopRequested_ = true;
    work_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  struct Result {
    bool ready = false;
    OpenedFile file;  // its source already closed
    std::unique_ptr<Counter> part;
    Status status;
    std::atomic<std::int64_t> done{0};  // bytes of the file read so far
  };

  // Waits for file i, calling back while it waits; false when wait said to stop.
  template <typename Wait>
  bool WaitFor(std::size_t i, Wait wait) {
    std::unique_lock lock(mutex_);
    while (!slots_[i].ready) {
      if (ready_.wait_for(lock, std::chrono::milliseconds(50)) == std::cv_status::timeout) {
        lock.unlock();
        if (!wait()) return false;
        lock.lock();
      }
    }
    return true;
  }
  Result& At(std::size_t i) { return slots_[i]; }
  // File i has been added: its counter is freed and another file may start.
  void Added(std::size_t i) {
    slots_[i].part.reset();
    slots_[i].file = OpenedFile{};
    {
      std::lock_guard lock(mutex_);
      added_ = i + 1;
    }
    work_.notify_all();
  }
  void Stop() { stopRequested_ = true; }

 private:
  // A worker's counter reports only how far it has read, and stops when asked.
  class PartObserver final : public CountObserver {
   public:
    PartObserver(std::atomic<std::int64_t>& done, std::int64_t size, const std::atomic<bool>& stop)
        : done_(done), size_(size), stop_(stop) {}
    bool StepsWithinLines() override { return false; }
    bool StopRequested() override { return stop_.load(std::memory_order_relaxed); }
    void Progress(std::int64_t done, std::int64_t total) override {
      done_.store(ShareOf(size_, done, total), std::memory_order_relaxed);
    }

   private:
    std::atomic<std::int64_t>& done_;
    std::int64_t size_;
    const std::atomic<bool>& stop_;
  };

  void Work() {
    for (;;) {
      std::size_t i = 0;
      {
        std::unique_lock lock(mutex_);
        work_.wait(lock, [&] { return stop_ || next_ >= files_.size() || next_ < added_ + window_; });
        if (stop_ || next_ >= files_.size()) return;
        i = next_++;
      }
      Count(i);
      {
        std::lock_guard lock(mutex_);
        slots_[i].ready = true;
      }
      ready_.notify_all();
    }
  }

  void Count(std::size_t i) {
    Result& r = slots_[i];
    try {
      r.file = open_(files_[i]);
      if (r.file.source) {
        r.part = std::make_unique<Counter>();
        r.part->StartAsPartOf(model_);
        SetMarkup(*r.part, r.file.markup);
        PartObserver observer(r.done, sizes_.of[i], stopRequested_);
        r.status = r.part->Read(*r.file.source, observer);
        r.file.source.reset();
      }
    } catch (const std::bad_alloc&) {
      r.part.reset();
      r.file.source.reset();
      r.status = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, files_[i], "the file could not be counted");
    }
  }

  const std::vector<std::string>& files_;
  const Sizes& sizes_;  // the files' lengths, taken once when the count starts
  const CorpusFileOpener& open_;
  const std::size_t window_;
  Counter model_;  // the whole's rules and characters, read by every worker
  std::vector<Result> slots_;
  std::mutex mutex_;
  std::condition_variable work_;   // a file may be started
  std::condition_variable ready_;  // a file is ready to be added
  std::size_t next_ = 0;           // the next file to start
  std::size_t added_ = 0;          // the files added so far
  bool stop_ = false;
  std::atomic<bool> stopRequested_{false};
  std::vector<std::thread> threads_;
};

CorpusTally CountInPool(Counter& counter, const std::vector<std::string>& files, const CorpusFileOpener& open,
                        CorpusObserver& observer, int threads) {
  const Sizes sizes = SizesOf(files);
  CorpusTally tally;
  Pool pool(counter, files, sizes, open, threads);
  std::int64_t before = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const auto waiting = [&] {
      observer.Step();
      std::int64_t done = before;
      for (std::size_t k = i; k < files.size() && k < i + static_cast<std::size_t>(threads); ++k)
        done += pool.At(k).done.load(std::memory_order_relaxed);
      observer.Progress(std::min(done, sizes.all), sizes.all);
      if (observer.StopRequested() && observer.ConfirmStop(counter.Words().NumWords())) {
        pool.Stop();
        return false;
      }
      return true;
    };
    if (!pool.WaitFor(i, waiting)) {
      tally.status = Status::Failure(Status::Kind::kStopped, 0, {});
      return tally;
    }
    Pool::Result& r = pool.At(i);
    const bool refused = r.part == nullptr && r.status.Ok();
    observer.FileOpened(i, files[i], r.file.messages, refused);
    if (refused) {
      ++tally.filesSkipped;
    } else {
      if (tally.filesCounted > 0) counter.StartFile();
      ++tally.filesCounted;
      if (r.part) counter.Absorb(*r.part, observer);
      if (!r.status.Ok()) {
        // A stop of the part is the pool's own (another file's failure or
        // the caller's stop): the caller sees it as its stop.
        tally.status = r.status;
        tally.failedFile = files[i];
        return tally;
      }
    }
    pool.Added(i);
    before += sizes.of[i];
    observer.Progress(before, sizes.all);
  }
  return tally;
}

}  // namespace

void SetMarkup(Counter& counter, scan::MarkupKind markup) {
  scan::LineScanner& scanner = counter.Scanner();
  if (markup.kind.empty()) {
    scanner.markers.Clear();
  } else {
    scanner.markers.SetCommentMarkers(markup.kind);
  }
  scanner.blnCharacterEntitiesPossible = markup.characterEntities;
}

CorpusTally CountCorpus(Counter& counter, const std::vector<std::string>& files, const CorpusFileOpener& open,
                        CorpusObserver& observer, int threads) {
  const int n = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), files.size()));
  if (n <= 1) return CountInOrder(counter, files, open, observer);
  return CountInPool(counter, files, open, observer, n);
}

}  // namespace kwl
