#pragma once
// The words and lines of a count as the window shows them. A count's text is
// Windows-1252, or UTF-8 in the Unicode mode (WordTable::Unicode); the
// window's controls hold UTF-8. These two convert between them, and leave a
// Unicode count's text as it is.
#include <string>
#include <string_view>

#include "count/word_table.h"
#include "text/cp1252.h"

namespace kwl {

// The count's text (a word, a listing line) as UTF-8 for a control.
inline std::string ShownText(bool unicode, std::string_view counted) {
  return unicode ? std::string(counted) : cp1252::ToUtf8(counted);
}
inline std::string ShownText(const WordTable& words, std::string_view counted) {
  return ShownText(words.Unicode(), counted);
}

// A control's text (UTF-8) in the count's encoding, to compare with the
// table's words or hand to the count's rules.
inline std::string CountedText(bool unicode, std::string_view shown) {
  return unicode ? std::string(shown) : cp1252::FromUtf8(shown);
}
inline std::string CountedText(const WordTable& words, std::string_view shown) {
  return CountedText(words.Unicode(), shown);
}

}  // namespace kwl
