#pragma once
// The text of a DOCX document: its body part word/document.xml is taken out
// of the package into a folder, its text runs become text pieces, and the
// pieces are read as lines like any other text. Questions about a package
// (a failed checksum, a large body) are the caller's: the results here say
// what it needs to ask them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "count/line_source.h"
#include "files/status.h"

namespace kwl {

inline constexpr std::string_view kDocxBodyPart = "word/document.xml";

// What ExtractDocxBody did.
struct DocxBody {
  // kOk; kTooBig: the part is larger than the limit, by the package's
  // directory or in fact (nothing is left behind); kBadPackage: err ENOENT
  // when the package has no body part, otherwise detail has libzip's
  // description (not a zip package, truncated, encrypted, unreadable);
  // kWriteFailed (err): the part could not be written into the folder;
  // kNotFound: the written part is gone.
  Status status;
  std::string xmlPath;   // folder + word/document.xml
  std::int64_t size = 0;  // its size in bytes
  // The part's data does not match its checksum. It was written in full,
  // and the caller decides whether to read it anyway.
  bool checksumFailed = false;
};

// Takes word/document.xml of the package docxPath out to folder (ending
// with "/") + word/document.xml, at most maxBytes of it.
DocxBody ExtractDocxBody(const std::string& docxPath, const std::string& folder, std::int64_t maxBytes);

// Follows the extraction of text pieces, which takes a while for a large
// document, and may stop it.
class DocxPieceObserver {
 public:
  virtual ~DocxPieceObserver() = default;
  // Asked before each text run ("<w:t") is taken; false stops the extraction.
  virtual bool GoOn() = 0;
  // A piece was taken: its number (from 1), the 1-based search position it
  // was found from, and the XML's length.
  virtual void Piece(const std::string& piece, std::int32_t number, std::int64_t position, std::int64_t length) = 0;
  // A text run, with or without text, has been dealt with.
  virtual void RunDone() = 0;
};

struct DocxPieces {
  // In document order; one empty piece when there is no text run.
  std::vector<std::string> pieces{std::string()};
  std::int64_t size = 0;    // the total length of the pieces
  std::int32_t count = 0;   // the number of pieces; 0 when the observer stopped
  bool stopped = false;
};

// The text pieces of a body part, from the 1-based position start on. A
// piece is the content of one text run after its start tag (a blank for an
// empty run), with &amp; &lt; &gt; replaced and its UTF-8 decoded to
// Windows-1252 (utf8_repair.h); a line break or paragraph end before the
// next run adds a blank, keeping the words on its two sides apart. With utf8
// (words in every script) the pieces stay UTF-8 instead, a malformed byte
// replaced by U+FFFD.
DocxPieces ExtractDocxPieces(std::string_view xml, std::int64_t start, DocxPieceObserver* observer = nullptr,
                             bool utf8 = false);

// The pieces as one text: each piece as it is, with a line end (CR LF)
// after a piece that ends with "." (trailing blanks aside).
std::string DocxTextOf(const std::vector<std::string>& pieces);

// The lines of DocxTextOf(pieces), ready for the scanner as a text file's
// lines are (TrimForScanning), but not decoded again. Progress counts the
// bytes of that text, line ends included.
class DocxTextSource : public LineSource {
 public:
  explicit DocxTextSource(const std::vector<std::string>& pieces);

  bool Next(std::string& line) override;
  std::int64_t Done() const override { return static_cast<std::int64_t>(pos_); }
  std::int64_t Total() const override { return static_cast<std::int64_t>(text_.size()); }
  std::int64_t LineNumber() const override { return lines_; }
  const Status& status() const override { return status_; }

 private:
  std::string text_;
  std::size_t pos_ = 0;
  std::int64_t lines_ = 0;
  Status status_;
};

}  // namespace kwl
