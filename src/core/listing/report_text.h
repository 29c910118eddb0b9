#pragma once
// The texts of a count's report that do not depend on where they are shown:
// the statistics lines, why nothing is listed, the elapsed time, the
// progress bar and numbers as words. UTF-8; lines within a text are
// separated by CR LF.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "listing/statistics.h"
#include "settings/settings.h"
#include "text/number_text.h"

namespace kwl {

// The statistics lines, numbers right-aligned one place wider than the
// total's digits: words listed, words ignored ("other than common words"
// when ignoring says a list of words is being ignored), occurrences listed
// (empty when there are none) and all occurrences; an interrupted count
// gives no occurrences (those two lines empty). A count given more than one
// file adds "Files counted:" and, when some were skipped, "Files skipped:";
// otherwise those two lines are empty.
constexpr std::size_t kStatisticsLines = 6;
std::array<std::string, kStatisticsLines> StatisticsLines(const ListStatistics& statistics, bool ignoring,
                                                          bool interrupted, const DigitGrouping& group = GroupDigits);

// Why a count lists nothing: no word was counted at all, or the filters
// after the count excluded every word (the shortest word kept and the
// threshold of the settings are named).
std::string NoWordsExplanation(bool anyWordCounted, const Settings& settings);

// "0s", "1m 1s", "1h 0m", "1d 1h 1m 1s", ...
std::string ElapsedTimeText(std::int64_t seconds);

// 0 "No", 1 to 20 and the tens as words ("Forty two"), 100 and above as
// digits grouped by group.
std::string NumberInWords(std::int64_t n, const DigitGrouping& group = GroupDigits);

// The text progress bar of width places at position p: "[", p-1 hyphens,
// ">", blanks, "]".
std::string TextProgressBar(std::int64_t p, int width);
// p for done of total, rounded to the nearest integer, halves to even.
std::int64_t ProgressBarPosition(std::int64_t done, std::int64_t total, int width);

}  // namespace kwl
