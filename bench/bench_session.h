#pragma once
// The window benchmarks start from the settings a fresh start has, without
// the user's saved state: the catalogue of the data folder, the initial
// values, start-up complete.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "count_run.h"
#include "session.h"

namespace kwl::bench {

inline void PrepareSession(Session& s, const std::string& folder, const char* program) {
  s.programFolder = folder;
  if (s.catalogue.Load(folder + "/kwl.dat") <= 0) {
    std::fprintf(stderr, "%s: no kwl.dat in %s\n", program, folder.c_str());
    std::exit(1);
  }
  InitializeVariables(s);
  s.main.cmdListWords.SetCaption(s.Text(73));
  s.run.blnStartUpCompleted = true;
}

}  // namespace kwl::bench
