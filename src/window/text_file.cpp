#include "text_file.h"

#include <unistd.h>

#include <cerrno>

#include "sources/encoding.h"
#include "files/paths.h"
#include "files/run_error.h"
#include "files/status.h"
#include "session.h"

namespace kwl {
namespace {

// What a path that is no regular file names, for the user.
std::string NotAFileText(const Status& status) {
  if (status.detail == "a special file") return "Input file is not a regular file.";
  return "Input file is " + status.detail + ".";
}

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
  if (path.empty()) return false;
  const TextFileInspection info = InspectTextFile(path);
  std::string refusal;
  std::string title;
  switch (info.status.kind) {
    case Status::Kind::kNotFound:
      refusal = "Input file does not exist.";
      title = "File not found";
      break;
    case Status::Kind::kOpenFailed:
      refusal = "Input file cannot be opened: " + RunError::FromErrno(info.status.err).Description() + ".";
      title = "Cannot open file";
      break;
    case Status::Kind::kNotRegular:
      refusal = NotAFileText(info.status);
      title = "Not a file";
      break;
    default:
      break;
  }
  if (!refusal.empty()) {
    m.lblFilesize.SetCaption("");
    if (s.run.blnStartUpCompleted) {
      m.chkUTF8.SetValue(0);
      s.Warn(refusal, title);
    }
    return false;
  }
  ChangeToFolderOf(path);
  if (info.status.kind == Status::Kind::kEmpty) {
    s.Warn("Input file is zero-length.", "Empty file");
    m.lblFilesize.SetCaption("Filesize: 0 bytes");
    return false;
  }
  m.lblFilesize.SetCaption("Filesize: " + FileSizeText(s, info.size));
  return true;
}

bool CheckTextFile(Session& s, const std::string& path, bool classifyOnly, bool& utf8, int& lineClass,
                   [[maybe_unused]] bool ask) {
  s.main.txbOutput.Clear();
  constexpr double kThreshold = 0.0;
  const TextFileInspection info = InspectTextFile(path, kThreshold);
  const int fileClass = info.fileClass;
  const TextFileSample& sample = info.sample;
  utf8 = sample.utf8;
  lineClass = fileClass;

  const std::string file = "File " + path;
  switch (fileClass) {
    case 6: s.Inform(file + "\r\nis an RTF file.", "Fatal error"); return false;
    case 7: s.Inform(file + "\r\nis a Unicode file but not UTF-8 encoded.", "Fatal error"); return false;
    case -9: s.Inform(file + "\r\ncannot be opened.", "Fatal error"); return false;
    case -4: s.Inform(file + "\r\ncontains only from 1 to 4 bytes.", "Fatal error"); return false;
    case -3: s.Inform(file + "\r\n cannot be opened (permission denied).", "Fatal error"); return false;
    case -2: s.Inform(file + " is zero-length.", "Fatal error"); return false;
    case -1: s.Inform(file + " not found.", "Fatal error"); return false;
    default: break;
  }

  if (fileClass == 0) {
    std::string text = path + "\r\nis not an ANSI or UTF-8 encoded text file.";
    if (sample.binaryShare > kThreshold) text += "\r\nIt appears to be a binary file.";
    const std::int64_t length = info.size;
    if (sample.binaryShare < 9 && length > 0 && length < 102400)
      text +=
          "\r\n\r\nYou could try reading it using its associated application, then copying the text and pasting it "
          "into the textbox (then copy it to the clipboard and select 'Clipboard' as the source).";
    s.Inform(text, "Not a text file");
    return false;
  }
  if (fileClass == 1) return true;
  if (classifyOnly && fileClass >= 1 && fileClass <= 3) return true;
  // LF is this platform's own line end: such files are read line by line
  // like any other, whatever their size.
  if (fileClass == 2) return true;
  if (fileClass == 3) {
    if (!s.run.blnMacNoticeShown) {
      s.run.blnMacNoticeShown = true;
      s.Inform(file +
                   "\r\nhas Macintosh-type line endings (CR)."
                   "\r\nYou might wish to use a program such as Notepad++"
                   "\r\nto convert the line endings to Windows-type (CR+LF).",
               "This is a Mac-style text file");
    }
    return true;
  }
  return false;
}

std::string FileSizeText(Session& s, std::int64_t size) {
  if (size < 1024) return std::to_string(size) + " bytes";
  const std::int64_t unit = size < 1048576 ? 1024 : 1048576;
  // Hundredths of the unit, rounded half up as the two-decimal format rounds.
  const std::int64_t hundredths = size / unit * 100 + (size % unit * 100 + unit / 2) / unit;
  const std::int64_t fraction = hundredths % 100;
  return s.platform.FormatGrouped(hundredths / 100) + (fraction < 10 ? ".0" : ".") + std::to_string(fraction) +
         (unit == 1024 ? " Kb" : " Mb");
}

std::string FileSizeTextOfFile(Session& s, const std::string& path) {
  if (path.empty() || !FileExists(path)) return {};
  return FileSizeText(s, FileLength(path));
}

}  // namespace kwl
