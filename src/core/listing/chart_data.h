#pragma once
// What the charts of a finished listing draw: the first entries of the list
// as it is shown (a bar each, the word against its frequency) and the
// rank/frequency points of every listed entry with the Zipf line fitted to
// them. Computed from the word table and the listing's orders; drawing is
// the window's business.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "count/word_table.h"

namespace kwl {

// One bar: the word as the listing shows it (UTF-8) and its frequency.
struct ChartBar {
  std::string label;
  std::int64_t value = 0;
  bool operator==(const ChartBar&) const = default;
};

// One point of the rank/frequency plot.
struct RankPoint {
  std::int32_t rank = 0;
  std::int64_t frequency = 0;
  bool operator==(const RankPoint&) const = default;
};

// The least-squares line log10(frequency) = intercept - exponent * log10(rank).
struct ZipfFit {
  double exponent = 0;
  double intercept = 0;
  // The frequency the line gives at a rank.
  double FrequencyAt(double rank) const;
};

struct ListingChart {
  // The first entries of the list in the order shown, at most the number asked.
  std::vector<ChartBar> top;
  // Every listed entry in frequency order: rank k at position k - 1.
  std::vector<RankPoint> ranks;
  // Absent when fewer than two entries are listed (no line through one point).
  std::optional<ZipfFit> fit;
};

// The entries a listing in key order lists: the included entries of a table
// in its key order (SortWordTable's), as ListingWriter::WriteInKeyOrder walks it.
std::vector<std::int32_t> KeyOrderEntries(const WordTable& table);

// The charts of a listing: `shown`, the listed entries in the order shown;
// `byFrequency`, the same entries in frequency order (RankByFrequency's);
// `topCount`, how many bars (all the entries when the list holds fewer).
// Nothing for an empty list. Entries the table does not hold are passed over.
std::optional<ListingChart> ChartOfListing(const WordTable& table, std::span<const std::int32_t> shown,
                                           std::span<const std::int32_t> byFrequency, int topCount);

// Fits the Zipf line by least squares of log(frequency) against log(rank)
// over every point, with the ranks as given: entries of equal frequency
// take consecutive ranks in the listing's order, as the listing numbers
// them, rather than one shared rank. Points with a rank or frequency below 1
// are passed over; nothing when fewer than two distinct ranks remain.
std::optional<ZipfFit> FitZipf(std::span<const RankPoint> points);

// The points worth drawing on log-log axes: of each run of equal frequency,
// its first and last point (the points between lie on the segment that
// joins them). A list of a million entries has a few thousand frequencies.
std::vector<RankPoint> PlotOutline(std::span<const RankPoint> points);

}  // namespace kwl
