#pragma once
// A small zip layer over libzip: takes one named entry out of a zip package
// into a folder, below that folder and nowhere else.
#include <cstdint>
#include <string>

namespace kwl::zipentry {

// Outcomes of ExtractEntry. kChecksumFailed is the one the DOCX reader turns
// into its "Invalid checksum" question; the entry's data has then been
// written in full. After every other failure no file is left behind.
inline constexpr int kOk = 0;
inline constexpr int kCannotOpen = -1;      // not a zip package, truncated, unreadable
inline constexpr int kEntryMissing = -2;    // the package has no entry of that name
inline constexpr int kReadFailed = -3;      // the entry's data cannot be inflated
inline constexpr int kChecksumFailed = -4;  // the data does not match its CRC
inline constexpr int kTooBig = -5;          // more than the limit, by the directory or in fact
inline constexpr int kWriteFailed = -6;     // the file could not be written (see systemError)
inline constexpr int kBadEntryName = -7;    // an absolute name or one with "." or ".." parts

struct ExtractResult {
  int status = kOk;
  std::int64_t bytes = 0;  // bytes written
  int systemError = 0;     // errno of a failed write
  std::string description;
};

// Extracts the entry `entryName` of the package to folder + entryName,
// creating the entry's folders (mode 0700) below folder. The output file is
// created new (never through an existing file or link). At most maxBytes are
// written, whatever size the package's directory claims. folder ends with "/".
ExtractResult ExtractEntry(const std::string& package, const std::string& entryName, const std::string& folder,
                           std::int64_t maxBytes);

}  // namespace kwl::zipentry
