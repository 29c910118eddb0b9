#pragma once
// The word table aWords: one entry per distinct word with its count.
//
// During a scan words are found through a hash index (open addressing over
// the entries' own words, so a million distinct words cost no more than a
// flat array of slots; the hash is keyed at random per process, so that no
// input can choose words that pile up in one place of the index); entries
// are kept in the order they were found. OrderByWord() then puts entries 1..NumWords() into
// ascending binary order of strWord, which is the order the table has at the
// end of a scan (every consumer reads the table only after that).
//
// Memory: tables of millions of distinct words must stay small, so an entry
// is 32 bytes and refers to its word's bytes, which the table keeps in large
// blocks of its own (an arena) instead of one heap string per word. The sort
// key (scan::SortKey of the word) is not stored: the sorts derive it when
// they need it. strWord stays valid while the table lives, through a move
// too; OrderByWord() copies the words out in their new order, so a table
// read in order reads its words in order.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace kwl {

struct WordEntry {
  std::string_view strWord;      // the word as counted (Windows-1252, or UTF-8 in a Unicode table), held by the table
  std::int64_t count = 0;        // occurrences counted (64-bit: inputs of more than 2^31 words)
  std::int32_t lngFreqRank = 0;  // rank in frequency order, 0 when not ranked
  bool blnIncluded = true;
};

class WordTable {
 public:
  WordTable() = default;
  // A copy holds its own words; a move keeps them where they are (the
  // entries' views stay valid) and leaves the source empty.
  WordTable(const WordTable& other);
  WordTable& operator=(const WordTable& other);
  WordTable(WordTable&& other) noexcept { Take(other); }
  WordTable& operator=(WordTable&& other) noexcept {
    if (this != &other) Take(other);
    return *this;
  }
  ~WordTable() = default;

  // Empties the table (whether its words are UTF-8 stays as it was).
  void Reset();

  // Whether the words are UTF-8 (words in every script) instead of
  // Windows-1252: the orders, the listing and its measures follow it. Kept
  // through Reset, every copy, move and OrderByWord. A Unicode table's words
  // are NFC, case-folded unless case is significant: what shows or writes a
  // word must not convert it again.
  void SetUnicode(bool u) { unicode_ = u; }
  bool Unicode() const { return unicode_; }

  std::int32_t NumWords() const { return static_cast<std::int32_t>(size_) - 1; }

  // Counts one occurrence; true when the word is new (its count is then 1).
  bool Add(std::string_view word) { return Add(word, 1); }
  // Counts `times` occurrences at once; true when the word is new, which
  // then takes the next entry (found order), with count `times`.
  bool Add(std::string_view word, std::int64_t times);

  // For a caller that adds words in small batches: the word's hash, a hint
  // to bring its home slot of the index into the cache, and the addition
  // with the hash already known. A large table misses the cache on nearly
  // every new word; asked for a batch ahead, the misses overlap.
  std::uint32_t Hash(std::string_view word) const;
  void Prefetch(std::uint32_t hash) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
  }
  bool AddHashed(std::string_view word, std::uint32_t hash, std::int64_t times = 1);

  // Puts the entries into ascending binary order of strWord and drops the
  // hash index (the table is no longer added to until the next Reset).
  // Binary order is UTF-16 code order for Windows-1252 words, byte order
  // (which is code point order) for UTF-8 words.
  void OrderByWord();

  // In how many files each word occurs, for a count of several files.
  // Off after Reset(); TrackFiles() switches it on for an empty table.
  // StartFile() begins the next file: a word added after it counts that file
  // once, however often it occurs there. The files count is kept through
  // every reordering and copy of the table.
  void TrackFiles();
  bool TracksFiles() const { return tracksFiles_; }
  void StartFile() { ++currentFile_; }

  // The files entry i occurs in; 0 when files are not tracked.
  std::int32_t Files(std::int32_t i) const {
    return tracksFiles_ ? files_[static_cast<std::size_t>(i)] : 0;
  }
  // Adds the count of a table counted elsewhere over other files: `times`
  // occurrences found in `files` files none of which this table has seen.
  // True when the word is new. Needs TrackFiles().
  bool AddCounted(std::string_view word, std::int64_t times, std::int32_t files);

  // Entry i, 1-based.
  WordEntry& operator[](std::int32_t i) { return At(static_cast<std::uint32_t>(i)); }
  const WordEntry& operator[](std::int32_t i) const { return At(static_cast<std::uint32_t>(i)); }

  // A copy of entries 0..NumWords() (entry 0 unused), for checking an
  // algorithm that reorders them.
  std::vector<WordEntry> Entries() const;

  // Reorders entries first..first+order.size()-1: the entry at
  // first + order[k] moves to first + k. order is a permutation of
  // 0..size-1.
  void Permute(std::int32_t first, std::span<const std::uint32_t> order);

 private:
  // Entries live in chunks of a fixed size, so that a growing table never
  // copies the entries it has (a vector doubling its storage copies them
  // and touches twice their memory), and entry i is found with a shift.
  static constexpr int kChunkBits = 12;
  static constexpr std::uint32_t kChunkSize = std::uint32_t{1} << kChunkBits;
  WordEntry& At(std::uint32_t i) { return chunks_[i >> kChunkBits][i & (kChunkSize - 1)]; }
  const WordEntry& At(std::uint32_t i) const { return chunks_[i >> kChunkBits][i & (kChunkSize - 1)]; }
  // A new entry at the end.
  WordEntry& Append();

  // A slot of the index: the entry's number (0 = empty) and its word's hash,
  // so that a probe rejects another word without reading its entry.
  struct Slot {
    std::uint32_t entry = 0;
    std::uint32_t hash = 0;
  };
  std::size_t FindSlot(std::string_view word, std::uint32_t hash) const;
  void Grow();
  // A copy of the word's bytes in the arena.
  std::string_view Keep(std::string_view word);
  // Everything of other, which is left empty.
  void Take(WordTable& other) noexcept;

  std::vector<std::unique_ptr<WordEntry[]>> chunks_;
  std::uint32_t size_ = 1;  // entries, entry 0 included
  std::vector<Slot> slots_;
  // The words' bytes: blocks that never move once allocated (the entries
  // point into them), each twice the size of the one before up to a limit.
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;     // the unused rest of the newest block
  std::size_t left_ = 0;     // its size
  std::size_t nextBlock_ = 0;  // size of the next block
  // With files tracked: per entry, the files it occurs in and the number of
  // the last file it was counted in (while the table is added to).
  bool tracksFiles_ = false;
  bool unicode_ = false;
  std::int32_t currentFile_ = 0;
  std::vector<std::int32_t> files_;
  std::vector<std::int32_t> lastFile_;
};

}  // namespace kwl
