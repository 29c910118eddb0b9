#pragma once
// Choosing the input and output paths with the file dialog of the main
// window (index 0 the input file, index 1 the output file).
#include <cstddef>
#include <string>
#include <vector>

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

// "Input folder": a folder chooser; the folder's files (sub-folders
// included) become the input (TakeInputFiles). Entries passed over are
// named in one notice; a folder without files to count is refused with a
// notice, and the input stays as it was.
void cmdInputFolder_Click(Session& s);

// Makes several files the input, in name order (a folder's files, or files
// chosen together): the input box shows the folder, or the first file and
// " + N more", and its tooltip lists the files; the size labels show their
// total size; chkUTF8 is unchecked, because each file's own check decides
// its encoding when it is counted; the common-words file follows the
// language of the first file that is not a DOCX document.
void TakeInputFiles(Session& s, std::vector<std::string> files, const std::string& folder);

// The input files while several files are the input (the input box still
// shows them), else null.
const std::vector<std::string>* InputFiles(const Session& s);

// What the input box shows for several files: the folder when there is one,
// else the first file and " + N more".
std::string InputFilesText(const std::vector<std::string>& files, const std::string& folder);
// Their tooltip: the files one per line, the first kToolTipFiles of them
// and then "+ N more".
inline constexpr std::size_t kToolTipFiles = 40;
std::string InputFilesToolTip(const std::vector<std::string>& files);

// A path of 76 characters or more goes on the button's tooltip; a shorter
// one empties the path box's tooltip. Several input files put their list on
// the input box's tooltip.
void UpdateFileToolTip(Session& s, int index);

}  // namespace kwl
