#pragma once
// Paths as the program splits them: "/" separates folders, the extension is
// the text after the last "." of the last component, lower-cased.
#include <cstdint>
#include <string>
#include <string_view>

namespace kwl {

std::string Extension(std::string_view path);
// Everything up to and including the last "/"; empty when there is none.
std::string FolderPart(std::string_view path);
// The text after the last "/".
std::string FileNamePart(std::string_view path);
// Joins a folder and a name with exactly one "/".
std::string JoinPath(std::string_view folder, std::string_view name);

// False for the empty path; otherwise whether a file (not a folder) exists there.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The file's length in bytes, or -1 when it cannot be had.
std::int64_t FileLength(const std::string& path);

// "docx" extension and a file of at least 10 bytes starting with the ZIP
// local-header signature 50 4B 03 04.
bool IsDocxFile(const std::string& path);

// Leading and trailing blanks removed.
std::string TrimBlanks(std::string_view text);

}  // namespace kwl
