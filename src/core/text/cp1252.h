#pragma once
// Windows-1252 text: the engine holds words and lines as strings of
// Windows-1252 bytes (one byte is one character, as the input files store
// them). Everything a person sees (controls, message boxes, paths) is UTF-8.
//
// Lookups and sorting compare characters by their UTF-16 code values, so a
// byte's rank in that order (Rank) is what comparisons use: 0x91 is U+2018
// and sorts after every Latin-1 letter.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kwl::cp1252 {

// The Unicode code point of a Windows-1252 byte. The five codes the code page
// leaves undefined (81, 8D, 8F, 90, 9D) map to the C1 controls of the same
// value, as Windows does.
char32_t ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or '?' when the code page lacks it.
unsigned char FromUnicode(char32_t cp);

// Position of the byte in UTF-16 code order (0..255, a bijection).
unsigned char Rank(unsigned char byte);
// The same for every byte at once (Rank(b) is RankOfByte()[b]), for loops
// over many characters.
const std::array<unsigned char, 256>& RankOfByte();

// Binary comparison by UTF-16 code units: negative, zero or positive.
// A string that is a prefix of a longer one sorts first.
int Compare(std::string_view a, std::string_view b);

// The string with every byte replaced by its rank: std::string comparison of
// two such strings is Compare of the originals (useful as a sort key).
std::string RankString(std::string_view s);

// Conversions between Windows-1252 bytes and UTF-8 text.
std::string ToUtf8(std::string_view cp1252);
// Malformed UTF-8 bytes are taken as Windows-1252 characters themselves.
std::string FromUtf8(std::string_view utf8);
// FromUtf8 of the text lower-cased first (simple case mapping, where the
// small letter is in the code page). A capital the code page lacks but whose
// small letter it holds (U+212A KELVIN SIGN, U+1E9E capital sharp s, U+212B
// ANGSTROM SIGN, U+0130, U+0191) becomes that letter instead of "?", which
// would cut its word.
std::string FromUtf8LowerCased(std::string_view utf8);
// Number of characters (code points) of a UTF-8 text, counting a malformed
// byte as one character.
std::size_t Utf8Length(std::string_view utf8);

}  // namespace kwl::cp1252
