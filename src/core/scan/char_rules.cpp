#include "scan/char_rules.h"

namespace kwl::scan {

bool IsLetterCode(unsigned char c) {
  return (c >= 65 && c <= 90) || (c >= 97 && c <= 122) || (c >= 192 && c <= 214) ||
         (c >= 216 && c <= 246) || c >= 248;
}

bool IsTableLetter(unsigned char c) {
  return IsLetterCode(c) || c == 0x8A || c == 0x8C || c == 0x9F || c == 0x9A || c == 0x9C;
}

bool IsWordChar(unsigned char c, bool allowDigits, std::string_view set) {
  if (IsLetterCode(c)) return true;
  if (allowDigits && c >= '0' && c <= '9') return true;
  return set.find(static_cast<char>(c)) != std::string_view::npos;
}

void WordCharTable::Build(std::string_view allowedExtra, std::string_view prohibited) {
  for (int c = 0; c < 256; ++c) {
    const auto u = static_cast<unsigned char>(c);
    wordChar[u] = IsWordChar(u, false, allowedExtra);
    wordStart[u] = wordChar[u] && (IsLetterCode(u) || prohibited.find(static_cast<char>(u)) == std::string_view::npos);
  }
}

}  // namespace kwl::scan
