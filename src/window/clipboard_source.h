#pragma once
// The clipboard source of a count.
#include <cstddef>
#include <cstdint>
#include <string_view>

// The text's checks and the source of its line.
#include "sources/clipboard_text.h"

namespace kwl {
struct Session;

// Reads and checks the clipboard text into strClipboardText; with show also
// puts it into txbOutput. True when it was accepted.
bool GetClipboardText(Session& s, bool show);
// Scans strClipboardText as one line; true when the scan took place.
bool DoItFromClipboard(Session& s);

// lblSizeOfClipboardContents := "12,345 bytes on the clipboard." (the number
// of characters of the clipboard text); emptied when it cannot be read.
void ShowClipboardSize(Session& s);

}  // namespace kwl
