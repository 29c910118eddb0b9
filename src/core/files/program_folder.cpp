#include "files/program_folder.h"

#include <filesystem>
#include <system_error>

namespace kwl {

ProgramFolderSearch FindProgramFolder(const std::string& executable) {
  namespace fs = std::filesystem;
  ProgramFolderSearch search;
  fs::path own = fs::path(executable).parent_path();
  if (own.empty()) own = ".";
  const fs::path shared = (own / ".." / "share" / "kestrawl").lexically_normal();
  for (const fs::path& folder : {own, shared}) {
    std::string name = folder.string();
    // A folder lexically_normal leaves with a trailing "/" is named without it.
    if (name.size() > 1 && name.back() == '/') name.pop_back();
    search.lookedIn.push_back(name);
    std::error_code ec;
    if (fs::exists(folder / kCatalogueFileName, ec)) {
      search.folder = name;
      search.found = true;
      return search;
    }
  }
  search.folder = search.lookedIn.front();
  return search;
}

std::string ExecutablePath() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

ProgramFolderSearch FindProgramFolder() { return FindProgramFolder(ExecutablePath()); }

std::string ProgramFolder() { return FindProgramFolder().folder; }

}  // namespace kwl
