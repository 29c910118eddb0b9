#pragma once
// The alphabetical order of a table of UTF-8 words (WordTable::Unicode): the
// Unicode Collation Algorithm with the root collation (the order of the
// Unicode standard's default table, as refined for all languages at once),
// so that "łódź" follows the words in "l" and "émile" stands between "emil"
// and "emilia".
//
// The collation compares at primary strength: case and accents do not tell
// words apart (émile, Emile and emile collate equal; ß collates as ss, æ as
// ae), which is what the Windows-1252 key order does by lower-casing and
// removing accents. Words that collate equal keep the binary order
// WordTable::OrderByWord gives them (code point order, capitals first), so
// the order never depends on where an earlier step left an entry.
#include <cstdint>
#include <string>
#include <string_view>

#include "count/word_table.h"

namespace kwl {

// Sorts entries first..last of the table into ascending collation order of
// their words from character (code point) position startPos on, 1-based;
// words that collate equal in binary order of the whole word. O(n log n) on
// the words' sort keys. Without the collation data (a broken ICU
// installation) the entries are put into binary order.
void CollateWordTable(WordTable& table, std::int32_t first, std::int32_t last, int startPos);

// The root collation's sort key of a UTF-8 text at primary strength (two
// texts compare as their keys do, byte by byte); empty without the
// collation data. For tests and for callers that keep keys.
std::string PrimarySortKey(std::string_view utf8);

}  // namespace kwl
