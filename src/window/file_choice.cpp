#include "file_choice.h"

#include "files/paths.h"
#include "sources/input_notices.h"
#include "text_file.h"
#include "session.h"
#include "window_state.h"
#include "text/cp1252.h"
#include "common_words.h"

namespace kwl {

void UpdateFileToolTip(Session& s, int index) {
  const auto i = static_cast<std::size_t>(index);
  const std::string& path = s.main.txbFile[i].Text();
  if (cp1252::Utf8Length(path) < 76) {
    s.main.txbFile[i].SetToolTip("");
  } else {
    s.main.cmdFile[i].SetToolTip(path);
  }
}

InputChoice TakeInputFile(Session& s, const std::string& path) {
  MainControls& m = s.main;
  m.txbFile[0].SetText(path);
  m.txbOutput.Clear();
  m.txbOutput.Repaint();
  if (!CheckInputFile(s, path)) return InputChoice::Refused;
  cmdClearOutput_Click(s);
  if (Extension(path) == "docx") {
    if (IsDocxFile(path)) return InputChoice::Accepted;
    s.Warn(NotADocxText(path), s.Text(34));
    m.txbFile[0].Clear();
    return InputChoice::NotADocx;
  }
  m.txbOutput.SetText("Now checking file ...");
  m.chkUTF8.SetValue(0);
  return CheckTextInput(s, path) ? InputChoice::Accepted : InputChoice::Refused;
}

bool CheckTextInput(Session& s, const std::string& path) {
  bool utf8 = false;
  int lineClass = 0;
  const bool ok = CheckTextFile(s, path, false, utf8, lineClass, false);
  s.main.txbOutput.Repaint();
  if (utf8) s.main.chkUTF8.SetValue(1);
  ChooseCommonWordsFromInputLanguage(s);
  return ok;
}

void cmdFile_Click(Session& s, int index) {
  MainControls& m = s.main;
  const auto i = static_cast<std::size_t>(index);
  FileDialog dialog;
  if (index == 0) {
    s.run.blnWordsGot = false;
    dialog.title = "Specify input file";
    dialog.filter = "A text file or a docx file";
    dialog.mustExist = true;
  } else {
    dialog.title = "Specify output file";
  }
  const std::optional<std::string> chosen = s.platform.ChooseFile(dialog);
  if (!chosen) {
    SetTheFocus(s);
    return;
  }
  m.lblXMLsize.SetCaption("");
  if (!chosen->empty()) {
    if (index == 0) {
      if (TakeInputFile(s, *chosen) == InputChoice::NotADocx) return;
    } else {
      m.txbFile[i].SetText(*chosen);
    }
    UpdateFileToolTip(s, index);
  }
  if (index == 1) {
    UpdateDisableOutputCheckBox(s);
  } else {
    m.optInFile.Select();
  }
  SetTheFocus(s);
}

}  // namespace kwl
