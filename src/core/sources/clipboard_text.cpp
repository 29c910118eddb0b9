#include "sources/clipboard_text.h"

#include <cerrno>
#include <new>

#include "text/cp1252.h"
#include "text/unicode_text.h"

namespace kwl {

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    std::size_t len = 1;
    std::size_t add = 1;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      add = 2;  // a surrogate pair
    }
    bool wellFormed = i + len <= utf8.size();
    for (std::size_t k = 1; wellFormed && k < len; ++k)
      wellFormed = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
    if (!wellFormed) {
      len = 1;
      add = 1;
    }
    units += add;
    i += len;
  }
  return units;
}

Status CheckClipboardText(std::string_view utf8, std::int64_t maxCharacters, std::size_t& characters) {
  characters = Utf16Length(utf8);
  if (utf8.empty()) return Status::Failure(Status::Kind::kEmpty, 0, {});
  if (characters > static_cast<std::size_t>(maxCharacters)) return Status::Failure(Status::Kind::kTooBig, 0, {});
  return {};
}

bool IsPlainText(std::string_view text, std::int64_t limit, bool allowWhiteSpace) {
  std::int64_t examined = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) == 0x80) continue;  // inside a multi-byte character
    if (limit > 0 && examined >= limit) break;
    examined += c >= 0xF0 ? 2 : 1;
    if (c >= 32) continue;
    if (!allowWhiteSpace) return false;
    if (c != 9 && c != 10 && c != 12 && c != 13) return false;
  }
  return true;
}

ClipboardTextSource::ClipboardTextSource(std::string_view utf8, bool lowerCase)
    : text_(utf8), lowerCase_(lowerCase), total_(static_cast<std::int64_t>(Utf16Length(utf8))) {}

bool ClipboardTextSource::Next(std::string& line) {
  if (done_ || !status_.Ok()) return false;
  try {
    if (unicode_) {
      line.assign(text_);
      unicode::MakeValidUtf8(line);
    } else {
      line = lowerCase_ ? cp1252::FromUtf8LowerCased(text_) : cp1252::FromUtf8(text_);
    }
    line += ' ';
  } catch (const std::bad_alloc&) {
    status_ = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, {});
    return false;
  }
  done_ = true;
  return true;
}

}  // namespace kwl
