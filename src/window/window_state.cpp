#include "window_state.h"

#include "progress.h"
#include "session.h"

namespace kwl {

void EnableOutputFileControls(Session& s) {
  MainControls& m = s.main;
  m.txbFile[1].SetEnabled(true);
  m.cmdFile[1].SetEnabled(true);
  m.cmdClearFile[1].SetEnabled(!m.txbFile[1].Text().empty());
}

void UpdateDisableOutputCheckBox(Session& s) {
  MainControls& m = s.main;
  if (!m.txbFile[1].Text().empty()) {
    m.chkDisableOutputToFile.SetEnabled(true);
  } else {
    m.chkDisableOutputToFile.SetValue(0);
    m.chkDisableOutputToFile.SetEnabled(false);
  }
}

void cmdClearOutput_Click(Session& s) {
  s.main.txbOutput.Clear();
  if (CurrentRunPhase(s) != RunPhase::kIdle) return;
  ConcealNumWords(s, true);
  s.run.blnWordsGot = false;
  if (s.run.blnStartUpCompleted) SetTheFocus(s);
}

void SetTheFocus(Session& s, bool takeFocus) {
  MainControls& m = s.main;
  if (!m.windowVisible) return;
  if (!takeFocus) {
    // The focus stays where the user sent it.
  } else if (m.cmdFile[0].Visible() && m.cmdFile[0].Enabled()) {
    m.cmdFile[0].SetFocus();
  } else if (m.cmdListWords.Visible() && m.cmdListWords.Enabled()) {
    m.cmdListWords.SetFocus();
  }
  m.lblTwirler.SetCaption(" ");
  // During a run the buttons stay as EnableControls left them: a reaction
  // that ends here (the display of words switched off by the count) must not
  // let a click empty the input path while the count goes on.
  if (CurrentRunPhase(s) != RunPhase::kIdle) return;
  for (int i = 0; i < 2; ++i) m.cmdClearFile[i].SetEnabled(!m.txbFile[i].Text().empty());
}

void EnableControls(Session& s, bool enabled) {
  MainControls& m = s.main;
  Control* controls[] = {&m.cmdFile[0],     &m.cmdInputFolder, &m.txbFile[0], &m.cmdClearFile[0],
                         &m.cmdClearFile[1], &m.cmdFile[1], &m.txbFile[1],
                         &m.chkDisableOutputToFile, &m.chkUTF8, &m.cmdHelp,
                         &m.cmdSaveState,   &m.cmdSetParameters, &m.cmdClearOutput,
                         &m.cboWordOrder,   &m.cboDisplayFormat, &m.optOnClipboard,
                         &m.optInFile};
  for (Control* c : controls) c->SetEnabled(enabled);
}

const std::string& CountButtonCaption(const Catalogue& catalogue, RunPhase phase) {
  return catalogue.Text(phase == RunPhase::kIdle ? 73 : 74);
}

void SetRunPhase(Session& s, RunPhase phase) {
  s.run.phase = phase;
  s.main.cmdListWords.SetCaption(CountButtonCaption(s.catalogue, phase));
}

RunPhase CurrentRunPhase(const Session& s) {
  return s.run.phase;
}

}  // namespace kwl
