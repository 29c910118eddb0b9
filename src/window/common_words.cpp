#include "common_words.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "files/paths.h"
#include "text_file.h"
#include "text/utf8_repair.h"
#include "count_run.h"
#include "progress.h"
#include "session.h"
#include "window_state.h"
#include "text/normalise.h"
#include "files/regular_file.h"

namespace kwl {
namespace {

// Reads a file line by line; a line ends at CR LF, at CR or at a lone LF,
// and the terminator is not part of the line.
class LineReader {
 public:
  // Only a regular file is opened, and without waiting on it: a named pipe
  // or a device is refused (see Problem).
  explicit LineReader(const std::string& path) : file_(OpenRegularFileStream(path, refusal_), &std::fclose) {}
  bool IsOpen() const { return file_ != nullptr; }
  // Whether the file was refused or could not be read to its end.
  bool Failed() const { return refusal_.Refused() || error_ != 0; }
  // Why: "it is a named pipe", or the system's description of the error.
  std::string Problem() const { return error_ != 0 ? std::strerror(error_) : refusal_.Description(); }

  // The next line; false at the end of the file (or of the limit) or after
  // a read error.
  bool Next(std::string& line) {
    line.clear();
    if (!file_) return false;
    bool any = false;
    while (true) {
      if (pos_ == len_ && !Fill()) return any;
      const char c = buffer_[pos_++];
      any = true;
      if (c == '\n') return true;
      if (c == '\r') {
        if (pos_ == len_) Fill();
        if (pos_ < len_ && buffer_[pos_] == '\n') ++pos_;
        return true;
      }
      line += c;
    }
  }
  // Reads no more than maxBytes of the file in all.
  void LimitTo(std::size_t maxBytes) { limit_ = maxBytes; }

 private:
  bool Fill() {
    if (limit_ != 0 && total_ >= limit_) return false;
    std::size_t want = sizeof buffer_;
    if (limit_ != 0 && limit_ - total_ < want) want = limit_ - total_;
    len_ = std::fread(buffer_, 1, want, file_.get());
    pos_ = 0;
    total_ += len_;
    if (len_ == 0 && std::ferror(file_.get())) error_ = errno != 0 ? errno : EIO;
    return len_ > 0;
  }

  ReadRefusal refusal_;  // filled in by the open, so it comes before file_
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
  char buffer_[65536];
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::size_t total_ = 0;
  std::size_t limit_ = 0;
  int error_ = 0;  // errno of a failed read
};

// The language declaration is looked for near the top of a file; a file
// without line ends must not be read whole for it.
constexpr std::size_t kLanguageSampleBytes = 1 << 20;

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

// Reads the chosen file and hides the word count; true when it loaded.
bool ReadChosenFile(Session& s) {
  const bool loaded = AttemptToReadCommonWords(s);
  ConcealNumWords(s, false);
  if (loaded) SetQuietly(s, s.params.chkIgnoreCommonWords, 1);
  return loaded;
}

}  // namespace

void SetDefaultCommonWordsFile(Session& s) {
  s.run.strCommonWordsFile = JoinPath(s.programFolder, kCommonWordsFileNames[0]);
  s.params.txbCommonWordsFile.SetText(s.run.strCommonWordsFile);
}

std::string DetectLanguageCode(const std::string& path, std::string_view allowedCodes, std::string_view defaultCode) {
  LineReader reader(path);
  if (!reader.IsOpen()) return std::string(defaultCode);
  reader.LimitTo(kLanguageSampleBytes);
  std::string text;
  std::string line;
  for (int found = 0; found < 10 && reader.Next(line);) {
    if (line.empty()) continue;
    if (found > 0) text += "\r\n";
    text += line;
    ++found;
  }
  if (reader.Failed()) return std::string(defaultCode);
  scan::FoldCaseInPlace(text);
  const std::string allowed = scan::FoldCase(allowedCodes);

  // The value of a quoted attribute is taken when its closing quote follows
  // the two letters; lang= alone takes the two characters after the opening
  // quote, so "de-DE" gives "de".
  std::string code;
  bool decided = false;
  auto quotedPair = [&](std::string_view pattern) {
    const auto p = text.find(pattern);
    if (p == std::string::npos) return;
    const std::size_t start = p + pattern.size();
    if (start + 2 < text.size() && text[start + 2] == '"') {
      code = text.substr(start, 2);
      decided = true;
    }
  };
  quotedPair("lang=\"");
  if (!decided) {
    const auto p = text.find("lang=");
    if (p != std::string::npos) {
      const std::size_t start = p + 5 + 1;
      code = start < text.size() ? text.substr(start, 2) : std::string();
      decided = true;
    }
  }
  if (!decided) quotedPair("content=\"");
  if (code.size() < 2) return std::string(defaultCode);
  if (!allowed.empty() && allowed.find(code) == std::string::npos) return std::string(defaultCode);
  return code;
}

void ChooseCommonWordsFromInputLanguage(Session& s) {
  RunState& r = s.run;
  Params& p = s.params;
  r.strCommonWordsFile = TrimBlanks(r.strCommonWordsFile);
  const std::string input = TrimBlanks(s.main.txbFile[0].Text());
  if (!input.empty()) {
    const std::string code = DetectLanguageCode(input, kCommonWordsLanguageCodes, "en");
    const auto pos = kCommonWordsLanguageCodes.find(code);
    if (pos != std::string_view::npos)
      r.strCommonWordsFile = JoinPath(s.programFolder, kCommonWordsFileNames[pos / 3]);
  }
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
  if (const std::string_view kind = SpecialFileKindAt(path); !kind.empty()) {
    s.Warn("File " + path + "\r\ncannot be read: it is " + std::string(kind), "Fatal error");
    return false;
  }
  if (!FileExists(path)) {
    if (!r.blnStartUpCompleted) {
      SetDefaultCommonWordsFile(s);
      s.params.chkIgnoreCommonWords.SetValue(0);
    } else {
      s.Warn("File for common words not found.", "File not found");
    }
    return false;
  }
  bool utf8 = false;
  int lineClass = 0;
  if (!CheckTextFile(s, path, true, utf8, lineClass, false)) return false;

  // Every extra character is allowed while reading, so that words holding
  // any of them stay whole; the words go straight to the word table.
  r.blnReadingWords = true;
  const std::int16_t suppressSaved = m.chkSuppressWords.Value();
  m.chkSuppressWords.SetValue(1);
  s.scanner.markers.SetCommentMarkers("C");
  s.scanner.SetAllowedExtraChars(r.strAllPossibleExtraChars, r.strProhibitedInitialOrFinalChars);
  s.aWords.Reset();
  ConcealNumWords(s, false);
  m.txbOutput.SetText("Now reading common words ...");
  m.txbOutput.Repaint();
  m.cmdListWords.SetCaption("Stop");
  s.scanner.intWithinComment = -1;

  bool complete = false;
  LineReader reader(path);
  if (reader.IsOpen()) {
    EventPump* pump = r.blnStartUpCompleted ? &s.pump : nullptr;
    std::string line;
    bool stopped = false;
    while (reader.Next(line)) {
      std::string text = TrimBlanks(line);
      if (!text.empty()) {
        if (utf8) text = DecodeUtf8Line(text);
        scan::FoldCaseInPlace(text);
        text += ' ';
        ScanOneLine(s, text);
      }
      if (pump) pump->Yield();
      if (r.blnStop) {
        stopped = true;
        break;
      }
    }
    complete = !stopped && !reader.Failed();
  }
  if (reader.Failed()) s.Warn("File " + path + "\r\ncannot be read: " + reader.Problem(), "Fatal error");

  if (complete) {
    s.aWords.OrderByWord();
    std::vector<std::string> words;
    words.reserve(static_cast<std::size_t>(s.aWords.NumWords()));
    for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) words.push_back(s.aWords[i].strWord);
    s.commonWords.Replace(std::move(words));
  }
  m.chkSuppressWords.SetValue(suppressSaved);
  m.cmdListWords.SetCaption(s.Text(73));
  m.txbOutput.Clear();
  r.blnStop = false;
  return complete;
}

bool AttemptToReadCommonWords(Session& s) {
  RunState& r = s.run;
  Params& p = s.params;
  EnableControls(s, false);
  const bool loaded = ReadCommonWords(s);
  r.blnCommonWordsLoaded = loaded;
  EnableControls(s, true);
  // blnReadingWords is still set here, so ticking the box below does not
  // run its click reaction (which would report the file as loaded already).
  if (loaded) {
    s.main.lblNumberOfWords.SetCaption("");
    const std::size_t n = s.commonWords.Size();
    const std::string count =
        n == 1 ? "One common word" : NumberInWords(static_cast<std::int64_t>(n), s.platform) + " common words";
    s.Show(count + " loaded from " + r.strCommonWordsFile, "Common words loaded", Buttons::Ok, Icon::Information);
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
  static constexpr std::string_view kSmall[] = {
      "No",      "One",     "Two",       "Three",    "Four",     "Five",    "Six",
      "Seven",   "Eight",   "Nine",      "Ten",      "Eleven",   "Twelve",  "Thirteen",
      "Fourteen", "Fifteen", "Sixteen",  "Seventeen", "Eighteen", "Nineteen", "Twenty"};
  static constexpr std::string_view kTens[] = {"", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy",
                                               "Eighty", "Ninety"};
  if (n >= 0 && n <= 20) return std::string(kSmall[n]);
  if (n > 20 && n < 100) {
    std::string text(kTens[n / 10]);
    if (n % 10 != 0) {
      std::string units(kSmall[n % 10]);
      units[0] = static_cast<char>(units[0] + ('a' - 'A'));
      text += " " + units;
    }
    return text;
  }
  return platform.FormatGrouped(n);
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
  const int k = chooser.ShowAndWait();
  if (k < 0 || k >= static_cast<int>(kCommonWordsFileNames.size())) return;
  r.strCommonWordsFile = JoinPath(s.programFolder, kCommonWordsFileNames[static_cast<std::size_t>(k)]);
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

void LanguageSelection::Load() {
  cboCommonWordsFiles.Clear();
  for (std::size_t k = 0; k < 6; ++k) cboCommonWordsFiles.AddItem(std::string(kCommonWordsLanguageNames[k]));
  cboCommonWordsFiles.AddItem("English and German");
  cboCommonWordsFiles.AddItem("All six languages");
  loaded_ = true;
}

int LanguageSelection::ShowAndWait() {
  if (!loaded_) Load();
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
  cmdAccept.SetCaption(k <= 5 ? "Load common words file for this language"
                              : "Load common words file for these languages");
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
