#include "sources/input_file.h"

#include <memory>
#include <utility>
#include <vector>

#include "count/limits.h"
#include "files/paths.h"
#include "files/run_error.h"
#include "sources/docx_document.h"
#include "sources/docx_text.h"
#include "sources/encoding.h"
#include "sources/input_notices.h"
#include "sources/text_file_source.h"
#include "sources/utf16_file_source.h"

namespace kwl {

namespace {

FileMessage MessageOf(Notice notice) { return {std::move(notice.title), std::move(notice.text)}; }

FileMessage RunErrorMessage(const RunError& e, const std::string& procedure) {
  return {"Warning", RunErrorReport(e.Number(), e.Description(), procedure)};
}

// The text pieces of a DOCX document as the source, or the refusal.
void OpenDocx(const std::string& path, OpenedFile& file, bool unicode) {
  const auto proceed = [&](const DocxBody& body) {
    if (body.checksumFailed) file.messages.push_back({"", DocxChecksumQuestion(path)});
    if (body.status.Ok() && body.size > kDocxWarnSize) file.messages.push_back({"Big file", DocxBigFileQuestion(path)});
    return true;
  };
  DocxDocument doc = ReadDocxDocument(path, kDocxMaxSize, proceed, nullptr, unicode);
  if (!doc.status.Ok()) {
    const DocxFailure failure = DescribeDocxFailure(doc, path);
    if (failure.notice) file.messages.push_back(MessageOf(*failure.notice));
    if (failure.error) file.messages.push_back(RunErrorMessage(*failure.error, "DoIt"));
    return;
  }
  file.source = std::make_unique<DocxTextSource>(doc.pieces);
}

}  // namespace

OpenedFile OpenInputFile(const std::string& path, const InputFileChoice& choice) {
  OpenedFile file;
  const TextFileInspection info = InspectTextFile(path);
  if (const std::optional<Notice> refusal = InputFileRefusal(info.status)) {
    file.messages.push_back(MessageOf(*refusal));
    return file;
  }
  const std::string extension = Extension(path);
  file.markup = scan::MarkupKindFor(extension);
  if (extension == "docx") {
    if (!IsDocxFile(path)) {
      file.messages.push_back({"Warning", NotADocxText(path)});
      return file;
    }
    OpenDocx(path, file, choice.unicode);
    return file;
  }
  if (choice.unicode) {
    // UTF-16 with a byte-order mark; UTF-32 stays refused below.
    const int byteOrder = Utf16ByteOrder(path, info);
    if (byteOrder != 0) {
      auto source = std::make_unique<Utf16FileSource>(path, byteOrder == 2);
      if (!source->status().Ok()) {
        file.messages.push_back(RunErrorMessage(RunError::FromStatus(source->status()), "DoItFromFile"));
        return file;
      }
      file.source = std::move(source);
      return file;
    }
  }
  const TextFileVerdict verdict = JudgeTextFile(path, info);
  if (verdict.notice) file.messages.push_back(MessageOf(*verdict.notice));
  if (!verdict.accepted) return file;
  const bool detected = info.sample.utf8;
  const bool utf8 = choice.utf8.value_or(detected);
  if (utf8 && choice.only7bitAscii && !choice.unicode) {
    file.messages.push_back(MessageOf(SevenBitOnlyConflict(false)));
    return file;
  }
  if (choice.utf8 && *choice.utf8 != detected) file.messages.push_back({"UTF-8 or ANSI file?", Utf8OrAnsiQuestion(detected)});
  auto source = std::make_unique<TextFileSource>(path, utf8);
  source->SetUnicode(choice.unicode);
  if (!source->status().Ok()) {
    file.messages.push_back(RunErrorMessage(RunError::FromStatus(source->status()), "DoItFromFile"));
    return file;
  }
  file.source = std::move(source);
  return file;
}

}  // namespace kwl
