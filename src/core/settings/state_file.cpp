#include "settings/state_file.h"

#include <sys/stat.h>

#include <cstdlib>

#include "files/paths.h"

namespace kwl {

std::string UserStateFilePath(const std::string& folderName) {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = JoinPath(home, ".config");
  } else {
    return {};
  }
  const std::string folder = JoinPath(base, folderName);
  if (!FolderExists(folder)) ::mkdir(folder.c_str(), 0700);
  return JoinPath(folder, "kwl.usr");
}

}  // namespace kwl
