// The data of the charts of a listing: the first entries as shown, the
// rank/frequency points and the fitted Zipf line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "listing/chart_data.h"
#include "listing/order.h"
#include "text/cp1252.h"

namespace kwl {
namespace {

// The frequencies f(r) = round(scale / r^exponent) for ranks 1..n.
std::vector<RankPoint> ZipfList(double scale, double exponent, int n) {
  std::vector<RankPoint> points;
  for (int r = 1; r <= n; ++r)
    points.push_back({r, std::llround(scale / std::pow(static_cast<double>(r), exponent))});
  return points;
}

TEST(ZipfFit, GeneratedListsGiveBackTheirExponent) {
  const struct {
    double scale, exponent;
    int ranks;
  } cases[] = {
      {1e7, 1.1, 3000}, {1e6, 1.0, 2000}, {1e6, 0.8, 4000}, {1e8, 1.3, 3000}, {5e4, 1.1, 500},
  };
  for (const auto& c : cases) {
    const auto fit = FitZipf(ZipfList(c.scale, c.exponent, c.ranks));
    ASSERT_TRUE(fit) << c.exponent;
    EXPECT_NEAR(fit->exponent, c.exponent, 0.05) << c.scale << " " << c.ranks;
    // The line passes where the list starts: rank 1 has the scale.
    EXPECT_NEAR(fit->intercept, std::log10(c.scale), 0.05) << c.exponent;
    EXPECT_NEAR(std::log10(fit->FrequencyAt(10)), std::log10(c.scale) - c.exponent, 0.1) << c.exponent;
  }
}

TEST(ZipfFit, NoLineWithoutTwoUsableRanks) {
  const std::vector<std::vector<RankPoint>> cases = {
      {},
      {{1, 40}},
      {{3, 40}, {3, 7}},           // one rank only
      {{1, 40}, {2, 0}, {0, 9}},   // a frequency of 0 and a rank of 0 are passed over
  };
  for (const auto& points : cases) EXPECT_FALSE(FitZipf(points)) << points.size();
  // Two points make an exact line: 100 at rank 1, 1 at rank 100.
  const auto fit = FitZipf(std::vector<RankPoint>{{1, 100}, {100, 1}});
  ASSERT_TRUE(fit);
  EXPECT_NEAR(fit->exponent, 1.0, 1e-12);
  EXPECT_NEAR(fit->intercept, 2.0, 1e-12);
}

TEST(PlotOutline, KeepsTheEndsOfEachRunOfEqualFrequency) {
  const struct {
    std::vector<std::int64_t> frequencies;
    std::vector<std::int32_t> keptRanks;
  } cases[] = {
      {{}, {}},
      {{5}, {1}},
      {{9, 5, 3}, {1, 2, 3}},
      {{9, 2, 2, 2, 2, 1, 1}, {1, 2, 5, 6, 7}},
      {{1, 1, 1, 1}, {1, 4}},
  };
  for (const auto& c : cases) {
    std::vector<RankPoint> points;
    for (const std::int64_t f : c.frequencies) points.push_back({static_cast<std::int32_t>(points.size()) + 1, f});
    std::vector<std::int32_t> kept;
    for (const RankPoint& p : PlotOutline(points)) kept.push_back(p.rank);
    EXPECT_EQ(kept, c.keptRanks) << c.frequencies.size();
  }
}

// A counted table (words in UTF-8 here) in key order, the entries marked
// false in `excluded` dropped as a filter would, ranked by frequency.
struct Listed {
  WordTable table;
  std::vector<std::int32_t> byFrequency;
  Listed(const std::vector<std::pair<std::string, int>>& words, const std::vector<std::string>& excluded = {}) {
    for (const auto& [word, count] : words) table.Add(cp1252::FromUtf8(word), count);
    table.OrderByWord();
    SortWordTable(table, 1, table.NumWords(), 1);
    for (std::int32_t i = 1; i <= table.NumWords(); ++i)
      for (const std::string& x : excluded)
        if (cp1252::ToUtf8(table[i].strWord) == x) table[i].blnIncluded = false;
    byFrequency = RankByFrequency(table);
  }
};

TEST(ListingChart, AnEmptyListHasNoChartAndOneEntryNoLine) {
  Listed none({});
  EXPECT_FALSE(ChartOfListing(none.table, KeyOrderEntries(none.table), none.byFrequency, 25));
  Listed allExcluded({{"alpha", 2}, {"beta", 1}}, {"alpha", "beta"});
  EXPECT_TRUE(KeyOrderEntries(allExcluded.table).empty());
  EXPECT_FALSE(ChartOfListing(allExcluded.table, KeyOrderEntries(allExcluded.table), allExcluded.byFrequency, 25));
  Listed one({{"alpha", 2}});
  // More bars asked for than the list holds: the whole list.
  const auto chart = ChartOfListing(one.table, one.byFrequency, one.byFrequency, 25);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->top, (std::vector<ChartBar>{{"alpha", 2}}));
  EXPECT_FALSE(chart->fit);
}

}  // namespace
}  // namespace kwl
