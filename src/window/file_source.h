#pragma once
// The text-file source of a count.
#include <string>
#include <vector>

namespace kwl {
struct Session;

// Checks and scans the input file named in txbFile(0) line by line (a line
// ends at CR LF, CR or LF; a DOCX file is first turned into a text file).
// True when the word table holds a result that the count run shall list
// (complete, or partial after a stop).
bool DoItFromFile(Session& s);

// Checks and scans several input files in the order given as one text: each
// file through its own checks and questions when its turn comes (its
// encoding is what its own check finds), a file that cannot be counted
// skipped or the count stopped as the user answers, one progress bar over
// all their bytes. Sets lngFilesCounted and lngFilesSkipped. True when the
// word table holds a result to list.
bool DoItFromFiles(Session& s, const std::vector<std::string>& files);

}  // namespace kwl
