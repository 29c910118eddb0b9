#pragma once
// Checks of an input text file before it is read: existence and size, text or
// binary, line ends, byte-order marks and UTF-8, with the user's messages.
// The judging itself is in encoding.h.
#include <cstdint>
#include <string>
#include <vector>

namespace kwl {
struct Session;

// True when the path is not empty and names a regular file of at least one
// byte; otherwise tells the user (silently during start-up for a missing
// file, a folder, a pipe or a device). Sets lblFilesize, and makes the
// file's folder the current directory.
bool CheckInputFile(Session& s, const std::string& path);

// The text-file check with its messages. utf8 receives whether the file is
// UTF-8, lineClass its line-ending class (AnalyseTextFile); with classifyOnly
// any text file passes; with ask the user may be offered to continue. True
// when the file may be scanned. Files with LF line ends are scanned like any
// other, at any size; a file with CR line ends gets the Mac notice once per
// initialisation. With words in every script an input file in UTF-16 with a
// byte-order mark passes too; utf16ByteOrder, when given, receives its byte
// order (Utf16ByteOrder: 1 little-endian, 2 big-endian), 0 for any other file.
bool CheckTextFile(Session& s, const std::string& path, bool classifyOnly, bool& utf8, int& lineClass, bool ask,
                   int* utf16ByteOrder = nullptr);

// " bytes", " Kb" or " Mb" texts of a size ("1,234.57 Kb", with the
// platform's digit grouping and decimal separator); "" for a missing file.
std::string FileSizeText(Session& s, std::int64_t size);
// Empties lblFilesize and lblXMLsize: they describe no input.
void ForgetInputSizes(Session& s);
// Empties them when they describe another input than path; from now on they
// describe path.
void KeepInputSizesFor(Session& s, const std::string& path);
std::string FileSizeTextOfFile(Session& s, const std::string& path);
// The size labels for several input files: lblFilesize shows their total
// size (of those that exist), lblXMLsize is empty, and they describe the
// input box's text.
void ShowInputFilesSize(Session& s, const std::vector<std::string>& files);

}  // namespace kwl
