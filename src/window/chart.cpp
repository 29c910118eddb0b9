#include "chart.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "files/paths.h"
#include "session.h"
#include "window_state.h"

namespace kwl {
namespace {

bool Alphabetical(const Session& s) { return s.main.cboWordOrder.ListIndex() == 1; }

// The exponent with two decimals, in the user's notation ("1,07" in French).
std::string TwoDecimals(const Session& s, double value) {
  const long long hundredths = std::llround(std::abs(value) * 100);
  const long long fraction = hundredths % 100;
  return std::string(value < 0 && hundredths != 0 ? "-" : "") + std::to_string(hundredths / 100) +
         s.platform.DecimalSeparator() + (fraction < 10 ? "0" : "") + std::to_string(fraction);
}

// The counted source's name without its folder and extension, for the name
// a saved chart is offered under.
std::string SourceStem(const Session& s) {
  if (!s.main.optInFile.Value()) return "clipboard";
  std::string name = FileNamePart(TrimBlanks(s.main.txbFile[0].Text()));
  if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  return name.empty() ? std::string("kestrawl") : name;
}

}  // namespace

bool ChartOffered(const Session& s) {
  return s.showChartWindow && CurrentRunPhase(s) == RunPhase::kIdle && s.run.blnWordsGot &&
         s.run.lngNumWordsIncluded > 0 && !s.run.aFrequencyOrder.empty();
}

std::optional<ListingChart> ChartOfShownList(const Session& s, int bars) {
  if (!ChartOffered(s)) return std::nullopt;
  const std::span<const std::int32_t> byFrequency = s.run.aFrequencyOrder;
  const int count = std::clamp(bars, 1, kMaxChartBars);
  if (!Alphabetical(s)) return ChartOfListing(s.aWords, byFrequency, byFrequency, count);
  return ChartOfListing(s.aWords, KeyOrderEntries(s.aWords), byFrequency, count);
}

std::string BarChartTitle(const Session& s, const ListingChart& chart) {
  const std::string n = std::to_string(chart.top.size());
  const bool one = chart.top.size() == 1;
  if (Alphabetical(s)) return "The first " + (one ? std::string("word") : n + " words") + " in alphabetical order";
  return one ? std::string("The most frequent word") : "The " + n + " most frequent words";
}

std::string RankFrequencyTitle(const Session& s, const ListingChart& chart) {
  std::string title = "Rank and frequency of " + s.platform.FormatGrouped(static_cast<std::int64_t>(chart.ranks.size())) +
                      (chart.ranks.size() == 1 ? " word" : " words");
  if (chart.fit) title += ": Zipf exponent " + TwoDecimals(s, chart.fit->exponent);
  return title;
}

bool ShowChart(Session& s) {
  if (!ChartOffered(s)) return false;
  s.showChartWindow();
  return true;
}

std::optional<ChartFile> ChooseChartFile(Session& s, ChartView view) {
  FileDialog dialog;
  dialog.title = "Save chart";
  dialog.filter = "PNG or SVG picture (*.png *.svg) | *.png;*.svg";
  dialog.initialName = SourceStem(s) + (view == ChartView::kTopEntries ? "-words.png" : "-zipf.png");
  dialog.save = true;
  dialog.confirmOverwrite = true;
  const std::optional<std::string> chosen = s.platform.ChooseFile(dialog);
  if (!chosen || TrimBlanks(*chosen).empty()) return std::nullopt;
  ChartFile file{*chosen, ChartFormat::kPng};
  const std::string extension = Extension(file.path);
  if (extension == "svg") {
    file.format = ChartFormat::kSvg;
  } else if (extension != "png") {
    file.path += ".png";
  }
  return file;
}

void ReportChartNotSaved(Session& s, const std::string& path, const std::string& reason) {
  s.Warn("The chart could not be saved to\r\n" + path + "\r\n\r\n" + reason, "Chart not saved");
}

}  // namespace kwl
