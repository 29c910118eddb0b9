#pragma once
// The statistics shown after a count, and the explanation of an empty result.
#include "listing/statistics.h"

namespace kwl {
struct Session;

// Fills the statistics labels from the count's numbers (the files labels
// empty unless the count was given several files) and stops the
// elapsed-time display. The captions' wording follows the ignore settings;
// an interrupted count shows no numbers of occurrences.
void ShowRunStatistics(Session& s, const ListStatistics& st);
// Writes into txbOutput why nothing is listed.
void ReportNoWords(Session& s);

}  // namespace kwl
