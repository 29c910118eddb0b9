#pragma once
// Where an entry of a count occurs in its source (key word in context). The
// source is scanned again with the count's own Counter, LineScanner and word
// rules, and each word the count would add to the entry is reported with
// its place, so the occurrences are exactly the ones counted: their number
// is the entry's frequency.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "count/count_rules.h"
#include "count/filters.h"
#include "count/line_source.h"
#include "files/status.h"

namespace kwl {

// Characters of context shown on each side of a word.
inline constexpr std::size_t kContextChars = 60;

// One occurrence. The text is Windows-1252 (UTF-8 in a count of words in
// every script, cut on character boundaries), taken from the line as the
// scanner reads it: character entities replaced, double hyphens split,
// tabs and no-break spaces made blanks, markup and comments as they stand;
// the original case kept (a folded line only when the entities of the two
// differ in length, as "&AMP;" does).
struct Occurrence {
  std::string file;         // the source's file in a count of several files (set by the caller)
  std::int64_t line = 0;    // the source's line number (LineSource::LineNumber), from 1
  std::int64_t order = 0;   // the occurrence's place in the source, from 0
  std::string entry;        // the entry it is counted under
  // The context keeps the blanks beside the word; its outer end is trimmed.
  std::string left;         // up to kContextChars characters before the word, on its line
  std::string word;         // the word as it stands: its case, a dropped final "s"
  std::string right;        // up to kContextChars characters after the word
};

struct OccurrenceSearch {
  std::string entry;              // the entry looked for
  std::vector<Occurrence> rows;   // in the order of the text
  // A rule applied after the scan that keeps the entry out of the list (a
  // Roman numeral, an infrequent word): the rows are then empty.
  WordRule excludedBy = WordRule::kCounted;
  Status status;                  // Ok, the source's failure, or a changed source (IsSourceChanged)
};

// Every occurrence of entry (as the count lists it: case-folded unless case
// is significant, EntryFor) in source, read to its end with rules. A word
// not counted under entry gives no rows.
OccurrenceSearch FindOccurrences(LineSource& source, const CountRules& rules, std::string_view entry);

// Every occurrence of every word the count adds to its table, each row with
// its entry (no rule after the scan applied): the whole count, word by word.
OccurrenceSearch FindEveryOccurrence(LineSource& source, const CountRules& rules);

// The entry a word typed by the user stands for under rules: case-folded
// unless case is significant (a UTF-8 word, with unicode, by Unicode case
// folding and put into NFC, as the Unicode scan hands words on).
std::string EntryFor(std::string_view word, const WordRules& rules, bool unicode = false);

enum class OccurrenceOrder {
  kPosition,  // the order of the text (files in the given order)
  kLeft,      // the words to the left, nearest first
  kRight,     // the words to the right
};
// Sorts rows, comparing words by their sort keys (accents and case folded;
// UTF-8 rows, with unicode, by the root collation at primary strength);
// equal rows stay in the order of the text.
void SortOccurrences(std::vector<Occurrence>& rows, OccurrenceOrder order, bool unicode = false);

// The rows as key-word-in-context lines (Windows-1252, or UTF-8 rows with
// unicode; no line ends): the file when a row has one, the line number,
// then the left context right-aligned, the word and the right context as
// they stand in the text, so the words start in one column (of a
// fixed-width font: UTF-8 rows are measured in display columns).
std::vector<std::string> KwicLines(const std::vector<Occurrence>& rows, bool unicode = false);

// A source file as a count saw it: its size and modification time.
struct SourceStamp {
  std::int64_t size = -1;
  std::int64_t modifiedNs = -1;  // nanoseconds since the epoch
  bool operator==(const SourceStamp&) const = default;
};
// The stamp of path now; the failure when it cannot be examined.
Status StampSource(const std::string& path, SourceStamp& stamp);
// Ok when path still has the stamp counted; otherwise the file's failure,
// or kReadFailed with detail kSourceChanged.
Status CheckSourceUnchanged(const std::string& path, const SourceStamp& counted);
inline constexpr std::string_view kSourceChanged = "has changed since it was counted";
inline bool IsSourceChanged(const Status& status) {
  return status.kind == Status::Kind::kReadFailed && status.detail == kSourceChanged;
}

// The occurrences of entry in a text file counted with rules (utf8 as the
// count decided; read as UTF-8 lines with rules.unicode, a UTF-16 file with
// a byte-order mark too): refused with the changed-source status when the file's
// stamp differs from counted before or after the scan.
OccurrenceSearch FindOccurrencesInFile(const std::string& path, bool utf8, const CountRules& rules,
                                       std::string_view entry, const SourceStamp& counted);

// The message for a search that failed (Status not Ok), in plain words.
std::string OccurrenceSearchProblem(const Status& status);

}  // namespace kwl
