#pragma once
// The UTF-8 repairs applied to text that was read one byte to one
// Windows-1252 character although it is UTF-8: UTF-8 text files scanned with
// chkUTF8, the text pieces of a DOCX document and UTF-8 common-words files.
//
// Only what the code page can hold is decoded: the two-byte sequences of
// U+0080..U+00FF and of "č", and the typographic punctuation of three-byte
// sequences. Every other multi-byte sequence stays as its bytes, and a UTF-8
// byte-order mark is not removed. Every function takes time linear in the
// length of the line; the in-place forms need no second copy of it, which
// matters for lines of hundreds of megabytes.
#include <string>
#include <string_view>

namespace kwl {

// Three passes over the whole line, each on the result of the one before:
//  1. C2 c: c from 80 to 9F (the C1 controls) is deleted with its C2; c from
//     A0 to BF becomes the single character c.
//  2. C3 c, c from 80 to BF: becomes the single character c + 40 (hex).
//  3. C4 8D becomes "c".
// A lead byte followed by any other byte, or standing last, is left as it
// is. Each pass decodes every sequence of the line exactly once, from left
// to right, so that valid UTF-8 always decodes to its characters.
std::string DecodeUtf8Line(std::string_view line);
void DecodeUtf8InPlace(std::string& line);

// Replaces the typographic three-byte sequences:
//   E2 80 98, E2 80 99 -> "'"        E2 80 9C, E2 80 9D -> a double quote
//   E2 80 90 -> "-"                  E2 80 93 -> "- "
//   E2 80 94, E2 94 80 -> " -- "     E2 80 A6 -> "..."
//   E2 80 A2 -> " . "                E2 80 86 -> " ... "
std::string ReplaceUtf8Punctuation(std::string_view line);
// The same over line itself; it grows only by what the longer replacements add.
void ReplaceUtf8PunctuationInPlace(std::string& line);

}  // namespace kwl
