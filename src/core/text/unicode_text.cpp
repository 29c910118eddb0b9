#include "text/unicode_text.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>

namespace kwl::unicode {

char32_t Next(std::string_view text, std::size_t& i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int length = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  char32_t cp = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
    cp = c & 0x1FU;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    cp = c & 0x0FU;
    if (c == 0xE0) lo = 0xA0;  // no overlong forms
    if (c == 0xED) hi = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    cp = c & 0x07U;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    ++i;
    return kReplacement;
  }
  if (text.size() - i < static_cast<std::size_t>(length)) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k < length; ++k) {
    const auto f = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if (f < (k == 1 ? lo : 0x80) || f > (k == 1 ? hi : 0xBF)) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (f & 0x3FU);
  }
  i += static_cast<std::size_t>(length);
  return cp;
}

std::size_t PreviousStart(std::string_view text, std::size_t end) {
  // At most three continuation bytes belong to one character; the decoding
  // from the found start must end exactly at end, or the last byte stands
  // alone (a malformed byte).
  std::size_t start = end - 1;
  while (start > 0 && end - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0U) == 0x80) --start;
  std::size_t i = start;
  Next(text, i);
  return i == end ? start : end - 1;
}

void Append(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t at = i;
    if (Next(text, i) == kReplacement && i == at + 1) return false;
  }
  return true;
}

void MakeValidUtf8(std::string& text) {
  if (IsValidUtf8(text)) return;
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t at = i;
    const char32_t cp = Next(text, i);
    if (cp == kReplacement && i == at + 1) {
      Append(kReplacement, out);
    } else {
      out.append(text, at, i - at);
    }
  }
  text.swap(out);
}

void AppendUtf16(std::string_view bytes, bool bigEndian, std::string& out) {
  const std::size_t units = bytes.size() / 2;
  const auto unit = [&](std::size_t k) {
    const auto a = static_cast<unsigned char>(bytes[2 * k]);
    const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  for (std::size_t k = 0; k < units; ++k) {
    const char32_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
      const char32_t low = unit(k + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        Append(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00), out);
        ++k;
        continue;
      }
    }
    Append(u >= 0xD800 && u <= 0xDFFF ? kReplacement : u, out);
  }
  if (bytes.size() % 2 != 0) Append(kReplacement, out);
}

CharKind KindOf(char32_t cp) {
  const auto mask = U_GET_GC_MASK(static_cast<UChar32>(cp));
  if ((mask & U_GC_L_MASK) != 0) return CharKind::kLetter;
  if ((mask & U_GC_M_MASK) != 0) return CharKind::kMark;
  if ((mask & U_GC_ND_MASK) != 0) return CharKind::kDigit;
  return CharKind::kOther;
}

namespace {

bool IsNoSpaceScript(UScriptCode script) {
  switch (script) {
    case USCRIPT_HAN:
    case USCRIPT_HIRAGANA:
    case USCRIPT_KATAKANA:
    case USCRIPT_KATAKANA_OR_HIRAGANA:
    case USCRIPT_THAI:
    case USCRIPT_LAO:
    case USCRIPT_KHMER:
    case USCRIPT_MYANMAR:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool IsNoSpaceLetter(char32_t cp) {
  if (cp < 0x0E00) return false;  // below Thai: no such script
  UErrorCode err = U_ZERO_ERROR;
  const auto c = static_cast<UChar32>(cp);
  const UScriptCode script = uscript_getScript(c, &err);
  if (IsNoSpaceScript(script)) return true;
  if (script != USCRIPT_COMMON && script != USCRIPT_INHERITED) return false;
  // A character shared by scripts (the prolonged sound mark, the iteration
  // marks) belongs to a run of the scripts it is used with.
  for (UScriptCode s : {USCRIPT_HAN, USCRIPT_HIRAGANA, USCRIPT_KATAKANA, USCRIPT_THAI, USCRIPT_LAO, USCRIPT_KHMER,
                        USCRIPT_MYANMAR})
    if (uscript_hasScript(c, s)) return true;
  return false;
}

bool IsLatinWord(std::string_view word) {
  std::size_t i = 0;
  while (i < word.size()) {
    if (static_cast<unsigned char>(word[i]) < 0x80) {
      ++i;
      continue;
    }
    const char32_t cp = Next(word, i);
    if (KindOf(cp) != CharKind::kLetter) continue;
    UErrorCode err = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(static_cast<UChar32>(cp), &err);
    if (script != USCRIPT_LATIN && script != USCRIPT_COMMON && script != USCRIPT_INHERITED) return false;
  }
  return true;
}

std::size_t Length(std::string_view utf8) {
  std::size_t n = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      ++i;
    } else {
      Next(utf8, i);
    }
    ++n;
  }
  return n;
}

void FoldAndCompose(std::string_view word, bool fold, std::string& out) {
  out.clear();
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(word.data(), static_cast<int32_t>(word.size())));
  if (fold) text.foldCase(U_FOLD_CASE_DEFAULT);
  UErrorCode err = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(err);
  if (U_SUCCESS(err) && nfc->quickCheck(text, err) != UNORM_YES) {
    err = U_ZERO_ERROR;
    icu::UnicodeString composed = nfc->normalize(text, err);
    if (U_SUCCESS(err)) text = std::move(composed);
  }
  text.toUTF8String(out);
}

}  // namespace kwl::unicode
