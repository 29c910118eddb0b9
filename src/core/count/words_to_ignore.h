#pragma once
// The words-to-ignore text of the settings made into the list in force.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kwl {

// The text (UTF-8, as the settings hold it) as a normalised list of
// Windows-1252 words: lower-cased, commas taken for blanks, joined by single
// blanks, sorted in the program's binary order with duplicates dropped.
// Nothing (nullopt) for a text of blanks only, which leaves no list in
// force; a text of commas gives the empty list.
std::optional<std::string> NormaliseWordsToIgnore(std::string_view utf8Text);

// The same list in the Unicode mode: UTF-8 words of any script, case-folded
// and in NFC as a count folds its words (malformed bytes as U+FFFD), sorted
// by their bytes with duplicates dropped.
std::optional<std::string> NormaliseUnicodeWordsToIgnore(std::string_view utf8Text);

// The list in force for a normalised list: a blank before the first and
// after the last word (IgnoreList's form).
inline std::string IgnoreListText(std::string_view normalised) {
  return " " + std::string(normalised) + " ";
}

// The first character of the words (Windows-1252) that no word may hold
// under the allowed extra characters: neither a letter of the table, nor a
// blank, nor one of allowedExtraChars. -1 when there is none.
int FirstCharacterNotAllowed(std::string_view cp1252Words, std::string_view allowedExtraChars);

// The same for UTF-8 words in the Unicode mode: the first code point that is
// neither a letter (Unicode category L), a combining mark (M), a decimal
// digit of any script (Nd) when numerals are allowed ("0" among the extras),
// a blank, nor one of allowedExtraChars (Windows-1252, as the settings give
// them; U+2019 counts as the apostrophe). -1 when there is none.
std::int32_t FirstUnicodeCharacterNotAllowed(std::string_view utf8Words, std::string_view allowedExtraChars);

}  // namespace kwl
