#include "listing/report_text.h"

#include <cmath>
#include <string_view>

#include "text/cp1252.h"
#include "text/number_text.h"

namespace kwl {

std::array<std::string, kStatisticsLines> StatisticsLines(const ListStatistics& st, bool ignoring, bool interrupted,
                                                          const DigitGrouping& group) {
  // Fields are padded to the same number of characters, not bytes: a
  // locale's group separator may take several bytes (U+202F in French).
  const std::size_t w = cp1252::Utf8Length(group(st.totalOccurrences)) + 1;
  auto field = [&](std::int64_t n) {
    const std::string digits = group(n);
    const std::size_t length = cp1252::Utf8Length(digits);
    if (length <= w) return std::string(w - length, ' ') + digits;
    // A longer number keeps its last w characters.
    std::size_t cut = 0;
    for (std::size_t drop = length - w; drop > 0; --drop) {
      ++cut;
      while (cut < digits.size() && (static_cast<unsigned char>(digits[cut]) & 0xC0) == 0x80) ++cut;
    }
    return digits.substr(cut);
  };
  std::array<std::string, kStatisticsLines> lines;
  lines[0] = "Number of words in this list:" + field(st.wordsListed);
  lines[1] = (ignoring ? "No. of words ignored (other than common words):" : "Number of words ignored:") +
             field(st.wordsIgnored);
  if (!interrupted) {
    if (st.occurrencesListed > 0) lines[2] = "Number of instances of words in this list:" + field(st.occurrencesListed);
    lines[3] = "Total number of instances of words:" + field(st.totalOccurrences);
  }
  // A count of one file (or of the clipboard) reports no files at all. A
  // corpus of many nearly empty files can have more files than words: such
  // a number is shown whole, after one blank.
  auto filesField = [&](std::int32_t n) {
    const std::string digits = group(n);
    return cp1252::Utf8Length(digits) < w ? field(n) : " " + digits;
  };
  if (std::int64_t{st.filesCounted} + st.filesSkipped > 1) {
    lines[4] = "Files counted:" + filesField(st.filesCounted);
    if (st.filesSkipped > 0) lines[5] = "Files skipped:" + filesField(st.filesSkipped);
  }
  return lines;
}

std::string NoWordsExplanation(bool anyWordCounted, const Settings& settings) {
  if (!anyWordCounted) return "No words satisfying the conditions were found.";
  const int n = settings.shortWordSizeIndex + 1;
  const int t = settings.thresholdFrequencyIndex + 2;
  std::string text = "No words with more than" + Str(n) + " letter" + (n > 1 ? "s" : "") +
                     "\r\noccur at least ";
  if (settings.ignoreInfrequentWords != 1) return text + "once.";
  return text + (t == 2 ? "twice." : std::to_string(t) + " times.");
}

std::string ElapsedTimeText(std::int64_t n) {
  const std::int64_t s = n % 60;
  std::int64_t m = n / 60;
  const std::string seconds = std::to_string(s) + "s";
  if (m == 0) return seconds;
  std::string text;
  if (m >= 1440) {
    text = std::to_string(m / 1440) + "d ";
    m %= 1440;
  }
  text += std::to_string(m / 60) + "h " + std::to_string(m % 60) + "m";
  if (s > 0) text += " " + seconds;
  if (text.rfind("0h ", 0) == 0) text.erase(0, 3);
  return text;
}

std::string NumberInWords(std::int64_t n, const DigitGrouping& group) {
  static constexpr std::string_view kSmall[] = {
      "No",      "One",     "Two",       "Three",    "Four",     "Five",    "Six",
      "Seven",   "Eight",   "Nine",      "Ten",      "Eleven",   "Twelve",  "Thirteen",
      "Fourteen", "Fifteen", "Sixteen",  "Seventeen", "Eighteen", "Nineteen", "Twenty"};
  static constexpr std::string_view kTens[] = {"", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy",
                                               "Eighty", "Ninety"};
  if (n >= 0 && n <= 20) return std::string(kSmall[n]);
  if (n > 20 && n < 100) {
    std::string text(kTens[n / 10]);
    if (n % 10 != 0) {
      std::string units(kSmall[n % 10]);
      units[0] = static_cast<char>(units[0] + ('a' - 'A'));
      text += " " + units;
    }
    return text;
  }
  return group(n);
}

std::string TextProgressBar(std::int64_t p, int width) {
  const auto w = static_cast<std::size_t>(width);
  const auto hyphens = static_cast<std::size_t>(p > 0 ? p - 1 : 0);
  std::string text = "[";
  text.append(hyphens, '-').append(">");
  if (p <= 0) {
    text.append(w, ' ');
  } else if (p <= width) {
    text.append(w - static_cast<std::size_t>(p), ' ');
  }
  return text.append("]");
}

std::int64_t ProgressBarPosition(std::int64_t done, std::int64_t total, int width) {
  if (total <= 0) return 0;
  const double exact = static_cast<double>(done) * width / static_cast<double>(total);
  return static_cast<std::int64_t>(std::nearbyint(exact));  // the default rounding mode: halves to even
}

}  // namespace kwl
