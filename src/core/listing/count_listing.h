#pragma once
// The listing of a finished count as the output file holds it, for a front
// end without a text box: the spreadsheet notes, the display format and the
// commas of the settings, the words in the order the settings choose, and
// the files column when the settings show it (showFilesColumn) and the table
// tracks files (WordTable::TrackFiles before the count).
#include <cstdint>
#include <string>
#include <vector>

#include "count/word_table.h"
#include "files/status.h"
#include "listing/listing_writer.h"
#include "listing/statistics.h"
#include "settings/settings.h"

namespace kwl {

class CountListing {
 public:
  // words: a counted table in key order (SortWordTable), its entries'
  // inclusion set; statistics over it. Ranks the table by frequency.
  CountListing(WordTable& words, const Settings& settings, const ListStatistics& statistics);

  // The listing into sink: alphabetical when wordOrderIndex is 1, by
  // frequency otherwise.
  void Write(ListingSink& sink);
  // The listing into the file at path, which is replaced only once the
  // listing is complete: Ok, or OutputFile's failure.
  Status WriteFile(const std::string& path);

 private:
  std::vector<std::int32_t> order_;
  bool alphabetical_;
  ListingWriter writer_;
};

}  // namespace kwl
