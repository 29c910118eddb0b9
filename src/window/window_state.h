#pragma once
// Small pieces of the main window's logic that the count run and the sources
// share: the enabled state of the output-file controls, the clear command,
// the focus, the run-sensitive controls, and the run's phase with the count
// button's caption.
#include <string>

#include "run_state.h"

namespace kwl {
class Catalogue;
struct Session;

// Enables the output path box and its button; its Clear button only with a path.
void EnableOutputFileControls(Session& s);
// With an output path, chkDisableOutputToFile is enabled; without one it is
// unchecked and disabled.
void UpdateDisableOutputCheckBox(Session& s);
// Empties txbOutput; unless a run is in progress also hides the statistics
// and forgets the counted words.
void cmdClearOutput_Click(Session& s);
// Puts the focus on a sensible control and refreshes the two Clear buttons.
// takeFocus false leaves the focus where it is (the user moved it with Tab).
void SetTheFocus(Session& s, bool takeFocus = true);
// Enables or disables the run-sensitive controls (never cmdListWords, which
// is the Stop command during a run).
void EnableControls(Session& s, bool enabled);

// The count button's caption in a phase: catalogue text 73 ("Count words")
// when idle, 74 ("Stop") in every other phase.
const std::string& CountButtonCaption(const Catalogue& catalogue, RunPhase phase);
// Enters the phase and shows its caption on the count button.
void SetRunPhase(Session& s, RunPhase phase);
// The phase in force.
RunPhase CurrentRunPhase(const Session& s);

}  // namespace kwl
