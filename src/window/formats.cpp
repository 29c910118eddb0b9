#include "formats.h"

#include "listing/statistics.h"
#include "session.h"

namespace kwl {

int DisplayFormat(const Session& s) {
  const int format = s.main.cboDisplayFormat.ListIndex();
  return format >= 0 && format <= 9 ? format : 0;
}

ListingLayout ListingLayoutFor(const Session& s, bool toFile) {
  ListingLayout layout;
  layout.format = DisplayFormat(s);
  layout.commas = toFile && s.params.chkOutputWithCommas.Value() == 1;
  layout.spreadsheetNotes = toFile;
  layout.separatorAfterLastWord = !toFile;
  layout.wordsListed = s.run.lngNumWordsIncluded;
  layout.maxFrequency = s.run.lngMaxFrequency;
  layout.longestWord = s.run.intMaxWordLengthFound;
  // The column needs a count that kept the files: switched on after a count
  // without them, it shows from the next count on.
  layout.filesColumn = s.params.chkShowFiles.Value() == 1 && s.aWords.TracksFiles();
  if (layout.filesColumn) layout.maxFiles = MostFiles(s.aWords);
  return layout;
}

}  // namespace kwl
