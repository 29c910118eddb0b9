// The files of a corpus: what a folder contributes, in which order, and what
// is passed over (and why) without the walk hanging or stopping.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/corpus_files.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::TempDir;

TEST(CorpusFiles, AFolderGivesItsTextsInNameOrderAndPassesOverWhatCannotBeCounted) {
  TempDir dir;
  const std::string root = dir.Path();
  dir.Write("b.txt", "b");
  dir.Write("A.TXT", "a");
  dir.Write("c.docx", "PK");
  dir.Write("notes.md", "m");
  dir.Write(".hidden.txt", "h");
  ASSERT_EQ(::mkdir((root + "/sub").c_str(), 0700), 0);
  dir.Write("sub/d.htm", "d");
  dir.Write("sub/e.php", "e");
  ASSERT_EQ(::mkfifo((root + "/pipe.txt").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("..", (root + "/sub/back").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere.txt", (root + "/gone.txt").c_str()), 0);
  ASSERT_EQ(::symlink("b.txt", (root + "/same.txt").c_str()), 0);
  const std::string lone = dir.Write("chapter.one", "x");

  const struct {
    const char* name;
    std::vector<std::string> paths;
    CorpusChoice choice;
    std::vector<std::string> files;    // relative to root
    std::vector<std::string> skipped;  // SkippedPathText, root cut off
  } cases[] = {
      {"the folder and its sub-folders", {root}, {},
       {"/A.TXT", "/b.txt", "/c.docx", "/sub/d.htm", "/sub/e.php"},
       {"/gone.txt: is a link to nothing", "/pipe.txt: is a named pipe",
        "/sub/back: is a link that leads back into a folder already walked"}},
      {"not the sub-folders", {root}, {false, {}},
       {"/A.TXT", "/b.txt", "/c.docx"},
       {"/gone.txt: is a link to nothing", "/pipe.txt: is a named pipe"}},
      {"the user's patterns, case ignored", {root}, {true, {"*.HT?", "?.txt"}},
       {"/A.TXT", "/b.txt", "/sub/d.htm"},
       {"/sub/back: is a link that leads back into a folder already walked"}},
      {"files named, whatever their names, each once, in name order", {lone, root + "/b.txt", root + "/same.txt"},
       {}, {"/b.txt", "/chapter.one"}, {}},
      {"a missing path, a pipe named, a folder named twice", {root + "/missing.txt", root + "/pipe.txt", root, root},
       {false, {}}, {"/A.TXT", "/b.txt", "/c.docx"},
       {"/missing.txt: not found (No such file or directory)", "/pipe.txt: is a named pipe",
        "/gone.txt: is a link to nothing", "/pipe.txt: is a named pipe"}},
  };
  for (const auto& c : cases) {
    const CorpusFiles got = ListCorpusFiles(c.paths, c.choice);
    std::vector<std::string> files;
    for (const std::string& f : got.files) files.push_back(f.substr(root.size()));
    std::vector<std::string> skipped;
    for (const SkippedPath& s : got.skipped) skipped.push_back(SkippedPathText(s).substr(root.size()));
    EXPECT_EQ(files, c.files) << c.name;
    EXPECT_EQ(skipped, c.skipped) << c.name;
  }

  // A folder that cannot be read is named, and the others are walked.
  if (::geteuid() != 0) {
    ASSERT_EQ(::mkdir((root + "/locked").c_str(), 0), 0);
    const CorpusFiles got = ListCorpusFiles({root + "/locked", root + "/sub"}, {});
    ASSERT_EQ(got.skipped.size(), 2u);
    EXPECT_EQ(SkippedPathText(got.skipped[0]), root + "/locked: cannot be opened (Permission denied)");
    EXPECT_EQ(got.files.size(), 2u);
    ::chmod((root + "/locked").c_str(), 0700);
  }
}

}  // namespace
}  // namespace kwl
