// kestrawl-count over many files: folders and several INPUTs counted as one
// text, the same output on one thread and on several, counts tables merged
// into the count of the whole, and what it skips or refuses.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/cli_run.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using Result = test::CliResult;
using test::RunCli;

// The statistics lines of a run, without the elapsed time.
std::string Statistics(const std::string& err) {
  return err.substr(0, err.find("Time elapsed"));
}

std::string SettingsFile(const std::function<void(kwl::Settings&)>& change, const test::TempDir& dir,
                     const std::string& name) {
  kwl::Settings s;
  change(s);
  return dir.Write(name, ComposeSettingsFile(s));
}

TEST(KestrawlCountCorpus, AFolderOfThreeKindsOfFileCountsAsTheirConcatenation) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("c"));
  dir.Write("c/a.txt", "Caf\xE9 cat and the cat sat on the mat.\r\n");               // Windows-1252
  dir.Write("c/b.txt", "caf\xC3\xA9 dog \xC3\xBC" "ber the mat, /* not a comment\n");  // UTF-8
  test::WriteDocx(dir.File("c/c.docx"), "<w:p><w:r><w:t>Dog cat owl */ the end</w:t></w:r></w:p>");
  // The same text as one UTF-8 file; the comment opened in b.txt does not
  // reach into the next file, so the concatenation closes it first.
  const std::string all = dir.Write(
      "all.txt", "Caf\xC3\xA9 cat and the cat sat on the mat.\r\ncaf\xC3\xA9 dog \xC3\xBC" "ber the mat, /* not a "
                 "comment */\r\nDog cat owl */ the end\r\n");
  for (const std::vector<std::string>& layout :
       {std::vector<std::string>{"--format", "0"}, {"--format", "7", "--order", "alphabetical", "--commas"}}) {
    std::vector<std::string> corpus = layout, whole = layout;
    corpus.push_back(dir.File("c"));
    whole.push_back(all);
    const Result a = RunCli(corpus);
    const Result b = RunCli(whole);
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out) << a.err;
    EXPECT_NE(a.out.find("caf\xE9"), std::string::npos);
    EXPECT_EQ(a.err.find("Warning"), std::string::npos) << a.err;
  }
  // The counts table tells in how many files each word occurs.
  const Result t = RunCli({"--counts-out", dir.File("c.tsv"), dir.File("c")});
  EXPECT_EQ(t.status, 0) << t.err;
  const std::string table = test::ReadAll(dir.File("c.tsv"));
  for (const char* row : {"\ncat\tcat\t3\t2\n", "\ndog\tdog\t2\t2\n", "\nowl\towl\t1\t1\n", "\nthe\tthe\t4\t3\n",
                          "\ncaf\xC3\xA9\tcaf\xC3\xA9\t2\t2\n"})
    EXPECT_NE(table.find(row), std::string::npos) << row << table;
}

TEST(KestrawlCountCorpus, OneThreadAndTwoWriteTheSameFiles) {
  KWL_REQUIRE_CLI();
  KWL_REQUIRE_CORPUS(texts, "text");
  test::TempDir dir;
  std::vector<std::string> outputs;
  for (const char* threads : {"1", "2"}) {
    const std::string listing = dir.File(std::string("list") + threads + ".txt");
    const std::string table = dir.File(std::string("table") + threads + ".tsv");
    const Result l = RunCli({"-j", threads, "--format", "1", "--output", listing, texts});
    EXPECT_EQ(l.status, 0) << l.err;
    const Result t = RunCli({"-j", threads, "--counts-out", table, texts});
    EXPECT_EQ(t.status, 0) << t.err;
    EXPECT_EQ(Statistics(l.err), Statistics(t.err));
    outputs.push_back(test::ReadAll(listing) + test::ReadAll(table) + Statistics(l.err));
  }
  EXPECT_GT(outputs[0].size(), 100000u);
  EXPECT_TRUE(outputs[0] == outputs[1]);
}

TEST(KestrawlCountCorpus, TheCountsOfTwoHalvesMergedAreTheCountOfTheWhole) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("all"));
  // zebra and yak are infrequent in each half and frequent in the whole.
  dir.Write("all/1.txt", "zebra cat cat owl\r\n");
  dir.Write("all/2.txt", "yak cat dog dog\r\n");
  dir.Write("all/3.txt", "zebra yak emu\r\n");
  dir.Write("all/4.txt", "\x01\x02\x03\x04\x05\x06\x07\x08");  // skipped: counted in the statistics
  const std::string settings =
      SettingsFile([](kwl::Settings& s) { s.ignoreInfrequentWords = 1; }, dir, "infrequent.kwl");
  const std::vector<std::string> common = {"--settings", settings, "--format", "0"};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> args = common;
    args.insert(args.end(), more.begin(), more.end());
    return RunCli(args);
  };
  const Result whole = with({dir.File("all")});
  const Result half1 = with({"--counts-out", dir.File("h1.tsv"), dir.File("all/1.txt"), dir.File("all/2.txt")});
  const Result half2 = with({"--counts-out", dir.File("h2.tsv"), dir.File("all/3.txt"), dir.File("all/4.txt")});
  ASSERT_EQ(half1.status, 0) << half1.err;
  ASSERT_EQ(half2.status, 0) << half2.err;
  const Result merged = with({"--merge", dir.File("h1.tsv"), dir.File("h2.tsv")});
  EXPECT_EQ(whole.status, 0) << whole.err;
  EXPECT_EQ(merged.status, 0) << merged.err;
  EXPECT_EQ(merged.out, whole.out);
  EXPECT_NE(merged.out.find("zebra"), std::string::npos);
  EXPECT_EQ(merged.out.find("owl"), std::string::npos);
  const std::string wholeStatistics = Statistics(whole.err);
  EXPECT_EQ(Statistics(merged.err), wholeStatistics.substr(wholeStatistics.find("Number of words")));
  // Merged into a table, the halves give the whole's table byte for byte.
  EXPECT_EQ(with({"--merge", "--counts-out", dir.File("m.tsv"), dir.File("h1.tsv"), dir.File("h2.tsv")}).status, 0);
  EXPECT_EQ(with({"--counts-out", dir.File("w.tsv"), dir.File("all")}).status, 0);
  EXPECT_EQ(test::ReadAll(dir.File("m.tsv")), test::ReadAll(dir.File("w.tsv")));
}

TEST(KestrawlCountCorpus, TablesThatCannotBeMergedAreRefusedWithExitTwo) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string text = dir.Write("t.txt", "zebra cat cat owl\r\n");
  ASSERT_EQ(RunCli({"--counts-out", dir.File("plain.tsv"), text}).status, 0);
  const std::string caseSignificant = SettingsFile([](kwl::Settings& s) { s.caseSignificant = 1; }, dir, "case.kwl");
  ASSERT_EQ(RunCli({"--settings", caseSignificant, "--counts-out", dir.File("case.tsv"), text}).status, 0);
  const std::string plain = test::ReadAll(dir.File("plain.tsv"));
  const struct {
    const char* name;
    std::vector<std::string> tables;
    const char* message;
  } cases[] = {
      {"other word rules", {dir.File("plain.tsv"), dir.File("case.tsv")}, "different word rules (case=1, not case=0)"},
      {"not a table", {text}, "line 1: not a Kestrawl counts table"},
      {"cut short", {dir.Write("cut.tsv", plain.substr(0, plain.size() - 5))}, "cut short"},
      {"another version",
       {dir.Write("v2.tsv", "#kestrawl counts\tversion=2\n")}, "a counts table of version 2; this program reads version 1"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--merge"};
    args.insert(args.end(), c.tables.begin(), c.tables.end());
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
    EXPECT_NE(r.err.find(c.tables.back()), std::string::npos) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, "") << c.name;
  }
}

TEST(KestrawlCountCorpus, FilesThatCannotBeCountedAreSkippedAndTheCountGoesOn) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string folder = dir.File("f");
  std::filesystem::create_directories(folder + "/sub");
  dir.Write("f/a.txt", "alpha words here\r\n");
  const std::string binary = dir.Write("f/b.txt", std::string("\x00\x01\x02\x03\xFF\xFE\x00\x10", 8) + std::string(400, '\x01'));
  const std::string empty = dir.Write("f/c.txt", "");
  const std::string broken = dir.Write("f/d.docx", "not a zip package at all");
  dir.Write("f/e.txt", "omega words\r\n");
  dir.Write("f/sub/g.txt", "gamma words\r\n");
  ASSERT_EQ(::mkfifo((folder + "/fifo.txt").c_str(), 0600), 0);
  std::filesystem::create_directory_symlink(folder, folder + "/sub/loop");
  const Result r = RunCli({"-r", "--format", "8", folder});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* word : {"alpha", "omega", "gamma", "words"}) EXPECT_NE(r.out.find(word), std::string::npos) << word;
  for (const std::string& named :
       {"Not a text file: " + binary, "Empty file: Input file is zero-length.\n" + empty,
        "Warning: The file " + broken + "\nhas a 'docx' extension", folder + "/fifo.txt", folder + "/sub/loop"})
    EXPECT_NE(r.err.find(named), std::string::npos) << named << "\n" << r.err;
  // Without -r the sub-folder is left out.
  const Result flat = RunCli({"--format", "8", folder});
  EXPECT_EQ(flat.out.find("gamma"), std::string::npos);
}

TEST(KestrawlCountCorpus, NothingToCountOrAMisusedOption) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("empty"));
  std::filesystem::create_directory(dir.File("html"));
  dir.Write("html/a.txt", "words\r\n");
  const std::string text = dir.Write("t.txt", "words here\r\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{dir.File("empty")}, 1, "no files to count in " + dir.File("empty")},
      {{"--include", "*.htm", dir.File("html")}, 1, "no file matches --include"},
      {{"-j", "0", text}, 2, "-j must be a number from 1 to 256"},
      {{"-j", "x", text}, 2, "-j must be a number"},
      {{"--include", "", dir.File("html")}, 2, "--include needs a pattern"},
      {{"--output", dir.File("o"), "--counts-out", dir.File("o.tsv"), text}, 2, "exclude each other"},
      {{"--merge"}, 2, "no counts table given"},
      {{"-", text}, 2, "standard input"},
      {{"--merge", "--utf8", text}, 2, "--merge takes counts tables only"},
      {{"--counts-out", dir.File("html/a.txt"), dir.File("html")}, 3, "Output file cannot be the same as the input file."},
  };
  for (const auto& c : cases) {
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << c.message;
  }
}

}  // namespace
}  // namespace kwl
