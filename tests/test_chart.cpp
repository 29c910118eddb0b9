// The chart window's logic: it draws the list shown, and is offered only
// when there is a complete list with entries to draw and nothing running.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "chart.h"
#include "support/test_files.h"
#include "window_state.h"

namespace kwl {
namespace {

// A session whose program has a chart window: opening it is counted.
struct ChartSession {
  test::TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  int opened = 0;

  ChartSession() { s.showChartWindow = [this] { ++opened; }; }
  void CountFile(const std::string& text) {
    s.main.txbFile[0].SetText(dir.Write("in.txt", text));
    s.main.cmdListWords.Click();
  }
  std::vector<std::string> Bars(int n) {
    std::vector<std::string> bars;
    if (const auto chart = ChartOfShownList(s, n))
      for (const ChartBar& b : chart->top) bars.push_back(b.label + "=" + std::to_string(b.value));
    return bars;
  }
};

struct Chart : ::testing::Test, ChartSession {};

}  // namespace

void PrintTo(const RankPoint& p, std::ostream* out) { *out << p.rank << ":" << p.frequency; }

namespace {

TEST_F(Chart, IsOfferedOnlyForACompleteListWithEntries) {
  const struct {
    const char* situation;
    std::function<void(ChartSession&)> step;
    bool offered;
  } cases[] = {
      {"before any count", [](ChartSession&) {}, false},
      {"after a count", [](ChartSession& c) { c.CountFile("beta alpha beta\r\n"); }, true},
      {"in a program without a chart window",
       [](ChartSession& c) {
         c.CountFile("beta alpha beta\r\n");
         c.s.showChartWindow = nullptr;
       },
       false},
      {"after a count that found no word", [](ChartSession& c) { c.CountFile("12 34 -- !!\r\n"); }, false},
      {"once the source is changed",
       [](ChartSession& c) {
         c.CountFile("beta alpha beta\r\n");
         c.s.main.optOnClipboard.Select();
       },
       false},
      {"after a stopped count whose words were listed",
       [](ChartSession& c) {
         c.t.platform.onProcessEvents = [&c] {
           if (CurrentRunPhase(c.s) == RunPhase::kCounting) c.s.run.blnStop = true;
         };
         c.t.platform.answers = {Answer::Yes};
         c.CountFile(std::string(20000, 'w') + " beta alpha beta\r\n");
         c.t.platform.onProcessEvents = nullptr;
         EXPECT_TRUE(c.s.run.blnInterrupted) << "the count was not stopped";
       },
       false},
  };
  for (const auto& c : cases) {
    ChartSession fresh;
    c.step(fresh);
    EXPECT_EQ(ChartOffered(fresh.s), c.offered) << c.situation;
    EXPECT_EQ(ChartOfShownList(fresh.s, 25).has_value(), c.offered) << c.situation;
    EXPECT_EQ(ShowChart(fresh.s), c.offered) << c.situation;
    EXPECT_EQ(fresh.opened, c.offered ? 1 : 0) << c.situation;
  }
}

TEST_F(Chart, IsNotOfferedWhileACountRuns) {
  std::vector<RunPhase> refused;
  t.platform.onProcessEvents = [&] {
    if (CurrentRunPhase(s) != RunPhase::kIdle && !ChartOffered(s) && !ShowChart(s) &&
        (refused.empty() || refused.back() != CurrentRunPhase(s)))
      refused.push_back(CurrentRunPhase(s));
  };
  CountFile("beta alpha beta\r\n");
  t.platform.onProcessEvents = nullptr;
  EXPECT_EQ(refused, (std::vector<RunPhase>{RunPhase::kCounting, RunPhase::kListing}));
  EXPECT_EQ(opened, 0);
  EXPECT_TRUE(ChartOffered(s));
}

TEST_F(Chart, FollowsTheOrderTheFiltersAndTheCommonWordsOfTheList) {
  s.commonWords.Replace({"the"});
  s.params.selfChange = true;  // tick the box without reading a file
  s.params.chkIgnoreCommonWords.SetValue(1);
  s.params.selfChange = false;
  s.params.chkIgnoreInfrequentWords.SetValue(1);  // fewer than 2 occurrences
  std::string text;
  for (const auto& [word, times] : std::vector<std::pair<std::string, int>>{
           {"the", 9}, {"z\xE8" "bre", 3}, {"alpha", 2}, {"beta", 5}, {"once", 1}, {"gamma", 3}})
    for (int k = 0; k < times; ++k) text += word + "\r\n";
  CountFile(text);  // Windows-1252: the list shows "zèbre"
  const struct {
    int order;  // cboWordOrder: 0 by frequency, 1 alphabetical
    int bars;
    std::vector<std::string> expected;
    const char* title;
  } cases[] = {
      {0, 25, {"beta=5", "gamma=3", "zèbre=3", "alpha=2"}, "The 4 most frequent words"},
      {0, 2, {"beta=5", "gamma=3"}, "The 2 most frequent words"},
      {1, 3, {"alpha=2", "beta=5", "gamma=3"}, "The first 3 words in alphabetical order"},
      {1, 0, {"alpha=2"}, "The first word in alphabetical order"},  // at least one bar
      {0, 1000, {"beta=5", "gamma=3", "zèbre=3", "alpha=2"}, "The 4 most frequent words"},
  };
  for (const auto& c : cases) {
    s.main.cboWordOrder.SetListIndex(c.order);  // re-lists the words, as a person's choice does
    EXPECT_EQ(Bars(c.bars), c.expected) << c.order << " " << c.bars;
    const auto chart = ChartOfShownList(s, c.bars);
    ASSERT_TRUE(chart);
    EXPECT_EQ(BarChartTitle(s, *chart), c.title);
    // The plot takes every listed entry in frequency order, whichever order is shown.
    EXPECT_EQ(chart->ranks, (std::vector<RankPoint>{{1, 5}, {2, 3}, {3, 3}, {4, 2}}));
  }
}

// A text whose word of rank r occurs round(5000 / r) times, counted as a
// person counts a file: the fitted exponent is the text's.
TEST_F(Chart, TheExponentOfACountedTextIsTheOneItWasWrittenWith) {
  const std::string letters = "abcdefghjkmnoprtuwyz";  // no "s": no final s is dropped
  std::string text;
  std::vector<RankPoint> written;
  for (int r = 1; r <= 1000; ++r) {
    const std::string word = std::string("qz") + letters[static_cast<std::size_t>(r / 400)] +
                             letters[static_cast<std::size_t>(r / 20 % 20)] + letters[static_cast<std::size_t>(r % 20)];
    const long long times = std::llround(5000.0 / r);
    written.push_back({r, times});
    for (long long k = 0; k < times; ++k) text += word + (k % 12 == 11 ? "\r\n" : " ");
    text += "\r\n";
  }
  CountFile(text);
  t.platform.decimalSeparator = ",";
  const auto chart = ChartOfShownList(s, 25);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->ranks, written);
  ASSERT_TRUE(chart->fit);
  EXPECT_NEAR(chart->fit->exponent, 1.0, 0.05);
  EXPECT_EQ(RankFrequencyTitle(s, *chart), "Rank and frequency of 1,000 words: Zipf exponent 1,00");
}

TEST_F(Chart, SavesUnderTheNameChosenAsPngOrSvg) {
  CountFile("beta alpha beta\r\n");
  const struct {
    std::optional<std::string> chosen;
    std::optional<std::string> path;
    ChartFormat format;
  } cases[] = {
      {"/tmp/c/words", "/tmp/c/words.png", ChartFormat::kPng},
      {"/tmp/c/words.png", "/tmp/c/words.png", ChartFormat::kPng},
      {"/tmp/c/words.SVG", "/tmp/c/words.SVG", ChartFormat::kSvg},
      {"/tmp/c/words.jpg", "/tmp/c/words.jpg.png", ChartFormat::kPng},
      {std::nullopt, std::nullopt, ChartFormat::kPng},
  };
  for (const auto& c : cases) {
    t.platform.fileAnswers = {c.chosen};
    const auto file = ChooseChartFile(s, ChartView::kRankFrequency);
    ASSERT_EQ(file.has_value(), c.path.has_value());
    if (!file) continue;
    EXPECT_EQ(file->path, *c.path);
    EXPECT_EQ(file->format, c.format) << *c.path;
  }
  const FileDialog& dialog = t.platform.dialogs.back();
  EXPECT_EQ(dialog.initialName, "in-zipf.png");
  EXPECT_TRUE(dialog.save && dialog.confirmOverwrite);

  ReportChartNotSaved(s, "/nowhere/words.png", "Permission denied");
  EXPECT_EQ(t.platform.LastBox().title, "Chart not saved");
  EXPECT_TRUE(t.platform.Showed("/nowhere/words.png"));
  EXPECT_TRUE(t.platform.Showed("Permission denied"));
}

}  // namespace
}  // namespace kwl
