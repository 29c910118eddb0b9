#pragma once
// An input file opened for a count with the decisions a front end without
// questions makes: the window's checks of a text or DOCX file, its notices as
// messages, its questions answered the way the command line answers them
// (UTF-8 as detected unless the caller chose, a failed DOCX checksum and a
// large document read all the same). Safe to call on several files at once.
#include <optional>
#include <string>

#include "count/corpus_count.h"

namespace kwl {

struct InputFileChoice {
  // Scan a text file as UTF-8 (true) or Windows-1252 (false); unset: as its
  // detection says.
  std::optional<bool> utf8;
  // Only 7-bit ASCII allowed: a text file scanned as UTF-8 is refused.
  bool only7bitAscii = false;
  // Words in every script: the source hands UTF-8 lines (a text file of
  // either encoding, a UTF-16 file with a byte-order mark, a DOCX
  // document), and 7-bit ASCII only refuses nothing (it ignores the words).
  bool unicode = false;
};

// The file's source and markup, with the messages the window would show for
// it; a refused file (missing, empty, not a text file, not a DOCX package, a
// document too large or broken, a file that cannot be opened) has no source
// and its refusal as the last message.
OpenedFile OpenInputFile(const std::string& path, const InputFileChoice& choice);

}  // namespace kwl
