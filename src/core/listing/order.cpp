#include "listing/order.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

#include "text/cp1252.h"

namespace kwl {
namespace {

// The program's quicksort on keys, descending, over positions lo..hi of an
// index array. Entries with equal keys end where this exact partitioning
// leaves them, which is what the listing shows, so the procedure is kept
// step for step; only the recursion is replaced by an explicit stack (the two
// sub-ranges are disjoint, so the order in which they are done does not
// matter) to stay safe on tables of millions of entries.
void QuickSortDescending(std::vector<std::size_t>& idx, const std::vector<std::string>& keys, std::ptrdiff_t lo0,
                         std::ptrdiff_t hi0) {
  std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>> pending;
  pending.emplace_back(lo0, hi0);
  while (!pending.empty()) {
    const auto [lo, hi] = pending.back();
    pending.pop_back();
    if (lo >= hi) continue;
    const std::string& pivot = keys[idx[static_cast<std::size_t>(lo + (hi - lo) / 2)]];
    std::ptrdiff_t i = lo;
    std::ptrdiff_t j = hi;
    auto key = [&](std::ptrdiff_t k) -> const std::string& { return keys[idx[static_cast<std::size_t>(k)]]; };
    while (i <= j) {
      while (i < hi && key(i) > pivot) ++i;
      while (j > lo && key(j) < pivot) --j;
      if (i <= j) {
        if (i < j) std::swap(idx[static_cast<std::size_t>(i)], idx[static_cast<std::size_t>(j)]);
        ++i;
        --j;
      }
    }
    // The larger part waits on the stack, so the stack stays logarithmic.
    std::pair<std::ptrdiff_t, std::ptrdiff_t> left{lo, j};
    std::pair<std::ptrdiff_t, std::ptrdiff_t> right{i, hi};
    if (left.second - left.first > right.second - right.first) std::swap(left, right);
    if (right.first < right.second) pending.push_back(right);
    if (left.first < left.second) pending.push_back(left);
  }
}

}  // namespace

void SortWordTable(WordTable& table, std::int32_t first, std::int32_t last, int startPos) {
  if (first < 1) first = 1;
  if (last > table.NumWords()) last = table.NumWords();
  if (first >= last) return;
  const auto n = static_cast<std::size_t>(last - first + 1);
  const std::size_t skip = startPos > 1 ? static_cast<std::size_t>(startPos - 1) : 0;

  // Keys as rank strings: comparing them bytewise is comparing the keys by
  // their UTF-16 code units, the order the program's string comparison gives.
  std::vector<std::string> keys(n);
  for (std::size_t k = 0; k < n; ++k) {
    const std::string& key = table[first + static_cast<std::int32_t>(k)].strKey;
    keys[k] = skip < key.size() ? cp1252::RankString(std::string_view(key).substr(skip)) : std::string();
  }
  std::vector<std::size_t> idx(n);
  std::iota(idx.begin(), idx.end(), std::size_t{0});
  QuickSortDescending(idx, keys, 0, static_cast<std::ptrdiff_t>(n) - 1);
  std::reverse(idx.begin(), idx.end());

  // One permutation of the entries themselves.
  std::vector<WordEntry>& storage = table.Storage();
  const auto base = static_cast<std::size_t>(first);
  std::vector<WordEntry> sorted;
  sorted.reserve(n);
  for (std::size_t k : idx) sorted.push_back(std::move(storage[base + k]));
  std::move(sorted.begin(), sorted.end(), storage.begin() + static_cast<std::ptrdiff_t>(base));
}

std::vector<std::int32_t> RankByFrequency(WordTable& table, OrderProgress& progress) {
  const std::int32_t numWords = table.NumWords();
  for (std::int32_t i = 1; i <= numWords; ++i) table[i].lngFreqRank = 0;

  // Descending count, equal counts in table order: a stable sort of the
  // included entries gives the order the program's pass per count value
  // gives, without one pass over the table for every possible count.
  std::vector<std::int32_t> order;
  for (std::int32_t i = 1; i <= numWords; ++i) {
    const WordEntry& e = table[i];
    if (e.blnIncluded && e.count >= 1) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](std::int32_t a, std::int32_t b) { return table[a].count > table[b].count; });
  for (std::size_t k = 0; k < order.size(); ++k) {
    table[order[k]].lngFreqRank = static_cast<std::int32_t>(k + 1);
    if (k + 1 == order.size() || table[order[k + 1]].count != table[order[k]].count) progress.CountRanked();
  }
  for (std::size_t k = 1; k < order.size(); ++k) progress.Placed(static_cast<std::int32_t>(k + 1));
  return order;
}

std::vector<std::int32_t> RankByFrequency(WordTable& table) {
  OrderProgress quiet;
  return RankByFrequency(table, quiet);
}

}  // namespace kwl
