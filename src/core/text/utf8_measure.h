#pragma once
// How long a word of UTF-8 is, for the listing of words in every script:
// in characters (code points, as the heading's "longest has N characters"
// and the run's longest word count them) and in display columns (as a
// fixed-width listing lines its columns up). A malformed sequence counts as
// one character of one column, as the replacement character that shows it.
#include <string_view>

namespace kwl {

// The code points of utf8.
int Utf8Characters(std::string_view utf8);

// The columns utf8 takes in a fixed-width font: East Asian wide and
// fullwidth characters two, combining marks that do not space (general
// categories Mn, Me) and format characters (Cf, such as the zero width
// joiner) none, every other character one. Spacing marks (Mc) take their
// column; characters of ambiguous East Asian width take one, as outside an
// East Asian setting.
int DisplayWidth(std::string_view utf8);

// A word's length in characters: one per byte for a Windows-1252 word,
// Utf8Characters for a UTF-8 word (unicode).
inline int WordLength(std::string_view word, bool unicode) {
  return unicode ? Utf8Characters(word) : static_cast<int>(word.size());
}

// The columns a word takes: one per byte for a Windows-1252 word,
// DisplayWidth for a UTF-8 word.
inline int WordColumns(std::string_view word, bool unicode) {
  return unicode ? DisplayWidth(word) : static_cast<int>(word.size());
}

}  // namespace kwl
