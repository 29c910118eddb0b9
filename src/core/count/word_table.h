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
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kwl {

struct WordEntry {
  std::string strWord;   // the word as counted (Windows-1252)
  std::string strKey;    // FoldCase(FoldAccents(strWord)), for sorting
  std::int64_t count = 0;        // occurrences counted (64-bit: inputs of more than 2^31 words)
  std::int32_t lngFreqRank = 0;  // rank in frequency order, 0 when not ranked
  bool blnIncluded = true;
};

class WordTable {
 public:
  // Empties the table.
  void Reset();

  std::int32_t NumWords() const { return static_cast<std::int32_t>(entries_.size()) - 1; }

  // Counts one occurrence; true when the word is new (its count is then 1).
  bool Add(std::string_view word);
  // Counts times occurrences (times >= 1) at once; true when the word is new.
  bool Add(std::string_view word, std::int64_t times);

  // Puts the entries into ascending binary order of strWord and drops the
  // hash index (the table is no longer added to until the next Reset).
  void OrderByWord();

  // Entry i, 1-based.
  WordEntry& operator[](std::int32_t i) { return entries_[static_cast<std::size_t>(i)]; }
  const WordEntry& operator[](std::int32_t i) const { return entries_[static_cast<std::size_t>(i)]; }

  // Entries 1..NumWords(), for algorithms that reorder them.
  std::vector<WordEntry>& Storage() { return entries_; }

 private:
  // A slot of the index: the entry's number (0 = empty) and its word's hash.
  struct Slot {
    std::uint32_t entry = 0;
    std::uint32_t hash = 0;
  };
  std::size_t FindSlot(std::string_view word, std::uint32_t hash) const;
  void Grow();

  std::vector<WordEntry> entries_{1};
  std::vector<Slot> slots_;
};

}  // namespace kwl
