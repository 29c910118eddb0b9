#include "startup.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "files/paths.h"
#include "files/program_folder.h"
#include "text_file.h"
#include "count_run.h"
#include "file_choice.h"
#include "help_text.h"
#include "progress.h"
#include "session.h"
#include "window_state.h"
#include "persistence.h"
#include "settings_window.h"
#include "state_file.h"
#include "common_words.h"

namespace kwl {
namespace {

void FillLists(Session& s) {
  s.params.FillLists();
  s.main.FillListingLists();
}

// The input file restored from the saved state is checked silently; its
// language may choose the common-words file.
void CheckRestoredInput(Session& s) {
  MainControls& m = s.main;
  m.chkUTF8.SetValue(0);
  const std::string path = m.txbFile[0].Text();
  if (!CheckInputFile(s, path)) {
    m.txbFile[0].Clear();
    return;
  }
  if (IsDocxFile(path)) {
    if (!s.run.strCommonWordsFile.empty()) {
      if (s.params.chkIgnoreCommonWords.Value() == 1) {
        AttemptToReadCommonWords(s);
      } else if (s.Show(s.Text(40) + "\r\n" + s.run.strCommonWordsFile, s.Text(42), Buttons::YesNo) == Answer::Yes) {
        AttemptToReadCommonWords(s);
      }
    }
    m.chkUTF8.SetValue(1);
    return;
  }
  CheckTextInput(s, path);
}

}  // namespace

void SetStartUpValues(Session& s) {
  MainControls& m = s.main;
  RunState& r = s.run;
  m.optInFile.Select();
  std::string intro = s.Text(19);
  for (int n : {20, 35, 21, 30, 22, 23}) intro += "\r\n\r\n" + s.Text(n);
  m.txbIntro.SetText(intro);
  SetDefaultCommonWordsFile(s);
  FillLists(s);
  Status folder;
  r.strStateFile = StateFilePath(s, folder);
  if (!folder.Ok()) {
    // The window works without the state file; only saving the settings fails.
    s.Warn("Cannot create the folder for the settings file:\r\n" + folder.path + "\r\n" + std::strerror(folder.err),
           "Settings");
  }
  InitializeVariables(s);
  if (!RestoreSavedState(s, "").empty()) InitializeVariables(s);
  m.cmdFile[1].SetEnabled(false);
  m.txbFile[1].SetEnabled(false);
  m.cmdClearFile[1].SetEnabled(false);
  // The working folder starts at the user's home folder.
  if (const char* home = std::getenv("HOME"); home && *home) {
    std::error_code ignored;  // without a home folder the working folder stays as it is
    std::filesystem::current_path(home, ignored);
  }
}

bool FormLoad(Session& s) {
  RunState& r = s.run;
  MainControls& m = s.main;
  r.blnStartUpCompleted = false;
  const std::string catalogue = JoinPath(s.programFolder, kCatalogueFileName);
  const int status = s.catalogue.Load(catalogue);
  if (status <= 0) {
    // A catalogue found nowhere: every place looked in is named.
    std::string named = catalogue;
    if (status == -1)
      for (const std::string& folder : s.programFoldersLookedIn)
        if (const std::string other = JoinPath(folder, kCatalogueFileName); other != catalogue) named += "\r\n" + other;
    s.Show(Catalogue::FailureMessage(status, named), "", Buttons::Ok, Icon::Error);
    return false;
  }
  m.cmdListWords.SetCaption(s.Text(73));
  // The maker's web address, beside its name.
  m.lblZV_URL.SetCaption(s.Text(14));
  m.txbHelp.SetText(HelpText(s.Text(15)));
  LoadSettingsWindow(s);
  SetStartUpValues(s);
  EnableOutputFileControls(s);
  ConcealNumWords(s, true);
  m.windowVisible = true;
  EnableOutputFileControls(s);
  SetDefaultCommonWordsFile(s);
  FillLists(s);
  if (!RestoreSavedState(s, "").empty()) {
    InitializeVariables(s);
    FillLists(s);
    // The path boxes were emptied: their tooltips follow.
    UpdateFileToolTip(s, 0);
    UpdateFileToolTip(s, 1);
  }
  CheckRestoredInput(s);
  ConcealNumWords(s, true);
  m.Timer1.SetEnabled(true);
  SetTheFocus(s);
  r.blnStartUpCompleted = true;
  return true;
}

}  // namespace kwl
