#include "sources/input_notices.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "count/limits.h"
#include "listing/report_text.h"
#include "sources/docx_text.h"
#include "text/cp1252.h"
#include "text/unicode_text.h"

namespace kwl {

std::optional<Notice> InputFileRefusal(const Status& status) {
  switch (status.kind) {
    case Status::Kind::kNotFound:
      return Notice{"File not found", "Input file does not exist."};
    case Status::Kind::kOpenFailed:
      return Notice{"Cannot open file",
                    "Input file cannot be opened: " + RunError::FromErrno(status.err).Description() + "."};
    case Status::Kind::kNotRegular:
      return Notice{"Not a file", status.detail == "a special file" ? "Input file is not a regular file."
                                                                    : "Input file is " + status.detail + "."};
    case Status::Kind::kEmpty:
      return Notice{"Empty file", "Input file is zero-length."};
    default:
      return std::nullopt;
  }
}

std::string NotADocxText(const std::string& path) {
  return "The file " + path + "\r\nhas a 'docx' extension but does not appear to be an MS Word 'docx' file.";
}

TextFileVerdict JudgeTextFile(const std::string& path, const TextFileInspection& info) {
  const std::string file = "File " + path;
  const auto refused = [](std::string title, std::string text) {
    return TextFileVerdict{false, Notice{std::move(title), std::move(text)}};
  };
  switch (info.fileClass) {
    case 1: case 2: return {true, std::nullopt};
    case 3:
      return {true, Notice{"This is a Mac-style text file",
                           file + "\r\nhas Macintosh-type line endings (CR)."
                                  "\r\nYou might wish to use a program such as Notepad++"
                                  "\r\nto convert the line endings to Windows-type (CR+LF)."}};
    case 6: return refused("Fatal error", file + "\r\nis an RTF file.");
    case 7: return refused("Fatal error", file + "\r\nis a Unicode file but not UTF-8 encoded.");
    case -9: return refused("Fatal error", file + "\r\ncannot be opened.");
    case -4: return refused("Fatal error", file + "\r\ncontains only from 1 to 4 bytes.");
    case -3: return refused("Fatal error", file + "\r\n cannot be opened (permission denied).");
    case -2: return refused("Fatal error", file + " is zero-length.");
    case -1: return refused("Fatal error", file + " not found.");
    case 0: break;
    default: return {false, std::nullopt};
  }
  std::string text = path + "\r\nis not an ANSI or UTF-8 encoded text file.";
  if (info.sample.binaryShare > 0) text += "\r\nIt appears to be a binary file.";
  if (info.sample.binaryShare < 9 && info.size > 0 && info.size < 102400)
    text +=
        "\r\n\r\nYou could try reading it using its associated application, then copying the text and pasting it "
        "into the textbox (then copy it to the clipboard and select 'Clipboard' as the source).";
  return refused("Not a text file", text);
}

std::string Utf8OrAnsiQuestion(bool seemsUtf8) {
  if (seemsUtf8)
    return "This file seems to be UTF-8 encoded.\r\n"
           "Click 'Yes' to scan it as UTF-8 encoded or 'No' to scan it as ANSI.";
  return "This file does not seem to be UTF-8 encoded.\r\n"
         "Click 'Yes' to scan it as UTF-8 encoded (not advisable)\r\n"
         "or 'No' to scan it as ANSI.";
}

Notice SevenBitOnlyConflict(bool docx) {
  return {"Incompatible setting", std::string(docx ? "Scanning a 'docx' file is not compatible with"
                                                   : "Scanning as UTF-8 is not compatible with") +
                                      "\r\nallowing only 7-bit ASCII characters."};
}

std::string DocxChecksumQuestion(const std::string& path) {
  return "Invalid checksum found when processing\r\n" + path + "\r\n\r\nDo you wish to scan this file anyway?";
}

std::string DocxBigFileQuestion(const std::string& path) {
  return path + "\r\nis rather large.  It may take awhile to scan.\r\nDo you wish to continue?";
}

Notice DocxTooBigNotice(const std::string& path) {
  return {"File too big", path +
                              "\r\nis too large to be scanned directly.\r\n\r\n"
                              "Recommend saving it as a text file and\r\n"
                              "applying this program to that file."};
}

RunError DocxBodyError(const Status& status, const std::string& path) {
  const std::string part(kDocxBodyPart);
  switch (status.kind) {
    case Status::Kind::kWriteFailed: {
      const RunError e = RunError::FromErrno(status.err);
      return RunError(e.Number(), e.Description() + " when extracting " + part + " from " + path);
    }
    case Status::Kind::kNotFound:
      return RunError(53, "File not found: " + part);
    default:
      if (status.err == ENOENT)
        return RunError(53, "The file " + path + " has no document text (" + part +
                                " is missing): it is not a 'docx' document.");
      return RunError(321, "The file " + path + " cannot be read as a 'docx' package: " + status.detail + ".");
  }
}

DocxFailure DescribeDocxFailure(const DocxDocument& doc, const std::string& path) {
  const Status& st = doc.status;
  if (doc.bodyExtracted)
    return {Notice{"Error", (st.kind == Status::Kind::kNotRegular ? st.path + " is " + st.detail
                                                                   : RunError::FromStatus(st).Description()) +
                                " when processing \r\n" + path},
            std::nullopt};
  if (st.kind == Status::Kind::kOpenFailed) return {Notice{"Warning", "Unable to create temporary folder."}, std::nullopt};
  if (st.kind == Status::Kind::kTooBig) return {DocxTooBigNotice(path), std::nullopt};
  return {std::nullopt, DocxBodyError(st, path)};
}

std::optional<Notice> ClipboardTextRefusal(const Status& check, std::size_t n, const DigitGrouping& group) {
  if (check.kind == Status::Kind::kEmpty) return Notice{"Clipboard empty", "Clipboard is empty."};
  if (check.kind != Status::Kind::kTooBig) return std::nullopt;
  return Notice{"Too much clipboard text", "There are " + group(static_cast<std::int64_t>(n)) +
                                               " characters in the text on the clipboard.\r\nThe maximum permitted is " +
                                               group(kMaxClipboardChars) +
                                               ".  If possible,\r\ncount word frequencies for this text using an input file."};
}

Notice NotPlainTextNotice() {
  return {"Invalid input", "The text on the clipboard does not consist\r\nsolely of natural language words."};
}

Notice CommonWordsFileNotFound() { return {"File not found", "File for common words not found."}; }

Notice CommonWordsFileUnreadable(const std::string& path, const Status& status) {
  return {"Fatal error", "File " + path + "\r\ncannot be read: " +
                             (status.kind == Status::Kind::kNotRegular ? "it is " + status.detail
                                                                       : std::strerror(status.err != 0 ? status.err : EIO))};
}

std::string CommonWordsLoadedText(std::size_t n, const std::string& path, const DigitGrouping& group) {
  return (n == 1 ? "One common word" : NumberInWords(static_cast<std::int64_t>(n), group) + " common words") +
         " loaded from " + path;
}

std::string CharacterNotAllowedText(char c) {
  const bool never = kNeverAllowedChars.find(c) != std::string_view::npos;
  return "The character " + cp1252::ToUtf8(std::string(1, c)) + " occurs in some word to ignore\r\nbut is not " +
         (never ? "" : "currently set as ") + "a character allowed in a word.";
}

std::string UnicodeCharacterNotAllowedText(char32_t cp) {
  std::string c;
  unicode::Append(cp, c);
  const bool never = cp < 0x80 && kNeverAllowedChars.find(static_cast<char>(cp)) != std::string_view::npos;
  return "The character " + c + " occurs in some word to ignore\r\nbut is not " + (never ? "" : "currently set as ") +
         "a character allowed in a word.";
}

}  // namespace kwl
