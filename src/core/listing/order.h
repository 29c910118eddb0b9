#pragma once
// The two orders of a listing over the finished word table: key order, which
// the table itself is put into, and frequency order, a list of entries.
// Neither depends on where the hash index put an entry: both start from the
// table in the binary word order WordTable::OrderByWord leaves.
#include <cstdint>
#include <vector>

#include "count/word_table.h"

namespace kwl {

// Sorts entries first..last into ascending key order (from character
// position startPos, 1-based) exactly as the program's quicksort-and-reverse
// leaves them, so entries with equal keys keep that procedure's order. A
// table of UTF-8 words (WordTable::Unicode) is put into collation order
// instead (CollateWordTable).
void SortWordTable(WordTable& table, std::int32_t first, std::int32_t last, int startPos);

// Told how far RankByFrequency has got, so that a window can stay responsive
// and show signs of life. It cannot stop the ordering: an order is always
// complete.
class OrderProgress {
 public:
  virtual ~OrderProgress() = default;
  // The included entries of one count value have their ranks; once per
  // distinct count, from the highest down.
  virtual void CountRanked() {}
  // Once every entry is ranked: the entry of this rank (2, 3, ... in turn)
  // takes its place after the one before it.
  virtual void Placed(std::int32_t /*rank*/) {}
};

// Ranks the included entries (count at least 1) by descending count, equal
// counts in table order, with consecutive ranks from 1: sets lngFreqRank of
// every entry (0 for one not listed) and returns the ranked entries in rank
// order, the entry of rank k at position k - 1.
std::vector<std::int32_t> RankByFrequency(WordTable& table, OrderProgress& progress);
std::vector<std::int32_t> RankByFrequency(WordTable& table);

}  // namespace kwl
