#pragma once
// The ten display formats: column widths, the heading, the space layout (text
// box, and output files written with spaces) and the comma layout (output
// files written with commas), and the delivery of each line to the output
// file or to the text box.
#include <cstdint>
#include <string>

namespace kwl {
struct Session;
class OutputFile;

// One pass of a listing: to the output file while ListWords writes it, else
// to the text box.
struct ListingPass {
  // The open output file, or null for the text-box pass.
  OutputFile* file = nullptr;
  // Entries delivered so far in this pass.
  std::int32_t delivered = 0;
  // Room for the line being formatted, reused from line to line.
  std::string line;
};

// Sets intRankWidth, intFreqWidth and intWordWidth for the listing that
// begins, then emits the heading.
void SetColumnWidths(Session& s, ListingPass& pass);

// Formats the line of entry lngI (the heading for 0) and delivers it: to the
// output file while it is being written; otherwise an entry's line goes to
// strOutput (UTF-8, with CR LF) and the heading straight into txbOutput.
void DisplayNextLine(Session& s, ListingPass& pass, std::int32_t lngI, std::string& strOutput);

// The padded column texts of entry i (the heading values for 0), in
// Windows-1252. FormatWord gives "word, " in the comma layout of formats 1, 6
// and 7.
std::string FormatRank(const Session& s, std::int32_t i);
std::string FormatFrequency(const Session& s, std::int32_t i);
std::string FormatWord(const Session& s, std::int32_t i);

// The whole line of entry i (heading for 0) in the layout in force, before
// delivery; Windows-1252, without line end.
std::string FormatLine(const Session& s, std::int32_t i);

// The display format in force (0..9; no choice counts as format 0).
int DisplayFormat(const Session& s);
// Whether the comma layout is in force: commas wanted and the file being written.
bool CommaLayout(const Session& s);

}  // namespace kwl
