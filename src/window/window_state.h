#pragma once
// Small pieces of the main window's logic that the count run and the sources
// share: the enabled state of the output-file controls, the clear command,
// the focus, and the run-sensitive controls.
namespace kwl {
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
void SetTheFocus(Session& s);
// Enables or disables the run-sensitive controls (never cmdListWords, which
// is the Stop command during a run).
void EnableControls(Session& s, bool enabled);

}  // namespace kwl
