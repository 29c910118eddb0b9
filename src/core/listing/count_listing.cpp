#include "listing/count_listing.h"

#include "listing/order.h"
#include "listing/output_file.h"

namespace kwl {
namespace {

ListingLayout OutputFileLayout(const WordTable& words, const Settings& settings, const ListStatistics& statistics) {
  ListingLayout layout;
  layout.format = settings.displayFormatIndex;
  layout.commas = settings.outputWithCommas == 1;
  layout.spreadsheetNotes = true;
  layout.wordsListed = statistics.wordsListed;
  layout.maxFrequency = statistics.maxFrequency;
  layout.longestWord = statistics.longestWord;
  layout.filesColumn = settings.showFilesColumn == 1 && words.TracksFiles();
  layout.maxFiles = statistics.maxFiles;
  return layout;
}

}  // namespace

CountListing::CountListing(WordTable& words, const Settings& settings, const ListStatistics& statistics)
    : order_(RankByFrequency(words)),
      alphabetical_(settings.wordOrderIndex == 1),
      writer_(words, OutputFileLayout(words, settings, statistics)) {}

void CountListing::Write(ListingSink& sink) {
  if (alphabetical_) {
    writer_.WriteInKeyOrder(sink);
  } else {
    writer_.WriteInFrequencyOrder(order_, sink);
  }
}

Status CountListing::WriteFile(const std::string& path) {
  OutputFile file;
  Status written = file.Open(path);
  if (!written.Ok()) return written;
  OutputFileSink sink(file);
  Write(sink);
  return file.Commit();
}

}  // namespace kwl
