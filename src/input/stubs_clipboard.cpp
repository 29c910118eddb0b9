// Placeholder bodies until the clipboard source lands.
#include "input/clipboard_source.h"
#include "run/session.h"

namespace kwl {
bool GetClipboardText(Session&, bool) { return false; }
bool DoItFromClipboard(Session&) { return false; }
}  // namespace kwl
