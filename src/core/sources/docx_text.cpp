#include "sources/docx_text.h"

#include <cerrno>
#include <new>

#include "files/paths.h"
#include "sources/line_reader.h"
#include "sources/zip_entry.h"
#include "text/unicode_text.h"
#include "text/utf8_repair.h"

namespace kwl {
namespace {

// Every "from" replaced by "to" in one pass from left to right; the
// replacement text is not searched again.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::size_t hit = text.find(from);
  if (hit == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (hit != std::string_view::npos) {
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
    hit = text.find(from, pos);
  }
  out.append(text.substr(pos));
  return out;
}

// The piece of one text run: the run's content after its start tag, a blank
// for an empty run, the three entities replaced in order, UTF-8 repaired
// (or, for words in every script, kept as UTF-8, malformed bytes as U+FFFD).
std::string MakePiece(std::string_view raw, bool utf8) {
  const auto gt = raw.find('>');
  if (gt != std::string_view::npos) raw.remove_prefix(gt + 1);
  if (raw.find_first_not_of(' ') == std::string_view::npos) return " ";
  std::string piece = ReplaceAll(raw, "&amp;", "&");
  piece = ReplaceAll(piece, "&lt;", "<");
  piece = ReplaceAll(piece, "&gt;", ">");
  if (utf8) {
    unicode::MakeValidUtf8(piece);
    return piece;
  }
  return ReplaceUtf8Punctuation(DecodeUtf8Line(piece));
}

}  // namespace

DocxBody ExtractDocxBody(const std::string& docxPath, const std::string& folder, std::int64_t maxBytes) {
  using Kind = Status::Kind;
  DocxBody body;
  const std::string part(kDocxBodyPart);
  const zipentry::ExtractResult result = zipentry::ExtractEntry(docxPath, part, folder, maxBytes);
  switch (result.status) {
    case zipentry::kOk:
      break;
    case zipentry::kChecksumFailed:
      body.checksumFailed = true;
      break;
    case zipentry::kTooBig:
      body.status = Status::Failure(Kind::kTooBig, 0, docxPath, result.description);
      return body;
    case zipentry::kWriteFailed:
      body.status = Status::Failure(Kind::kWriteFailed, result.systemError != 0 ? result.systemError : EIO,
                                    folder + part, result.description);
      return body;
    case zipentry::kEntryMissing:
      body.status = Status::Failure(Kind::kBadPackage, ENOENT, docxPath, result.description);
      return body;
    default:
      body.status = Status::Failure(Kind::kBadPackage, 0, docxPath, result.description);
      return body;
  }
  body.xmlPath = folder + part;
  body.size = FileLength(body.xmlPath);
  if (body.size < 0) {
    body.status = Status::Failure(Kind::kNotFound, ENOENT, body.xmlPath);
  } else if (body.size > maxBytes) {
    body.status = Status::Failure(Kind::kTooBig, 0, docxPath);
  }
  return body;
}

DocxPieces ExtractDocxPieces(std::string_view xml, std::int64_t start, DocxPieceObserver* observer, bool utf8) {
  constexpr std::string_view kRunStart = "<w:t";
  constexpr std::string_view kRunEnd = "</w:t>";
  constexpr std::size_t npos = std::string_view::npos;

  DocxPieces out;
  const std::size_t length = xml.size();
  // Each search starts where the last one ended, and the end tag and the
  // next start tag are remembered, so the text is walked once.
  std::size_t a = start > 0 ? static_cast<std::size_t>(start - 1) : 0;
  std::size_t end = npos;
  bool endKnown = false;
  std::size_t nextStart = npos;
  std::size_t nextStartFrom = npos;

  while (a < length) {
    const std::size_t d = (nextStartFrom == a) ? nextStart : xml.find(kRunStart, a);
    if (d == npos) return out;
    if (observer != nullptr && !observer->GoOn()) {
      out.count = 0;
      out.stopped = true;
      return out;
    }
    if (!endKnown || (end != npos && end < a)) {
      end = xml.find(kRunEnd, a);
      endKnown = true;
    }
    if (end == npos || end < d) return out;

    // "<w:tab/>", "<w:tbl>", "<w:tc>" ...: another element, not a text run.
    const char after = d + 4 < length ? xml[d + 4] : '\0';
    if (after != '>' && after != ' ') {
      a = d + 4;
      continue;
    }

    const std::size_t e = end;
    if (d + 4 < e) {
      std::string raw(xml.substr(d + 4, e - (d + 4)));
      // A line break or paragraph end before the next run keeps the words
      // on its two sides apart.
      const std::size_t following = e + kRunEnd.size();
      nextStart = xml.find(kRunStart, following);
      nextStartFrom = following;
      if (nextStart != npos) {
        const std::string_view between = xml.substr(following, nextStart - following);
        if (between.find("<w:br/>") != npos || between.find("</w:p>") != npos) raw += ' ';
      }
      std::string piece = MakePiece(raw, utf8);
      out.size += static_cast<std::int64_t>(piece.size());
      ++out.count;
      if (observer != nullptr)
        observer->Piece(piece, out.count, static_cast<std::int64_t>(a + 1), static_cast<std::int64_t>(length));
      if (out.count == 1) {
        out.pieces[0] = std::move(piece);
      } else {
        out.pieces.push_back(std::move(piece));
      }
    }
    a = e + kRunEnd.size();
    if (observer != nullptr) observer->RunDone();
  }
  return out;
}

std::string DocxTextOf(const std::vector<std::string>& pieces) {
  std::string text;
  for (const std::string& piece : pieces) {
    text += piece;
    const auto last = piece.find_last_not_of(' ');
    if (last != std::string::npos && piece[last] == '.') text += "\r\n";
  }
  return text;
}

DocxTextSource::DocxTextSource(const std::vector<std::string>& pieces) {
  try {
    text_ = DocxTextOf(pieces);
  } catch (const std::bad_alloc&) {
    status_ = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, {});
  }
}

bool DocxTextSource::Next(std::string& line) {
  if (!status_.Ok()) return false;
  try {
    while (pos_ < text_.size()) {
      // A line ends at CR LF, at CR or at a lone LF, as a text file's do.
      std::size_t end = text_.find_first_of("\r\n", pos_);
      if (end == std::string::npos) end = text_.size();
      line.assign(text_, pos_, end - pos_);
      pos_ = end;
      ++lines_;
      if (pos_ < text_.size() && text_[pos_++] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
      if (TrimForScanning(line)) return true;
    }
  } catch (const std::bad_alloc&) {
    status_ = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, {});
  }
  return false;
}

}  // namespace kwl
