#include "sources/docx_document.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "files/paths.h"
#include "files/regular_file.h"
#include "files/temp_cleanup.h"

namespace kwl {

PrivateTempFolder& PrivateTempFolder::operator=(PrivateTempFolder&& other) noexcept {
  if (this != &other) {
    Remove();
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

PrivateTempFolder PrivateTempFolder::Create(int& err) {
  err = 0;
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = JoinPath(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp", "kestrawl-XXXXXX");
  PrivateTempFolder made;
  if (::mkdtemp(folder.data()) == nullptr) {
    err = errno;
    return made;
  }
  if (!tempcleanup::Register(folder)) {
    std::error_code ec;
    std::filesystem::remove(folder, ec);
    err = ENAMETOOLONG;
    return made;
  }
  made.path_ = folder + "/";
  return made;
}

void PrivateTempFolder::Remove() noexcept {
  if (path_.empty()) return;
  const std::string folder = path_.substr(0, path_.size() - 1);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  // One that cannot be removed now goes at exit.
  if (!ec) tempcleanup::Forget(folder);
  path_.clear();
}

DocxDocument ReadDocxDocument(const std::string& docxPath, std::int64_t maxXmlBytes,
                              const std::function<bool(const DocxBody&)>& proceed, DocxPieceObserver* observer,
                              bool utf8) {
  DocxDocument doc;
  std::string xml;
  {
    int err = 0;
    PrivateTempFolder folder = PrivateTempFolder::Create(err);
    if (!folder.Made()) {
      doc.status = Status::Failure(Status::Kind::kOpenFailed, err, docxPath);
      return doc;
    }
    doc.body = ExtractDocxBody(docxPath, folder.Path(), maxXmlBytes);
    if (proceed && !proceed(doc.body)) {
      doc.status = Status::Failure(Status::Kind::kStopped, 0, docxPath);
      return doc;
    }
    if (!doc.body.status.Ok()) {
      doc.status = doc.body.status;
      return doc;
    }
    doc.bodyExtracted = true;
    doc.status = ReadWholeFile(doc.body.xmlPath, xml);
    if (!doc.status.Ok()) return doc;
  }
  DocxPieces pieces = ExtractDocxPieces(xml, 1, observer, utf8);
  if (pieces.stopped) {
    doc.status = Status::Failure(Status::Kind::kStopped, 0, docxPath);
    return doc;
  }
  doc.pieces = std::move(pieces.pieces);
  return doc;
}

}  // namespace kwl
