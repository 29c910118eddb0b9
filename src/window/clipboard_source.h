#pragma once
// The clipboard source of a count.
#include <cstddef>
#include <cstdint>
#include <string_view>

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

// False when one of the first limit characters (all of them when limit is 0
// or less) is a control character: with allowWhiteSpace codes 0 to 8, 11 and
// 14 to 31 (TAB, LF, FF and CR pass), without it every code below 32. The
// text is UTF-8; the whole character code is tested.
bool IsPlainText(std::string_view text, std::int64_t limit, bool allowWhiteSpace);

// The length of a UTF-8 text in UTF-16 code units (the clipboard's
// characters); a malformed byte counts as one.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace kwl
