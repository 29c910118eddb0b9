#pragma once
#include <string>
#include <string_view>

namespace kwl {

// The message-text catalogue, the data file every run needs.
inline constexpr std::string_view kCatalogueFileName = "kwl.dat";

// The folder holding the program's data files (kwl.dat, cwds_*.txt): the
// executable's own folder, or ../share/kestrawl beside it when the files are
// not there (the installed layout).
std::string ProgramFolder();

}  // namespace kwl
