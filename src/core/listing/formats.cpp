#include "listing/formats.h"

#include <charconv>

#include "text/number_text.h"

namespace kwl {
namespace {

constexpr Column R = Column::Rank;
constexpr Column F = Column::Frequency;
constexpr Column W = Column::Word;

// lead, comma lead, columns, count, word gap, longest note, one line
constexpr FormatSpec kFormats[10] = {
    {" ", "  ", {R, F, W}, 3, "", true, false},   // 0 rank frequency word
    {" ", "  ", {R, W, F}, 3, "  ", false, false},  // 1 rank word frequency
    {" ", "  ", {R, F, W}, 2, "", false, false},  // 2 rank frequency
    {" ", "  ", {R, W, F}, 2, "", true, false},   // 3 rank word
    {" ", "  ", {F, R, W}, 2, "", false, false},  // 4 frequency rank
    {"  ", "  ", {F, W, R}, 2, "", true, false},  // 5 frequency word
    {"  ", "  ", {W, R, F}, 2, " ", false, false},  // 6 word rank
    {"  ", "  ", {W, F, R}, 2, " ", false, false},  // 7 word frequency
    {"", "", {W, R, F}, 1, "", true, false},      // 8 word
    {"", "", {W, R, F}, 1, "", false, true},      // 9 words on one line
};

void AppendRight(std::string& out, std::string_view value, int width) {
  if (static_cast<int>(value.size()) < width) out.append(static_cast<std::size_t>(width) - value.size(), ' ');
  out.append(value);
}

// The texts of the four columns, in the order of Column. The files column
// follows the format's columns when widths.files is set.
// wordColumns: the columns the word takes, -1 for one a byte.
void AppendColumns(std::string& out, const FormatSpec& format, bool commas, const ColumnWidths& widths,
                   const std::array<std::string_view, 4>& texts, int wordColumns = -1) {
  out.append(commas ? format.commaLead : format.lead);
  const std::size_t numColumns = format.numColumns + (widths.files > 0 ? 1 : 0);
  bool gapDone = false;  // the word column before wrote its own separator
  for (std::size_t k = 0; k < numColumns; ++k) {
    if (k > 0 && !gapDone) out.append(commas ? ",  " : "  ");
    gapDone = false;
    const Column column = k < format.numColumns ? format.columns[k] : Column::Files;
    const std::string_view text = texts[static_cast<std::size_t>(column)];
    if (column == Column::Rank) {
      AppendRight(out, text, widths.rank);
    } else if (column == Column::Frequency) {
      AppendRight(out, text, widths.frequency);
    } else if (column == Column::Files) {
      AppendRight(out, text, widths.files);
    } else if (k + 1 == numColumns) {
      out.append(text);
    } else if (commas) {
      out.append(text);
      out.append(", ");
      gapDone = true;
    } else {
      out.append(text);
      const int columns = wordColumns >= 0 ? wordColumns : static_cast<int>(text.size());
      if (columns < widths.word) out.append(static_cast<std::size_t>(widths.word - columns), ' ');
      // A format whose word ends the line has no gap of its own: the files
      // column then stands apart as any other column does.
      out.append(format.wordGap.empty() ? std::string_view("  ") : format.wordGap);
      gapDone = true;
    }
  }
}

}  // namespace

const FormatSpec& FormatSpecOf(int format) { return kFormats[format >= 0 && format <= 9 ? format : 0]; }

std::string_view ListedWord(std::string_view word) {
  const auto first = word.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return word.substr(first, word.find_last_not_of(' ') - first + 1);
}

void AppendEntryLine(std::string& out, const FormatSpec& format, bool commas, const ColumnWidths& widths,
                     std::int32_t rank, std::int64_t count, std::string_view word, std::int32_t files,
                     int wordColumns) {
  // Digits on the stack: a listing of millions of lines makes no strings.
  char rankText[16];
  char countText[24];
  char filesText[16];
  const char* rankEnd = std::to_chars(rankText, rankText + sizeof rankText, rank).ptr;
  const char* countEnd = std::to_chars(countText, countText + sizeof countText, count).ptr;
  const char* filesEnd = std::to_chars(filesText, filesText + sizeof filesText, files).ptr;
  const std::string_view filesDigits(filesText, static_cast<std::size_t>(filesEnd - filesText));
  if (format.oneLine) {
    out.append(ListedWord(word));
    if (widths.files > 0) out.append(" (").append(filesDigits).append(")");
    return;
  }
  AppendColumns(out, format, commas, widths,
                {std::string_view(rankText, static_cast<std::size_t>(rankEnd - rankText)),
                 std::string_view(countText, static_cast<std::size_t>(countEnd - countText)), ListedWord(word),
                 filesDigits},
                wordColumns);
}

void AppendHeading(std::string& out, const FormatSpec& format, bool commas, const ColumnWidths& widths,
                   int longestWord) {
  AppendColumns(out, format, commas, widths, {"Rank", "Freq", "Word", "Files"});
  if (format.longestNote) out += " (longest has" + Str(longestWord) + " characters)";
}

}  // namespace kwl
