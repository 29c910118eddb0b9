#include "listing/chart_data.h"

#include <algorithm>
#include <cmath>

#include "listing/formats.h"
#include "text/cp1252.h"

namespace kwl {
namespace {

bool Holds(const WordTable& table, std::int32_t entry) { return entry >= 1 && entry <= table.NumWords(); }

}  // namespace

double ZipfFit::FrequencyAt(double rank) const { return std::pow(10.0, intercept - exponent * std::log10(rank)); }

std::vector<std::int32_t> KeyOrderEntries(const WordTable& table) {
  std::vector<std::int32_t> entries;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i)
    if (table[i].blnIncluded) entries.push_back(i);
  return entries;
}

std::optional<ListingChart> ChartOfListing(const WordTable& table, std::span<const std::int32_t> shown,
                                           std::span<const std::int32_t> byFrequency, int topCount) {
  ListingChart chart;
  const auto wanted = static_cast<std::size_t>(std::max(topCount, 0));
  for (const std::int32_t entry : shown) {
    if (chart.top.size() >= wanted) break;
    if (!Holds(table, entry)) continue;
    const WordEntry& e = table[entry];
    // A Unicode table's words are UTF-8 already.
    const std::string_view listed = ListedWord(e.strWord);
    chart.top.push_back({table.Unicode() ? std::string(listed) : cp1252::ToUtf8(listed), e.count});
  }
  chart.ranks.reserve(byFrequency.size());
  for (const std::int32_t entry : byFrequency) {
    if (!Holds(table, entry)) continue;
    chart.ranks.push_back({static_cast<std::int32_t>(chart.ranks.size()) + 1, table[entry].count});
  }
  if (chart.ranks.empty()) return std::nullopt;
  chart.fit = FitZipf(chart.ranks);
  return chart;
}

std::optional<ZipfFit> FitZipf(std::span<const RankPoint> points) {
  // Sums over centred values would be steadier for huge lists, but log10 of
  // ranks up to 2^31 stays below 10: the plain sums in double lose nothing
  // that shows in an exponent.
  double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const RankPoint& p : points) {
    if (p.rank < 1 || p.frequency < 1) continue;
    const double x = std::log10(static_cast<double>(p.rank));
    const double y = std::log10(static_cast<double>(p.frequency));
    n += 1;
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  const double spread = n * sxx - sx * sx;
  // Every point at one rank: no slope.
  if (n < 2 || spread <= 1e-12 * n * n) return std::nullopt;
  const double slope = (n * sxy - sx * sy) / spread;
  return ZipfFit{-slope, (sy - slope * sx) / n};
}

std::vector<RankPoint> PlotOutline(std::span<const RankPoint> points) {
  std::vector<RankPoint> outline;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const bool startsRun = i == 0 || points[i - 1].frequency != points[i].frequency;
    const bool endsRun = i + 1 == points.size() || points[i + 1].frequency != points[i].frequency;
    if (startsRun || endsRun) outline.push_back(points[i]);
  }
  return outline;
}

}  // namespace kwl
