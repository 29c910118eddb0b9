#pragma once
// Start-up of the main window: catalogue, start-up values, the saved state,
// the restored input file and its common words.
namespace kwl {
struct Session;

// Runs the start-up sequence. False when the catalogue could not be loaded:
// the error has been shown and the program must end.
bool FormLoad(Session& s);

// The constants and defaults of the run state, then the saved state.
void SetStartUpValues(Session& s);

}  // namespace kwl
