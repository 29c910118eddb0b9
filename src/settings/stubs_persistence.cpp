// Placeholder bodies until settings persistence lands.
#include "settings/persistence.h"
#include "run/session.h"

namespace kwl {
std::string SaveState(Session&, const std::string&) { return "Error when attempting to save settings: not available"; }
std::string RestoreSavedState(Session&, const std::string&) {
  return "Error when attempting to restore settings: not available";
}
}  // namespace kwl
