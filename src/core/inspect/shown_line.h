#pragma once
// A line as the scanner reads it, but in its own case: where occurrences and
// explanations take the words and their context from. Case folding keeps
// the length of a line (Windows-1252; in a UTF-8 line the scan folds ASCII
// capitals only, word by word the rest), so a place in the line the count
// scanned is the same place here.
#include <string>
#include <string_view>

#include "count/counter.h"

namespace kwl {

class ShownLine {
 public:
  // After counter.Start(): the scanner with the count's characters, markup
  // and word rules, folding nothing.
  explicit ShownLine(Counter& counter) : scanner_(counter.Scanner()), unicode_(counter.Words().Unicode()) {
    scanner_.rules = counter.LineRules();
    scanner_.rules.foldCase = false;
  }

  // original (a line as the source gave it) prepared as the scan prepared
  // scanned; when the two differ in length (an entity the folded line
  // spells differently, as "&AMP;"), scanned itself.
  void Prepare(std::string& original, std::string_view scanned) {
    if (unicode_)
      scanner_.PrepareUnicodeLine(original);
    else
      scanner_.PrepareLine(original);
    if (original.size() != scanned.size()) original = scanned;
  }

 private:
  scan::LineScanner scanner_;
  bool unicode_;
};

// Where the word a scan has just handed to its sink stands in the prepared
// line: its raw run of word characters [start, runEnd) and what finishing
// did to it (views into line). The code page's words are views into the
// line; the Unicode scan hands on a folded copy, so its word is placed by
// the raw run the scanner notes (notePlaces).
struct WordPlace {
  std::size_t start;
  std::size_t runEnd;
  scan::FinishSteps steps;
  // The end of the word as counted: the trailing characters cut off
  // excluded, a dropped final "s" included.
  std::size_t WordEnd() const { return runEnd - steps.stripped.size(); }
};

// Called from a sink's Word() with the word it was handed and the line
// being scanned.
inline WordPlace PlaceWord(const scan::LineScanner& scanner, std::string_view line, std::string_view word,
                           bool unicode) {
  if (unicode) {
    const scan::LineScanner::UnicodeWordPlace& last = scanner.LastUnicodeWord();
    const auto start = static_cast<std::size_t>(last.raw.data() - line.data());
    return {start, start + last.raw.size(), last.steps};
  }
  WordPlace place{static_cast<std::size_t>(word.data() - line.data()), 0, {}};
  place.runEnd = scanner.RunEnd(line, place.start);
  scanner.FinishWordExplained(line.substr(place.start, place.runEnd - place.start), place.steps);
  return place;
}

}  // namespace kwl
