#pragma once
// Checks of an input text file before it is read: existence and size, text or
// binary, line ends, byte-order marks and UTF-8.
#include <cstdint>
#include <string>

namespace kwl {
struct Session;

// True when the path is not empty and names a file of at least one byte;
// otherwise tells the user (silently during start-up for a missing file).
// Sets lblFilesize.
bool CheckInputFile(Session& s, const std::string& path);

// The text-file check with its messages. utf8 receives whether the file is
// UTF-8, lineClass its line-ending class; with classifyOnly any text file
// passes; with ask the user may be offered to continue. True when the file
// may be scanned.
bool CheckTextFile(Session& s, const std::string& path, bool classifyOnly, bool& utf8, int& lineClass, bool ask);

// " bytes", " Kb" or " Mb" texts of a size; "" for a missing file.
std::string FileSizeText(Session& s, std::int64_t size);
std::string FileSizeTextOfFile(Session& s, const std::string& path);

}  // namespace kwl
