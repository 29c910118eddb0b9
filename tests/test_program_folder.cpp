// Where the data files are found: beside the executable (the build tree) or
// in ../share/kestrawl (an installed layout), and what a start without them
// names.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/program_folder.h"
#include "startup.h"
#include "support/test_files.h"

namespace kwl {
namespace {

TEST(ProgramFolder, FoundBesideTheExecutableOrInShareKestrawl) {
  struct Case {
    const char* name;
    std::vector<std::string> catalogues;  // folders under the root holding kwl.dat
    std::string folder;                   // expected, under the root
    bool found;
    std::vector<std::string> lookedIn;
  };
  const std::vector<Case> cases = {
      {"build tree", {"bin"}, "bin", true, {"bin"}},
      {"installed", {"share/kestrawl"}, "share/kestrawl", true, {"bin", "share/kestrawl"}},
      {"both: the executable's own folder wins", {"bin", "share/kestrawl"}, "bin", true, {"bin"}},
      {"neither", {}, "bin", false, {"bin", "share/kestrawl"}},
      {"a catalogue elsewhere does not count", {"share"}, "bin", false, {"bin", "share/kestrawl"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir root;
    std::filesystem::create_directories(root.File("bin"));
    for (const std::string& folder : c.catalogues) {
      std::filesystem::create_directories(root.File(folder));
      test::WriteAll(root.File(folder + "/kwl.dat"), "1\tx\n");
    }
    const ProgramFolderSearch search = FindProgramFolder(root.File("bin/kestrawl"));
    EXPECT_EQ(search.folder, root.File(c.folder));
    EXPECT_EQ(search.found, c.found);
    std::vector<std::string> expected;
    for (const std::string& folder : c.lookedIn) expected.push_back(root.File(folder));
    EXPECT_EQ(search.lookedIn, expected);
  }
}

TEST(ProgramFolder, TheRunningExecutablesDataIsFound) {
  // The tests run from the build tree, with kwl.dat beside the executables.
  const std::string exe = ExecutablePath();
  ASSERT_FALSE(exe.empty());
  const ProgramFolderSearch search = FindProgramFolder();
  EXPECT_TRUE(search.found);
  EXPECT_EQ(search.folder, std::filesystem::path(exe).parent_path().string());
}

TEST(StartUp, MissingCatalogueNamesEveryFolderLookedIn) {
  test::FakePlatform platform;
  Session s(platform);
  test::TempDir root;
  const ProgramFolderSearch search = FindProgramFolder(root.File("bin/kestrawl"));
  s.programFolder = search.folder;
  s.programFoldersLookedIn = search.lookedIn;
  EXPECT_FALSE(FormLoad(s));
  EXPECT_EQ(platform.LastBox().text, "Cannot open file containing program text.\r\n" + root.Path() +
                                         "/bin/kwl.dat\r\n" + root.Path() + "/share/kestrawl/kwl.dat");
}

}  // namespace
}  // namespace kwl
