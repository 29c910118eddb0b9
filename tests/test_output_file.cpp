#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "files/regular_file.h"
#include "list_words.h"
#include "listing/count_listing.h"
#include "listing/output_file.h"
#include "listing/string_sink.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using Kind = Status::Kind;

TEST(OutputFile, EachRefusalIsAStatusNamingTheFile) {
  test::TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    Kind kind;
    int err;
    std::string detail;
  };
  const std::vector<Case> cases = {
      {dir.File("new.txt"), Kind::kOk, 0, ""},
      {dir.File("missing/list.txt"), Kind::kOpenFailed, ENOENT, ""},
      {dir.Path(), Kind::kNotRegular, EISDIR, "a folder"},
      {fifo, Kind::kNotRegular, 0, "a named pipe"},
      {"/dev/full", Kind::kNotRegular, 0, "a device"},
  };
  for (const Case& c : cases) {
    const Status checked = CheckOutputReplaceable(c.path);
    OutputFile file;
    const Status opened = file.Open(c.path);
    for (const Status& st : {checked, opened}) {
      EXPECT_EQ(st.kind, c.kind) << c.path;
      EXPECT_EQ(st.err, c.err) << c.path;
      EXPECT_EQ(st.detail, c.detail) << c.path;
      EXPECT_EQ(st.path, c.kind == Kind::kOk ? "" : c.path);
    }
    EXPECT_EQ(file.IsOpen(), c.kind == Kind::kOk) << c.path;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.txt"))) << "neither the check nor an open names the new file";
}

TEST(OutputFile, CommitReplacesAndAFailedOrMissingCommitKeepsTheEarlierFile) {
  test::TempDir dir;
  const std::string path = dir.Write("list.txt", "earlier");
  {
    OutputFile file;
    ASSERT_TRUE(file.Open(path).Ok());
    file.WriteLine("dropped");
  }
  EXPECT_EQ(test::ReadAll(path), "earlier") << "a file never committed is discarded";
  OutputFile file;
  ASSERT_TRUE(file.Open(path).Ok());
  file.WriteLine("a");
  file.Write("b");
  EXPECT_TRUE(file.Commit().Ok());
  EXPECT_EQ(test::ReadAll(path), "a\r\nb");
  // The folder taken away after the open: the replacement cannot happen.
  const std::string gone = dir.File("gone");
  std::filesystem::create_directory(gone);
  const std::string inGone = dir.Write("gone/list.txt", "earlier");
  OutputFile lost;
  ASSERT_TRUE(lost.Open(inGone).Ok());
  lost.Write("new");
  std::filesystem::rename(gone, dir.File("moved"));
  const Status committed = lost.Commit();
  EXPECT_EQ(committed.kind, Kind::kWriteFailed);
  EXPECT_NE(committed.err, 0);
  EXPECT_EQ(committed.path, inGone);
  EXPECT_EQ(test::ReadAll(dir.File("moved/list.txt")), "earlier");
}

TEST(OutputFileError, TheRunsNumberAndDescriptionForEachStatus) {
  struct Case {
    Status status;
    int number;
    std::string description;
  };
  const std::vector<Case> cases = {
      {Status::Failure(Kind::kNotRegular, 0, "p", "a named pipe"), 75, "The output file p is a named pipe, not a file."},
      {Status::Failure(Kind::kNotRegular, 0, "/dev/full", "a device"), 75,
       "The output file /dev/full is a device, not a file."},
      {Status::Failure(Kind::kNotRegular, EISDIR, "d", "a folder"), 21, "Is a directory"},
      {Status::Failure(Kind::kOpenFailed, ENOENT, "m/l"), 2, "No such file or directory"},
      {Status::Failure(Kind::kOpenFailed, EACCES, "r"), 70, "Permission denied"},
      {Status::Failure(Kind::kWriteFailed, EFBIG, "l"), 27, "File too large"},
      {Status::Failure(Kind::kWriteFailed, ENOSPC, "l"), 28, "No space left on device"},
  };
  for (const Case& c : cases) {
    const RunError e = RunError::FromOutputStatus(c.status);
    EXPECT_EQ(e.Number(), c.number) << c.description;
    EXPECT_EQ(e.Description(), c.description);
  }
}

TEST(SameFile, AsTypedOrThroughAnotherName) {
  test::TempDir dir;
  const std::string a = dir.Write("a.txt", "a");
  const std::string b = dir.Write("b.txt", "b");
  const std::string link = dir.File("link.txt");
  std::filesystem::create_symlink(a, link);
  struct Case {
    std::string first;
    std::string second;
    bool same;
  };
  const std::vector<Case> cases = {
      {"", "", false},
      {a, "", false},
      {"", a, false},
      {a, a, true},
      {a, dir.Path() + "/./a.txt", true},
      {a, link, true},
      {a, b, false},
      {a, dir.File("missing.txt"), false},
      {dir.File("missing.txt"), dir.File("missing.txt"), true},  // the same text names the same file
  };
  for (const Case& c : cases) EXPECT_EQ(SameFile(c.first, c.second), c.same) << c.first << " | " << c.second;
}

// The listing of kestrawl-count: the settings choose the order; the file is
// written whole, or not at all.
TEST(CountListing, TheSettingsChooseTheOrderAndTheFileIsWrittenWhole) {
  WordTable words;
  for (const char* w : {"beta", "alpha", "beta"}) words.Add(w);
  words.OrderByWord();
  const ListStatistics statistics = ComputeListStatistics(words, 3);
  Settings settings;
  settings.displayFormatIndex = 8;  // the words alone
  const struct {
    int order;
    const char* words;
  } cases[] = {{0, "beta\r\nalpha\r\n"}, {1, "alpha\r\nbeta\r\n"}};
  test::TempDir dir;
  for (const auto& c : cases) {
    settings.wordOrderIndex = c.order;
    CountListing listing(words, settings, statistics);
    StringSink sink;
    listing.Write(sink);
    EXPECT_TRUE(sink.Text().ends_with(c.words)) << sink.Text();
    ASSERT_TRUE(listing.WriteFile(dir.File("list.txt")).Ok());
    EXPECT_EQ(test::ReadAll(dir.File("list.txt")), sink.Text());
    EXPECT_EQ(listing.WriteFile(dir.Path()).kind, Kind::kNotRegular);
  }
}

}  // namespace
}  // namespace kwl
