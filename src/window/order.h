#pragma once
// Ordering of the finished word table: by key, and by frequency.
#include <cstdint>

namespace kwl {
class WordTable;
struct Session;

// Sorts entries first..last into ascending key order (from character
// position startPos, 1-based) exactly as the program's quicksort-and-reverse
// leaves them, so entries with equal keys keep that procedure's order.
void SortWordTable(WordTable& table, std::int32_t first, std::int32_t last, int startPos);

// Sets lngFreqRank, lngNextByFreq and lngFirstFreq: descending count, ties in
// table order, consecutive ranks.
void BuildFrequencyOrder(Session& s);

}  // namespace kwl
