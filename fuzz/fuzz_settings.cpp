// The settings-file reader on random bytes: restore the bytes into a fresh
// session and save; restore that file into another fresh session and save
// again. The two saved files must be identical, and a saved file must read
// back without an error (at most "Invalid combo box index", which a list
// index of -1 gives and which a save keeps).
//
// Two kinds of input reach that point only after further rounds:
//  - A restore that fails part-way keeps the values applied so far but
//    skips the update of the output check box that follows a complete read
//    (an output-disabling value stays checked without an output path). The
//    program never saves such a state: after a failed restore it initialises
//    the settings again. One more round gives a state a complete read made.
//  - A text value with a double quote inside: texts are written between
//    quotes with nothing escaped, so such a text cannot survive a save and
//    restore (the rest of its line is skipped, or read as the next values
//    when it holds a comma). Each round drops a part of such a text, so the
//    files reach one without it within a few rounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "persistence.h"

namespace {

// Whether a restore read the whole file: no message, or the one for a list
// left without an entry.
bool Complete(const std::string& message) { return message.empty() || message == "Invalid combo box index"; }

// Restores path into a fresh session and saves it to saved; the restore's message.
std::string RestoreAndSave(const std::string& path, const std::string& saved) {
  kwl::fuzz::FuzzSession fs;
  const std::string message = kwl::RestoreSavedState(fs.session, path);
  KWL_FUZZ_CHECK(kwl::SaveState(fs.session, saved).empty());
  return message;
}

// Whether a saved file holds a text value with a double quote inside: its
// eight text values (lines 1 to 7 and 37) bring two quotes each, numbers none.
bool HasQuoteInsideText(std::string_view file) { return std::count(file.begin(), file.end(), '"') != 16; }

// Stops the run when the file at path differs from expected, showing both.
void CheckSaved(const std::string& path, const std::string& expected) {
  const std::string actual = kwl::fuzz::ReadFile(path);
  if (actual == expected) return;
  auto show = [](const char* what, const std::string& text) {
    std::fprintf(stderr, "%s:\n", what);
    for (char c : text) {
      const auto u = static_cast<unsigned char>(c);
      if (c == '\n' || (u >= 0x20 && u < 0x7F)) std::fputc(c, stderr);
      else if (c != '\r') std::fprintf(stderr, "\\x%02X", u);
    }
  };
  show("saved first", expected);
  show("saved again", actual);
  KWL_FUZZ_CHECK(actual == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& scratch = kwl::fuzz::ScratchFolder();
  const std::string input = scratch + "/input.kwl";
  const std::string saved[2] = {scratch + "/first.kwl", scratch + "/second.kwl"};
  kwl::fuzz::WriteFile(input, std::string_view(reinterpret_cast<const char*>(data), size));

  bool partial = !Complete(RestoreAndSave(input, saved[0]));
  std::string text = kwl::fuzz::ReadFile(saved[0]);
  constexpr int kMaxRounds = 64;
  int round = 0;
  for (; round < kMaxRounds && (partial || HasQuoteInsideText(text)); ++round) {
    partial = false;
    RestoreAndSave(saved[round % 2], saved[(round + 1) % 2]);
    text = kwl::fuzz::ReadFile(saved[(round + 1) % 2]);
  }
  KWL_FUZZ_CHECK(round < kMaxRounds);
  KWL_FUZZ_CHECK(Complete(RestoreAndSave(saved[round % 2], saved[(round + 1) % 2])));
  CheckSaved(saved[(round + 1) % 2], text);
  return 0;
}
