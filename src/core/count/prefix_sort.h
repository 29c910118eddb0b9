#pragma once
// Sorting a table's worth of words without comparing strings for most of
// them: each word's first eight characters, as their ranks in UTF-16 code
// order (padded with 0), packed into one integer that compares like them; the
// integers sorted by a radix sort (a few linear passes instead of n log n
// string comparisons over scattered memory); only words that share all eight
// characters are then compared in full.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kwl {

struct PrefixRecord {
  std::uint64_t prefix;  // the first eight ranks, the first in the highest byte
  std::uint32_t index;   // whose prefix it is
};

// The ranks (cp1252::Rank) of text's first eight characters, packed; a text
// shorter than eight pads with 0, so a prefix of another text never packs
// greater than it.
std::uint64_t PackedRanks(std::string_view text);

// The first eight bytes of bytes, packed alike (for byte order: UTF-8 words,
// collation sort keys).
std::uint64_t PackedBytes(std::string_view bytes);

// Stable sort by prefix.
void RadixSortByPrefix(std::vector<PrefixRecord>& records);

// Sorts by prefix, then every run of equal prefixes by less(indexA, indexB),
// a strict weak order consistent with the prefixes.
template <class Less>
void SortByPrefix(std::vector<PrefixRecord>& records, Less less) {
  RadixSortByPrefix(records);
  auto run = records.begin();
  while (run != records.end()) {
    auto end = run + 1;
    while (end != records.end() && end->prefix == run->prefix) ++end;
    if (end - run > 1)
      std::sort(run, end, [&](const PrefixRecord& a, const PrefixRecord& b) { return less(a.index, b.index); });
    run = end;
  }
}

}  // namespace kwl
