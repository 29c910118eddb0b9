#include "file_choice.h"

#include <optional>
#include <utility>

#include "files/corpus_files.h"
#include "files/paths.h"
#include "sources/input_notices.h"
#include "text_file.h"
#include "session.h"
#include "window_state.h"
#include "text/cp1252.h"
#include "common_words.h"

namespace kwl {
namespace {

// Entries a notice names at most; the rest are counted.
constexpr std::size_t kPassedOverShown = 30;

void ForgetInputFiles(RunState& r) {
  r.aInputFiles.clear();
  r.strInputFolder.clear();
  r.strInputFilesShown.clear();
}

// The notice for the entries a choice of files or a folder passed over.
std::string PassedOverText(const std::vector<SkippedPath>& skipped, const std::string& folder) {
  std::string text = folder.empty() ? "These files are not counted:" : "These entries of " + folder + " are not counted:";
  for (std::size_t i = 0; i < skipped.size() && i < kPassedOverShown; ++i) text += "\r\n" + SkippedPathText(skipped[i]);
  if (skipped.size() > kPassedOverShown)
    text += "\r\n+ " + std::to_string(skipped.size() - kPassedOverShown) + " more";
  return text;
}

// One file taken as the input, as the dialog takes it.
void TakeOneInputFile(Session& s, const std::string& path) {
  ForgetInputFiles(s.run);
  if (TakeInputFile(s, path) == InputChoice::NotADocx) return;
  UpdateFileToolTip(s, 0);
  s.main.optInFile.Select();
  SetTheFocus(s);
}

// The files of paths (files chosen together, or a folder) as the input.
// Entries passed over are named once; with no file to count the input stays
// as it was.
void TakeListedFiles(Session& s, const std::vector<std::string>& paths, const std::string& folder) {
  s.main.lblXMLsize.SetCaption("");
  CorpusFiles found = ListCorpusFiles(paths, CorpusChoice{});
  if (!found.skipped.empty()) s.Inform(PassedOverText(found.skipped, folder), "Files not counted");
  if (found.files.empty()) {
    s.Warn(folder.empty() ? std::string("None of the files chosen can be counted.")
                          : "The folder " + folder + "\r\nholds no text files or docx files to count.",
           "No files to count");
    SetTheFocus(s);
    return;
  }
  // A folder of one file: that file is the input, as if it had been chosen.
  if (found.files.size() == 1) {
    TakeOneInputFile(s, found.files.front());
    return;
  }
  TakeInputFiles(s, std::move(found.files), folder);
}

}  // namespace

const std::vector<std::string>* InputFiles(const Session& s) {
  const RunState& r = s.run;
  if (r.aInputFiles.empty() || s.main.txbFile[0].Text() != r.strInputFilesShown) return nullptr;
  return &r.aInputFiles;
}

std::string InputFilesText(const std::vector<std::string>& files, const std::string& folder) {
  if (!folder.empty()) return folder;
  if (files.empty()) return {};
  if (files.size() == 1) return files.front();
  return files.front() + " + " + std::to_string(files.size() - 1) + " more";
}

std::string InputFilesToolTip(const std::vector<std::string>& files) {
  std::string tip;
  for (std::size_t i = 0; i < files.size() && i < kToolTipFiles; ++i) {
    if (i > 0) tip += '\n';
    tip += files[i];
  }
  if (files.size() > kToolTipFiles) tip += "\n+ " + std::to_string(files.size() - kToolTipFiles) + " more";
  return tip;
}

void TakeInputFiles(Session& s, std::vector<std::string> files, const std::string& folder) {
  MainControls& m = s.main;
  RunState& r = s.run;
  r.blnWordsGot = false;
  r.aInputFiles = std::move(files);
  r.strInputFolder = folder;
  r.strInputFilesShown = InputFilesText(r.aInputFiles, folder);
  m.txbFile[0].SetText(r.strInputFilesShown);
  m.txbOutput.Clear();
  m.txbOutput.Repaint();
  cmdClearOutput_Click(s);
  ShowInputFilesSize(s, r.aInputFiles);
  m.chkUTF8.SetValue(0);
  for (const std::string& file : r.aInputFiles) {
    if (Extension(file) == "docx") continue;
    ChooseCommonWordsFromInputLanguage(s, file);
    break;
  }
  UpdateFileToolTip(s, 0);
  m.optInFile.Select();
  SetTheFocus(s);
}

void cmdInputFolder_Click(Session& s) {
  s.run.blnWordsGot = false;
  const std::optional<std::string> folder = s.platform.ChooseFolder("Specify input folder");
  if (!folder || folder->empty()) {
    SetTheFocus(s);
    return;
  }
  TakeListedFiles(s, {*folder}, *folder);
}

void UpdateFileToolTip(Session& s, int index) {
  if (const auto* files = InputFiles(s); index == 0 && files != nullptr) {
    s.main.txbFile[0].SetToolTip(InputFilesToolTip(*files));
    return;
  }
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
  std::optional<std::string> chosen;
  if (index == 0) {
    dialog.multiple = true;
    const std::optional<std::vector<std::string>> files = s.platform.ChooseFiles(dialog);
    if (files && files->size() > 1) {
      TakeListedFiles(s, *files, "");
      return;
    }
    if (files) chosen = files->empty() ? std::string() : files->front();
  } else {
    chosen = s.platform.ChooseFile(dialog);
  }
  if (!chosen) {
    SetTheFocus(s);
    return;
  }
  m.lblXMLsize.SetCaption("");
  if (!chosen->empty()) {
    if (index == 0) {
      ForgetInputFiles(s.run);
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
