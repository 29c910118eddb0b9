// Placeholder body until the text-file source lands.
#include "input/file_source.h"
#include "run/session.h"

namespace kwl {
bool DoItFromFile(Session&) { return false; }
}  // namespace kwl
