#pragma once
// The first pass over every line of a count: what the preparation of the
// line needs to know, learnt while the ASCII capitals are folded. Most lines
// hold no byte from 0x80 up, no byte the preparation makes a blank and no
// hyphen, and the passes that deal with them then never run.
#include <cstddef>

namespace kwl::scan {

struct LineFacts {
  bool nonAscii = false;  // a byte from 0x80 up
  // A backspace, tab, LF, form feed, CR or no-break space. Bytes 0-7 and 11
  // answer yes too: the pass that makes the blanks leaves them as they are.
  bool mayNeedBlanks = false;
  bool hyphen = false;
};

// The facts of the n bytes at data; when fold, the ASCII capitals among
// them are made small letters (FoldCaseInPlace does the rest of the code
// page, only needed when nonAscii).
LineFacts FoldAsciiAndLook(char* data, std::size_t n, bool fold);

}  // namespace kwl::scan
