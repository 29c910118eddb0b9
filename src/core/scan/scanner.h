#pragma once
// The line scanner: walks one line of Windows-1252 text, skips comments and
// markup, cuts out each word and hands it to a sink. The comment state
// carries over from one line to the next.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "count/limits.h"
#include "scan/char_rules.h"
#include "scan/markup.h"
#include "scan/no_space_splitter.h"

namespace kwl::scan {

// Where the scanner delivers its words. Word() is called for every word the
// scanner cuts out, finished (FinishWord), so at least once per word: the
// sink may pump events there, and returning false ends the line after that
// word. A word that finishing leaves empty (an apostrophe fragment) arrives
// empty and counts for nothing. Every word, empty or not, is a view into the
// prepared line: its offset there is where the word stands. Yield() is called while comments are skipped
// and now and then during long stretches of a line without words, so that a
// sink that pumps events stays responsive on any line.
class ScanSink {
 public:
  virtual ~ScanSink() = default;
  virtual bool Word(std::string_view word) = 0;
  virtual void Yield() = 0;
};

// What FinishWord did to a raw word, for an explanation of it.
struct FinishSteps {
  std::string_view stripped;   // the trailing characters cut off
  bool droppedFinalS = false;  // the final "s" dropped
  bool fragment = false;       // an apostrophe fragment: nothing left to count
};

// The word rules of one scan.
struct ScanRules {
  bool dropFinalS = false;          // chkDropFinalS
  bool apostrophesAllowed = false;  // chkAllowWordsWithApostrophes
  bool readingWords = false;        // a common-words file is being read
  bool foldCase = false;            // the line is case-folded first (FoldCaseInPlace)
};

class LineScanner {
 public:
  static constexpr std::size_t kMaxRun = kMaxScanRun;
  // The most bytes of a line without words between two calls of Yield().
  static constexpr std::size_t kYieldBytes = 4096;

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

  // The same for a line of UTF-8 text, the words in every script
  // (unicode_scanner.cpp): a word is a run of letters (Unicode category L),
  // combining marks inside it, decimal digits where numerals are allowed and
  // the allowed extra characters (U+2019 is taken as the apostrophe). Runs
  // of the scripts written without spaces are split by a dictionary. The
  // words handed to the sink are case-folded (rules.foldCase) and in NFC;
  // a word's view is valid during the call of Word() only.
  void ScanLineUnicode(std::string& strLine, ScanSink& sink);

  // The last word the Unicode scan handed to its sink, as it stands in the
  // prepared line: the raw run of word characters, and what finishing did
  // to it (the word handed on is folded and composed, so it does not point
  // into the line). Where occurrences and explanations find a word's place.
  struct UnicodeWordPlace {
    std::string_view raw;
    FinishSteps steps;
  };
  const UnicodeWordPlace& LastUnicodeWord() const { return lastUnicodeWord_; }
  // Whether LastUnicodeWord() is noted for every word. A count leaves it
  // off, and its ASCII words then take the code page's quicker finishing,
  // which gives the same words but notes nothing.
  bool notePlaces = false;
  // The preparation of a UTF-8 line (ScanLineUnicode's): ASCII capitals
  // folded when rules.foldCase, blanks and the typographic apostrophe made
  // as the scan reads them, double hyphens split, entities replaced.
  void PrepareUnicodeLine(std::string& strLine);

  // The preparation: the line case-folded when rules.foldCase, backspaces
  // removed, line ends, form feeds, no-break spaces and tabs made blanks,
  // double hyphens split, entities replaced.
  void PrepareLine(std::string& strLine);

  // Finishes a raw word: trailing prohibited characters, the final "s" and
  // the apostrophe fragments. A part of raw; empty when there is nothing to
  // count.
  std::string_view FinishWord(std::string_view raw) const {
    // Most words end in a letter and are no fragment: they are done here,
    // in the scanner's loop; the rest take the full rules.
    if (raw.empty()) return raw;
    const auto last = static_cast<unsigned char>(raw.back());
    if ((classes_[last] & kFinalStrip) == 0 && !rules.dropFinalS && !MayBeFragment(raw)) return raw;
    return FinishWordFully(raw);
  }
  // The same for a raw word of the Unicode scan (UTF-8): its trailing
  // prohibited characters, the final "s" of a Latin word, the apostrophe
  // fragments, then the word case-folded (rules.foldCase) and composed
  // (NFC). A word beyond ASCII comes back in the scanner's own buffer,
  // valid until the next call. The allowed characters beyond ASCII are
  // those of the last line scanned.
  std::string_view FinishUnicodeWord(std::string_view raw);
  // The same as FinishWord, with each step it took in steps.
  std::string_view FinishWordExplained(std::string_view raw, FinishSteps& steps) const;

  // The end of the run of word characters the scan cuts out of a prepared
  // line at start, a word start: the raw word is line[start, RunEnd).
  std::size_t RunEnd(std::string_view line, std::size_t start) const {
    return RunEnd(reinterpret_cast<const unsigned char*>(line.data()), line.size(), start);
  }

 private:
  // Only "s", "t" and the contraction stems (3 to 7 letters ending in "n")
  // can be apostrophe fragments.
  static bool MayBeFragment(std::string_view word) {
    return word.size() == 1 || (word.size() >= 3 && word.size() <= 7 && (word.back() == 'n' || word.back() == 'N'));
  }
  std::string_view FinishWordFully(std::string_view raw) const;
  // A word whose final "s" the final-s rule may drop, by its shape: more
  // than two bytes, ending in "s" but not in "ss" or "'s". The letter before
  // the "s" decides then (a consonant drops it), unless KeepsFinalS.
  static bool EndsInDroppableS(std::string_view word) {
    return word.size() > 2 && word.back() == 's' && word[word.size() - 2] != 's' && word[word.size() - 2] != '\'';
  }
  // The words whose final "s" stays after a consonant: those ending in
  // "ics", and maths, stats, dickens, always, perhaps (any case).
  static bool KeepsFinalS(std::string_view word);
  // The end of either preparation, once the line is folded and its blanks
  // made: whether comments may start, double hyphens split (when the line
  // has any: hyphen), entities replaced by one Windows-1252 byte or, in a
  // UTF-8 line (utf8), by their UTF-8 bytes.
  void PrepareMarkup(std::string& line, bool hyphen, bool utf8);
  // The full rules of FinishWord, each step noted in steps unless it is null.
  std::string_view Finish(std::string_view raw, FinishSteps* steps) const;
  std::size_t RunEnd(const unsigned char* bytes, std::size_t n, std::size_t start) const {
    // A word start is a word character: the run is at least one long.
    const std::size_t limit = n - start > kMaxRun ? start + kMaxRun : n;
    std::size_t end = start + 1;
    while (end < limit && (classes_[bytes[end]] & kWordChar) != 0) ++end;
    return end;
  }
  // The comments from lp on: lp left after them; false when the line ends
  // within one.
  bool SkipComments(std::string_view line, std::size_t& lp, ScanSink& sink);
  int CommentStartAt(std::string_view line, std::size_t lp) const;
  void SkipCommentBody(std::string_view line, std::size_t& lp);
  // Marks the first characters of the start markers in the byte classes
  // when the markers have changed since the last line.
  void TakeMarkerFirsts();

  // The Unicode scan: the preparation of a UTF-8 line, what a character may
  // be in a word, and the finishing of a word (stripped, final "s", folded).
  struct UnicodeChar {
    char32_t cp = 0;
    std::size_t length = 1;
    bool word = false;     // may stand in a word
    bool start = false;    // may begin a word
    bool noSpace = false;  // a letter of a script written without spaces
  };
  UnicodeChar UnicodeCharAt(std::string_view line, std::size_t at) const;
  // The end of the run of word characters of a word starting at start with
  // a character of firstLength bytes (a word start); ascii is set false
  // when a character beyond ASCII is in the run.
  std::size_t UnicodeRunEnd(std::string_view line, std::size_t start, std::size_t firstLength, bool& ascii) const;
  bool StripsAtEnd(char32_t cp) const;
  void TakeUnicodeExtras();

  std::string allowed_;
  std::string prohibited_ = "'.:,()";
  // The allowed characters beyond ASCII as code points (from the
  // Windows-1252 extras), taken from unicodeFrom_ (the allowed_ they were
  // made from), and whether digits of every script are allowed.
  struct Extra {
    char32_t cp;
    bool strip;
  };
  std::vector<Extra> unicodeExtras_;
  std::string unicodeFrom_ = std::string(1, '\0');
  bool unicodeDigits_ = false;
  std::string unicodeWord_;  // the word being handed on, folded and composed
  UnicodeWordPlace lastUnicodeWord_;
  NoSpaceSplitter splitter_;
  ByteClasses classes_;
  std::string markerFirsts_;  // the first characters the classes mark
};

// Removes characters of set from the end of word while the last one belongs to it.
std::string_view StripFinalChars(std::string_view word, std::string_view set);

}  // namespace kwl::scan
