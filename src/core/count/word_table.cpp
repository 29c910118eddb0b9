#include "count/word_table.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "count/keyed_hash.h"
#include "count/prefix_sort.h"
#include "text/cp1252.h"

namespace kwl {

namespace {

// The arena's blocks grow from small (a table of a few words stays small) to
// a size where one more block is a negligible share of a large table.
constexpr std::size_t kFirstBlock = 4096;
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;

std::uint32_t HashOf(std::string_view word) {
  // Keyed, so that no input can choose words that share a home slot. The low
  // half serves both as the slot's check and, masked, as the home position;
  // entries keep the order they were found in, so nothing listed depends on it.
  return static_cast<std::uint32_t>(KeyedHash(word));
}

}  // namespace

WordTable::WordTable(const WordTable& other)
    : slots_(other.slots_),
      tracksFiles_(other.tracksFiles_),
      unicode_(other.unicode_),
      currentFile_(other.currentFile_),
      files_(other.files_),
      lastFile_(other.lastFile_) {
  if (other.chunks_.empty()) return;  // never reset: nothing to copy
  // One block for all the words; the entries then refer to it.
  std::size_t total = 0;
  for (std::uint32_t i = 1; i < other.size_; ++i) total += other.At(i).strWord.size();
  nextBlock_ = std::max(total, kFirstBlock);
  size_ = 0;
  for (std::uint32_t i = 0; i < other.size_; ++i) {
    WordEntry& entry = Append();
    entry = other.At(i);
    if (i > 0) entry.strWord = Keep(entry.strWord);
  }
}

WordTable& WordTable::operator=(const WordTable& other) {
  if (this != &other) *this = WordTable(other);
  return *this;
}

void WordTable::Take(WordTable& other) noexcept {
  chunks_ = std::move(other.chunks_);
  size_ = std::exchange(other.size_, 0);
  slots_ = std::move(other.slots_);
  blocks_ = std::move(other.blocks_);
  free_ = std::exchange(other.free_, nullptr);
  left_ = std::exchange(other.left_, 0);
  nextBlock_ = std::exchange(other.nextBlock_, 0);
  tracksFiles_ = std::exchange(other.tracksFiles_, false);
  unicode_ = std::exchange(other.unicode_, false);
  currentFile_ = std::exchange(other.currentFile_, 0);
  files_ = std::move(other.files_);
  lastFile_ = std::move(other.lastFile_);
  other.files_.clear();
  other.lastFile_.clear();
  other.chunks_.clear();
  other.slots_.clear();
  other.blocks_.clear();
}

WordEntry& WordTable::Append() {
  if ((size_ >> kChunkBits) >= chunks_.size()) chunks_.push_back(std::make_unique<WordEntry[]>(kChunkSize));
  WordEntry& entry = At(size_++);
  entry = WordEntry{};
  return entry;
}

std::vector<WordEntry> WordTable::Entries() const {
  std::vector<WordEntry> out;
  if (chunks_.empty()) return out;
  out.reserve(size_);
  for (std::uint32_t i = 0; i < size_; ++i) out.push_back(At(i));
  return out;
}

void WordTable::Reset() {
  chunks_.clear();
  size_ = 0;
  Append();  // entry 0 is unused: the table is 1-based
  slots_.assign(1024, Slot{});
  blocks_.clear();
  free_ = nullptr;
  left_ = 0;
  nextBlock_ = kFirstBlock;
  tracksFiles_ = false;
  currentFile_ = 0;
  files_.clear();
  lastFile_.clear();
}

void WordTable::TrackFiles() {
  if (slots_.empty()) Reset();
  tracksFiles_ = true;
  files_.assign(size_, 0);
  lastFile_.assign(size_, -1);
}

std::string_view WordTable::Keep(std::string_view word) {
  if (word.size() > left_) {
    if (nextBlock_ == 0) nextBlock_ = kFirstBlock;
    const std::size_t size = std::max(nextBlock_, word.size());
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    free_ = blocks_.back().get();
    left_ = size;
    nextBlock_ = std::min(nextBlock_ * 2, kLargestBlock);
  }
  if (!word.empty()) std::memcpy(free_, word.data(), word.size());
  const std::string_view kept(free_, word.size());
  free_ += word.size();
  left_ -= word.size();
  return kept;
}

std::size_t WordTable::FindSlot(std::string_view word, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.entry == 0) return i;
    if (slot.hash == hash && At(slot.entry).strWord == word) return i;
  }
}

void WordTable::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.entry == 0) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].entry != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

bool WordTable::Add(std::string_view word, std::int64_t times) {
  if (slots_.empty()) Reset();
  return AddHashed(word, HashOf(word), times);
}

std::uint32_t WordTable::Hash(std::string_view word) const { return HashOf(word); }

bool WordTable::AddHashed(std::string_view word, std::uint32_t hash, std::int64_t times) {
  if (slots_.empty()) Reset();
  const std::size_t i = FindSlot(word, hash);
  if (slots_[i].entry != 0) {
    const std::uint32_t e = slots_[i].entry;
    At(e).count += times;
    if (tracksFiles_ && lastFile_[e] != currentFile_) {
      ++files_[e];
      lastFile_[e] = currentFile_;
    }
    return false;
  }
  WordEntry& entry = Append();
  entry.strWord = Keep(word);
  entry.count = times;
  if (tracksFiles_) {
    files_.push_back(1);
    lastFile_.push_back(currentFile_);
  }
  slots_[i] = Slot{static_cast<std::uint32_t>(NumWords()), hash};
  // Keep the slots at most half full.
  if (static_cast<std::size_t>(NumWords()) * 2 > slots_.size()) Grow();
  return true;
}

bool WordTable::AddCounted(std::string_view word, std::int64_t times, std::int32_t files) {
  if (!tracksFiles_) TrackFiles();
  const std::uint32_t hash = HashOf(word);
  const std::size_t i = FindSlot(word, hash);
  if (slots_[i].entry != 0) {
    const std::uint32_t e = slots_[i].entry;
    At(e).count += times;
    files_[e] += files;
    return false;
  }
  AddHashed(word, hash, times);
  files_.back() = files;
  return true;
}

void WordTable::Permute(std::int32_t first, std::span<const std::uint32_t> order) {
  // Gathered into a copy, then copied back: the reads are independent of
  // each other, so the processor overlaps them (a walk along the cycles of
  // the permutation would wait for one entry after another).
  std::vector<WordEntry> moved;
  moved.reserve(order.size());
  const auto base = static_cast<std::uint32_t>(first);
  for (const std::uint32_t from : order) moved.push_back(At(base + from));
  for (std::uint32_t k = 0; k < moved.size(); ++k) At(base + k) = moved[k];
  if (tracksFiles_) {
    std::vector<std::int32_t> files(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) files[k] = files_[base + order[k]];
    std::copy(files.begin(), files.end(), files_.begin() + base);
  }
}

void WordTable::OrderByWord() {
  slots_.clear();
  slots_.shrink_to_fit();
  if (size_ < 2) return;
  // Words are distinct, so the order has no ties: sorted on their packed
  // first characters, only words sharing those are compared in full.
  std::vector<PrefixRecord> records(size_ - 1);
  std::size_t totalLength = 0;
  for (std::uint32_t i = 1; i < size_; ++i) {
    const std::string_view word = At(i).strWord;
    records[i - 1] = PrefixRecord{unicode_ ? PackedBytes(word) : PackedRanks(word), i};
    totalLength += word.size();
  }
  if (unicode_) {
    SortByPrefix(records, [this](std::uint32_t a, std::uint32_t b) { return At(a).strWord < At(b).strWord; });
  } else {
    SortByPrefix(records, [this](std::uint32_t a, std::uint32_t b) {
      return cp1252::Compare(At(a).strWord, At(b).strWord) < 0;
    });
  }
  std::vector<std::uint32_t> order(records.size());
  for (std::size_t k = 0; k < records.size(); ++k) order[k] = records[k].index;
  std::vector<PrefixRecord>().swap(records);  // its memory free for the copy

  // The entries and their words are copied out in the new order, so that
  // everything after (the key sort, the filters, the listing) walks memory
  // in order instead of jumping through a table larger than the caches; the
  // copying reads are independent of each other, which the processor
  // overlaps, where permuting in place would chase one entry after another.
  // Prefetching the entries some steps ahead and their words a few steps
  // ahead keeps several of those reads in flight at once.
  constexpr std::size_t kEntriesAhead = 16;
  constexpr std::size_t kWordsAhead = 8;
  WordTable ordered;
  ordered.unicode_ = unicode_;
  ordered.size_ = 0;
  ordered.Append();  // entry 0
  ordered.nextBlock_ = std::min(std::max(totalLength, kFirstBlock), kLargestBlock);
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k + kEntriesAhead < order.size()) __builtin_prefetch(&At(order[k + kEntriesAhead]));
    if (k + kWordsAhead < order.size()) __builtin_prefetch(At(order[k + kWordsAhead]).strWord.data());
    WordEntry& entry = ordered.Append();
    entry = At(order[k]);
    entry.strWord = ordered.Keep(entry.strWord);
  }
  if (tracksFiles_) {
    ordered.tracksFiles_ = true;
    ordered.files_.resize(size_);
    for (std::size_t k = 0; k < order.size(); ++k) ordered.files_[k + 1] = files_[order[k]];
  }
  std::vector<std::uint32_t>().swap(order);
  *this = std::move(ordered);
}

}  // namespace kwl
