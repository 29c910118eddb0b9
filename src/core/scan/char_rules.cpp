#include "scan/char_rules.h"

namespace kwl::scan {

bool IsWordChar(unsigned char c, bool allowDigits, std::string_view set) {
  if (IsLetterCode(c)) return true;
  if (allowDigits && c >= '0' && c <= '9') return true;
  return set.find(static_cast<char>(c)) != std::string_view::npos;
}

void ByteClasses::SetCharacters(std::string_view allowedExtra, std::string_view prohibited) {
  for (int c = 0; c < 256; ++c) {
    const auto u = static_cast<unsigned char>(c);
    const bool wordChar = IsWordChar(u, false, allowedExtra);
    const bool strip = prohibited.find(static_cast<char>(u)) != std::string_view::npos;
    const bool wordStart = wordChar && (IsLetterCode(u) || !strip);
    bits[u] = static_cast<std::uint8_t>((bits[u] & kMarkerFirst) | (wordChar ? kWordChar : 0) |
                                        (wordStart ? kWordStart : 0) | (strip ? kFinalStrip : 0));
  }
}

void ByteClasses::SetMarkerFirsts(std::string_view firsts) {
  for (auto& b : bits) b = static_cast<std::uint8_t>(b & ~kMarkerFirst);
  for (const char f : firsts) {
    const auto c = static_cast<unsigned char>(f);
    bits[c] |= kMarkerFirst;
    // Markers are matched ignoring ASCII case.
    if (c >= 'A' && c <= 'Z') bits[c + 32U] |= kMarkerFirst;
    if (c >= 'a' && c <= 'z') bits[c - 32U] |= kMarkerFirst;
  }
}

}  // namespace kwl::scan
