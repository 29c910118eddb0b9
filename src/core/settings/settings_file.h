#pragma once
// Reading and writing the settings file. A value starting with a double quote
// runs to the next double quote (the rest of its line up to a comma is
// skipped); any other value runs to the next comma or line end, leading
// blanks skipped. Lines end at CR LF, CR or LF. Texts are written between
// double quotes with nothing escaped, numbers as they are, each line ending
// in CR LF.
#include <string>
#include <string_view>

#include "files/status.h"
#include "settings/settings.h"

namespace kwl {

// The longest value accepted from a settings file. Real values are paths and
// word lists; anything longer is a damaged or foreign file, and reading it
// whole would only cost memory.
constexpr std::size_t kMaxSettingsValueLength = std::size_t{1} << 20;

// What a read gave: the values of the leading lines that were read and
// valid, the documented defaults for the rest. Lines are read in order and
// the first failure ends the read, so a window that applies the first
// `lines` values leaves exactly the state of a read that stopped there. A
// line after the 38 described ones never fails: a file that ends before it,
// or holds anything but 0 or 1 there, gives 0, and the line counts as read;
// after an optional line that could not be read (the file ended, or the
// value was too long) the later ones give 0 without reading.
struct SettingsRead {
  Settings settings;
  int lines = 0;  // kSettingsFileLines when the status is Ok
  // kBadFormat with the failure in the system's words: "Input past end of
  // file", "Type mismatch", "Overflow", "Invalid property value", "Value
  // longer than 1 MiB"; kNotFound, kOpenFailed, kReadFailed or kOutOfMemory
  // with errno; kNotRegular as File::Open gives it: the file's kind ("a
  // folder", "a named pipe") as detail, err EISDIR for a folder, else 0.
  Status status;
};

// Reads the values of a settings file held in memory.
SettingsRead ParseSettings(std::string_view bytes);

// Reads the settings file at path, opened without ever waiting on it (a
// named pipe or a device is refused unopened).
SettingsRead ReadSettingsFile(const std::string& path);

// The lines of the file for a record: the 38 described lines, then lines 39 and 40.
std::string ComposeSettingsFile(const Settings& settings);

// Replaces the file at path (links followed) by the composed record so that
// the earlier file survives any failure; a file that exists keeps its mode.
// Only a regular file is replaced: kNotRegular as for a read; kNotFound for
// an empty path; kWriteFailed with errno.
Status WriteSettingsFile(const std::string& path, const Settings& settings);

}  // namespace kwl
