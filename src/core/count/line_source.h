#pragma once
// Where a count's text comes from: a text file, the text of a DOCX document,
// the clipboard's text. A source hands out lines of Windows-1252 text ready
// for the scanner (decoded, repaired, trimmed as the source's rules say; case
// folding is the count's business) and says how far it has come.
#include <cstdint>
#include <string>

#include "files/status.h"

namespace kwl {

class LineSource {
 public:
  virtual ~LineSource() = default;

  // The next line into line; false at the end of the text or on a failure
  // (then status() says what failed, and the lines before it were good).
  virtual bool Next(std::string& line) = 0;

  // Progress: units (bytes of the file, characters of the clipboard) done of
  // the total; a total of 0 means unknown.
  virtual std::int64_t Done() const = 0;
  virtual std::int64_t Total() const = 0;

  // Ok at the end of the text; otherwise the failure that ended it.
  virtual const Status& status() const = 0;
};

}  // namespace kwl
