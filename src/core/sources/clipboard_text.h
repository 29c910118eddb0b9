#pragma once
// The clipboard's text as the line of a count, and its checks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "count/line_source.h"

namespace kwl {

// The length of a UTF-8 text in UTF-16 code units (the clipboard's
// characters); a malformed byte counts as one.
std::size_t Utf16Length(std::string_view utf8);

// Whether a clipboard text may be counted: kEmpty for no text, kTooBig for
// more than maxCharacters characters (Utf16Length), else Ok. characters
// receives the length.
Status CheckClipboardText(std::string_view utf8, std::int64_t maxCharacters, std::size_t& characters);

// False when one of the first limit characters (all of them when limit is 0
// or less) is a control character: with allowWhiteSpace codes 0 to 8, 11 and
// 14 to 31 (TAB, LF, FF and CR pass), without it every code below 32. The
// text is UTF-8; the whole character code is tested.
bool IsPlainText(std::string_view text, std::int64_t limit, bool allowWhiteSpace);

// The clipboard's UTF-8 text as one line of Windows-1252 text with a blank
// appended (a character the code page lacks becomes "?", which is no word
// character; line ends stay in the line). Progress counts its characters.
// With lowerCase (case is not significant) the text is lower-cased before it
// is converted, so a capital the code page lacks but whose small letter it
// holds (U+212A KELVIN SIGN) is that letter, not "?".
class ClipboardTextSource : public LineSource {
 public:
  explicit ClipboardTextSource(std::string_view utf8, bool lowerCase = false);
  // Words in every script: the line is the text itself in UTF-8 (a
  // malformed byte as U+FFFD), with the blank appended; the count folds it.
  void SetUnicode(bool unicode) { unicode_ = unicode; }

  bool Next(std::string& line) override;
  std::int64_t Done() const override { return done_ ? total_ : 0; }
  std::int64_t Total() const override { return total_; }
  // The text is one line, whatever line ends it holds.
  std::int64_t LineNumber() const override { return done_ ? 1 : 0; }
  const Status& status() const override { return status_; }

 private:
  std::string_view text_;
  bool lowerCase_;
  bool unicode_ = false;
  std::int64_t total_;
  bool done_ = false;
  Status status_;
};

}  // namespace kwl
