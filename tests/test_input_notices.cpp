// The messages about an input that the window and kestrawl-count share, as values.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "sources/input_notices.h"

namespace kwl {
namespace {

using Kind = Status::Kind;

TEST(InputNotices, RefusalsOfAChosenInputFile) {
  const struct {
    Status status;
    const char* title;  // nullptr: no refusal
    const char* text;
  } cases[] = {
      {Status{}, nullptr, ""},
      {Status::Failure(Kind::kNotFound, ENOENT, "/x"), "File not found", "Input file does not exist."},
      {Status::Failure(Kind::kOpenFailed, EACCES, "/x"), "Cannot open file", "Input file cannot be opened: Permission denied."},
      {Status::Failure(Kind::kNotRegular, EISDIR, "/x", "a folder"), "Not a file", "Input file is a folder."},
      {Status::Failure(Kind::kNotRegular, 0, "/x", "a special file"), "Not a file", "Input file is not a regular file."},
      {Status::Failure(Kind::kEmpty, 0, "/x"), "Empty file", "Input file is zero-length."},
  };
  for (const auto& c : cases) {
    const std::optional<Notice> refusal = InputFileRefusal(c.status);
    ASSERT_EQ(refusal.has_value(), c.title != nullptr) << c.text;
    if (!refusal) continue;
    EXPECT_EQ(refusal->title, c.title);
    EXPECT_EQ(refusal->text, c.text);
  }
}

TEST(InputNotices, TheTextFileCheckByClass) {
  const struct {
    int fileClass;
    int binaryShare;
    bool accepted;
    const char* title;  // nullptr: no notice
    const char* text;
  } cases[] = {
      {1, 0, true, nullptr, ""},
      {2, 0, true, nullptr, ""},
      {3, 0, true, "This is a Mac-style text file",
       "File /t\r\nhas Macintosh-type line endings (CR).\r\nYou might wish to use a program such as Notepad++\r\n"
       "to convert the line endings to Windows-type (CR+LF)."},
      {6, 0, false, "Fatal error", "File /t\r\nis an RTF file."},
      {-3, 0, false, "Fatal error", "File /t\r\n cannot be opened (permission denied)."},
      {-2, 0, false, "Fatal error", "File /t is zero-length."},
      {0, 20, false, "Not a text file", "/t\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt appears to be a binary file."},
      {5, 0, false, nullptr, ""},
  };
  for (const auto& c : cases) {
    TextFileInspection info;
    info.fileClass = c.fileClass;
    info.sample.binaryShare = c.binaryShare;
    info.size = 200000;
    const TextFileVerdict verdict = JudgeTextFile("/t", info);
    EXPECT_EQ(verdict.accepted, c.accepted) << c.fileClass;
    ASSERT_EQ(verdict.notice.has_value(), c.title != nullptr) << c.fileClass;
    if (!verdict.notice) continue;
    EXPECT_EQ(verdict.notice->title, c.title);
    EXPECT_EQ(verdict.notice->text, c.text);
  }
}

TEST(InputNotices, DocxClipboardAndCommonWords) {
  const struct {
    Status status;
    int number;
    const char* text;
  } bodies[] = {
      {Status::Failure(Kind::kNotFound, 0, "/d.docx"), 53, "File not found: word/document.xml"},
      {Status::Failure(Kind::kOpenFailed, ENOENT, "/d.docx"), 53,
       "The file /d.docx has no document text (word/document.xml is missing): it is not a 'docx' document."},
      {Status::Failure(Kind::kBadPackage, 0, "/d.docx", "Not a zip archive"), 321,
       "The file /d.docx cannot be read as a 'docx' package: Not a zip archive."},
      {Status::Failure(Kind::kWriteFailed, EACCES, "/d.docx"), 70,
       "Permission denied when extracting word/document.xml from /d.docx"},
  };
  for (const auto& b : bodies) {
    const RunError e = DocxBodyError(b.status, "/d.docx");
    EXPECT_EQ(e.Number(), b.number) << b.text;
    EXPECT_EQ(e.Description(), b.text);
  }
  DocxDocument doc;
  doc.status = Status::Failure(Kind::kOpenFailed, EACCES, "/d.docx");
  EXPECT_EQ(DescribeDocxFailure(doc, "/d.docx").notice->text, "Unable to create temporary folder.");
  doc.status = Status::Failure(Kind::kNotFound, 0, "/d.docx");
  EXPECT_EQ(DescribeDocxFailure(doc, "/d.docx").error->Number(), 53);
  doc.bodyExtracted = true;
  doc.status = Status::Failure(Kind::kReadFailed, EIO, "/x.xml");
  EXPECT_EQ(DescribeDocxFailure(doc, "/d.docx").notice->text, std::string(std::strerror(EIO)) + " when processing \r\n/d.docx");
  EXPECT_EQ(SevenBitOnlyConflict(true).text,
            "Scanning a 'docx' file is not compatible with\r\nallowing only 7-bit ASCII characters.");
  EXPECT_EQ(Utf8OrAnsiQuestion(true),
            "This file seems to be UTF-8 encoded.\r\nClick 'Yes' to scan it as UTF-8 encoded or 'No' to scan it as ANSI.");
  EXPECT_EQ(RunErrorReport(53, "File not found", "DoIt"), "At DoIt error #53.\r\nDescription: File not found");
  EXPECT_EQ(ClipboardTextRefusal(Status{}, 5), std::nullopt);
  EXPECT_EQ(ClipboardTextRefusal(Status::Failure(Kind::kEmpty, 0, {}), 0)->text, "Clipboard is empty.");
  EXPECT_EQ(ClipboardTextRefusal(Status::Failure(Kind::kTooBig, 0, {}), 123456)->text,
            "There are 123,456 characters in the text on the clipboard.\r\nThe maximum permitted is 100,000.  "
            "If possible,\r\ncount word frequencies for this text using an input file.");
  EXPECT_EQ(CommonWordsFileUnreadable("/c", Status::Failure(Kind::kNotRegular, 0, "/c", "a named pipe")).text,
            "File /c\r\ncannot be read: it is a named pipe");
  EXPECT_EQ(CommonWordsLoadedText(1, "/c"), "One common word loaded from /c");
  EXPECT_EQ(CommonWordsLoadedText(1234, "/c"), "1,234 common words loaded from /c");
  EXPECT_EQ(CharacterNotAllowedText('-'),
            "The character - occurs in some word to ignore\r\nbut is not currently set as a character allowed in a word.");
  EXPECT_EQ(CharacterNotAllowedText('+'),
            "The character + occurs in some word to ignore\r\nbut is not a character allowed in a word.");
}

}  // namespace
}  // namespace kwl
