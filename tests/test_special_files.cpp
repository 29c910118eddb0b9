// Named pipes, folders and devices where the program expects a file to read:
// every reader refuses them at once, naming the file, and never waits on one.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sources/zip_entry.h"
#include "startup.h"
#include "persistence.h"
#include "catalogue.h"
#include "support/test_files.h"
#include "common_words.h"

namespace kwl {
namespace {

// A named pipe without a writer makes a blocking open wait forever: a
// reader that waits ends the test process here instead of hanging it.
struct SpecialFiles : ::testing::Test {
  void SetUp() override { ::alarm(30); }
  void TearDown() override { ::alarm(0); }

  test::TempDir dir;
  std::string Fifo(const std::string& name) const {
    const std::string path = dir.File(name);
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
  }
};

struct Kind {
  const char* what;  // as the messages say it
  std::string path;
};

TEST_F(SpecialFiles, ReadersRefuseThemNamingTheFile) {
  const std::string folder = dir.File("folder.kwl");
  std::filesystem::create_directory(folder);
  const Kind kinds[] = {{"a named pipe", Fifo("pipe.kwl")}, {"a folder", folder}, {"a device", "/dev/null"}};
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.path);
    test::TestSession t;
    Session& s = t.session;

    const std::string restored = RestoreSavedState(s, k.path);
    EXPECT_EQ(restored, std::string("Error when attempting to restore settings: ") +
                            (k.path == folder ? "Is a directory" : k.path + " is " + k.what));

    s.run.strCommonWordsFile = k.path;
    EXPECT_FALSE(AttemptToReadCommonWords(s));
    EXPECT_EQ(t.platform.LastBox().text, "File " + k.path + "\r\ncannot be read: it is " + k.what);
    EXPECT_EQ(t.platform.LastBox().title, "Fatal error");

    Catalogue catalogue;
    const int status = catalogue.Load(k.path);
    EXPECT_EQ(Catalogue::FailureMessage(status, k.path),
              "Cannot open file containing program text: it is " + std::string(k.what) + ".\r\n" + k.path);

    const zipentry::ExtractResult zip = zipentry::ExtractEntry(k.path, "word/document.xml", dir.Path() + "/", 1000);
    EXPECT_EQ(zip.status, zipentry::kCannotOpen);
    EXPECT_EQ(zip.description, "it is " + std::string(k.what));

    EXPECT_EQ(DetectLanguageCode(k.path, "de", "en"), "en");
  }
}

TEST_F(SpecialFiles, TheStateFileAtStartUpIsUnusableAndTheWindowComesUp) {
  test::TestSession loaded;
  const std::string folder = dir.File(loaded.session.Text(310));
  std::filesystem::create_directory(folder);
  const std::string state = folder + "/kwl.usr";
  ::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  const std::function<void()> makes[] = {
      [&] { ASSERT_EQ(::mkfifo(state.c_str(), 0600), 0); },
      [&] { std::filesystem::create_directory(state); },
      [&] { std::filesystem::create_symlink("/dev/null", state); },
  };
  for (const auto& make : makes) {
    std::filesystem::remove_all(state);
    make();
    test::FakePlatform platform;
    Session s(platform);
    s.programFolder = test::DataFolder();
    ASSERT_TRUE(FormLoad(s));
    EXPECT_EQ(s.main.cboWordOrder.Text(), "by frequency") << "the default settings";
    EXPECT_EQ(s.run.strStateFile, state);
  }
  ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SpecialFiles, SavingOverOneIsRefusedAndLeavesItAlone) {
  test::TestSession t;
  std::vector<Kind> kinds = {{"a named pipe", Fifo("pipe.kwl")}};
  // A device of the test's own, so that a fault cannot replace /dev/null.
  const std::string device = dir.File("null.kwl");
  if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) kinds.push_back({"a device", device});
  for (const Kind& k : kinds) {
    EXPECT_EQ(SaveState(t.session, k.path), "Error when attempting to save settings: " + k.path + " is " + k.what);
    struct stat st {};
    ASSERT_EQ(::lstat(k.path.c_str(), &st), 0);
    EXPECT_FALSE(S_ISREG(st.st_mode)) << k.path;
  }
  EXPECT_EQ(SaveState(t.session, dir.Path()), "Error when attempting to save settings: Is a directory");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), static_cast<long>(kinds.size()))
      << "no temporary file is left beside them";
}

}  // namespace
}  // namespace kwl
