#include "count/word_table.h"

#include <algorithm>

#include "text/normalise.h"
#include "text/cp1252.h"
#include "count/keyed_hash.h"

namespace kwl {

namespace {

std::uint32_t HashOf(std::string_view word) {
  // Keyed, so that no input can choose words that share a home slot. The low
  // half serves both as the slot's check and, masked, as the home position;
  // entries keep the order they were found in, so nothing listed depends on it.
  return static_cast<std::uint32_t>(KeyedHash(word));
}

}  // namespace

void WordTable::Reset() {
  entries_.clear();
  entries_.resize(1);  // entry 0 is unused: the table is 1-based
  slots_.assign(1024, Slot{});
}

std::size_t WordTable::FindSlot(std::string_view word, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.entry == 0) return i;
    if (slot.hash == hash && entries_[slot.entry].strWord == word) return i;
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

bool WordTable::Add(std::string_view word) {
  if (slots_.empty()) Reset();
  const std::uint32_t hash = HashOf(word);
  const std::size_t i = FindSlot(word, hash);
  if (slots_[i].entry != 0) {
    ++entries_[slots_[i].entry].count;
    return false;
  }
  WordEntry entry;
  entry.strWord = std::string(word);
  entry.strKey = scan::SortKey(word);
  entry.count = 1;
  entry.blnIncluded = true;
  entries_.push_back(std::move(entry));
  slots_[i] = Slot{static_cast<std::uint32_t>(NumWords()), hash};
  // Keep the slots at most half full.
  if (static_cast<std::size_t>(NumWords()) * 2 > slots_.size()) Grow();
  return true;
}

bool WordTable::Add(std::string_view word, std::int64_t times) {
  if (Add(word)) {
    entries_.back().count = times;
    return true;
  }
  entries_[slots_[FindSlot(word, HashOf(word))].entry].count += times - 1;
  return false;
}

void WordTable::OrderByWord() {
  slots_.clear();
  slots_.shrink_to_fit();
  // Sort on the ranks of the first eight characters, packed into one number
  // that compares like them; only words sharing those fall back to the whole
  // comparison. This keeps the sort out of the scattered entries.
  struct Key {
    std::uint64_t prefix;
    std::uint32_t entry;
  };
  std::vector<Key> keys(entries_.size() - 1);
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    const std::string& w = entries_[i].strWord;
    std::uint64_t prefix = 0;
    for (std::size_t k = 0; k < 8; ++k)
      prefix = (prefix << 8) | (k < w.size() ? cp1252::Rank(static_cast<unsigned char>(w[k])) : 0U);
    keys[i - 1] = Key{prefix, static_cast<std::uint32_t>(i)};
  }
  std::sort(keys.begin(), keys.end(), [this](const Key& a, const Key& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    return cp1252::Compare(entries_[a.entry].strWord, entries_[b.entry].strWord) < 0;
  });
  std::vector<WordEntry> sorted;
  sorted.reserve(entries_.size());
  sorted.emplace_back();
  for (const Key& k : keys) sorted.push_back(std::move(entries_[k.entry]));
  entries_.swap(sorted);
}

}  // namespace kwl
