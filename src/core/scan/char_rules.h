#pragma once
// Which Windows-1252 characters make up words.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kwl::scan {

namespace detail {
// Bit 1: a word letter; bit 2: a letter of the 119-letter table. One lookup
// per byte instead of a chain of range tests: the per-word filters ask for
// every character of every word.
inline constexpr std::array<std::uint8_t, 256> kLetterBits = [] {
  std::array<std::uint8_t, 256> bits{};
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 65 && c <= 90) || (c >= 97 && c <= 122) || (c >= 192 && c <= 214) ||
                        (c >= 216 && c <= 246) || c >= 248;
    const bool tableLetter = letter || c == 0x8A || c == 0x8C || c == 0x9F || c == 0x9A || c == 0x9C;
    bits[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>((letter ? 1 : 0) | (tableLetter ? 2 : 0));
  }
  return bits;
}();
}  // namespace detail

// Word letters: 65-90, 97-122, 192-214, 216-246, 248-255. The letters of the
// code page at 138, 140, 142, 154, 156, 158 and 159 are not word letters.
inline bool IsLetterCode(unsigned char c) { return (detail::kLetterBits[c] & 1U) != 0; }

// The 119-letter table of the no-letter rule, the numeric-entity skip and the
// words-to-ignore check: the word letters and, besides them, Š Œ Ÿ š œ.
inline bool IsTableLetter(unsigned char c) { return (detail::kLetterBits[c] & 2U) != 0; }

// A letter, a digit when allowDigits, or a character of set.
bool IsWordChar(unsigned char c, bool allowDigits, std::string_view set);

// What one byte may be under the character rules of a scan, as the bits of
// one 256-entry table: the scanner's inner loops make one lookup per byte and
// never test the settings themselves.
enum ByteClass : std::uint8_t {
  kWordChar = 1,     // may stand in a word: a letter or an allowed character
  kWordStart = 2,    // may begin a word: a word character not prohibited at the ends
  kFinalStrip = 4,   // removed from the end of a word (prohibited at the ends)
  kMarkerFirst = 8,  // the first character of a comment marker in force (either case)
};

struct ByteClasses {
  std::array<std::uint8_t, 256> bits{};

  std::uint8_t operator[](unsigned char c) const { return bits[c]; }
  // Sets the character bits (kWordChar, kWordStart, kFinalStrip) for the
  // allowed extra characters and the set prohibited at a word's ends; the
  // marker bits stay.
  void SetCharacters(std::string_view allowedExtra, std::string_view prohibitedInitialOrFinal);
  // Sets the marker bits for the first characters of the start markers.
  void SetMarkerFirsts(std::string_view firsts);
};

}  // namespace kwl::scan
