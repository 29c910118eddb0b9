#pragma once
// A DOCX document's text in one call: the body part is taken out into a
// private temporary folder, read, and the folder removed before the text
// pieces are extracted from it.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "files/status.h"
#include "sources/docx_text.h"

namespace kwl {

// A folder of the program's own in the system's temporary folder ($TMPDIR,
// else /tmp): made by mkdtemp (mode 0700, a name nobody can predict) and
// registered with tempcleanup, so that a signal removes it too. Move-only;
// the destructor removes it with everything in it.
class PrivateTempFolder {
 public:
  PrivateTempFolder() = default;
  ~PrivateTempFolder() noexcept { Remove(); }
  PrivateTempFolder(PrivateTempFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
  PrivateTempFolder& operator=(PrivateTempFolder&& other) noexcept;
  PrivateTempFolder(const PrivateTempFolder&) = delete;
  PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

  // Makes the folder; on failure an empty object and err holds errno.
  static PrivateTempFolder Create(int& err);
  bool Made() const { return !path_.empty(); }
  // The folder's path, ending with "/".
  const std::string& Path() const { return path_; }
  void Remove() noexcept;
  // Gives the folder up without removing it (it stays registered, so a
  // signal or the exit still removes it) and returns its path.
  std::string Release() noexcept {
    std::string path = std::move(path_);
    path_.clear();
    return path;
  }

 private:
  std::string path_;
};

struct DocxDocument {
  // Ok, or why the text is missing. Before bodyExtracted: kOpenFailed (err)
  // when no temporary folder could be made, else ExtractDocxBody's status,
  // or kStopped when proceed said no. After it: the failure to read the
  // extracted part (ReadWholeFile's status).
  Status status;
  bool bodyExtracted = false;
  DocxBody body;  // what the extraction reported (its paths are gone afterwards)
  std::vector<std::string> pieces;
};

// Takes word/document.xml of the package out (at most maxXmlBytes of it),
// asks proceed (when given) whether to read it, with what the extraction
// reported whatever it was, reads it, removes the folder and extracts the
// text pieces (ExtractDocxPieces from position 1, with the observer; utf8:
// the pieces as UTF-8, for words in every script).
DocxDocument ReadDocxDocument(const std::string& docxPath, std::int64_t maxXmlBytes,
                              const std::function<bool(const DocxBody&)>& proceed = {},
                              DocxPieceObserver* observer = nullptr, bool utf8 = false);

}  // namespace kwl
