#pragma once
// Listing the counted words: into the output file for a spreadsheet when one
// is set, then into the text box.
namespace kwl {
struct Session;

void ListWords(Session& s);

}  // namespace kwl
