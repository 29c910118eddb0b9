#include "main_window.h"

#include "clipboard_source.h"
#include "files/paths.h"
#include "text_file.h"
#include "list_words.h"
#include "file_choice.h"
#include "session.h"
#include "window_state.h"
#include "persistence.h"
#include "text/cp1252.h"
#include "common_words.h"

namespace kwl {

void ConnectMainWindow(Session& s) {
  MainControls& m = s.main;
  m.optInFile.onClick = [&s] { optInFile_Click(s); };
  m.optOnClipboard.onClick = [&s] { optOnClipboard_Click(s); };
  for (int i = 0; i < 2; ++i) {
    m.cmdFile[static_cast<std::size_t>(i)].onClick = [&s, i] { cmdFile_Click(s, i); };
    m.cmdClearFile[static_cast<std::size_t>(i)].onClick = [&s, i] { cmdClearFile_Click(s, i); };
    m.txbFile[static_cast<std::size_t>(i)].onLostFocus = [&s, i] { txbFile_LostFocus(s, i); };
  }
  m.cmdInputFolder.onClick = [&s] { cmdInputFolder_Click(s); };
  m.cboWordOrder.onClick = [&s] { ListingChoice_Click(s); };
  m.cboDisplayFormat.onClick = [&s] { ListingChoice_Click(s); };
  m.cmdClearOutput.onClick = [&s] { cmdClearOutput_Click(s); };
  m.txbIntro.onClick = [&s] { txbIntro_Click(s); };
  m.Timer1.onTimer = [&s] { Timer1_Timer(s); };
  m.cmdSaveState.onClick = [&s] { cmdSaveState_Click(s); };
  m.lblZorvathSystems.onClick = [&s] { OpenWebPage(s, 14); };
  m.lblOnlineDocumentation.onClick = [&s] { OpenWebPage(s, 15); };
}

void optInFile_Click(Session& s) {
  s.run.blnWordsGot = false;
  if (s.run.blnResultsShown) s.main.txbOutput.Clear();
  s.main.lblSizeOfClipboardContents.SetCaption("");
  SetTheFocus(s);
}

void optOnClipboard_Click(Session& s) {
  s.run.blnWordsGot = false;
  if (s.run.blnResultsShown) s.main.txbOutput.Clear();
  ShowClipboardSize(s);
  SetTheFocus(s);
}

void txbIntro_Click(Session& s) {
  s.run.blnWordsGot = false;
  GetClipboardText(s, true);
}

void txbFile_LostFocus(Session& s, int index) {
  MainControls& m = s.main;
  const auto i = static_cast<std::size_t>(index);
  if (!m.txbFile[i].Enabled()) return;
  if (const std::string input = TrimBlanks(m.txbFile[0].Text()); IsDocxFile(input)) {
    // A DOCX document is checked when it is counted; its file size is shown
    // at once, and the sizes of the input before it go.
    if (index == 0 && input != s.run.strInputTaken) {
      KeepInputSizesFor(s, input);
      m.lblFilesize.SetCaption("Filesize: " + FileSizeTextOfFile(s, input));
    }
    return;
  }
  m.txbFile[i].SetText(TrimBlanks(m.txbFile[i].Text()));
  if (index == 0) {
    const std::string path = m.txbFile[0].Text();
    if (path.empty()) {
      ForgetInputSizes(s);
    } else if (path != s.run.strInputTaken) {
      // Enter runs this reaction, and so does the focus leaving the box
      // afterwards (or going to the question's box): the path is taken,
      // and its questions asked, once. CheckInputFile takes it first.
      if (!CheckInputFile(s, path)) return;
      CheckTextInput(s, path);
    }
    s.run.blnWordsGot = false;
  }
  UpdateFileToolTip(s, index);
  UpdateDisableOutputCheckBox(s);
  // A box left with Tab keeps the keyboard walking on: taking the focus back
  // to the input-file button would trap it between the button and the box.
  SetTheFocus(s, !m.txbFile[i].LeftByTab());
}

void cmdClearFile_Click(Session& s, int index) {
  MainControls& m = s.main;
  const auto i = static_cast<std::size_t>(index);
  m.txbFile[i].Clear();
  if (m.cmdFile[i].Enabled()) m.cmdFile[i].SetFocus();
  m.cmdClearFile[i].SetEnabled(false);
  if (index == 0) {
    ForgetInputSizes(s);
    m.chkUTF8.SetValue(0);
    m.txbFile[0].SetToolTip("");
  } else {
    m.chkDisableOutputToFile.SetValue(0);
    m.chkDisableOutputToFile.SetEnabled(false);
  }
}

void ListingChoice_Click(Session& s) {
  if (s.run.blnWordsGot) ListWords(s);
  SetTheFocus(s);
}

void Timer1_Timer(Session& s) {
  MainControls& m = s.main;
  const bool running = CurrentRunPhase(s) != RunPhase::kIdle;
  m.txbOutput.SetToolTip(running || !m.txbOutput.Text().empty() ? std::string() : s.Text(76));
  const std::string& common = s.params.txbCommonWordsFile.Text();
  s.params.txbCommonWordsFile.SetToolTip(cp1252::Utf8Length(common) >= 58 ? common : std::string());
  m.cmdClearOutput.SetEnabled(!running && !m.txbOutput.Text().empty());
  for (std::size_t i = 0; i < m.txbFile.size(); ++i) {
    TextBox& box = m.txbFile[i];
    // Several input files: the input box's tooltip lists them.
    if (const auto* files = i == 0 ? InputFiles(s) : nullptr) {
      box.SetToolTip(InputFilesToolTip(*files));
    } else {
      box.SetToolTip(cp1252::Utf8Length(box.Text()) >= 71 ? box.Text() : std::string());
    }
  }
}

void cmdSaveState_Click(Session& s) {
  const std::string message = SaveState(s, "");
  if (message.empty()) {
    // 2400 by 300 twips, shown for 2 seconds, 6500 twips down and 5200 across
    // from the window's corner (15 twips to a pixel).
    s.platform.PopUp(s.Text(50), 2400 / 15, 300 / 15, 2000, 6500 / 15, 5200 / 15);
  } else {
    s.Warn(message, s.Text(34));
  }
  SetTheFocus(s);
}

void cmdQuit_Click(Session& s) {
  if (s.params.chkSaveStateOnQuit.Value() == 1) cmdSaveState_Click(s);
}

void OpenWebPage(Session& s, int catalogueNumber) {
  const std::string& url = s.Text(catalogueNumber);
  if (s.platform.OpenUrl(url)) return;
  // The desktop reports no reason; code 2 asks the user to try again.
  s.Warn("Error launching web browser, error code = 2.\r\n\r\nPlease try once more.", "Cannot launch web browser");
}

}  // namespace kwl
