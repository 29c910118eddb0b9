#pragma once
// Opening files for reading without ever waiting on them. A plain open of a
// named pipe waits for a writer, forever when there is none, and a device can
// wait or never end; every file the program reads is opened here instead:
// without blocking, checked with fstat, and refused unless it is a regular
// file.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace kwl {

// What a file type is when it is not a regular file: "a folder", "a named
// pipe", "a device", "a socket", "a special file"; empty for a regular file.
std::string_view SpecialFileKind(mode_t mode);

// What path names when it exists and is no regular file (links followed);
// empty for a regular file and for a path that cannot be examined. Only
// looks, never opens.
std::string_view SpecialFileKindAt(const std::string& path);

// Why a file was not opened.
struct ReadRefusal {
  int error = 0;    // errno of a failed open
  mode_t type = 0;  // the file type (S_IFMT bits) of a file that is no regular file

  bool Refused() const { return error != 0 || type != 0; }
  bool IsFolder() const { return (type & S_IFMT) == S_IFDIR; }
  // SpecialFileKind of the refused file; empty after a failed open.
  std::string_view Kind() const { return type != 0 ? SpecialFileKind(type) : std::string_view(); }
  // "it is a named pipe", or the system's description of the error.
  std::string Description() const;
};

// Opens path read-only with O_NONBLOCK, O_NOCTTY and O_CLOEXEC, refuses
// anything but a regular file, then clears O_NONBLOCK so that reading works
// as usual. A descriptor, or -1 with why filled in.
int OpenRegularFile(const std::string& path, ReadRefusal& why);

// The same as a stdio stream for binary reading; nullptr with why filled in.
std::FILE* OpenRegularFileStream(const std::string& path, ReadRefusal& why);

}  // namespace kwl
