#pragma once
// The ignore rules: the tests of single words, the per-word rules of a count
// and the rules applied to the finished table.
#include <cstdint>
#include <string_view>

#include "count/count_rules.h"
#include "count/ignore_list.h"
#include "count/word_table.h"
#include "scan/char_rules.h"

namespace kwl {

bool IsAll7bit(std::string_view word);
// No character of the word is in the 119-letter table (the empty word too).
bool LacksLetter(std::string_view word);
// After trimming blanks, every character equals the first one (exact code).
bool IsRepetition(std::string_view word);
// Made only of I, V and X in any order and number, except the pronoun "I".
bool IsRomanNumeralBelow40(std::string_view word);

// The rule that acts on a word: kCounted when none drops it. The per-word
// rules come first, in the order the count applies them, then the rule of
// the word table's length, then the rules applied to the finished table.
enum class WordRule {
  kCounted,
  kNot7bit,        // only 7-bit ASCII words are counted
  kTooShort,       // fewer characters than shortWordSize
  kTooLong,        // more characters than longWordSize
  kNoLetter,
  kRepetition,     // one character repeated
  kWordsToIgnore,  // in the words to ignore
  kCommonWord,     // in the common-words list
  kBeyondTable,    // longer than the word table holds (maxWordLength)
  kRomanNumeral,   // after the scan: I, V and X only, below 40
  kInfrequent,     // after the scan: fewer occurrences than thresholdFrequency
};

// The short-word, long-word, no-letter and repetition rules, in that order:
// the first that drops the word, or kCounted. Asked for every word of a
// count, so it is inline and tests the first characters before whole words.
inline WordRule LengthAndShapeRule(std::string_view word, const WordRules& rules) {
  const auto length = static_cast<std::int64_t>(word.size());
  if (rules.ignoreShortWords && length < rules.shortWordSize) return WordRule::kTooShort;
  if (length > rules.longWordSize) return WordRule::kTooLong;
  if (rules.ignoreNoLetter && (word.empty() || !scan::IsTableLetter(static_cast<unsigned char>(word.front()))) &&
      LacksLetter(word))
    return WordRule::kNoLetter;
  // Repeated digits ("000") are kept. A word whose first two characters
  // differ and are no blanks is no repetition.
  if (rules.ignoreRepetitions && length > 1 && (word[0] == word[1] || word[0] == ' ' || word[1] == ' ') &&
      IsRepetition(word) && !(word.front() >= '0' && word.front() <= '9'))
    return WordRule::kRepetition;
  return WordRule::kCounted;
}

inline bool KeptByLengthAndShapeRules(std::string_view word, const WordRules& rules) {
  return LengthAndShapeRule(word, rules) == WordRule::kCounted;
}

// Whether a list is in force: the words to ignore, the common words.
inline bool ListsInForce(const WordRules& rules) {
  return (rules.wordsToIgnore != nullptr && !rules.wordsToIgnore->Empty()) || rules.commonWords != nullptr;
}
// The list rules on the lower-cased word: kWordsToIgnore, kCommonWord or
// kCounted. A word of the Unicode mode (unicode: UTF-8, folded, NFC) is
// looked up only in lists of that kind, a Windows-1252 word only in lists of
// Windows-1252 words; a list of the other kind holds no word.
WordRule ListRule(std::string_view lower, const WordRules& rules, bool unicode = false);

// The same rules for a UTF-8 word (words in every script): lengths in
// characters, a letter is any of Unicode category L, and repeated decimal
// digits of any script are kept.
WordRule UnicodeLengthAndShapeRule(std::string_view word, const WordRules& rules);

// The per-word rules of a count, in its order: the 7-bit rule, the length
// and shape rules, then listRule(word) (ListRule on the word lower-cased)
// when a list is in force; for a UTF-8 word (unicode) the length and shape
// rules count characters. The count and every explanation of it go
// through here.
template <class ListLookup>
inline WordRule PerWordRule(std::string_view word, const WordRules& rules, ListLookup&& listRule, bool unicode = false) {
  if (rules.only7bitAscii && !IsAll7bit(word)) return WordRule::kNot7bit;
  const WordRule shape = unicode ? UnicodeLengthAndShapeRule(word, rules) : LengthAndShapeRule(word, rules);
  if (shape != WordRule::kCounted) return shape;
  return ListsInForce(rules) ? listRule(word) : WordRule::kCounted;
}

// The rule after the scan that excludes an entry counted count times, or
// kCounted; a count below 0 (unknown) passes the infrequency rule.
WordRule PostScanRule(std::string_view entry, std::int64_t count, const WordRules& rules);

// Sets blnIncluded of every entry from the Roman-numeral and infrequency rules.
void ApplyPostScanRules(WordTable& table, const WordRules& rules);

}  // namespace kwl
