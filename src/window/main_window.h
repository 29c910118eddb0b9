#pragma once
// The main window's reactions that are not the count run itself: the source
// options, the path boxes and their buttons, the listing choices, the
// introduction box, the once-a-second upkeep and the two web links.
namespace kwl {
struct Session;

// Connects the reactions above to the controls of Session::main.
void ConnectMainWindow(Session& s);

void optInFile_Click(Session& s);
void optOnClipboard_Click(Session& s);
void txbIntro_Click(Session& s);
// A typed path: trimmed, checked like a chosen one (unless the input names a DOCX file).
void txbFile_LostFocus(Session& s, int index);
void cmdClearFile_Click(Session& s, int index);
// Lists the counted words again in the new order or format, without a rescan.
void ListingChoice_Click(Session& s);
// The once-a-second upkeep of tooltips and of the clear button.
void Timer1_Timer(Session& s);
// "Save settings": the state file, then a short notice or the error.
void cmdSaveState_Click(Session& s);
// Saves the settings first when chkSaveStateOnQuit is checked; the caller ends the program.
void cmdQuit_Click(Session& s);
// Opens the web address of catalogue text n, reporting a failure.
void OpenWebPage(Session& s, int catalogueNumber);

}  // namespace kwl
