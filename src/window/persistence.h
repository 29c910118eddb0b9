#pragma once
// The state file kwl.usr and named settings files (*.kwl): the settings
// record of the controls, read and written by the core's settings file.
#include <string>

namespace kwl {
struct Session;

// Writes the settings to path (the state file when path is empty). The
// empty string on success, else "Error when attempting to save settings: ...".
std::string SaveState(Session& s, const std::string& path);

// Reads and applies the settings from path (the state file when empty). The
// empty string on success, "Invalid combo box index", or "Error when
// attempting to restore settings: ..."; values applied before an error stay.
std::string RestoreSavedState(Session& s, const std::string& path);

}  // namespace kwl
