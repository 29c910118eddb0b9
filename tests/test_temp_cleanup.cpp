// The DOCX reader's private temporary folder goes on every exit, a signal
// included, whatever names others hold in the shared folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "docx.h"
#include "files/temp_cleanup.h"
#include "support/test_files.h"

namespace kwl {
namespace {

namespace fs = std::filesystem;

// Starts kestrawl-count with TMPDIR set and the three signals at their default.
pid_t StartCli(const std::vector<std::string>& args, const std::string& tmpdir) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, SIG_DFL);
  ::setenv("TMPDIR", tmpdir.c_str(), 1);
  const std::string binary = test::DataFolder() + "/kestrawl-count";
  std::vector<char*> argv{const_cast<char*>(binary.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  ::freopen("/dev/null", "w", stderr);
  ::execv(binary.c_str(), argv.data());
  ::_exit(127);
}

// The wait status, or -1 (the process killed) when it takes too long.
int WaitFor(pid_t pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status;
}

// Whether a regular file (extracted or converted text) lies below folder.
bool HoldsAFile(const std::string& folder) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->is_regular_file(ec)) return true;
  return false;
}

TEST(TempCleanup, ASignalDuringADocxCountLeavesNoTemporaryFolder) {
  if (::access((test::DataFolder() + "/kestrawl-count").c_str(), X_OK) != 0) GTEST_SKIP() << "kestrawl-count not built";
  test::TempDir dir;
  // About 8 MB of text runs with many different words: seconds of work.
  std::string body;
  for (int i = 0; i < 150000; ++i) body += "<w:p><w:r><w:t>word" + std::to_string(i) + " alpha beta</w:t></w:r></w:p>";
  const std::string docx = dir.File("big.docx");
  test::WriteDocx(docx, body);
  for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(sig);
    test::TempDir tmp;
    const pid_t pid = StartCli({"--output", dir.File("list.txt"), docx}, tmp.Path());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!HoldsAFile(tmp.Path()) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::kill(pid, sig);
    const int status = WaitFor(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 128 + sig) << "ended by the signal, not finished";
    EXPECT_TRUE(fs::is_empty(tmp.Path()));
  }
}

TEST(TempCleanup, NamesTakenInTheSharedFolderDoNotStopACount) {
  if (::access((test::DataFolder() + "/kestrawl-count").c_str(), X_OK) != 0) GTEST_SKIP() << "kestrawl-count not built";
  test::TempDir dir;
  test::TempDir tmp;
  for (int n = 1; n <= 999; ++n) fs::create_directory(tmp.File("KWL" + std::string(n < 10 ? "00" : n < 100 ? "0" : "") +
                                                                std::to_string(n)));
  const std::string docx = dir.File("small.docx");
  test::WriteDocx(docx, "<w:p><w:r><w:t>Counted words are counted.</w:t></w:r></w:p>");
  const int status = WaitFor(StartCli({"--output", dir.File("list.txt"), docx}, tmp.Path()));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(test::ReadAll(dir.File("list.txt")).find("counted"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(tmp.Path()), {}), 999) << "nothing of the count is left";
}

// The window program's handlers, and the removal at exit, in a child process.
TEST(TempCleanup, HandlersAndExitRemoveTheFolderWithItsContents) {
  for (const int sig : {SIGINT, SIGTERM, SIGHUP, 0}) {
    SCOPED_TRACE(sig);
    test::TempDir tmp;
    ::setenv("TMPDIR", tmp.Path().c_str(), 1);
    auto run = [sig] {
      tempcleanup::InstallSignalHandlers();
      const std::string folder = CreateTempFolder("KWL");
      if (folder.empty()) ::_exit(3);
      test::WriteAll(folder + "text.txt", "the document's text");
      ::mkdir((folder + "word").c_str(), 0700);
      test::WriteAll(folder + "word/document.xml", "<w:t>text</w:t>");
      ::chmod((folder + "word").c_str(), 0500);  // read-only folders are emptied too
      if (sig != 0) ::raise(sig);
      std::exit(0);
    };
    if (sig != 0) {
      EXPECT_EXIT(run(), ::testing::KilledBySignal(sig), "");
    } else {
      EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
    }
    ::unsetenv("TMPDIR");
    EXPECT_TRUE(fs::is_empty(tmp.Path()));
  }
}

}  // namespace
}  // namespace kwl
