// The counts-table reader on random bytes.
//  - It never fails other than with kBadFormat and a detail naming a line.
//  - A table it takes is the very text the writer makes of what it read:
//    the header's rules and totals, the rows in order with their counts and
//    files; nothing is lost or altered on the way in.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "count/word_table.h"
#include "fuzz_support.h"
#include "listing/counts_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kwl::CountsTableHeader header;
  kwl::WordTable table;
  table.TrackFiles();
  const kwl::Status read = kwl::ReadCountsTableText(bytes, header, table);
  if (!read.Ok()) {
    KWL_FUZZ_CHECK(read.kind == kwl::Status::Kind::kBadFormat);
    KWL_FUZZ_CHECK(read.detail.rfind("line ", 0) == 0);
    return 0;
  }
  table.OrderByWord();
  std::string written;
  kwl::FormatCountsTable(table, header, [&](std::string_view piece) {
    written += piece;
    return true;
  });
  KWL_FUZZ_CHECK(written == bytes);
  return 0;
}
