#pragma once
// The numbered message-text catalogue kwl.dat: texts 1 to 427 beside the
// program. File format: one entry per line, the number, a TAB, the text (UTF-8,
// at most 1024 characters); "~" marks an empty entry; lines starting with "#"
// and empty lines are ignored. Every number from 1 to 427 appears exactly once.
#include <array>
#include <string>

namespace kwl {

class Catalogue {
 public:
  static constexpr int kCount = 427;
  static constexpr std::size_t kMaxTextLength = 1024;

  // Loads the file; returns the status (> 0: the number of texts loaded).
  // 0: no text; -1: cannot open; -6: file empty; -7: read error; -11, -12,
  // -13, -14: the path is a folder, a named pipe, a device or another
  // special file (such a file is refused unread, so it cannot block);
  // -3: a number outside 1..427; -(500 + L): missing string at line L (a line
  // without number or text, or, for a number never given, L is that number);
  // -(1000 + L): text too long at line L; -(1500 + L): duplicate at line L.
  int Load(const std::string& path);

  // Catalogue text n; empty for "~", for an unknown n or before loading.
  const std::string& Text(int n) const;

  // The fatal message for a load status of 0 or below.
  static std::string FailureMessage(int status, const std::string& path);

 private:
  std::array<std::string, kCount + 1> texts_{};
};

}  // namespace kwl
