#pragma once
// Listing the counted words: into the output file for a spreadsheet when one
// is set, then into the text box.
#include <string>

#include "files/run_error.h"
#include "files/status.h"

namespace kwl {
struct Session;

// Checks that the output file can be written, creating or changing nothing;
// throws RunError::FromOutputStatus of the failure the writing would meet.
void CheckOutputWritable(const std::string& path);

// Writes the output file (unless no path is set or output to file is
// disabled), then lists into txbOutput; explains an empty result instead.
// Every failure is reported to the user; the file is closed on every path.
// Each pass is one core listing (ListingWriter) in the order chosen in
// cboWordOrder; this adapter asks the questions and shows the reports.
void ListWords(Session& s);

}  // namespace kwl
