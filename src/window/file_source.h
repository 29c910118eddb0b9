#pragma once
// The text-file source of a count.
namespace kwl {
struct Session;

// Checks and scans the input file named in txbFile(0) line by line (a line
// ends at CR LF, CR or LF; a DOCX file is first turned into a text file).
// True when the word table holds a result that the count run shall list
// (complete, or partial after a stop).
bool DoItFromFile(Session& s);

}  // namespace kwl
