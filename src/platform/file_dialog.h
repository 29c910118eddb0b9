#pragma once
// Which file dialog a request (FileDialog) calls for, the filter it shows,
// and how its answer is completed. Kept apart from the Qt binding so that
// these rules are tested.
#include <string>

#include "platform.h"

namespace kwl {

// The filter as the dialog shows it: the caption before "|", whose pattern
// "*.*" becomes "*" (every file, with or without an extension); a caption
// without a pattern gets "(*)", and an empty one reads "All files (*)".
// "Settings files (*.kwl) | *.kwl" -> "Settings files (*.kwl)".
std::string DialogFilter(const std::string& filter);

// The extension the filter names ("kwl" for "*.kwl"); empty when its pattern
// takes every file or more than one kind.
std::string FilterExtension(const std::string& filter);

// A name typed without an extension gets the filter's extension, as a save
// dialog with a default extension does; any other name stays as it is.
std::string WithFilterExtension(const std::string& path, const std::string& filter);

// Whether the dialog takes a name that does not exist yet: every save dialog,
// and a dialog that does not insist on an existing file (the output file).
// Only a save dialog with confirmOverwrite asks before replacing a file.
bool TakesNewName(const FileDialog& dialog);

}  // namespace kwl
