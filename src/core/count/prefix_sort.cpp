#include "count/prefix_sort.h"

#include <array>
#include <cstddef>
#include <utility>

#include "text/cp1252.h"

namespace kwl {

std::uint64_t PackedRanks(std::string_view text) {
  const auto& rank = cp1252::RankOfByte();
  std::uint64_t packed = 0;
  for (std::size_t k = 0; k < 8; ++k)
    packed = (packed << 8) | (k < text.size() ? rank[static_cast<unsigned char>(text[k])] : 0U);
  return packed;
}

std::uint64_t PackedBytes(std::string_view bytes) {
  std::uint64_t packed = 0;
  for (std::size_t k = 0; k < 8; ++k)
    packed = (packed << 8) | (k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0U);
  return packed;
}

void RadixSortByPrefix(std::vector<PrefixRecord>& records) {
  // Least significant byte first, one counting pass per byte; a byte that is
  // the same in every record (the padding of short words, a letter every
  // word starts with) needs no pass. All eight histograms come from one read.
  std::array<std::array<std::size_t, 256>, 8> counts{};
  for (const PrefixRecord& r : records)
    for (std::size_t b = 0; b < 8; ++b) ++counts[b][(r.prefix >> (8 * b)) & 0xFF];
  std::vector<PrefixRecord> scratch;
  for (std::size_t b = 0; b < 8; ++b) {
    std::array<std::size_t, 256>& count = counts[b];
    const std::size_t first = (records.empty() ? 0 : (records.front().prefix >> (8 * b)) & 0xFF);
    if (count[first] == records.size()) continue;
    std::size_t start = 0;
    for (std::size_t& c : count) start += std::exchange(c, start);
    scratch.resize(records.size());
    for (const PrefixRecord& r : records) scratch[count[(r.prefix >> (8 * b)) & 0xFF]++] = r;
    records.swap(scratch);
  }
}

}  // namespace kwl
