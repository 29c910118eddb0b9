#include "text/utf8_measure.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace kwl {
namespace {

int Columns(UChar32 c) {
  if (c < 0) return 1;  // malformed: shown as one replacement character
  switch (u_charType(c)) {
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_FORMAT_CHAR:
      return 0;
    default:
      break;
  }
  const auto width = static_cast<UEastAsianWidth>(u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH));
  return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

}  // namespace

int Utf8Characters(std::string_view utf8) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const auto length = static_cast<std::int32_t>(utf8.size());
  int n = 0;
  for (std::int32_t i = 0; i < length; ++n) {
    if (s[i] < 0x80) {  // ASCII: one byte, one character
      ++i;
      continue;
    }
    UChar32 c;
    U8_NEXT(s, i, length, c);
  }
  return n;
}

int DisplayWidth(std::string_view utf8) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const auto length = static_cast<std::int32_t>(utf8.size());
  int columns = 0;
  for (std::int32_t i = 0; i < length;) {
    if (s[i] < 0x80) {
      // ASCII control characters do not occur in words; every other ASCII
      // character takes one column.
      ++i;
      ++columns;
      continue;
    }
    UChar32 c;
    U8_NEXT(s, i, length, c);
    columns += Columns(c);
  }
  return columns;
}

}  // namespace kwl
