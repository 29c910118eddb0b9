#pragma once
// The ten display formats as data, and the lines they give. A line is built
// from up to three columns: the rank and the frequency right-aligned in their
// widths, the word left-aligned. Between two columns stands "  " (",  " in
// the comma layout), except after a word column that another column follows:
// the space layout pads the word to its width and adds the format's word gap
// ("  " in a format whose word is otherwise last), the comma layout gives the
// word and ", ". A word that ends the line is never padded. All text is
// Windows-1252, or UTF-8 where the words are (a word then pads by the
// columns it takes, which the caller gives).
//
// The files column (in how many files a word occurs) is an optional last
// column of every format, right-aligned like the numbers, under the label
// "Files". Format 9, the words on one line, has no columns: there each word
// is followed by its files count in parentheses, "alpha (3)".
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kwl {

enum class Column : std::uint8_t { Rank, Frequency, Word, Files };

struct FormatSpec {
  std::string_view lead;       // before the first column, space layout
  std::string_view commaLead;  // before the first column, comma layout
  std::array<Column, 3> columns;
  std::size_t numColumns;
  std::string_view wordGap;  // after a padded word that is not last (space layout)
  bool longestNote;          // the heading ends " (longest has N characters)"
  bool oneLine;              // no heading; the words on one line, joined by ", "
};

// Formats 0..9; any other number is format 0.
const FormatSpec& FormatSpecOf(int format);

struct ColumnWidths {
  int rank = 6;
  int frequency = 6;
  int word = 6;
  int files = 0;  // 0: no files column
};

// The line of one entry, without line end; the word as counted, trimmed of
// blanks; files ends the line when widths.files is set. In format 9 the
// entry's item without its separator: the word, and its files in
// parentheses when widths.files is set. wordColumns: the columns the
// trimmed word takes (WordColumns), -1 for one a byte.
void AppendEntryLine(std::string& out, const FormatSpec& format, bool commas, const ColumnWidths& widths,
                     std::int32_t rank, std::int64_t count, std::string_view word, std::int32_t files = 0,
                     int wordColumns = -1);

// The heading: the labels Rank, Freq, Word and Files in the columns' places,
// and the length of the longest word where the format notes it (at the end
// of the line, after the files column too).
void AppendHeading(std::string& out, const FormatSpec& format, bool commas, const ColumnWidths& widths,
                   int longestWord);

// The word as a listing shows it: without leading and trailing blanks.
std::string_view ListedWord(std::string_view word);

}  // namespace kwl
