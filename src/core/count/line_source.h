#pragma once
// Where a count's text comes from: a text file, the text of a DOCX document,
// the clipboard's text. A source hands out lines of Windows-1252 text ready
// for the scanner (decoded, repaired, trimmed as the source's rules say; case
// folding is the count's business) and says how far it has come.
#include <cstdint>
#include <memory>
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

  // The number of the line Next() handed out last, counting every line of
  // the text from 1 (those passed over too) from where this source began;
  // 0 when the source does not number its lines.
  virtual std::int64_t LineNumber() const { return 0; }

  // Ok at the end of the text; otherwise the failure that ended it.
  virtual const Status& status() const = 0;

  // Splitting for a count on two threads (count/parallel_count.h). A source
  // that cannot split keeps these defaults.
  //
  // The text not yet read, when it is at least minUnits long, cut at a line
  // start near its middle: the back part as a source of its own (its Done()
  // counts from the cut), and this source then ends at the cut. Null when
  // the source does not split.
  virtual std::unique_ptr<LineSource> SplitOffBack(std::int64_t /*minUnits*/) { return nullptr; }
  // The back part is given up: this source reads on past the cut as if it
  // had never been split.
  virtual void Rejoin() {}
  // The back part (as SplitOffBack returned it) was read elsewhere up to
  // some line: this source, having reached the cut, goes on from there, its
  // Done() and status() those of the whole text.
  virtual void ContinueWith(std::unique_ptr<LineSource> /*back*/) {}
};

}  // namespace kwl
