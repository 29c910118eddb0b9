#pragma once
// Normalised forms of words (Windows-1252 text): the lower-casing used for
// lines and lookups, and the accent folding that, with it, makes sort keys.
#include <string>
#include <string_view>

namespace kwl::scan {

// Lower-cases the text in place: the accented capitals of the code page to
// their small letters, and every other capital by the Unicode mapping
// (Æ, Œ, Þ, Ž too).
void FoldCaseInPlace(std::string& text);
std::string FoldCase(std::string_view text);

// Expands ligatures and umlauts (ß to ss, Ä to Ae, ...) and removes accents.
std::string FoldAccents(std::string_view text);

// The sort key of a word: FoldCase(FoldAccents(word)).
std::string SortKey(std::string_view word);
// SortKey(word) appended to out (no allocation once out has the room).
void AppendSortKey(std::string_view word, std::string& out);
// Whether SortKey(word) is the word itself (no capital, accent or
// ligature): most words of a case-folded count.
bool IsOwnSortKey(std::string_view word);

// Whether c is one of the small vowels (the folded vowel list); "y" is none.
bool IsVowel(unsigned char c);

// Whether the lower-cased word is one of the eleven contraction stems
// ("aren", "couldn", "didn", ...).
bool IsContractionStem(std::string_view word);

// FoldCase(text) == lower and FoldCase(text) ends with lower, for a lower
// of small ASCII letters, without making the folded copy: only the ASCII
// capitals fold to ASCII letters.
bool EqualsFolded(std::string_view text, std::string_view lower);
bool EndsWithFolded(std::string_view text, std::string_view lower);

}  // namespace kwl::scan
