#include "text/normalise.h"

#include <array>


namespace kwl::scan {
namespace {

// Accented capitals of the lower-casing list and their small letters.
constexpr std::string_view kAccentedCapitals =
    "\x8A\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD";
constexpr std::string_view kAccentedSmall =
    "\x9A\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD";

// Accented letters and their base letters (after ligature expansion).
constexpr std::string_view kAccented =
    "\x8A\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD"
    "\x9A\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD";
constexpr std::string_view kBase = "SYAAAAAACEEEEIIIIDNOOOOOOUUUUYsyaaaaaaceeeeiiiinoooooouuuuy";
static_assert(kAccented.size() == 59 && kBase.size() == 59);
static_assert(kAccentedCapitals.size() == 30 && kAccentedSmall.size() == 30);

struct Tables {
  std::array<unsigned char, 256> lower{};
  std::array<unsigned char, 256> base{};
  std::array<const char*, 256> expansion{};
  std::array<bool, 256> vowel{};
  std::array<bool, 256> ownKey{};  // the byte is its own sort key

  Tables() {
    for (int c = 0; c < 256; ++c) {
      lower[c] = static_cast<unsigned char>(c);
      base[c] = static_cast<unsigned char>(c);
    }
    for (int c = 'A'; c <= 'Z'; ++c) lower[c] = static_cast<unsigned char>(c + 32);
    // Capitals outside the accented list, by the Unicode mapping.
    lower[0xC6] = 0xE6;  // Æ
    lower[0xDE] = 0xFE;  // Þ
    lower[0x8C] = 0x9C;  // Œ
    lower[0x8E] = 0x9E;  // Ž
    for (std::size_t i = 0; i < kAccentedCapitals.size(); ++i) {
      const auto cap = static_cast<unsigned char>(kAccentedCapitals[i]);
      lower[cap] = static_cast<unsigned char>(kAccentedSmall[i]);
    }
    for (std::size_t i = 0; i < kAccented.size(); ++i)
      base[static_cast<unsigned char>(kAccented[i])] = static_cast<unsigned char>(kBase[i]);
    const struct { unsigned char c; const char* text; } expansions[] = {
        {0x8C, "Oe"}, {0xC4, "Ae"}, {0xC6, "Ae"}, {0xD6, "Oe"}, {0xDC, "Ue"},
        {0xE4, "ae"}, {0xE6, "ae"}, {0xF6, "oe"}, {0xFC, "ue"}, {0xDF, "ss"}};
    for (const auto& e : expansions) expansion[e.c] = e.text;
    for (int c = 0; c < 256; ++c) ownKey[c] = expansion[c] == nullptr && lower[base[c]] == c;
    // The vowel list lower-cased: only small vowels remain.
    for (unsigned char c : std::string_view("aeiou\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                                            "\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC"))
      vowel[c] = true;
  }
};

const Tables& T() {
  static const Tables tables;
  return tables;
}

}  // namespace

void FoldCaseInPlace(std::string& text) {
  // Most text is ASCII, whose capitals fold by arithmetic in a loop the
  // compiler vectorises; only a text holding a byte from 0x80 up is walked
  // again through the table, which agrees with the arithmetic on ASCII. A
  // word is too short for vectors to pay and goes through the table at once.
  if (text.size() >= 32) {
    unsigned char high = 0;
    for (char& ch : text) {
      const auto c = static_cast<unsigned char>(ch);
      high |= c;
      ch = static_cast<char>(c + (static_cast<unsigned char>(c - 'A') < 26 ? 32 : 0));
    }
    if (high < 0x80) return;
  }
  const Tables& t = T();
  for (char& ch : text) ch = static_cast<char>(t.lower[static_cast<unsigned char>(ch)]);
}

std::string FoldCase(std::string_view text) {
  std::string out(text);
  FoldCaseInPlace(out);
  return out;
}

std::string FoldAccents(std::string_view text) {
  const Tables& t = T();
  std::string out;
  out.reserve(text.size() + 4);
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (const char* e = t.expansion[c]) {
      out += e;
    } else {
      out += static_cast<char>(t.base[c]);
    }
  }
  return out;
}

std::string SortKey(std::string_view word) {
  std::string key;
  AppendSortKey(word, key);
  return key;
}

void AppendSortKey(std::string_view word, std::string& out) {
  // At most two characters per byte (the expansions): written through a
  // pointer, the string trimmed to them after.
  const Tables& t = T();
  const std::size_t start = out.size();
  out.resize(start + 2 * word.size());
  char* to = out.data() + start;
  for (char ch : word) {
    const auto c = static_cast<unsigned char>(ch);
    if (const char* e = t.expansion[c]) {
      *to++ = static_cast<char>(t.lower[static_cast<unsigned char>(e[0])]);
      *to++ = static_cast<char>(t.lower[static_cast<unsigned char>(e[1])]);
    } else {
      *to++ = static_cast<char>(t.lower[t.base[c]]);
    }
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
}

bool IsOwnSortKey(std::string_view word) {
  const Tables& t = T();
  for (char ch : word)
    if (!t.ownKey[static_cast<unsigned char>(ch)]) return false;
  return true;
}

bool IsVowel(unsigned char c) { return T().vowel[c]; }

bool IsContractionStem(std::string_view word) {
  static constexpr std::string_view kStems[] = {"aren", "couldn", "didn", "doesn", "hadn", "hasn",
                                                "isn",  "shouldn", "wasn", "weren", "wouldn"};
  for (std::string_view stem : kStems)
    if (EqualsFolded(word, stem)) return true;
  return false;
}

bool EqualsFolded(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto folded = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (folded != static_cast<unsigned char>(lower[i])) return false;
  }
  return true;
}

bool EndsWithFolded(std::string_view text, std::string_view lower) {
  return text.size() >= lower.size() && EqualsFolded(text.substr(text.size() - lower.size()), lower);
}

}  // namespace kwl::scan
