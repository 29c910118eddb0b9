#include "text/utf8_repair.h"

#include <cstring>

namespace kwl {
namespace {

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// One decoding pass for the lead byte `lead`: decode(c) gives the character
// that replaces the pair (lead, c), -1 to delete the pair, or -2 when the
// pair is not a sequence (the lead byte then stays). Every pair becomes at
// most one character, so the result is written over the line as it is read.
template <typename Decode>
void DecodePass(std::string& line, unsigned char lead, Decode decode) {
  char* const data = line.data();
  const std::size_t n = line.size();
  const void* first = std::memchr(data, lead, n);
  if (first == nullptr) return;
  std::size_t w = static_cast<std::size_t>(static_cast<const char*>(first) - data);
  std::size_t i = w;
  while (i < n) {
    const void* hit = std::memchr(data + i, lead, n - i);
    const std::size_t at = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : n;
    std::memmove(data + w, data + i, at - i);
    w += at - i;
    if (at + 1 >= n) {  // no lead byte left, or one standing last
      std::memmove(data + w, data + at, n - at);
      w += n - at;
      break;
    }
    const int c = decode(Byte(data[at + 1]));
    if (c == -2) {
      data[w++] = data[at];
      i = at + 1;
    } else {
      if (c >= 0) data[w++] = static_cast<char>(c);
      i = at + 2;
    }
  }
  line.resize(w);
}

// The replacement of the three-byte sequence E2 b1 b2, or null.
const char* Punctuation(unsigned char b1, unsigned char b2) {
  if (b1 == 0x94) return b2 == 0x80 ? " -- " : nullptr;
  if (b1 != 0x80) return nullptr;
  switch (b2) {
    case 0x98:
    case 0x99: return "'";
    case 0x9C:
    case 0x9D: return "\"";
    case 0x90: return "-";
    case 0x93: return "- ";
    case 0x94: return " -- ";
    case 0xA6: return "...";
    case 0xA2: return " . ";
    case 0x86: return " ... ";
    default: return nullptr;
  }
}

}  // namespace

void DecodeUtf8InPlace(std::string& line) {
  DecodePass(line, 0xC2, [](unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return -1;
    if (c >= 0xA0 && c <= 0xBF) return static_cast<int>(c);
    return -2;
  });
  DecodePass(line, 0xC3, [](unsigned char c) { return (c >= 0x80 && c <= 0xBF) ? static_cast<int>(c + 0x40) : -2; });
  DecodePass(line, 0xC4, [](unsigned char c) { return c == 0x8D ? static_cast<int>('c') : -2; });
}

void ReplaceUtf8PunctuationInPlace(std::string& line) {
  // No sequence of the table overlaps another or itself (only their first
  // byte is E2), and every replacement is plain ASCII, so the replacements
  // can be made in any order: those no longer than their sequence from left
  // to right, over the line as it is read; then, when some are longer, those
  // from right to left into the lengthened line.
  char* data = line.data();
  const std::size_t n = line.size();
  const void* first = std::memchr(data, 0xE2, n);
  if (first == nullptr) return;
  std::size_t w = static_cast<std::size_t>(static_cast<const char*>(first) - data);
  std::size_t i = w;
  std::size_t growth = 0;
  while (i < n) {
    const void* hit = std::memchr(data + i, 0xE2, n - i);
    const std::size_t at = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : n;
    std::memmove(data + w, data + i, at - i);
    w += at - i;
    if (at == n) break;
    const char* replacement = at + 2 < n ? Punctuation(Byte(data[at + 1]), Byte(data[at + 2])) : nullptr;
    const std::size_t length = replacement ? std::strlen(replacement) : 0;
    if (replacement == nullptr) {
      data[w++] = data[at];
      i = at + 1;
    } else if (length <= 3) {
      std::memcpy(data + w, replacement, length);
      w += length;
      i = at + 3;
    } else {  // kept for the second pass
      std::memmove(data + w, data + at, 3);
      w += 3;
      i = at + 3;
      growth += length - 3;
    }
  }
  line.resize(w + growth);
  if (growth == 0) return;
  data = line.data();
  std::size_t j = w;             // end of what is left to read
  std::size_t k = w + growth;    // end of what is left to write
  while (k > j) {
    const char* replacement =
        j >= 3 && Byte(data[j - 3]) == 0xE2 ? Punctuation(Byte(data[j - 2]), Byte(data[j - 1])) : nullptr;
    if (replacement != nullptr && std::strlen(replacement) > 3) {
      const std::size_t length = std::strlen(replacement);
      k -= length;
      std::memcpy(data + k, replacement, length);
      j -= 3;
    } else {
      data[--k] = data[--j];
    }
  }
}

std::string DecodeUtf8Line(std::string_view line) {
  std::string out(line);
  DecodeUtf8InPlace(out);
  return out;
}

std::string ReplaceUtf8Punctuation(std::string_view line) {
  std::string out(line);
  ReplaceUtf8PunctuationInPlace(out);
  return out;
}

}  // namespace kwl
