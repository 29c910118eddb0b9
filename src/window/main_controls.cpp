#include "main_controls.h"

namespace kwl {

MainControls::MainControls() {
  sourceGroup_ = {&optInFile, &optOnClipboard};
  optInFile.JoinGroup(&sourceGroup_);
  optOnClipboard.JoinGroup(&sourceGroup_);
  optInFile.SetCaption("file");
  optOnClipboard.SetCaption("clipboard");
  cmdFile[0].SetCaption("Input file");
  cmdFile[1].SetCaption("Output file");
  cmdInputFolder.SetCaption("Input folder");
  cmdClearFile[0].SetCaption("Clear");
  cmdClearFile[1].SetCaption("Clear");
  chkDisableOutputToFile.SetCaption("Disable");
  chkUTF8.SetCaption("UTF-8");
  cmdListWords.SetCaption("Count words");
  chkSuppressWords.SetCaption("Don't display words as found");
  cmdClearOutput.SetCaption("Clear textbox");
  cmdSetParameters.SetCaption("Settings");
  cmdSaveState.SetCaption("Save settings");
  cmdHelp.SetCaption("Help");
  cmdQuit.SetCaption("Quit");
  cmdZVsoftware.SetCaption("Zorvath Systems Software");
  lblZorvathSystems.SetCaption("Zorvath Systems");
  lblOnlineDocumentation.SetCaption("Online user manual");
  const Font courier{"Courier New", 10, false};
  txbFile[0].SetFont(courier);
  txbFile[1].SetFont(courier);
  txbOutput.SetFont(courier);
  txbHelp.SetFont(Font{"Arial", 10, false});
  lblTotalNumOccurrences.SetAlignment(Align::Right);
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  FillListingLists();
}

void MainControls::FillListingLists() {
  cboWordOrder.Clear();
  cboWordOrder.AddItem("by frequency");
  cboWordOrder.AddItem("alphabetical");
  cboDisplayFormat.Clear();
  for (const char* text : {"rank frequency word", "rank word frequency", "rank frequency",
                           "rank word", "frequency rank", "frequency word", "word rank",
                           "word frequency", "word", "word (+ commas)"})
    cboDisplayFormat.AddItem(text);
  cboWordOrder.SetListIndex(0);
  cboDisplayFormat.SetListIndex(0);
}

}  // namespace kwl
