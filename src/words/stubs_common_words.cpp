// Placeholder bodies until the common-words files land.
#include "words/common_words.h"
#include "run/session.h"

namespace kwl {
void SetDefaultCommonWordsFile(Session&) {}
void ChooseCommonWordsFromInputLanguage(Session&) {}
bool AttemptToReadCommonWords(Session&) { return false; }
}  // namespace kwl
