#include "listing/collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <memory>
#include <vector>

#include "count/prefix_sort.h"

namespace kwl {
namespace {

struct CloseCollator {
  void operator()(UCollator* collator) const noexcept { ucol_close(collator); }
};

// The root collator at primary strength, or null without the data.
std::unique_ptr<UCollator, CloseCollator> OpenRootCollator() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UCollator, CloseCollator> collator(ucol_open("", &status));
  if (U_FAILURE(status)) return nullptr;
  ucol_setStrength(collator.get(), UCOL_PRIMARY);
  return collator;
}

// Makes sort keys one word after another, reusing its buffers.
class KeyMaker {
 public:
  explicit KeyMaker(const UCollator* collator) : collator_(collator) {}

  // Appends the key of utf8 (without the key's terminating 0: keys hold no
  // other 0, so a key without it still compares as the texts do).
  void Append(std::string_view utf8, std::string& out) {
    // UTF-16 takes at most one unit per UTF-8 byte; a malformed sequence
    // becomes U+FFFD.
    units_.resize(utf8.size() + 1);
    UErrorCode status = U_ZERO_ERROR;
    std::int32_t length = 0;
    u_strFromUTF8WithSub(units_.data(), static_cast<std::int32_t>(units_.size()), &length, utf8.data(),
                         static_cast<std::int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) return;
    std::int32_t needed = ucol_getSortKey(collator_, units_.data(), length, key_.data(),
                                          static_cast<std::int32_t>(key_.size()));
    if (needed > static_cast<std::int32_t>(key_.size())) {
      key_.resize(static_cast<std::size_t>(needed) * 2);
      needed = ucol_getSortKey(collator_, units_.data(), length, key_.data(), static_cast<std::int32_t>(key_.size()));
    }
    if (needed > 1) out.append(reinterpret_cast<const char*>(key_.data()), static_cast<std::size_t>(needed - 1));
  }

 private:
  const UCollator* collator_;
  std::vector<UChar> units_;
  std::vector<std::uint8_t> key_ = std::vector<std::uint8_t>(256);
};

// The word from code point position startPos (1-based) on.
std::string_view FromPosition(std::string_view word, int startPos) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(word.data());
  const auto length = static_cast<std::int32_t>(word.size());
  std::int32_t i = 0;
  for (int skip = startPos - 1; skip > 0 && i < length; --skip) U8_FWD_1(s, i, length);
  return word.substr(static_cast<std::size_t>(i));
}

}  // namespace

std::string PrimarySortKey(std::string_view utf8) {
  std::string key;
  const auto collator = OpenRootCollator();
  if (collator) KeyMaker(collator.get()).Append(utf8, key);
  return key;
}

void CollateWordTable(WordTable& table, std::int32_t first, std::int32_t last, int startPos) {
  if (first < 1) first = 1;
  if (last > table.NumWords()) last = table.NumWords();
  if (first >= last) return;
  const auto n = static_cast<std::size_t>(last - first + 1);
  auto word = [&](std::uint32_t k) { return table[first + static_cast<std::int32_t>(k)].strWord; };

  // Every key made once, all in one string (a key is a few bytes a character).
  std::string keys;
  std::vector<std::size_t> ends(n + 1, 0);
  if (const auto collator = OpenRootCollator()) {
    KeyMaker maker(collator.get());
    for (std::size_t k = 0; k < n; ++k) {
      maker.Append(FromPosition(word(static_cast<std::uint32_t>(k)), startPos), keys);
      ends[k + 1] = keys.size();
    }
  }
  auto key = [&](std::uint32_t k) { return std::string_view(keys).substr(ends[k], ends[k + 1] - ends[k]); };

  // Sorted on the keys' first eight bytes, then runs that share them on the
  // whole keys, and equal keys on the words' bytes.
  std::vector<PrefixRecord> records(n);
  for (std::size_t k = 0; k < n; ++k)
    records[k] = PrefixRecord{PackedBytes(key(static_cast<std::uint32_t>(k))), static_cast<std::uint32_t>(k)};
  SortByPrefix(records, [&](std::uint32_t x, std::uint32_t y) {
    const int byKey = key(x).compare(key(y));
    return byKey != 0 ? byKey < 0 : word(x) < word(y);
  });
  std::string().swap(keys);
  std::vector<std::uint32_t> order(n);
  for (std::size_t k = 0; k < n; ++k) order[k] = records[k].index;
  std::vector<PrefixRecord>().swap(records);
  table.Permute(first, order);
}

}  // namespace kwl
