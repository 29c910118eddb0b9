#pragma once
// The numbers a finished count reports about its list.
#include <cstdint>

#include "count/word_table.h"

namespace kwl {

struct ListStatistics {
  std::int32_t wordsListed = 0;        // included entries
  std::int32_t wordsIgnored = 0;       // entries the post-scan rules excluded
  std::int64_t occurrencesListed = 0;  // the counts of the included entries added up
  std::int64_t totalOccurrences = 0;   // every word the scan found, as given
  std::int64_t maxFrequency = 0;       // the highest count of an included entry
  int longestWord = 0;                 // the longest included word, in characters (WordLength)
  std::int32_t maxFiles = 0;           // the most files an included entry occurs in (0 untracked)
  // A count of several files: the files counted and those skipped (a count
  // of one file leaves both 0).
  std::int32_t filesCounted = 0;
  std::int32_t filesSkipped = 0;
};

// The most files an included entry of the table occurs in; 0 when the
// table does not track files.
std::int32_t MostFiles(const WordTable& table);

// The statistics of the table with its included entries marked;
// totalOccurrences is the scan's own count of words.
ListStatistics ComputeListStatistics(const WordTable& table, std::int64_t totalOccurrences);

}  // namespace kwl
