#pragma once
// The controls of the main window frmMain, shared by the count run and the
// Qt window. Arrays keep the window's indexing: index 0 is the input file,
// index 1 the output file.
#include <array>
#include <vector>

#include "controls.h"

namespace kwl {

struct MainControls {
  MainControls();

  OptionButton optInFile{"optInFile"};
  OptionButton optOnClipboard{"optOnClipboard"};
  std::array<Button, 2> cmdFile{Button{"cmdFile(0)"}, Button{"cmdFile(1)"}};
  // "Input folder": the files of a folder, sub-folders included, as the input.
  Button cmdInputFolder{"cmdInputFolder"};
  std::array<TextBox, 2> txbFile{TextBox{"txbFile(0)"}, TextBox{"txbFile(1)"}};
  std::array<Button, 2> cmdClearFile{Button{"cmdClearFile(0)"}, Button{"cmdClearFile(1)"}};
  CheckBox chkDisableOutputToFile{"chkDisableOutputToFile"};
  CheckBox chkUTF8{"chkUTF8"};
  Label lblFilesize{"lblFilesize"};
  Label lblXMLsize{"lblXMLsize"};
  Label lblSizeOfClipboardContents{"lblSizeOfClipboardContents"};
  Button cmdListWords{"cmdListWords"};
  CheckBox chkSuppressWords{"chkSuppressWords"};
  ComboBox cboWordOrder{"cboWordOrder"};
  ComboBox cboDisplayFormat{"cboDisplayFormat"};
  TextBox txbOutput{"txbOutput"};
  TextBox txbIntro{"txbIntro"};
  // The text of the help window "KWL Help", which names the manual's address:
  // filled once the catalogue that holds that address is loaded.
  TextBox txbHelp{"txbHelp"};
  Button cmdClearOutput{"cmdClearOutput"};
  Button cmdSetParameters{"cmdSetParameters"};
  Button cmdSaveState{"cmdSaveState"};
  Button cmdHelp{"cmdHelp"};
  Button cmdQuit{"cmdQuit"};
  Button cmdZVsoftware{"cmdZVsoftware"};
  Label lblTimeElapsed{"lblTimeElapsed"};
  Label lblTwirler{"lblTwirler"};
  Label lblNumberOfWords{"lblNumberOfWords"};
  Label lblNumWordsExcluded{"lblNumWordsExcluded"};
  Label lblNumOccurrences{"lblNumOccurrences"};
  Label lblTotalNumOccurrences{"lblTotalNumOccurrences"};
  // A count of several files: "Files counted:" and "Files skipped:".
  Label lblFilesCounted{"lblFilesCounted"};
  Label lblFilesSkipped{"lblFilesSkipped"};
  Label lblZorvathSystems{"lblZorvathSystems"};
  Label lblZV_URL{"lblZV_URL"};
  Label lblOnlineDocumentation{"lblOnlineDocumentation"};
  Timer Timer1{"Timer1"};
  Timer Timer2{"Timer2"};

  // The window itself: its place on the screen places the settings window.
  Window frmMain{"frmMain"};
  // The window itself is visible (focus changes only happen then).
  bool windowVisible = false;

  // The word-order and display-format lists, filled in their fixed order.
  void FillListingLists();

 private:
  std::vector<OptionButton*> sourceGroup_;
};

}  // namespace kwl
