#include "listing/listing_writer.h"

#include <algorithm>

#include "text/utf8_measure.h"

namespace kwl {
namespace {

int Digits(std::int64_t n) { return static_cast<int>(std::to_string(n).size()); }

// The display width of the widest included word of a UTF-8 table.
int WidestWord(const WordTable& table) {
  int widest = 0;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i)
    if (table[i].blnIncluded) widest = std::max(widest, DisplayWidth(ListedWord(table[i].strWord)));
  return widest;
}

}  // namespace

ColumnWidths ColumnWidthsFor(const ListingLayout& layout) {
  return {std::max(Digits(layout.wordsListed), layout.minWidth),
          std::max(Digits(layout.maxFrequency), layout.minWidth), std::max(layout.longestWord, layout.minWidth),
          layout.filesColumn ? std::max(Digits(layout.maxFiles), layout.minWidth) : 0};
}

ListingWriter::ListingWriter(const WordTable& table, const ListingLayout& layout)
    : table_(table), layout_(layout), format_(FormatSpecOf(layout.format)), widths_(ColumnWidthsFor(layout)) {
  if (table_.Unicode() && !format_.oneLine) widths_.word = std::max(WidestWord(table_), layout_.minWidth);
}

void ListingWriter::Begin(ListingSink& sink) {
  if (layout_.spreadsheetNotes) {
    // UTF-8 words: the file starts with a byte-order mark, and the
    // spreadsheet is told to read it as UTF-8.
    const bool unicode = table_.Unicode();
    sink.Line(std::string(unicode ? "\xEF\xBB\xBF" : "") +
              "\"To open this file in Excel state that it is delimited by " + (layout_.commas ? "commas." : "spaces.") +
              "\r\n");
    sink.Line(std::string("\"Set File Origin: ") + (unicode ? "Unicode (UTF-8)" : "Windows (ANSI)") +
              " & Text qualifier: double-quote.\r\n");
    sink.Line("\r\n");
  }
  if (format_.oneLine) return;
  text_.clear();
  AppendHeading(text_, format_, layout_.commas, widths_, layout_.longestWord);
  text_ += "\r\n";
  sink.Line(text_);
}

bool ListingWriter::Put(std::int32_t entry, std::int32_t listed, ListingSink& sink) {
  const WordEntry& e = table_[entry];
  text_.clear();
  AppendEntryLine(text_, format_, layout_.commas, widths_, e.lngFreqRank, e.count, e.strWord, table_.Files(entry),
                  table_.Unicode() ? DisplayWidth(ListedWord(e.strWord)) : -1);
  if (format_.oneLine) {
    if (listed < layout_.wordsListed || layout_.separatorAfterLastWord) text_ += ", ";
  } else {
    text_ += "\r\n";
  }
  return sink.Entry(text_, entry, listed);
}

bool ListingWriter::WriteInKeyOrder(ListingSink& sink) {
  Begin(sink);
  std::int32_t listed = 0;
  for (std::int32_t i = 1; i <= table_.NumWords(); ++i) {
    if (table_[i].blnIncluded && !Put(i, ++listed, sink)) return false;
    if (!sink.Continue()) return false;
  }
  return true;
}

bool ListingWriter::WriteInFrequencyOrder(std::span<const std::int32_t> order, ListingSink& sink) {
  Begin(sink);
  std::int32_t listed = 0;
  for (const std::int32_t entry : order) {
    if (entry < 1 || entry > table_.NumWords()) return false;
    if (!Put(entry, ++listed, sink)) return false;
    if (!sink.Continue()) return false;
  }
  return true;
}

}  // namespace kwl
