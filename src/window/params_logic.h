#pragma once
// The settings record's own operations: the defaults, the reset of every
// setting, the words-to-ignore normalisation and the check of its characters.
#include <string>

namespace kwl {
struct Params;
struct Session;

// The extra characters the check boxes of the settings allow inside words.
std::string BuildAllowedExtraChars(const Params& params);

// The documented defaults of the word rules, filters and lists; leaves the
// common-words file, the words to ignore, the marker texts and the main
// window's settings alone.
void SetDefaultValues(Session& s);

// Resets all settings (both paths, UTF-8, the words to ignore, defaults,
// display of words, the common-words file, the settings-file path, markers).
void Initialize(Session& s);

// Normalises txbWordsToIgnore (lower-cased, commas to blanks, duplicates
// dropped, sorted) and sets the list in force, strWordsToIgnore.
void NormaliseWordsToIgnore(Session& s);

// True when every character of txbWordsToIgnore may occur in a word under the
// current settings; otherwise tells the user which one may not.
bool CheckAllowedExtraChars(Session& s);

}  // namespace kwl
