#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kwl {

// The message-text catalogue, the data file every run needs.
inline constexpr std::string_view kCatalogueFileName = "kwl.dat";

// Where the program's data files (kwl.dat, cwds_*.txt) were looked for.
struct ProgramFolderSearch {
  // The folder holding kwl.dat; the executable's own folder when no folder
  // holds it, so that the failure to open it names a place.
  std::string folder;
  // Every folder looked in, in the order tried.
  std::vector<std::string> lookedIn;
  bool found = false;
};

// The data folder of the executable at `executable`: its own folder when
// kwl.dat is there (the build tree), else ../share/kestrawl beside that folder
// (an installed layout: bin/ and share/kestrawl/ under one prefix).
ProgramFolderSearch FindProgramFolder(const std::string& executable);

// The running executable's path, or "" when the system does not tell it.
std::string ExecutablePath();

// FindProgramFolder for the running executable.
ProgramFolderSearch FindProgramFolder();
// Its folder alone.
std::string ProgramFolder();

}  // namespace kwl
