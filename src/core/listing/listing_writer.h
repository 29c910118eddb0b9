#pragma once
// Writing a listing of the finished word table: the notes for a spreadsheet
// when wanted, the heading, then one text per listed entry, handed to a sink.
// The writer owns every byte (Windows-1252, line ends included); a sink only
// says where the bytes go and whether to go on. A table of UTF-8 words
// (WordTable::Unicode) is listed in UTF-8: the notes then begin with a
// byte-order mark and name that character set, and the word column is as
// wide as the widest listed word's display width (DisplayWidth), every word
// padded by the columns it takes; longestWord is then the heading's note
// only (characters, as ComputeListStatistics counts them).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "count/limits.h"
#include "count/word_table.h"
#include "listing/formats.h"

namespace kwl {

// Where a listing goes: the output file, the window's text box, a string.
// The writer drives; a false return ends the listing at once, with no call
// after it.
class ListingSink {
 public:
  virtual ~ListingSink() = default;
  // A line before the entries (a note, the blank line after the notes, the
  // heading), with its CR LF.
  virtual void Line(std::string_view text) = 0;
  // The text of table entry `entry`, the listed-th of this listing (from 1):
  // its line and CR LF, or in a one-line format the word and the ", " that
  // follows it. False: stop (a full text box, a failed write).
  virtual bool Entry(std::string_view text, std::int32_t entry, std::int32_t listed) = 0;
  // One step of the walk is done: after every table entry in key order,
  // listed or stepped over, and after every entry in frequency order.
  // False: stop (a stop request).
  virtual bool Continue() { return true; }
};

// How a listing looks, and the sizes its columns follow.
struct ListingLayout {
  int format = 0;  // display format 0..9 (another number is format 0)
  // The comma layout, for output files read by a spreadsheet.
  bool commas = false;
  // The output file's three first lines: how to open it as delimited text.
  bool spreadsheetNotes = false;
  // In a one-line format, ", " after the last word too (the text box, which
  // replaces the final separator by a line end once the list is complete).
  bool separatorAfterLastWord = false;
  // A last column "Files": in how many files each entry's word occurs
  // (WordTable::Files); in format 9 the number in parentheses after each word.
  bool filesColumn = false;
  std::int32_t wordsListed = 0;  // the rank column's width follows its digits
  std::int64_t maxFrequency = 0;  // the frequency column's width follows its digits
  int longestWord = 0;            // the word column's width, noted in the heading (a UTF-8 table: the note only)
  std::int32_t maxFiles = 0;      // the files column's width follows its digits
  int minWidth = kMinColumnWidth;  // no column is narrower
};

// The column widths of a layout (the files width 0 without the files column).
ColumnWidths ColumnWidthsFor(const ListingLayout& layout);

class ListingWriter {
 public:
  ListingWriter(const WordTable& table, const ListingLayout& layout);

  // Key order: entries 1..NumWords() as the table holds them (SortWordTable
  // leaves it in key order); excluded entries are stepped over. True when the
  // walk reached the end.
  bool WriteInKeyOrder(ListingSink& sink);
  // Frequency order: the entries of order (RankByFrequency's). An entry the
  // table does not hold ends the listing.
  bool WriteInFrequencyOrder(std::span<const std::int32_t> order, ListingSink& sink);

 private:
  void Begin(ListingSink& sink);
  bool Put(std::int32_t entry, std::int32_t listed, ListingSink& sink);

  const WordTable& table_;
  ListingLayout layout_;
  const FormatSpec& format_;
  ColumnWidths widths_;
  std::string text_;  // reused from entry to entry
};

}  // namespace kwl
