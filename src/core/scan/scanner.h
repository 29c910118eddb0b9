#pragma once
// The line scanner: walks one line of Windows-1252 text, skips comments and
// markup, cuts out each word and hands it to a sink. The comment state
// carries over from one line to the next.
#include <cstdint>
#include <string>
#include <string_view>

#include "count/limits.h"
#include "scan/char_rules.h"
#include "scan/markup.h"

namespace kwl::scan {

// Where the scanner delivers its words. Word() receives every finished,
// non-empty word; Yield() is called at every step of the walk (the sink
// decides whether to pump events); Stopped() is asked after every word.
class ScanSink {
 public:
  virtual ~ScanSink() = default;
  virtual void Word(std::string_view word) = 0;
  virtual void Yield() = 0;
  virtual bool Stopped() = 0;
};

// The word rules of one scan.
struct ScanRules {
  bool dropFinalS = false;          // chkDropFinalS
  bool apostrophesAllowed = false;  // chkAllowWordsWithApostrophes
  bool readingWords = false;        // a common-words file is being read
};

class LineScanner {
 public:
  static constexpr std::size_t kMaxRun = kMaxScanRun;

  LineScanner() { SetAllowedExtraChars(""); }

  CommentMarkers markers;
  int intWithinComment = -1;
  bool blnCommentsPossible = false;
  bool blnCharacterEntitiesPossible = false;
  ScanRules rules;

  // Sets the allowed extra characters for the scans that follow.
  void SetAllowedExtraChars(std::string_view allowed, std::string_view prohibited = kProhibitedInitialOrFinalChars);
  const std::string& AllowedExtraChars() const { return allowed_; }

  // The markup kind from the input's lower-cased extension.
  void SetMarkupKind(std::string_view extension);

  // Prepares and scans strLine in full (strLine is rewritten by the preparation).
  void ScanLine(std::string& strLine, ScanSink& sink);

  // The preparation: backspaces removed, line ends, form feeds, no-break
  // spaces and tabs made blanks, double hyphens split, entities replaced.
  void PrepareLine(std::string& strLine);

  // Finishes a raw word: trailing prohibited characters, the final "s" and
  // the apostrophe fragments. Empty when there is nothing to count.
  std::string FinishWord(std::string_view raw) const;

 private:
  int CommentStartAt(std::string_view line, std::size_t lp) const;
  void SkipCommentBody(std::string_view line, std::size_t& lp);

  std::string allowed_;
  std::string prohibited_ = "'.:,()";
  WordCharTable table_;
};

// Removes characters of set from the end of word while the last one belongs to it.
std::string_view StripFinalChars(std::string_view word, std::string_view set);

}  // namespace kwl::scan
