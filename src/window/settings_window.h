#pragma once
// The settings window frmParams: its reactions over the settings record.
// Besides editing values it guards the counted words: changing a word rule
// while they are held either discards them or is taken back.
namespace kwl {
class CheckBox;
struct Session;

// Connects the reactions to the controls of Session::params.
void ConnectSettingsWindow(Session& s);

// The window's set-up when it is created, hidden, at start-up.
void LoadSettingsWindow(Session& s);

// Places the window beside the main window, where the main window is now.
void PlaceSettingsWindow(Session& s);

// Shows the window (not modal), placed, raised and active.
void ShowSettingsWindow(Session& s);

// A word-rule check box was clicked: with counted words held the user is
// asked whether to discard them; No sets the box back.
void WordRuleGuard(Session& s, CheckBox& box);

// "Show in how many files each word occurs": the counted words are listed
// again when the table kept their files.
void chkShowFiles_Click(Session& s);

// "Set checkboxes" (1) and "Clear checkboxes" (0).
void cmdSetOrClearCheckboxes_Click(Session& s, int index);
// "Save settings to file" (0) and "Load settings from file" (1).
void cmdSaveLoadState_Click(Session& s, int index);
// "Reinitialize": every setting back to its initial value.
void cmdInitialize_Click(Session& s);

}  // namespace kwl
