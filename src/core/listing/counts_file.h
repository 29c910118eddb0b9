#pragma once
// The counts table: a finished count's words written out so that counts of
// other files, made elsewhere (another process, another machine), can be
// merged with it into the count of all the files together.
//
// The file is tab-separated UTF-8 with LF line ends:
//   #kestrawl counts  version=1  RULES...  occurrences=N  files=F  skipped=S  words=W
//   word  display spelling  count  files
//   one row per word, in ascending binary order of the words
//   #end  words=W
// RULES are name=value fields of everything that decides what a word is and
// which words a scan counts (the characters allowed in words, case, final
// "s", apostrophes, the per-word filters, the words to ignore and the common
// words, those two as their number and a fingerprint); tables whose rules
// differ cannot be merged. The rules applied to the finished table (Roman
// numerals, infrequent words) are not among them: the table holds every
// word the scan counted, so that a word infrequent in each of two tables and
// frequent in both together is listed by their merge; the merge applies them
// as it lists. occurrences is the scan's total of words found, files and
// skipped the files counted and skipped, W the rows; the last line tells a
// complete file from a cut one.
//
// Words are held as Windows-1252 inside and written as UTF-8: every byte
// from 0x20 to 0xFF stands for its own character. In the word column a
// backslash is written "\\" and a control character (below 0x20, and 0x7F),
// which no scan puts into a word, as "\x" and two upper-case hex digits, so
// no word can hold a tab or a line end and reading gives back exactly the
// bytes written. The display spelling is the word as a listing shows it, in
// UTF-8, with a control character shown as U+FFFD; it is for people and
// other programs, and a reader checks it against the word.
//
// A count of words in every script adds the field unicode=1 after the rules
// (and only then: a table of the code page has no such field). Its words
// are UTF-8 as counted (NFC, case-folded unless case is significant), each
// byte written as it is but for the same escapes; the rows are in byte
// order. Such a table merges only with tables that have the field.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "count/count_rules.h"
#include "count/word_table.h"
#include "files/status.h"

namespace kwl {

inline constexpr int kCountsTableVersion = 1;

// The rules fields of a count's rules, in the order written.
using CountsRules = std::vector<std::pair<std::string, std::string>>;
CountsRules CountsRulesOf(const CountRules& rules);

struct CountsTableHeader {
  CountsRules rules;
  std::int64_t totalOccurrences = 0;
  std::int32_t filesCounted = 0;
  std::int32_t filesSkipped = 0;
  // Whether the rules ignore listed words (words to ignore, common words):
  // the statistics name the ignored words accordingly.
  bool IgnoresListedWords() const;
  // Whether the table holds words in every script (its unicode=1 field).
  bool Unicode() const;
};

// The word column's text of a Windows-1252 word (a UTF-8 word with
// unicode), and the display spelling.
std::string CountsWordText(std::string_view word, bool unicode = false);
std::string CountsDisplayText(std::string_view word, bool unicode = false);

// The table's text, handed to put in pieces (false from put stops): words is
// a finished table in binary word order (WordTable::OrderByWord), every entry
// written whether the post-scan rules include it or not; a table that does
// not track files writes 1 file per word.
bool FormatCountsTable(const WordTable& words, const CountsTableHeader& header,
                       const std::function<bool(std::string_view)>& put);
// The table into the file at path, which is only ever replaced by a complete
// table: Ok, or kWriteFailed with the errno.
Status WriteCountsTable(const std::string& path, const WordTable& words, const CountsTableHeader& header);

// Reads a table's text: its header into header, its rows added to table
// (which tracks files, and takes the table's kind of words, Unicode or not; the rows' files are files none of its earlier words
// came from, WordTable::AddCounted). kBadFormat with a detail naming the line
// and the fault for anything that is not a complete table of this version:
// the detail starts "not a Kestrawl counts table" for a file of another kind,
// "a counts table of version N" for another version.
Status ReadCountsTableText(std::string_view text, CountsTableHeader& header, WordTable& table);
// The same for a file: ReadWholeFile's failures (kNotFound, kNotRegular, ...)
// with the path, or kBadFormat as above.
Status ReadCountsTable(const std::string& path, CountsTableHeader& header, WordTable& table);

// Adds a later table's header to the merge of earlier ones (whole, empty
// before the first): kBadFormat when their rules differ (detail: the first
// rule that differs, as "case=1, not case=0") or the totals would overflow.
Status MergeCountsHeader(CountsTableHeader& whole, const CountsTableHeader& later, bool first);

}  // namespace kwl
