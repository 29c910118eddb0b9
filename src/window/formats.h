#pragma once
// The listing choices of the main window as the core's listing layout.
#include "listing/listing_writer.h"

namespace kwl {
struct Session;

// The display format in force (0..9; no choice counts as format 0).
int DisplayFormat(const Session& s);

// The layout of one listing pass. Into the output file: the notes, and the
// comma layout when chkOutputWithCommas is set. Into the text box: the space
// layout, and format 9's separator after every word. The sizes are the run's
// totals. The files column when chkShowFiles is set and the counted table
// kept the files.
ListingLayout ListingLayoutFor(const Session& s, bool toFile);

}  // namespace kwl
