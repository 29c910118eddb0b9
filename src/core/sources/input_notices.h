#pragma once
// What the window and the command line tell the user about an input file, as
// values: a notice's title and text (lines separated by CR LF), a question's
// text, or the run's error. The window shows them in its boxes; the command
// line prints them.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "files/run_error.h"
#include "files/status.h"
#include "sources/docx_document.h"
#include "sources/encoding.h"
#include "text/number_text.h"

namespace kwl {

struct Notice {
  std::string title;
  std::string text;
};

// Why a chosen input file cannot be read, from InspectTextFile's status: it
// does not exist, cannot be opened, is no regular file, or is empty. Nothing
// for a file that may be read.
std::optional<Notice> InputFileRefusal(const Status& status);

// Warnings that the window titles with its catalogue's word for a warning:
// the output file names the input file; a file with the extension docx is
// no DOCX package.
inline constexpr std::string_view kOutputIsInputText = "Output file cannot be the same as the input file.";
std::string NotADocxText(const std::string& path);

// The text-file check of an inspected file: whether it is read, with the
// refusal of a file that is no text file (RTF, UTF-16, binary, too short,
// unreadable) or, on an accepted file with CR line ends, the advice to
// convert them. A refused file of any other class has no notice.
struct TextFileVerdict {
  bool accepted = false;
  std::optional<Notice> notice;
};
TextFileVerdict JudgeTextFile(const std::string& path, const TextFileInspection& info);

// The question when the user's choice of UTF-8 disagrees with what the file
// seems to be (seemsUtf8: what its detection says).
std::string Utf8OrAnsiQuestion(bool seemsUtf8);
// Only 7-bit ASCII allowed, with an input scanned as UTF-8 (or a DOCX
// document, whose text is UTF-8).
Notice SevenBitOnlyConflict(bool docx);

// The questions before a DOCX document is read: its package failed its
// checksum; its text is larger than the size that asks first.
std::string DocxChecksumQuestion(const std::string& path);
std::string DocxBigFileQuestion(const std::string& path);
// A DOCX document whose text is larger than the program takes.
Notice DocxTooBigNotice(const std::string& path);
// The run's error for a body part that could not be taken out of the package
// (ExtractDocxBody's status other than kOk and kTooBig): 53 when it is
// missing, 321 when the package is no readable zip file, the system's error
// when it could not be written.
RunError DocxBodyError(const Status& status, const std::string& path);
// What to tell of a document ReadDocxDocument could not read: a notice, or
// the run's error (exactly one of them is set).
struct DocxFailure {
  std::optional<Notice> notice;
  std::optional<RunError> error;
};
DocxFailure DescribeDocxFailure(const DocxDocument& doc, const std::string& path);

// The clipboard's text as CheckClipboardText judged it (n its characters):
// empty, or longer than the program takes. Nothing for any other status.
std::optional<Notice> ClipboardTextRefusal(const Status& check, std::size_t n, const DigitGrouping& group = GroupDigits);
// Text that does not look like natural language (IsPlainText said no).
Notice NotPlainTextNotice();

// The common-words file named does not exist.
Notice CommonWordsFileNotFound();
// A common-words file that could not be read (LocateCommonWordsFile's or
// ReadCommonWordsFile's status): a folder, pipe or device named as such,
// otherwise the system's description of the error.
Notice CommonWordsFileUnreadable(const std::string& path, const Status& status);
// "Five common words loaded from PATH"; "One common word ..."; numbers from
// 100 on as digits grouped by group.
std::string CommonWordsLoadedText(std::size_t n, const std::string& path, const DigitGrouping& group = GroupDigits);

// A character in the words to ignore that no word may hold (c as
// FirstCharacterNotAllowed found it, Windows-1252): "currently set as" is
// left out for a character no setting allows.
std::string CharacterNotAllowedText(char c);
// The same for a character of the Unicode mode (FirstUnicodeCharacterNotAllowed's).
std::string UnicodeCharacterNotAllowedText(char32_t cp);

}  // namespace kwl
