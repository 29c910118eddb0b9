#include "words/word_table.h"

#include <algorithm>

#include "scan/normalise.h"
#include "support/cp1252.h"

namespace kwl {

void WordTable::Reset() {
  entries_.clear();
  entries_.resize(1);  // entry 0 is unused: the table is 1-based
  index_.clear();
}

bool WordTable::Add(std::string_view word) {
  const auto it = index_.find(word);
  if (it != index_.end()) {
    ++entries_[static_cast<std::size_t>(it->second)].lngCount;
    return false;
  }
  WordEntry entry;
  entry.strWord = std::string(word);
  entry.strKey = scan::SortKey(word);
  entry.lngCount = 1;
  entry.blnIncluded = true;
  entries_.push_back(std::move(entry));
  index_.emplace(std::string(word), NumWords());
  return true;
}

bool WordTable::Contains(std::string_view word) const { return index_.find(word) != index_.end(); }

void WordTable::OrderByWord() {
  index_.clear();
  std::vector<std::pair<std::string, std::size_t>> order;
  order.reserve(entries_.size() - 1);
  for (std::size_t i = 1; i < entries_.size(); ++i) order.emplace_back(cp1252::RankString(entries_[i].strWord), i);
  std::sort(order.begin(), order.end());
  std::vector<WordEntry> sorted;
  sorted.reserve(entries_.size());
  sorted.emplace_back();
  for (auto& [rank, i] : order) sorted.push_back(std::move(entries_[i]));
  entries_.swap(sorted);
}

}  // namespace kwl
