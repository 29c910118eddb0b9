#include "text_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "sources/encoding.h"
#include "sources/input_notices.h"
#include "files/paths.h"
#include "files/run_error.h"
#include "files/status.h"
#include "session.h"

namespace kwl {
namespace {

void ChangeToFolderOf(const std::string& path) {
  const std::string folder = FolderPart(path);
  if (FolderExists(folder) && ::chdir(folder.c_str()) != 0) {
    // The current directory only serves as the dialogs' starting point; a
    // folder that cannot be entered leaves it where it was.
  }
}

}  // namespace

bool CheckInputFile(Session& s, const std::string& path) {
  MainControls& m = s.main;
  KeepInputSizesFor(s, path);
  if (path.empty()) return false;
  const TextFileInspection info = InspectTextFile(path);
  const std::optional<Notice> refusal = InputFileRefusal(info.status);
  const bool empty = info.status.kind == Status::Kind::kEmpty;
  if (refusal && !empty) {
    m.lblFilesize.SetCaption("");
    if (s.run.blnStartUpCompleted) {
      m.chkUTF8.SetValue(0);
      s.Warn(refusal->text, refusal->title);
    }
    return false;
  }
  ChangeToFolderOf(path);
  if (empty) {
    s.Warn(refusal->text, refusal->title);
    m.lblFilesize.SetCaption("Filesize: 0 bytes");
    return false;
  }
  m.lblFilesize.SetCaption("Filesize: " + FileSizeText(s, info.size));
  return true;
}

bool CheckTextFile(Session& s, const std::string& path, bool classifyOnly, bool& utf8, int& lineClass,
                   [[maybe_unused]] bool ask, int* utf16ByteOrder) {
  s.main.txbOutput.Clear();
  const TextFileInspection info = InspectTextFile(path, 0.0);
  utf8 = info.sample.utf8;
  lineClass = info.fileClass;
  // Words in every script read an input file in UTF-16 with a byte-order
  // mark; a common-words file (only classified) is read as bytes and stays
  // refused.
  const int utf16 = !classifyOnly && s.params.chkUnicodeWords.Value() == 1 ? Utf16ByteOrder(path, info) : 0;
  if (utf16ByteOrder != nullptr) *utf16ByteOrder = utf16;
  if (utf16 != 0) return true;
  const TextFileVerdict verdict = JudgeTextFile(path, info);
  if (!verdict.accepted) {
    if (verdict.notice) s.Inform(verdict.notice->text, verdict.notice->title);
    return false;
  }
  // The advice about CR line ends comes once per initialisation; a file
  // only classified (a common-words file) passes without it.
  if (verdict.notice && !classifyOnly && !s.run.blnMacNoticeShown) {
    s.run.blnMacNoticeShown = true;
    s.Inform(verdict.notice->text, verdict.notice->title);
  }
  return true;
}

std::string FileSizeText(Session& s, std::int64_t size) {
  if (size < 1024) return std::to_string(size) + " bytes";
  const std::int64_t unit = size < 1048576 ? 1024 : 1048576;
  // Hundredths of the unit, rounded half up as the two-decimal format rounds.
  const std::int64_t hundredths = size / unit * 100 + (size % unit * 100 + unit / 2) / unit;
  const std::int64_t fraction = hundredths % 100;
  return s.platform.FormatGrouped(hundredths / 100) + s.platform.DecimalSeparator() + (fraction < 10 ? "0" : "") +
         std::to_string(fraction) + (unit == 1024 ? " Kb" : " Mb");
}

void ForgetInputSizes(Session& s) {
  s.main.lblFilesize.SetCaption("");
  s.main.lblXMLsize.SetCaption("");
  s.run.strInputTaken.clear();
}

void KeepInputSizesFor(Session& s, const std::string& path) {
  if (path != s.run.strInputTaken) ForgetInputSizes(s);
  s.run.strInputTaken = path;
}

void ShowInputFilesSize(Session& s, const std::vector<std::string>& files) {
  KeepInputSizesFor(s, s.main.txbFile[0].Text());
  std::int64_t total = 0;
  for (const std::string& file : files) total += std::max<std::int64_t>(FileLength(file), 0);
  s.main.lblXMLsize.SetCaption("");
  s.main.lblFilesize.SetCaption("Filesize: " + FileSizeText(s, total));
}

std::string FileSizeTextOfFile(Session& s, const std::string& path) {
  if (path.empty() || !FileExists(path)) return {};
  return FileSizeText(s, FileLength(path));
}

}  // namespace kwl
