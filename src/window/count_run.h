#pragma once
// The count run: the count command, its driver DoIt and the run's error report.
#include <string>

#include "count/count_rules.h"

namespace kwl {
struct Session;

// The count command, or the stop request while a run is in progress.
void cmdListWords_Click(Session& s);

// The count-run driver: checks, the source's scan, the post-scan steps and the listing.
void DoIt(Session& s);

// The second half of the run, once a source has filled the word table: the
// stop question, the key sort, the post-scan rules, the totals, the frequency
// order, the statistics and the listing.
void FinishCount(Session& s);

// The run's error report in a warning box ("At DoIt error #70. ...").
void ReportError(Session& s, int number, const std::string& description, const std::string& procedure);

// Resets the run state and all settings.
void InitializeVariables(Session& s);

// Starts the count of a source: the counter takes the rules, its table and
// comment state emptied, and nothing of an earlier count's result is kept for
// the listing choices to list again (blnWordsGot, the frequency order).
void StartCount(Session& s, const CountRules& rules);

// For a reader that hands lines over one at a time (a common-words file):
// scans one prepared line with the counter of the session and the word rules
// of the settings in force, and adds its words to lngTotalNumOccurrences. The
// characters and the markup are those the counter was started with.
void ScanOneLine(Session& s, std::string& line);

}  // namespace kwl
