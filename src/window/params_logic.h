#pragma once
// The settings controls' own operations: the binding to the settings record,
// the defaults, the reset of every setting, the words-to-ignore normalisation
// and the check of its characters.
#include <string>

#include "settings/settings.h"

namespace kwl {
struct Params;
struct Session;

// The values of the settings file as the controls show them (line 37 is the
// common-words file in force, strCommonWordsFile).
Settings CurrentSettings(const Session& s);

// Sets the controls of the file's first `lines` lines to the record's values,
// in the file's order, each with its click reaction: the state a read that
// stopped after those lines leaves. The words to ignore are normalised as
// soon as they are set; line 37 sets the common-words file in force too.
void ApplySettings(Session& s, const Settings& settings, int lines = kSettingsFileLines);

// The documented defaults of the word rules, filters and lists (the lines
// the settings table marks restoredByDefaults); leaves the common-words
// file, the words to ignore, the marker texts and the main window's settings
// alone.
void SetDefaultValues(Session& s);

// Resets all settings (both paths, UTF-8, the words to ignore, defaults,
// display of words, the common-words file, the settings-file path, markers).
void Initialize(Session& s);

// Normalises txbWordsToIgnore (lower-cased, commas to blanks, duplicates
// dropped, sorted) and sets the list in force, strWordsToIgnore. With the
// Unicode setting on (unicode, or the check box when not given) the words
// are UTF-8 words of any script, folded and in NFC as a count folds them.
void NormaliseWordsToIgnore(Session& s);
void NormaliseWordsToIgnore(Session& s, bool unicode);
// Sets the list in force from txbWordsToIgnore in the kind the Unicode
// setting asks for, leaving the box's text as it is and saying nothing.
void TakeWordsToIgnoreQuietly(Session& s);

// True when every character of txbWordsToIgnore may occur in a word under the
// current settings; otherwise tells the user which one may not. In the
// Unicode mode any letter, combining mark or (with numerals) decimal digit
// may occur.
bool CheckAllowedExtraChars(Session& s);

}  // namespace kwl
