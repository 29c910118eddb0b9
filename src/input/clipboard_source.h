#pragma once
// The clipboard source of a count.
#include <string_view>

namespace kwl {
struct Session;

// Reads and checks the clipboard text into strClipboardText; with show also
// puts it into txbOutput. True when it was accepted.
bool GetClipboardText(Session& s, bool show);
// Scans strClipboardText as one line; true when the scan took place.
bool DoItFromClipboard(Session& s);

}  // namespace kwl
