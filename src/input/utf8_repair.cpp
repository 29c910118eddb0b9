#include "input/utf8_repair.h"

#include <cstring>

namespace kwl {
namespace {

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// One decoding pass for the lead byte `lead`: decode(c) gives the character
// that replaces the pair (lead, c), -1 to delete the pair, or -2 when the
// pair is not a sequence (the lead byte then stays).
template <typename Decode>
std::string DecodePass(std::string_view line, unsigned char lead, Decode decode) {
  if (std::memchr(line.data(), lead, line.size()) == nullptr) return std::string(line);
  std::string out;
  out.reserve(line.size());
  std::size_t i = 0;
  while (i < line.size()) {
    const void* hit = std::memchr(line.data() + i, lead, line.size() - i);
    const std::size_t at = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - line.data()) : line.size();
    out.append(line, i, at - i);
    if (at + 1 >= line.size()) {  // no lead byte left, or one standing last
      out.append(line, at, line.size() - at);
      break;
    }
    const int c = decode(Byte(line[at + 1]));
    if (c == -2) {
      out += line[at];
      i = at + 1;
    } else {
      if (c >= 0) out += static_cast<char>(c);
      i = at + 2;
    }
  }
  return out;
}

}  // namespace

std::string DecodeUtf8Line(std::string_view line) {
  std::string pass1 = DecodePass(line, 0xC2, [](unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return -1;
    if (c >= 0xA0 && c <= 0xBF) return static_cast<int>(c);
    return -2;
  });
  std::string pass2 = DecodePass(pass1, 0xC3, [](unsigned char c) {
    return (c >= 0x80 && c <= 0xBF) ? static_cast<int>(c + 0x40) : -2;
  });
  return DecodePass(pass2, 0xC4, [](unsigned char c) { return c == 0x8D ? static_cast<int>('c') : -2; });
}

std::string ReplaceUtf8Punctuation(std::string_view line) {
  // No sequence of the table overlaps another or itself, and every
  // replacement is plain ASCII, so one left-to-right pass replaces exactly
  // what replacing each sequence in turn over the whole line would.
  if (std::memchr(line.data(), 0xE2, line.size()) == nullptr) return std::string(line);
  std::string out;
  out.reserve(line.size() + line.size() / 8);
  std::size_t i = 0;
  while (i < line.size()) {
    const void* hit = std::memchr(line.data() + i, 0xE2, line.size() - i);
    if (hit == nullptr) {
      out.append(line, i, std::string_view::npos);
      break;
    }
    const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - line.data());
    out.append(line, i, at - i);
    const char* replacement = nullptr;
    if (at + 2 < line.size()) {
      const unsigned char b1 = Byte(line[at + 1]);
      const unsigned char b2 = Byte(line[at + 2]);
      if (b1 == 0x80) {
        switch (b2) {
          case 0x98:
          case 0x99: replacement = "'"; break;
          case 0x9C:
          case 0x9D: replacement = "\""; break;
          case 0x90: replacement = "-"; break;
          case 0x93: replacement = "- "; break;
          case 0x94: replacement = " -- "; break;
          case 0xA6: replacement = "..."; break;
          case 0xA2: replacement = " . "; break;
          case 0x86: replacement = " ... "; break;
          default: break;
        }
      } else if (b1 == 0x94 && b2 == 0x80) {
        replacement = " -- ";
      }
    }
    if (replacement) {
      out += replacement;
      i = at + 3;
    } else {
      out += line[at];
      i = at + 1;
    }
  }
  return out;
}

}  // namespace kwl
