#include "persistence.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "files/paths.h"
#include "session.h"
#include "window_state.h"
#include "params_logic.h"
#include "files/regular_file.h"
#include "files/replacing_file.h"

namespace kwl {
namespace {

// The check boxes of lines 11 to 28, in the file's order.
template <typename P>
auto CheckBoxLines(P& p) {
  return std::array{&p.chkIgnoreShortWords,           &p.chkIgnoreInfrequentWords,     &p.chkIgnoreCommonWords,
          &p.chkIgnoreRepetitions,          &p.chkIgnoreRomNum40,            &p.chkIgnoreNoLetter,
          &p.chkCaseSignificant,            &p.chkDropFinalS,                &p.chkAllowWordsWithHyphens,
          &p.chkAllowWordsWithApostrophes,  &p.chkAllowWordsWithUnderscores, &p.chkAllowWordsWithColons,
          &p.chkAllowWordsWithBackslashes,  &p.chkAllowWordsWithForwardslashes, &p.chkAllowWordsWithPeriods,
          &p.chkAllowWordsWithAtSigns,      &p.chkAllowWordsWithNumerals,    &p.chkOutputWithCommas};
}

// The longest value accepted from a settings file. Real values are paths and
// word lists; anything longer is a damaged or foreign file, and reading it
// whole would only cost memory.
constexpr std::size_t kMaxValueLength = 1 << 20;

// A failure while restoring, with the description the message shows.
struct RestoreFailure {
  std::string description;
};

std::string ErrnoText(int err) { return std::strerror(err != 0 ? err : EIO); }

// Reads the values of a settings file as the format defines them: a value
// starting with a double quote runs to the next double quote (the rest of its
// line up to a comma is skipped); any other value runs to the next comma or
// line end, leading blanks skipped. Lines end at CR LF, CR or LF.
class ValueReader {
 public:
  explicit ValueReader(std::FILE* file) : file_(file) {}

  std::string Next() {
    int c = Get();
    while (c == ' ' || c == '\t') c = Get();
    if (c == EOF) throw RestoreFailure{"Input past end of file"};
    std::string value;
    if (c == '"') {
      while ((c = Get()) != EOF && c != '"') Keep(value, c);
      if (c == '"') {
        std::size_t skipped = 0;
        while ((c = Get()) != EOF && c != ',' && c != '\r' && c != '\n')
          if (++skipped > kMaxValueLength) throw TooLong();
      }
    } else {
      while (c != EOF && c != ',' && c != '\r' && c != '\n') {
        Keep(value, c);
        c = Get();
      }
    }
    if (c == '\r') {
      const int after = Get();
      if (after != '\n' && after != EOF) std::ungetc(after, file_);
    }
    return value;
  }

 private:
  int Get() {
    const int c = std::getc(file_);
    if (c == EOF && std::ferror(file_)) throw RestoreFailure{ErrnoText(errno)};
    return c;
  }
  static RestoreFailure TooLong() { return RestoreFailure{"Value longer than 1 MiB"}; }
  static void Keep(std::string& value, int c) {
    if (value.size() >= kMaxValueLength) throw TooLong();
    value.push_back(static_cast<char>(c));
  }

  std::FILE* file_;
};

// The leading number of a text, as the program's conversion takes it: blanks
// skipped, a sign, digits with an optional decimal part and exponent. False
// when the text does not start with a number.
bool LeadingNumber(std::string_view text, double& number) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  bool digits = i > digitsStart;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    digits = digits || i > fraction;
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expStart = j;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
    if (j > expStart) i = j;
  }
  const std::string piece(text.substr(start, i - start));
  number = std::strtod(piece.c_str(), nullptr);
  return true;
}

// A 16-bit whole number, rounded half to even as the program rounds.
int WholeNumber(const std::string& text, bool numberRequired) {
  double number = 0;
  if (!LeadingNumber(text, number)) {
    if (numberRequired) throw RestoreFailure{"Type mismatch"};
    return 0;
  }
  const double rounded = std::nearbyint(number);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw RestoreFailure{"Overflow"};
  return static_cast<int>(rounded);
}

void ApplyCheck(CheckBox& box, const std::string& text) {
  const int value = WholeNumber(text, false);
  if (value < 0 || value > 2) throw RestoreFailure{"Invalid property value"};
  box.SetValue(static_cast<std::int16_t>(value));
}

void ApplyIndex(ComboBox& list, const std::string& text) {
  if (!list.SetListIndex(WholeNumber(text, true))) throw RestoreFailure{"Invalid property value"};
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The 38 values of the format, in order.
std::string Compose(const Session& s) {
  const Params& p = s.params;
  const MainControls& m = s.main;
  std::string out;
  auto line = [&out](const std::string& value) {
    out += value;
    out += "\r\n";
  };
  auto number = [&line](int v) { line(std::to_string(v)); };
  line(Quoted(m.txbFile[0].Text()));
  line(Quoted(m.txbFile[1].Text()));
  line(Quoted(p.txbWordsToIgnore.Text()));
  line(Quoted(p.txbStartComment[0].Text()));
  line(Quoted(p.txbEndComment[0].Text()));
  line(Quoted(p.txbStartComment[1].Text()));
  line(Quoted(p.txbEndComment[1].Text()));
  number(p.cboShortWordSize.ListIndex());
  number(p.cboLongWordSize.ListIndex());
  number(p.cboThresholdFrequency.ListIndex());
  for (const CheckBox* box : CheckBoxLines(p)) number(box->Value());
  number(0);  // line 29, reserved
  number(p.chkAllowCommentMarkers.Value());
  number(p.chkWarnOnOverwrite.Value());
  number(p.chkSaveStateOnQuit.Value());
  number(m.chkSuppressWords.Value());
  number(m.chkDisableOutputToFile.Value());
  number(m.cboWordOrder.ListIndex());
  number(m.cboDisplayFormat.ListIndex());
  line(Quoted(s.run.strCommonWordsFile));
  number(p.chkOnly7bitASCII.Value());
  return out;
}

// Replaces the file at path with content so that the earlier file survives
// any failure on the way (a full disk, a crash); a file that exists keeps
// its permissions. Returns the empty string or the description of the failure.
std::string ReplaceFileSafely(const std::string& requested, const std::string& content) {
  const std::string path = ResolveLinks(requested);
  // Only a regular file is ever replaced: a named pipe or a device (or a
  // link to one) is no settings file, and the folder of a device is no
  // place for a temporary file.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) return ErrnoText(EISDIR);
    return requested + " is " + std::string(SpecialFileKind(st.st_mode));
  }
  ReplacingFile file;
  int err = file.Open(path, true);
  if (err == 0) err = file.Write(content);
  if (err == 0) err = file.Commit();
  return err == 0 ? std::string() : ErrnoText(err);
}

struct FileCloser {
  std::FILE* file;
  ~FileCloser() {
    if (file) std::fclose(file);
  }
};

}  // namespace

std::string SaveState(Session& s, const std::string& path) {
  const std::string target = path.empty() ? s.run.strStateFile : path;
  if (target.empty()) return "Error when attempting to save settings: " + ErrnoText(ENOENT);
  const std::string failure = ReplaceFileSafely(target, Compose(s));
  if (!failure.empty()) return "Error when attempting to save settings: " + failure;
  return {};
}

std::string RestoreSavedState(Session& s, const std::string& path) {
  const std::string source = path.empty() ? s.run.strStateFile : path;
  Params& p = s.params;
  MainControls& m = s.main;
  if (source.empty()) return "Error when attempting to restore settings: " + ErrnoText(ENOENT);
  // A named pipe or a device is refused unopened; waiting on one would
  // hang the program (at start-up, before its window shows).
  ReadRefusal why;
  FileCloser file{OpenRegularFileStream(source, why)};
  if (!file.file) {
    if (why.IsFolder()) return "Error when attempting to restore settings: " + ErrnoText(EISDIR);
    if (why.type != 0) return "Error when attempting to restore settings: " + source + " is " + std::string(why.Kind());
    return "Error when attempting to restore settings: " + ErrnoText(why.error);
  }
  try {
    ValueReader in(file.file);
    m.txbFile[0].SetText(in.Next());
    m.txbFile[1].SetText(in.Next());
    p.txbWordsToIgnore.SetText(in.Next());
    NormaliseWordsToIgnore(s);
    p.txbStartComment[0].SetText(in.Next());
    p.txbEndComment[0].SetText(in.Next());
    p.txbStartComment[1].SetText(in.Next());
    p.txbEndComment[1].SetText(in.Next());
    ApplyIndex(p.cboShortWordSize, in.Next());
    ApplyIndex(p.cboLongWordSize, in.Next());
    ApplyIndex(p.cboThresholdFrequency, in.Next());
    for (CheckBox* box : CheckBoxLines(p)) ApplyCheck(*box, in.Next());
    // Lines 29 and 30 are read and dropped: the comment markers are always allowed.
    in.Next();
    in.Next();
    p.chkAllowCommentMarkers.SetValue(1);
    ApplyCheck(p.chkWarnOnOverwrite, in.Next());
    ApplyCheck(p.chkSaveStateOnQuit, in.Next());
    ApplyCheck(m.chkSuppressWords, in.Next());
    ApplyCheck(m.chkDisableOutputToFile, in.Next());
    ApplyIndex(m.cboWordOrder, in.Next());
    ApplyIndex(m.cboDisplayFormat, in.Next());
    s.run.strCommonWordsFile = in.Next();
    p.txbCommonWordsFile.SetText(s.run.strCommonWordsFile);
    ApplyCheck(p.chkOnly7bitASCII, in.Next());
  } catch (const RestoreFailure& failure) {
    return "Error when attempting to restore settings: " + failure.description;
  } catch (const std::bad_alloc&) {
    return "Error when attempting to restore settings: " + ErrnoText(ENOMEM);
  }
  std::fclose(file.file);
  file.file = nullptr;
  UpdateDisableOutputCheckBox(s);
  for (const ComboBox* list : {&p.cboShortWordSize, &p.cboLongWordSize, &p.cboThresholdFrequency,
                               &m.cboWordOrder, &m.cboDisplayFormat})
    if (list->ListIndex() == -1) return "Invalid combo box index";
  return {};
}

}  // namespace kwl
