#include "common_words.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "files/paths.h"
#include "text_file.h"
#include "count_run.h"
#include "params_logic.h"
#include "progress.h"
#include "session.h"
#include "window_state.h"
#include "count/common_words_file.h"
#include "files/status.h"
#include "listing/report_text.h"
#include "sources/input_notices.h"

namespace kwl {
namespace {

// The check box's value set by the window itself, without its click reaction.
void SetQuietly(Session& s, CheckBox& box, std::int16_t value) {
  const bool saved = s.params.selfChange;
  s.params.selfChange = true;
  box.SetValue(value);
  s.params.selfChange = saved;
}

void FocusClose(Session& s) {
  Button& close = s.params.cmdClose;
  if (close.Enabled() && close.Visible()) close.SetFocus();
}

void ShowSettingsWindow(Session& s) {
  if (s.showSettingsWindow) s.showSettingsWindow();
}

// The text after the last "/" of a path; empty when it has none.
std::string NameAfterLastSlash(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(slash + 1);
}

// The main window while a common-words file is read: the word count
// label, the event pump once start-up has completed, the Stop command.
class WordListIntake final : public CountObserver {
 public:
  explicit WordListIntake(Session& s) : s_(s) {}
  void Step() override {
    if (s_.run.blnStartUpCompleted) s_.pump.Yield();
  }
  bool StopRequested() override { return s_.run.blnStop; }
  void NewWord(std::string_view word, std::int32_t distinctWords) override { s_.intake.NewWord(word, distinctWords); }

 private:
  Session& s_;
};

// Reads the chosen file and hides the word count; true when it loaded.
bool ReadChosenFile(Session& s) {
  const bool loaded = AttemptToReadCommonWords(s);
  ConcealNumWords(s, false);
  if (loaded) SetQuietly(s, s.params.chkIgnoreCommonWords, 1);
  return loaded;
}

bool UnicodeMode(const Session& s) { return s.params.chkUnicodeWords.Value() == 1; }

}  // namespace

void SetDefaultCommonWordsFile(Session& s) {
  s.run.strCommonWordsFile = JoinPath(s.programFolder, kCommonWordsFileNames[0]);
  s.params.txbCommonWordsFile.SetText(s.run.strCommonWordsFile);
}

void ChooseCommonWordsFromInputLanguage(Session& s) {
  ChooseCommonWordsFromInputLanguage(s, TrimBlanks(s.main.txbFile[0].Text()));
}

void ChooseCommonWordsFromInputLanguage(Session& s, const std::string& input) {
  RunState& r = s.run;
  Params& p = s.params;
  r.strCommonWordsFile = TrimBlanks(r.strCommonWordsFile);
  if (!input.empty()) r.strCommonWordsFile = CommonWordsFileForLanguage(s.programFolder, input, UnicodeMode(s));
  if (!FileExists(r.strCommonWordsFile)) {
    r.strCommonWordsFile.clear();
    p.txbCommonWordsFile.Clear();
    p.chkIgnoreCommonWords.SetValue(0);
    return;
  }
  const std::string& shown = p.txbCommonWordsFile.Text();
  if (r.blnCommonWordsLoaded &&
      (NameAfterLastSlash(shown) == kCommonWordsFileNames[7] || shown == r.strCommonWordsFile))
    return;
  if (p.chkIgnoreCommonWords.Value() != 1 &&
      s.Show(s.Text(40) + "\r\n" + r.strCommonWordsFile, s.Text(42), Buttons::YesNo) == Answer::No)
    return;
  AttemptToReadCommonWords(s);
}

bool ReadCommonWords(Session& s) {
  RunState& r = s.run;
  MainControls& m = s.main;
  r.blnStop = false;
  r.strCommonWordsFile = TrimBlanks(r.strCommonWordsFile);
  const std::string path = r.strCommonWordsFile;
  if (path.empty()) return false;
  // A folder, a named pipe or a device is named as such, and never opened.
  const Status where = LocateCommonWordsFile(path);
  if (where.kind == Status::Kind::kNotRegular) {
    const Notice unreadable = CommonWordsFileUnreadable(path, where);
    s.Warn(unreadable.text, unreadable.title);
    return false;
  }
  if (where.kind == Status::Kind::kNotFound) {
    if (!r.blnStartUpCompleted) {
      SetDefaultCommonWordsFile(s);
      s.params.chkIgnoreCommonWords.SetValue(0);
    } else {
      const Notice notFound = CommonWordsFileNotFound();
      s.Warn(notFound.text, notFound.title);
    }
    return false;
  }
  bool utf8 = false;
  int lineClass = 0;
  if (!CheckTextFile(s, path, true, utf8, lineClass, false)) return false;

  r.blnReadingWords = true;
  // The settings window stays usable during a count, so a file may be read
  // while one is under way: that count keeps its phase once the file is read.
  const RunPhase outer = r.phase;
  const std::int16_t suppressSaved = m.chkSuppressWords.Value();
  m.chkSuppressWords.SetValue(1);
  ConcealNumWords(s, false);
  m.txbOutput.SetText("Now reading common words ...");
  m.txbOutput.Repaint();
  SetRunPhase(s, RunPhase::kReadingCommonWords);

  WordListIntake intake(s);
  const bool unicode = UnicodeMode(s);
  CommonWordsFileRead read = ReadCommonWordsFile(path, utf8, intake, unicode);
  const Status& st = read.status;
  const bool complete = st.Ok() || st.kind == Status::Kind::kEmpty;
  if (!complete && st.kind != Status::Kind::kStopped) {
    const Notice unreadable = CommonWordsFileUnreadable(path, st);
    s.Warn(unreadable.text, unreadable.title);
  }
  if (complete) s.commonWords.Replace(std::move(read.words), unicode);
  m.chkSuppressWords.SetValue(suppressSaved);
  SetRunPhase(s, RunPhase::kIdle);
  r.phase = outer;
  m.txbOutput.Clear();
  r.blnStop = false;
  return complete;
}

void WordListsFollowTheMode(Session& s) {
  const bool unicode = UnicodeMode(s);
  if (s.run.strWordsToIgnore.Unicode() != unicode) TakeWordsToIgnoreQuietly(s);
  if (!s.run.blnCommonWordsLoaded || s.params.chkIgnoreCommonWords.Value() != 1 || s.commonWords.Unicode() == unicode)
    return;
  // The list the input's language chose in the other mode gives way to the
  // one it chooses in this mode (a Russian text: the English list outside
  // the mode, the Russian one in it); any other file is read again as it is.
  const std::string input = TrimBlanks(s.main.txbFile[0].Text());
  if (!input.empty() && s.run.strCommonWordsFile == CommonWordsFileForLanguage(s.programFolder, input, !unicode))
    s.run.strCommonWordsFile = CommonWordsFileForLanguage(s.programFolder, input, unicode);
  AttemptToReadCommonWords(s);
}

bool AttemptToReadCommonWords(Session& s) {
  RunState& r = s.run;
  Params& p = s.params;
  EnableControls(s, false);
  const bool loaded = ReadCommonWords(s);
  r.blnCommonWordsLoaded = loaded;
  // A file read from the settings window during a count leaves the count's
  // controls disabled until the count ends.
  EnableControls(s, CurrentRunPhase(s) == RunPhase::kIdle);
  // blnReadingWords is still set here, so ticking the box below does not
  // run its click reaction (which would report the file as loaded already).
  if (loaded) {
    s.main.lblNumberOfWords.SetCaption("");
    s.Show(CommonWordsLoadedText(s.commonWords.Size(), r.strCommonWordsFile,
                                 [&s](std::int64_t k) { return s.platform.FormatGrouped(k); }),
           "Common words loaded", Buttons::Ok, Icon::Information);
    p.txbCommonWordsFile.SetText(r.strCommonWordsFile);
    p.chkIgnoreCommonWords.SetValue(1);
  } else {
    p.chkIgnoreCommonWords.SetValue(0);
  }
  r.blnReadingWords = false;
  r.blnWordsGot = false;
  return loaded;
}

std::string NumberInWords(std::int64_t n, Platform& platform) {
  return kwl::NumberInWords(n, [&platform](std::int64_t k) { return platform.FormatGrouped(k); });
}

void chkIgnoreCommonWords_Click(Session& s) {
  RunState& r = s.run;
  Params& p = s.params;
  if (!r.blnStartUpCompleted || p.selfChange || r.blnReadingWords) return;
  if (p.chkIgnoreCommonWords.Value() == 1) {
    if (r.strCommonWordsFile.empty()) {
      s.Show("Please specify the file containing common words.", p.chkIgnoreCommonWords.Caption());
      SetQuietly(s, p.chkIgnoreCommonWords, 0);
    } else if (r.blnCommonWordsLoaded) {
      s.Show("This file has already been loaded.  Click on 'Clear' and re-select the file if it has been changed on disk.",
             "Common words loaded");
    } else {
      AttemptToReadCommonWords(s);
      ConcealNumWords(s, false);
    }
  }
  FocusClose(s);
}

void cmdClearCommonWordsFile_Click(Session& s) {
  s.params.txbCommonWordsFile.Clear();
  s.run.strCommonWordsFile.clear();
  s.params.chkIgnoreCommonWords.SetValue(0);
  s.run.blnCommonWordsLoaded = false;
}

void cmdSelectCommonWordsFile_Click(Session& s, int index) {
  RunState& r = s.run;
  Params& p = s.params;
  if (index == 0) {
    FileDialog dialog;
    dialog.title = "Specify file of common words to ignore";
    dialog.filter = "Any file containing only text (*.*) | *.*";
    dialog.mustExist = true;
    const std::optional<std::string> chosen = s.platform.ChooseFile(dialog);
    // Paths keep their case: the file system tells "Words.txt" from "words.txt".
    if (chosen && !chosen->empty()) {
      r.strCommonWordsFile = *chosen;
      p.txbCommonWordsFile.SetText(r.strCommonWordsFile);
      ReadChosenFile(s);
    }
    FocusClose(s);
    ShowSettingsWindow(s);
    return;
  }
  LanguageSelection& chooser = s.frmLanguageSelection;
  chooser.caption = p.cmdSelectCommonWordsFile[1].Caption();
  const int k = chooser.ShowAndWait(UnicodeMode(s));
  if (k < 0 || k >= static_cast<int>(chooser.cboCommonWordsFiles.Items().size())) return;
  r.strCommonWordsFile = JoinPath(s.programFolder, CommonWordsFileName(static_cast<std::size_t>(k)));
  p.txbCommonWordsFile.SetText(r.strCommonWordsFile);
  ReadChosenFile(s);
  ShowSettingsWindow(s);
}

void txbCommonWordsFile_LostFocus(Session& s) {
  RunState& r = s.run;
  Params& p = s.params;
  if (p.chkIgnoreCommonWords.Value() == 0) return;
  const std::string text = TrimBlanks(p.txbCommonWordsFile.Text());
  p.txbCommonWordsFile.SetText(text);
  if (text == r.strCommonWordsFile) return;
  r.strCommonWordsFile = text;
  SetQuietly(s, p.chkIgnoreCommonWords, 1);
  r.blnCommonWordsLoaded = false;
  r.blnWordsGot = false;
  chkIgnoreCommonWords_Click(s);
}

LanguageSelection::LanguageSelection() {
  lblSelectLanguageOfWordsToIgnore.SetCaption("Ignore common words in which language?");
  cmdAccept.SetCaption("Load common words file for this language");
  cmdCancel.SetCaption("Cancel");
  cboCommonWordsFiles.onClick = [this] { cboCommonWordsFiles_Click(); };
  cmdAccept.onClick = [this] { cmdAccept_Click(); };
  cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void LanguageSelection::Load(bool unicode) {
  cboCommonWordsFiles.Clear();
  for (std::size_t k = 0; k < 6; ++k) cboCommonWordsFiles.AddItem(std::string(kCommonWordsLanguageNames[k]));
  cboCommonWordsFiles.AddItem("English and German");
  cboCommonWordsFiles.AddItem("All six languages");
  if (unicode)
    for (const std::string_view name : kUnicodeCommonWordsLanguageNames) cboCommonWordsFiles.AddItem(std::string(name));
  loaded_ = true;
  loadedUnicode_ = unicode;
}

int LanguageSelection::ShowAndWait(bool unicode) {
  if (!loaded_ || loadedUnicode_ != unicode) Load(unicode);
  chosenIndex = -1;
  cboCommonWordsFiles.SetListIndex(-1);
  cmdAccept.SetEnabled(false);
  cmdCancel.SetFocus();
  visible = true;
  if (showModal) showModal();
  visible = false;
  return chosenIndex;
}

void LanguageSelection::cboCommonWordsFiles_Click() {
  const int k = cboCommonWordsFiles.ListIndex();
  cmdAccept.SetEnabled(k >= 0);
  if (k < 0) {
    cmdCancel.SetFocus();
    return;
  }
  cmdAccept.SetCaption(k == 6 || k == 7 ? "Load common words file for these languages"
                                        : "Load common words file for this language");
  cmdAccept.SetFocus();
}

void LanguageSelection::cmdAccept_Click() {
  chosenIndex = cboCommonWordsFiles.ListIndex();
  visible = false;
}

void LanguageSelection::cmdCancel_Click() {
  chosenIndex = -1;
  visible = false;
}

}  // namespace kwl
