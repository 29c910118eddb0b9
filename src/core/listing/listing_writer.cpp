#include "listing/listing_writer.h"

#include <algorithm>

namespace kwl {
namespace {

int Digits(std::int64_t n) { return static_cast<int>(std::to_string(n).size()); }

}  // namespace

ColumnWidths ColumnWidthsFor(const ListingLayout& layout) {
  return {std::max(Digits(layout.wordsListed), layout.minWidth),
          std::max(Digits(layout.maxFrequency), layout.minWidth), std::max(layout.longestWord, layout.minWidth),
          layout.filesColumn ? std::max(Digits(layout.maxFiles), layout.minWidth) : 0};
}

ListingWriter::ListingWriter(const WordTable& table, const ListingLayout& layout)
    : table_(table), layout_(layout), format_(FormatSpecOf(layout.format)), widths_(ColumnWidthsFor(layout)) {}

void ListingWriter::Begin(ListingSink& sink) {
  if (layout_.spreadsheetNotes) {
    sink.Line(std::string("\"To open this file in Excel state that it is delimited by ") +
              (layout_.commas ? "commas." : "spaces.") + "\r\n");
    sink.Line("\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n");
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
  AppendEntryLine(text_, format_, layout_.commas, widths_, e.lngFreqRank, e.count, e.strWord, table_.Files(entry));
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
