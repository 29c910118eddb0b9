#pragma once
// Listing the counted words: into the output file for a spreadsheet when one
// is set, then into the text box.
namespace kwl {
struct Session;
struct ListingPass;

// Writes the output file (unless no path is set or output to file is
// disabled), then lists into txbOutput; explains an empty result instead.
// Every failure is reported to the user; the file is closed on every path.
void ListWords(Session& s);

// One listing pass in key order / in frequency order: the heading, then every
// included entry through DisplayNextLine. In the text-box pass the lines go
// into txbOutput 20 at a time; a block that would overfill it ends the
// listing with the text-box-full report.
void ListWordsAlphabetically(Session& s, ListingPass& pass);
void ListWordsByFrequency(Session& s, ListingPass& pass);

}  // namespace kwl
