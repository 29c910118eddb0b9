#include "settings/state_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "files/paths.h"

namespace kwl {
namespace {

// Makes folder and each missing folder above it, from the top down.
Status MakeFolders(const std::string& folder) {
  for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string part = folder.substr(0, end);
    if (!part.empty() && !FolderExists(part) && ::mkdir(part.c_str(), 0700) != 0) {
      // Another process may have made it meanwhile. EEXIST otherwise means a
      // file that is not a folder is in the way, which ENOTDIR says plainly.
      const int err = errno == EEXIST ? ENOTDIR : errno;
      if (!FolderExists(part)) return Status::Failure(Status::Kind::kWriteFailed, err, part);
    }
    if (end == std::string::npos) return {};
  }
}

}  // namespace

std::string UserStateFilePath(const std::string& folderName, Status& folderStatus) {
  folderStatus = {};
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = JoinPath(home, ".config");
  } else {
    return {};
  }
  const std::string folder = JoinPath(base, folderName);
  folderStatus = MakeFolders(folder);
  return JoinPath(folder, "kwl.usr");
}

std::string UserStateFilePath(const std::string& folderName) {
  Status ignored;
  return UserStateFilePath(folderName, ignored);
}

}  // namespace kwl
