#pragma once
// Which Windows-1252 characters make up words.
#include <array>
#include <string>
#include <string_view>

namespace kwl::scan {

// Word letters: 65-90, 97-122, 192-214, 216-246, 248-255. The letters of the
// code page at 138, 140, 142, 154, 156, 158 and 159 are not word letters.
bool IsLetterCode(unsigned char c);

// The 119-letter table of the no-letter rule, the numeric-entity skip and the
// words-to-ignore check: the word letters and, besides them, Š Œ Ÿ š œ.
bool IsTableLetter(unsigned char c);

// A letter, a digit when allowDigits, or a character of set.
bool IsWordChar(unsigned char c, bool allowDigits, std::string_view set);

// The per-byte tables a scan uses: word characters and word starts (the
// allowed set without the characters prohibited at a word's ends).
struct WordCharTable {
  std::array<bool, 256> wordChar{};
  std::array<bool, 256> wordStart{};
  void Build(std::string_view allowedExtra, std::string_view prohibitedInitialOrFinal);
};

}  // namespace kwl::scan
