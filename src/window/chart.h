#pragma once
// The chart window's logic: what it draws (the list shown: its order, and
// the entries the filters and the common words left in it, as the last
// listing listed them), when a chart is offered at all, the captions, and
// the file a chart is saved to. The Qt layer draws and writes the pictures.
#include <optional>
#include <string>

#include "listing/chart_data.h"

namespace kwl {
struct Session;

// How many bars the chart of the first entries shows unless told otherwise,
// and at most (more bars than this cannot be told apart in a window).
inline constexpr int kDefaultChartBars = 25;
inline constexpr int kMaxChartBars = 100;

// Whether a chart of the list can be offered: the program has a chart
// window (the hook is set), nothing is running, the last count completed
// and was listed (a stopped count's partial list, or a list whose source was
// changed since, is not drawn), and the list holds at least one entry.
bool ChartOffered(const Session& s);

// The charts of the list shown, with `bars` bars (clamped to
// 1..kMaxChartBars); nothing when no chart is offered.
std::optional<ListingChart> ChartOfShownList(const Session& s, int bars);

// The captions: of the bar chart, which says which entries it shows
// ("The 25 most frequent words", "The first 25 words in alphabetical
// order"), and of the rank/frequency plot, with the fitted exponent in the
// user's decimal notation.
std::string BarChartTitle(const Session& s, const ListingChart& chart);
std::string RankFrequencyTitle(const Session& s, const ListingChart& chart);

// The chart command (Ctrl+G, the list's context menu): opens the chart
// window when a chart is offered, and does nothing otherwise. True when the
// window was opened.
bool ShowChart(Session& s);

// Saving a chart: which view, and the file chosen for it.
enum class ChartView { kTopEntries, kRankFrequency };
enum class ChartFormat { kPng, kSvg };
struct ChartFile {
  std::string path;
  ChartFormat format = ChartFormat::kPng;
};

// Asks for the file to save a view to (a save dialog that asks before
// replacing a file), suggesting a name after the counted source. A name
// ending in ".svg" is saved as SVG; any other gets ".png" unless it ends
// so, and is saved as PNG. Nothing when the dialog is cancelled.
std::optional<ChartFile> ChooseChartFile(Session& s, ChartView view);

// Tells the user that the chart was not saved, naming the file and why.
void ReportChartNotSaved(Session& s, const std::string& path, const std::string& reason);

}  // namespace kwl
