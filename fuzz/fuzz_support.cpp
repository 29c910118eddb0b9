#include "fuzz_support.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "count_run.h"
#include "files/program_folder.h"

namespace kwl::fuzz {
namespace {

namespace fs = std::filesystem;

void RemoveScratchFolder();

std::string MakeScratchFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kwlfuzz.XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder in " + pattern);
  return pattern;
}

// Never destroyed: the exit handler that removes the folder still needs it.
const std::string& Scratch() {
  static const std::string* const folder = [] {
    auto* f = new std::string(MakeScratchFolder());
    std::atexit(RemoveScratchFolder);
    return f;
  }();
  return *folder;
}

void RemoveScratchFolder() {
  std::error_code ec;
  fs::remove_all(Scratch(), ec);
}

}  // namespace

const Catalogue& ProgramCatalogue() {
  static const Catalogue catalogue = [] {
    Catalogue c;
    const std::string path = ProgramFolder() + "/kwl.dat";
    const int status = c.Load(path);
    if (status <= 0) {
      std::fprintf(stderr, "%s\n", Catalogue::FailureMessage(status, path).c_str());
      std::abort();
    }
    return c;
  }();
  return catalogue;
}

Answer StubPlatform::ShowMessage(const MessageBox& box) {
  if (box.defaultButton) return *box.defaultButton;
  return box.buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

FuzzSession::FuzzSession() {
  static const bool configHomeSet = [] {
    const std::string config = Scratch() + "/config";
    fs::create_directories(config);
    return ::setenv("XDG_CONFIG_HOME", config.c_str(), 1) == 0;
  }();
  (void)configHomeSet;
  session.catalogue = ProgramCatalogue();
  session.programFolder = ProgramFolder();
  session.pump.SetThrottled(false);
  InitializeVariables(session);
  session.main.cmdListWords.SetCaption(session.Text(73));
  session.run.blnStartUpCompleted = true;
}

const std::string& ScratchFolder() { return Scratch(); }

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::abort();
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FolderIsEmpty(const std::string& path) {
  std::error_code ec;
  return fs::is_empty(path, ec) && !ec;
}

void Fail(const char* file, int line, const char* condition) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace kwl::fuzz
