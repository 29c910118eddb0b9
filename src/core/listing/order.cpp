#include "listing/order.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

#include "count/prefix_sort.h"
#include "listing/collation.h"
#include "text/cp1252.h"
#include "text/normalise.h"

namespace kwl {
namespace {

// A key reduced to its place among the distinct keys of the range, beside
// the entry it belongs to (0-based within the range).
struct RankedEntry {
  std::uint32_t key;
  std::uint32_t entry;
};

// The program's quicksort on keys, descending. Entries with equal keys end
// where this exact partitioning leaves them, which is what the listing
// shows, so the procedure is kept step for step; only the recursion is
// replaced by an explicit stack (the two sub-ranges are disjoint, so the
// order in which they are done does not matter) to stay safe on tables of
// millions of entries. It compares the keys' places among the distinct keys,
// which compare exactly as the keys do, so every comparison and swap is the
// one the keys would give.
void QuickSortDescending(std::vector<RankedEntry>& a, std::ptrdiff_t lo0, std::ptrdiff_t hi0) {
  std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>> pending;
  pending.emplace_back(lo0, hi0);
  auto key = [&](std::ptrdiff_t k) { return a[static_cast<std::size_t>(k)].key; };
  while (!pending.empty()) {
    const auto [lo, hi] = pending.back();
    pending.pop_back();
    if (lo >= hi) continue;
    const std::uint32_t pivot = key(lo + (hi - lo) / 2);
    std::ptrdiff_t i = lo;
    std::ptrdiff_t j = hi;
    while (i <= j) {
      while (i < hi && key(i) > pivot) ++i;
      while (j > lo && key(j) < pivot) --j;
      if (i <= j) {
        if (i < j) std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
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

// The sort keys of a range's entries from a character position on, made
// one at a time into a reused buffer (a table of millions of words keeps no
// second copy of its words).
class KeyMaker {
 public:
  KeyMaker(const WordTable& table, std::int32_t first, std::size_t skip) : table_(table), first_(first), skip_(skip) {}
  // The key of entry first + k, valid until the next call with the same buffer.
  std::string_view Key(std::size_t k, std::string& buffer) const {
    const std::string_view word = table_[first_ + static_cast<std::int32_t>(k)].strWord;
    if (scan::IsOwnSortKey(word)) return Tail(word);
    buffer.clear();
    scan::AppendSortKey(word, buffer);
    return Tail(buffer);
  }

 private:
  std::string_view Tail(std::string_view key) const {
    return skip_ < key.size() ? key.substr(skip_) : std::string_view();
  }

  const WordTable& table_;
  std::int32_t first_;
  std::size_t skip_;
};

}  // namespace

void SortWordTable(WordTable& table, std::int32_t first, std::int32_t last, int startPos) {
  if (table.Unicode()) {
    CollateWordTable(table, first, last, startPos);
    return;
  }
  if (first < 1) first = 1;
  if (last > table.NumWords()) last = table.NumWords();
  if (first >= last) return;
  const auto n = static_cast<std::size_t>(last - first + 1);
  const KeyMaker keys(table, first, startPos > 1 ? static_cast<std::size_t>(startPos - 1) : 0);
  std::string a;
  std::string b;
  // Keys compare as the program's string comparison does: by UTF-16 code
  // units (cp1252::Compare).
  auto compare = [&](std::size_t x, std::size_t y) { return cp1252::Compare(keys.Key(x, a), keys.Key(y, b)); };

  // With every key different, the quicksort leaves the keys in strictly
  // descending order and the reversal makes that ascending, whatever the
  // procedure's steps: any sort gives the same table. A range already in
  // that order (after OrderByWord, most words are their own key) stays.
  bool ascending = true;
  std::string* held = &a;  // the buffer of the previous key
  std::string* spare = &b;
  std::string_view previous = keys.Key(0, *held);
  for (std::size_t k = 1; k < n && ascending; ++k) {
    const std::string_view key = keys.Key(k, *spare);
    ascending = cp1252::Compare(previous, key) < 0;
    previous = key;
    std::swap(held, spare);
  }
  if (ascending) return;

  // Sort the keys quickly (packed prefixes, then full comparison), and see
  // whether two are equal.
  std::vector<PrefixRecord> records(n);
  for (std::size_t k = 0; k < n; ++k)
    records[k] = PrefixRecord{PackedRanks(keys.Key(k, a)), static_cast<std::uint32_t>(k)};
  SortByPrefix(records, [&](std::uint32_t x, std::uint32_t y) { return compare(x, y) < 0; });
  std::vector<std::uint32_t> place(n);  // each entry's place among the distinct keys
  bool ties = false;
  std::uint32_t distinct = 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (k > 0) {
      const PrefixRecord& before = records[k - 1];
      const PrefixRecord& here = records[k];
      if (before.prefix == here.prefix && compare(before.index, here.index) == 0) {
        ties = true;
      } else {
        ++distinct;
      }
    }
    place[records[k].index] = distinct;
  }
  std::vector<std::uint32_t> order(n);
  if (!ties) {
    for (std::size_t k = 0; k < n; ++k) order[k] = records[k].index;
  } else {
    // Equal keys: where they end depends on every step of the program's
    // quicksort, so it runs, on the places instead of the strings.
    std::vector<PrefixRecord>().swap(records);  // its memory freed now
    std::vector<RankedEntry> ranked(n);
    for (std::size_t k = 0; k < n; ++k) ranked[k] = RankedEntry{place[k], static_cast<std::uint32_t>(k)};
    QuickSortDescending(ranked, 0, static_cast<std::ptrdiff_t>(n) - 1);
    for (std::size_t k = 0; k < n; ++k) order[k] = ranked[n - 1 - k].entry;
  }
  std::vector<std::uint32_t>().swap(place);
  table.Permute(first, order);
}

std::vector<std::int32_t> RankByFrequency(WordTable& table, OrderProgress& progress) {
  const std::int32_t numWords = table.NumWords();

  // Descending count, equal counts in table order: the order the program's
  // pass per count value gives, by a counting sort (one bucket per count
  // value, filled in table order). Counts of at least `large` are few (the
  // words of a count add up to the text's words), so they are sorted apart
  // and the buckets stay no more than the table's size.
  const std::int64_t large = std::max<std::int64_t>(numWords, 1 << 16);
  std::size_t included = 0;
  std::int64_t maxSmall = 0;
  std::vector<std::int32_t> big;
  for (std::int32_t i = 1; i <= numWords; ++i) {
    WordEntry& e = table[i];
    e.lngFreqRank = 0;
    if (!e.blnIncluded || e.count < 1) continue;
    ++included;
    if (e.count >= large) {
      big.push_back(i);
    } else {
      maxSmall = std::max(maxSmall, e.count);
    }
  }
  std::stable_sort(big.begin(), big.end(),
                   [&](std::int32_t x, std::int32_t y) { return table[x].count > table[y].count; });

  std::vector<std::int32_t> order(included);
  std::copy(big.begin(), big.end(), order.begin());
  std::vector<std::size_t> next(static_cast<std::size_t>(maxSmall) + 1, 0);  // next place of each count
  for (std::int32_t i = 1; i <= numWords; ++i) {
    const WordEntry& e = table[i];
    if (e.blnIncluded && e.count >= 1 && e.count < large) ++next[static_cast<std::size_t>(e.count)];
  }
  std::size_t place = big.size();
  for (std::size_t c = next.size(); c-- > 1;) place += std::exchange(next[c], place);
  for (std::int32_t i = 1; i <= numWords; ++i) {
    const WordEntry& e = table[i];
    if (e.blnIncluded && e.count >= 1 && e.count < large) order[next[static_cast<std::size_t>(e.count)]++] = i;
  }

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
