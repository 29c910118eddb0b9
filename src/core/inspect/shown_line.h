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

  // The end of the word the scanner cut out at start (a word start of the
  // scanned line): its run of word characters without the trailing ones
  // FinishWord cuts off; a dropped final "s" stays.
  std::size_t WordEnd(std::string_view scanned, std::size_t start) {
    const std::size_t end = scanner_.RunEnd(scanned, start);
    scan::FinishSteps steps;
    scanner_.FinishWordExplained(scanned.substr(start, end - start), steps);
    return end - steps.stripped.size();
  }

  const scan::LineScanner& Scanner() const { return scanner_; }

 private:
  scan::LineScanner scanner_;
  bool unicode_;
};

}  // namespace kwl
