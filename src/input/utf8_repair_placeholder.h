#pragma once
// Stand-in for input/utf8_repair.h (the UTF-8 repairs of the text-file
// reader) until that header is merged here: same names and signatures.
// When input/utf8_repair.h arrives, delete this file and
// utf8_repair_placeholder.cpp and include input/utf8_repair.h instead
// (the linker reports the duplicate definitions until then).
#include <string>
#include <string_view>

namespace kwl {

// Two-byte UTF-8 sequences of Latin-1 letters (lead bytes C2, C3) decoded to
// their Windows-1252 characters; C2 80..9F removed; C4 8D becomes "c".
std::string DecodeUtf8Line(std::string_view line);
// The typographic three-byte sequences (quotes, dashes, ellipsis, bullet)
// replaced by plain characters.
std::string ReplaceUtf8Punctuation(std::string_view line);

}  // namespace kwl
