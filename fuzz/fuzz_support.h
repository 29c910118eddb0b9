#pragma once
// What the fuzz targets share: a desktop that answers every box with its
// default button, a session set up as the program's start-up leaves it, a
// private scratch folder, and a check that stops the run with the failed
// condition (libFuzzer then keeps the input as a crash).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform.h"
#include "text/number_text.h"
#include "session.h"

namespace kwl::fuzz {

// Answers each message box with its default button (Yes for a question
// without one), input boxes with their default text, and cancels file
// dialogs; records nothing, so a long run keeps its memory flat.
class StubPlatform : public Platform {
 public:
  Answer ShowMessage(const MessageBox& box) override;
  std::string InputBox(const std::string&, const std::string&, const std::string& defaultText) override {
    return defaultText;
  }
  std::optional<std::string> ChooseFile(const FileDialog&) override { return std::nullopt; }
  std::string ClipboardText() override { return {}; }
  void ProcessEvents() override {}
  bool OpenUrl(const std::string&) override { return false; }
  std::string FormatGrouped(std::int64_t n) override { return GroupDigits(n); }
  std::string DecimalSeparator() override { return "."; }
  std::int64_t MonotonicMs() override { return ++clockMs_; }
  void PopUp(const std::string&, int, int, int, int, int) override {}

 private:
  std::int64_t clockMs_ = 0;
};

// A session after start-up: the catalogue (read once, from beside the
// executable), the variables initialised, the event pump unthrottled.
struct FuzzSession {
  FuzzSession();
  StubPlatform platform;
  Session session{platform};
};

// The program's own catalogue kwl.dat, read once from beside the executable.
const Catalogue& ProgramCatalogue();

// A folder of this process's own below $TMPDIR (else /tmp), made on first
// use and removed at exit. The per-user configuration folder points into it,
// so that no target touches the real one.
const std::string& ScratchFolder();

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
// Whether the folder exists and holds nothing.
bool FolderIsEmpty(const std::string& path);

[[noreturn]] void Fail(const char* file, int line, const char* condition);

}  // namespace kwl::fuzz

#define KWL_FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::kwl::fuzz::Fail(__FILE__, __LINE__, #condition))
