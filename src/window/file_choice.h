#pragma once
// Choosing the input and output paths with the file dialog of the main
// window (index 0 the input file, index 1 the output file).
#include <string>

namespace kwl {
struct Session;

enum class InputChoice { Accepted, Refused, NotADocx };

// The checks of a chosen input file: its size, text or DOCX, UTF-8 (sets
// chkUTF8) and the common-words file of its language. NotADocx when a
// "docx" file is no package (the path is then emptied).
InputChoice TakeInputFile(Session& s, const std::string& path);

// The text-file check of an input file without the question whether to go
// on: chkUTF8 is checked when the file is UTF-8 (never unchecked here), and
// the common-words file of its language is chosen. False when it is refused.
bool CheckTextInput(Session& s, const std::string& path);

// The "Input file" / "Output file" buttons: the open-file dialog, then the
// checks of a chosen input file (size, text or DOCX, UTF-8, the common-words
// file of its language) or the output-file controls.
void cmdFile_Click(Session& s, int index);

// A path of 76 characters or more goes on the button's tooltip; a shorter
// one empties the path box's tooltip.
void UpdateFileToolTip(Session& s, int index);

}  // namespace kwl
