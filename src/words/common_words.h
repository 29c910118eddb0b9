#pragma once
// Common-words files: the default file, the choice from the input's
// language, and the reading of a file into the common-words list.
#include <string>

namespace kwl {
struct Session;

// strCommonWordsFile := the program folder + "/cwds_en.txt", shown in txbCommonWordsFile.
void SetDefaultCommonWordsFile(Session& s);
// After an input file is chosen, typed or restored: picks the file of the
// input's language and reads it when asked to (or when the setting is on).
void ChooseCommonWordsFromInputLanguage(Session& s);
// Reads strCommonWordsFile into the common-words list; true when it loaded.
bool AttemptToReadCommonWords(Session& s);

}  // namespace kwl
