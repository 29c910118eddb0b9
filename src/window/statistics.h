#pragma once
// The statistics shown after a count, and the explanation of an empty result.
namespace kwl {
struct Session;

// Fills the four statistics labels and stops the elapsed-time display.
void ShowRunStatistics(Session& s);
// Writes into txbOutput why nothing is listed.
void ReportNoWords(Session& s);

}  // namespace kwl
