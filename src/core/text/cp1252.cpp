#include "text/cp1252.h"

#include <algorithm>
#include <array>

#include "text/unicode_text.h"

namespace kwl::cp1252 {
namespace {

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct RankTable {
  std::array<unsigned char, 256> rank{};
  RankTable() {
    std::array<int, 256> order{};
    for (int i = 0; i < 256; ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [](int a, int b) {
      return ToUnicode(static_cast<unsigned char>(a)) < ToUnicode(static_cast<unsigned char>(b));
    });
    for (int pos = 0; pos < 256; ++pos) rank[order[pos]] = static_cast<unsigned char>(pos);
  }
};

const RankTable& Ranks() {
  static const RankTable table;
  return table;
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when malformed.
std::size_t DecodeOne(std::string_view s, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) { cp = b0; return 1; }
  std::size_t len = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) { len = 2; cp = b0 & 0x1F; min = 0x80; }
  else if (b0 >= 0xE0 && b0 <= 0xEF) { len = 3; cp = b0 & 0x0F; min = 0x800; }
  else if (b0 >= 0xF0 && b0 <= 0xF4) { len = 4; cp = b0 & 0x07; min = 0x10000; }
  else return 0;
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

char32_t ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

unsigned char FromUnicode(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return '?';
}

unsigned char Rank(unsigned char byte) { return Ranks().rank[byte]; }

const std::array<unsigned char, 256>& RankOfByte() { return Ranks().rank; }

int Compare(std::string_view a, std::string_view b) {
  // Ranks are a bijection, so the first differing character is the first
  // differing byte: only that pair needs its ranks.
  const std::size_t n = std::min(a.size(), b.size());
  const auto [pa, pb] = std::mismatch(a.data(), a.data() + n, b.data());
  if (pa != a.data() + n) {
    const auto& rank = Ranks().rank;
    return rank[static_cast<unsigned char>(*pa)] - rank[static_cast<unsigned char>(*pb)];
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string RankString(std::string_view s) {
  const auto& rank = Ranks().rank;
  std::string out(s.size(), '\0');
  for (std::size_t i = 0; i < s.size(); ++i)
    out[i] = static_cast<char>(rank[static_cast<unsigned char>(s[i])]);
  return out;
}

std::string ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) unicode::Append(ToUnicode(static_cast<unsigned char>(c)), out);
  return out;
}

namespace {

// UTF-8 to the code page, each character passed through map first; a byte
// that starts no valid sequence is kept as it is.
template <typename Map>
std::string ConvertFromUtf8(std::string_view utf8, Map map) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeOne(utf8, i, cp);
    if (len == 0) {
      out += utf8[i];
      ++i;
    } else {
      out += static_cast<char>(FromUnicode(map(cp)));
      i += len;
    }
  }
  return out;
}

}  // namespace

std::string FromUtf8(std::string_view utf8) {
  return ConvertFromUtf8(utf8, [](char32_t cp) { return cp; });
}

namespace {

// The small letter of a capital whose small letter is in the code page; the
// character itself otherwise.
char32_t SmallLetter(char32_t cp) {
  if ((cp >= U'A' && cp <= U'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) return cp + 0x20;
  switch (cp) {
    case 0x0130: return U'i';   // capital I with dot above
    case 0x0152: return 0x0153;  // OE ligature
    case 0x0160: return 0x0161;  // S with caron
    case 0x0178: return 0x00FF;  // Y with diaeresis
    case 0x017D: return 0x017E;  // Z with caron
    case 0x0191: return 0x0192;  // F with hook
    case 0x1E9E: return 0x00DF;  // capital sharp s
    case 0x212A: return U'k';   // Kelvin sign
    case 0x212B: return 0x00E5;  // Angstrom sign
    default: return cp;
  }
}

}  // namespace

std::string FromUtf8LowerCased(std::string_view utf8) { return ConvertFromUtf8(utf8, SmallLetter); }

std::size_t Utf8Length(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); ++n) {
    char32_t cp = 0;
    const std::size_t len = DecodeOne(utf8, i, cp);
    i += len == 0 ? 1 : len;
  }
  return n;
}

}  // namespace kwl::cp1252
