#pragma once
#include <string>

namespace kwl {

// The folder holding the program's data files (kwl.dat, cwds_*.txt): the
// executable's own folder, or ../share/kestrawl beside it when the files are
// not there (the installed layout).
std::string ProgramFolder();

}  // namespace kwl
