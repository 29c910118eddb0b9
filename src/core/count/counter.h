#pragma once
// The count: lines in, the word table out. A Counter scans lines with the
// rules of the count, applies the per-word rules to every word the scanner
// cuts out and counts the survivors; Count() reads a whole LineSource and
// returns the table with its totals and how the count ended.
//
// Who drives: the counter calls its observer, never the other way round,
// except that an observer may hand the counter new word rules from Step()
// (a window whose settings stay editable during a count).
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "count/count_rules.h"
#include "count/filters.h"
#include "count/line_source.h"
#include "count/word_table.h"
#include "files/status.h"
#include "scan/scanner.h"

namespace kwl {

// From this size on (bytes of a text file) a count is read on two threads,
// where a thread's start-up and the merge of the tables cost little beside it.
inline constexpr std::int64_t kSplitMinUnits = std::int64_t{4} << 20;
// kSplitMinUnits with two processor cores or more, 0 (never split) with one.
std::int64_t DefaultSplitMinUnits();

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
  // Starts the count of a later part of whole's text on its own (another
  // thread's part, count/parallel_count.h): whole's characters, markup and
  // word rules, an empty table, and the state of a line after Start().
  void StartAsPartOf(const Counter& whole);

  // A count of several files: TrackFiles() after Start() keeps, per word,
  // the number of files it occurs in (WordTable::Files); StartFile() before
  // each file after the first begins the next one, outside any comment.
  void TrackFiles() { words_.TrackFiles(); }
  void StartFile() {
    words_.StartFile();
    scanner_.intWithinComment = -1;
  }

  // New word rules during a count: the filters apply from the next word,
  // the shaping rules (case, final "s", apostrophes) from the next line.
  void SetWordRules(const WordRules& rules) { rules_ = rules; }
  const WordRules& Rules() const { return rules_; }
  // New characters allowed in words during a count (the characters allowed
  // inside a word only stay those of Start): they apply from the next
  // character the scanner reads.
  void SetAllowedExtraChars(std::string_view allowed) { scanner_.SetAllowedExtraChars(allowed, prohibited_); }

  // Case-folds the line unless case is significant, then scans it (the line
  // is rewritten; a line of UTF-8 text with CountRules::unicode). Returns the words the scanner delivered (the line's
  // occurrences; 0 while a word list is read).
  std::int64_t ScanLine(std::string& line, CountObserver& observer);

  // The scanner's rules for a line under the word rules in force.
  scan::ScanRules LineRules() const {
    return scan::ScanRules{rules_.dropFinalS, rules_.apostrophesAllowed, rules_.readingWordList,
                           !rules_.caseSignificant};
  }
  // What the count does with a word the scanner finished: kCounted, or the
  // rule that drops it (the per-word rules, then the table's length), as
  // Word() decides. An empty word (an apostrophe fragment) is not asked.
  WordRule RuleFor(std::string_view word);

  // Reads the source to its end, a confirmed stop or a failure; blank lines
  // are passed over. Ok at the end of the text, kStopped after a confirmed
  // stop, otherwise the source's failure (or kOutOfMemory from the count).
  // A source of at least SplitMinUnits() units that can split is read in two
  // parts on two threads when its words are not nearly all different
  // (count/parallel_count.h), with the same result, new words and totals as
  // ReadInOrder.
  Status Read(LineSource& source, CountObserver& observer);
  // The same on the calling thread alone, line after line. With until >= 0
  // it returns Ok after the line that brings source.Done() to until or
  // beyond; reading on with another call is the same as one call.
  Status ReadInOrder(LineSource& source, CountObserver& observer, std::int64_t until = -1);

  // The size from which Read splits a source; 0 never splits. By default
  // kSplitMinUnits on a machine of two cores or more, 0 on one.
  void SetSplitMinUnits(std::int64_t units) { splitMinUnits_ = units; }
  std::int64_t SplitMinUnits() const { return splitMinUnits_; }

  // What one line hands on to the next besides the table and the totals:
  // the comment slot still open at its end (-1: none). After Start() it is
  // the default value.
  struct CarriedState {
    int withinComment = -1;
    bool operator==(const CarriedState&) const = default;
  };
  CarriedState Carried() const { return {scanner_.intWithinComment}; }

  // Adds the count of later (StartAsPartOf this counter, its lines read after
  // this counter's) as if this counter had scanned them: each word of
  // later's table in its found order, its count added, a word new here
  // appended and reported through NewWord (with a Step() per word); the
  // occurrences added; later's carried state taken over.
  void Absorb(const Counter& later, CountObserver& observer);

  // The words the scanner delivered since Start().
  std::int64_t TotalOccurrences() const { return totalOccurrences_; }
  // The table: the words counted since Start(), in the order they were found.
  WordTable& Words() { return words_; }
  const WordTable& Words() const { return words_; }
  scan::LineScanner& Scanner() { return scanner_; }
  const std::string& AllowedExtraChars() const { return scanner_.AllowedExtraChars(); }

 private:
  // scan::ScanSink: the word counted, then the observer's step and stop request.
  bool Word(std::string_view word) override;
  void Yield() override {
    if (stepsWithinLines_) observer_->Step();
  }

  // An empty table of the given kind of words, no occurrences counted.
  void Empty(bool unicode);
  // Whether the per-word rules keep the word.
  bool Kept(std::string_view word);
  // The list rule (filters.h ListRule) on the word lower-cased.
  WordRule ListedRule(std::string_view word);
  // Whether the word is longer than the table holds: more characters than
  // maxWordLength (bytes of a Windows-1252 word, code points of a UTF-8 one).
  bool BeyondTable(std::string_view word) const;
  // Counts one occurrence unless the word is longer than maxWordLength.
  void Take(std::string_view word);
  // Adds the words held back by Take, in their order.
  void AddPending();

  WordTable words_;
  scan::LineScanner scanner_;
  WordRules rules_;
  std::string prohibited_{kProhibitedInitialOrFinalChars};
  CountObserver* observer_ = nullptr;  // set while a line is scanned
  bool stepsWithinLines_ = true;       // the observer's StepsWithinLines() for the line
  std::int64_t lineOccurrences_ = 0;
  std::int64_t totalOccurrences_ = 0;
  std::string lower_;  // the lower-cased word for the ignore lookups
  // Words of the current line taken but not yet added, with their hashes:
  // when the observer needs no step within lines, Take adds words a batch
  // at a time, their index slots fetched ahead (the views point into the
  // line, so the batch is added before the line's scan returns).
  struct Pending {
    std::string_view word;
    std::uint32_t hash;
  };
  static constexpr std::size_t kBatch = 16;
  std::array<Pending, kBatch> pending_{};
  std::size_t numPending_ = 0;
  // The line being scanned with the Unicode scan: a word within it stays
  // valid until the scan returns, so it may wait in the batch.
  const std::string* line_ = nullptr;
  bool WithinLine(std::string_view word) const {
    const std::less_equal<const char*> atOrBefore;
    return line_ != nullptr && atOrBefore(line_->data(), word.data()) &&
           atOrBefore(word.data() + word.size(), line_->data() + line_->size());
  }
  std::int64_t splitMinUnits_ = DefaultSplitMinUnits();
  bool unicode_ = false;  // CountRules::unicode: UTF-8 lines, the Unicode scan
};

struct CountResult {
  WordTable words;     // in ascending binary order of the words, blnIncluded set
  CountTotals totals;
  Status status;       // Ok: complete; kStopped; otherwise what failed
};

// A whole count: the source read with the rules, the table ordered by word,
// the post-scan rules applied and the totals taken. splitMinUnits as
// Counter::SetSplitMinUnits (tests split small texts).
CountResult Count(LineSource& source, const CountRules& rules, CountObserver& observer,
                  std::int64_t splitMinUnits = DefaultSplitMinUnits());

}  // namespace kwl
