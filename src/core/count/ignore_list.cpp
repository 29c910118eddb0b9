#include "count/ignore_list.h"

#include <cstring>
#include <limits>
#include <utility>

#include "count/keyed_hash.h"

namespace kwl {

IgnoreList& IgnoreList::operator=(std::string text) {
  text_ = std::move(text);
  unicode_ = false;
  slots_.clear();
  if (text_.size() > std::numeric_limits<std::uint32_t>::max()) return *this;
  const std::string_view all = text_;
  std::vector<Slot> words;
  std::size_t blank = all.find(' ');
  while (blank != std::string_view::npos) {
    const std::size_t next = all.find(' ', blank + 1);
    if (next == std::string_view::npos) break;
    if (next > blank + 1) {
      const std::string_view word = all.substr(blank + 1, next - blank - 1);
      words.push_back(Slot{static_cast<std::uint32_t>(blank + 1), static_cast<std::uint32_t>(word.size()),
                           static_cast<std::uint32_t>(KeyedHash(word))});
    }
    blank = next;
  }
  std::size_t size = 16;
  while (size < 2 * words.size()) size *= 2;
  slots_.assign(size, Slot{});
  // The slots of a long list lie far apart in memory: each is fetched a few
  // words ahead of its use, so that the misses overlap.
  constexpr std::size_t kAhead = 8;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i + kAhead < words.size()) __builtin_prefetch(&slots_[words[i + kAhead].hash & (size - 1)]);
    const Slot& w = words[i];
    Slot& slot = slots_[Find(all.substr(w.offset, w.length), w.hash)];
    if (slot.length == 0) slot = w;
  }
  return *this;
}

std::size_t IgnoreList::Find(std::string_view word, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.length == 0) return i;
    if (slot.hash == hash && slot.length == word.size() &&
        std::memcmp(text_.data() + slot.offset, word.data(), word.size()) == 0)
      return i;
  }
}

bool IgnoreList::Contains(std::string_view word) const {
  // A word without blanks occurs between two blanks exactly when it is one
  // of the words of the index; others (never a scanned word) search the text.
  if (word.empty() || word.find(' ') != std::string_view::npos || slots_.empty()) {
    std::string padded;
    padded.reserve(word.size() + 2);
    padded.append(1, ' ').append(word).append(1, ' ');
    return text_.find(padded) != std::string::npos;
  }
  return slots_[Find(word, static_cast<std::uint32_t>(KeyedHash(word)))].length != 0;
}

}  // namespace kwl
