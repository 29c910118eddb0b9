#include "formats.h"

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
  return layout;
}

}  // namespace kwl
