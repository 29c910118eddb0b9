#pragma once
// The count: lines in, the word table out. A Counter scans lines with the
// rules of the count, applies the per-word rules to every word the scanner
// cuts out and counts the survivors; Count() reads a whole LineSource and
// returns the table with its totals and how the count ended.
//
// Who drives: the counter calls its observer, never the other way round,
// except that an observer may hand the counter new word rules from Step()
// (a window whose settings stay editable during a count).
#include <cstdint>
#include <string>
#include <string_view>

#include "count/count_rules.h"
#include "count/line_source.h"
#include "count/word_table.h"
#include "files/status.h"
#include "scan/scanner.h"

namespace kwl {

// What a count reports while it runs. Every method has a default that asks
// for nothing, so an observer overrides only what it shows.
class CountObserver {
 public:
  virtual ~CountObserver() = default;

  // Called before each line is read and, within a line, after every word
  // the scanner cuts out, while comments are skipped and every few thousand
  // bytes of a stretch without words: where a window pumps its events.
  virtual void Step() {}

  // Asked after every word the scanner cuts out: true ends the current line
  // after that word.
  virtual bool StopRequested() { return false; }

  // Asked before each line: false when neither Step() nor StopRequested()
  // has anything to do within a line (an observer that shows progress only,
  // or nothing at all); they are then called between lines only, which saves
  // two calls per word.
  virtual bool StepsWithinLines() { return true; }

  // Asked by Read() after a line that ended with StopRequested() true: true
  // ends the count as stopped, false goes on with the next line (the
  // observer then withdraws its request itself).
  virtual bool ConfirmStop(std::int32_t /*distinctWords*/) { return true; }

  // A word counted for the first time; distinctWords includes it.
  virtual void NewWord(std::string_view /*word*/, std::int32_t /*distinctWords*/) {}

  // After each line read: units done of the total (0 when unknown).
  virtual void Progress(std::int64_t /*done*/, std::int64_t /*total*/) {}
};

// The totals over the included entries of a finished table, and the number
// of words the scanner delivered before any rule.
struct CountTotals {
  std::int32_t included = 0;
  std::int32_t excluded = 0;
  std::int64_t occurrences = 0;       // of the included words
  std::int64_t totalOccurrences = 0;  // every word found, counted or not
  std::int64_t maxFrequency = 0;      // of an included word
  int longestWord = 0;                // characters of the longest included word
};

// Included and excluded entries of a table (blnIncluded as the post-scan rules
// set it); totalOccurrences is left 0 for the caller, who counted the words.
CountTotals ComputeTotals(const WordTable& table);

class Counter : private scan::ScanSink {
 public:
  // Starts a count: empties the table and the total, resets the comment
  // state and takes the characters, the markup and the word rules.
  void Start(const CountRules& rules);

  // New word rules during a count: the filters apply from the next word,
  // the shaping rules (case, final "s", apostrophes) from the next line.
  void SetWordRules(const WordRules& rules) { rules_ = rules; }
  const WordRules& Rules() const { return rules_; }
  // New characters allowed in words during a count (the characters allowed
  // inside a word only stay those of Start): they apply from the next
  // character the scanner reads.
  void SetAllowedExtraChars(std::string_view allowed) { scanner_.SetAllowedExtraChars(allowed, prohibited_); }

  // Case-folds the line unless case is significant, then scans it (the line
  // is rewritten). Returns the words the scanner delivered (the line's
  // occurrences; 0 while a word list is read).
  std::int64_t ScanLine(std::string& line, CountObserver& observer);

  // Reads the source to its end, a confirmed stop or a failure; blank lines
  // are passed over. Ok at the end of the text, kStopped after a confirmed
  // stop, otherwise the source's failure (or kOutOfMemory from the count).
  Status Read(LineSource& source, CountObserver& observer);

  // The words the scanner delivered since Start().
  std::int64_t TotalOccurrences() const { return totalOccurrences_; }
  // The table: the words counted since Start(), in the order they were found.
  WordTable& Words() { return words_; }
  const WordTable& Words() const { return words_; }
  scan::LineScanner& Scanner() { return scanner_; }

 private:
  // scan::ScanSink: the word counted, then the observer's step and stop request.
  bool Word(std::string_view word) override;
  void Yield() override {
    if (stepsWithinLines_) observer_->Step();
  }

  // Whether the per-word rules keep the word.
  bool Kept(std::string_view word);
  // Whether the lower-cased word is in the words to ignore or the common words.
  bool Listed(std::string_view word, bool ignoreList, bool ignoreCommon);
  // Counts one occurrence unless the word is longer than maxWordLength.
  void Take(std::string_view word);

  WordTable words_;
  scan::LineScanner scanner_;
  WordRules rules_;
  std::string prohibited_{kProhibitedInitialOrFinalChars};
  CountObserver* observer_ = nullptr;  // set while a line is scanned
  bool stepsWithinLines_ = true;       // the observer's StepsWithinLines() for the line
  std::int64_t lineOccurrences_ = 0;
  std::int64_t totalOccurrences_ = 0;
  std::string lower_;  // the lower-cased word for the ignore lookups
};

struct CountResult {
  WordTable words;     // in ascending binary order of the words, blnIncluded set
  CountTotals totals;
  Status status;       // Ok: complete; kStopped; otherwise what failed
};

// A whole count: the source read with the rules, the table ordered by word,
// the post-scan rules applied and the totals taken.
CountResult Count(LineSource& source, const CountRules& rules, CountObserver& observer);

}  // namespace kwl
