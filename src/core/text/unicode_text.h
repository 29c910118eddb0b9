#pragma once
// UTF-8 text for the words in every script: decoding code points, the
// character classes a word is made of, case folding and normalisation (ICU).
// Nothing here fails on bad input: a malformed byte is U+FFFD, which is no
// word character.
#include <cstddef>
#include <string>
#include <string_view>

namespace kwl::unicode {

inline constexpr char32_t kReplacement = 0xFFFD;

// Whether text has a byte beyond ASCII: one pass the compiler vectorises.
inline bool HasNonAscii(std::string_view text) {
  unsigned char all = 0;
  for (const char c : text) all |= static_cast<unsigned char>(c);
  return all >= 0x80;
}

// The code point at text[i], i moved past it. A malformed or cut-off
// sequence (overlong forms, surrogates and values above U+10FFFF too) is
// U+FFFD and takes one byte. i < text.size().
char32_t Next(std::string_view text, std::size_t& i);
// The start of the code point that ends just before text[end] (end > 0).
std::size_t PreviousStart(std::string_view text, std::size_t end);
// Appends the UTF-8 bytes of cp.
void Append(char32_t cp, std::string& out);

// Whether text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// Every malformed byte of text replaced by U+FFFD; well-formed text is left
// as it is, without a copy.
void MakeValidUtf8(std::string& text);
// UTF-16 code units as UTF-8 (an unpaired surrogate is U+FFFD); bigEndian
// tells the order of the two bytes of a unit. An odd last byte is U+FFFD.
void AppendUtf16(std::string_view bytes, bool bigEndian, std::string& out);

// What a character may be in a word: a letter (general category L), a
// combining mark (M, inside a word only), a decimal digit (Nd), or nothing.
enum class CharKind { kOther, kLetter, kMark, kDigit };
CharKind KindOf(char32_t cp);
// Letters of the scripts written without spaces between words (Han,
// Hiragana, Katakana, Thai, Lao, Khmer, Myanmar, and the characters those
// scripts share, as the prolonged sound mark), which a dictionary splits.
bool IsNoSpaceLetter(char32_t cp);
// Whether every letter of the UTF-8 word is of the Latin script.
bool IsLatinWord(std::string_view word);
// Number of code points (a malformed byte counts as one).
std::size_t Length(std::string_view utf8);

// The word case-folded by Unicode full case folding (when fold) and put
// into NFC, into out. Full folding, without the Turkic exceptions: "ß" is
// "ss", "İ" is "i" + U+0307, final sigma "ς" and "Σ" are "σ", and the
// dotless "ı" stays "ı" (it has no other case form to fold to).
void FoldAndCompose(std::string_view word, bool fold, std::string& out);

}  // namespace kwl::unicode
