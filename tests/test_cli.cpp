// kestrawl-count run as a separate process: its usage errors, its exit codes,
// and whole output files for small inputs.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cli_platform.h"
#include "support/test_files.h"

namespace kwl {
namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Binary() { return test::DataFolder() + "/kestrawl-count"; }

// Runs kestrawl-count (in the folder cwd when given) with the arguments and
// the standard input.
Result RunCli(const std::vector<std::string>& args, const std::string& input = "", const std::string& cwd = "") {
  test::TempDir io;
  std::string command = cwd.empty() ? std::string() : "cd " + Quote(cwd) + " && ";
  command += Quote(Binary());
  for (const auto& a : args) {
    command += ' ';
    command += Quote(a);
  }
  command += " <" + Quote(io.Write("stdin", input)) + " >" + Quote(io.File("stdout")) + " 2>" +
             Quote(io.File("stderr"));
  const int raw = std::system(command.c_str());
  Result r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = test::ReadAll(io.File("stdout"));
  r.err = test::ReadAll(io.File("stderr"));
  return r;
}

#define KWL_REQUIRE_CLI()                                                    \
  if (!std::ifstream(Binary()).good()) GTEST_SKIP() << Binary() << " not built"

TEST(CliPlatform, PrintsBoxesAndAnswersWithoutAsking) {
  test::TempDir dir;
  const std::string log = dir.File("log");
  std::FILE* f = std::fopen(log.c_str(), "w");
  ASSERT_NE(f, nullptr);
  CliPlatform p(f);
  p.silencedTitles.insert("Hidden");
  p.answerNoTitles.insert("Load?");
  EXPECT_EQ(p.ShowMessage({"line one\r\nline two", "Title", Buttons::Ok, Icon::Warning, std::nullopt}), Answer::Ok);
  EXPECT_EQ(p.ShowMessage({"Keep going?", "Question", Buttons::YesNo, Icon::None, Answer::No}), Answer::No);
  EXPECT_EQ(p.ShowMessage({"Proceed?", "Question", Buttons::YesNo, Icon::None, std::nullopt}), Answer::Yes);
  EXPECT_EQ(p.ShowMessage({"...", "Large input file", Buttons::YesNoCancel, Icon::None, std::nullopt}), Answer::No);
  EXPECT_EQ(p.ShowMessage({"This file seems to be UTF-8 encoded.", "UTF-8 or ANSI file?", Buttons::YesNoCancel,
                           Icon::None, std::nullopt}),
            Answer::Yes);
  EXPECT_EQ(p.ShowMessage({"This file does not seem to be UTF-8 encoded.", "UTF-8 or ANSI file?",
                           Buttons::YesNoCancel, Icon::None, std::nullopt}),
            Answer::No);
  p.utf8Choice = false;
  EXPECT_EQ(p.ShowMessage({"This file seems to be UTF-8 encoded.", "UTF-8 or ANSI file?", Buttons::YesNoCancel,
                           Icon::None, std::nullopt}),
            Answer::No);
  EXPECT_EQ(p.ShowMessage({"quiet", "Hidden", Buttons::Ok, Icon::None, std::nullopt}), Answer::Ok);
  EXPECT_EQ(p.ShowMessage({"Load them?", "Load?", Buttons::YesNo, Icon::None, Answer::Yes}), Answer::No);
  EXPECT_EQ(p.InputBox("prompt", "The output file exists.", "/out.txt"), "/out.txt");
  EXPECT_EQ(p.ChooseFile(FileDialog{}), std::nullopt);
  std::fclose(f);
  const std::string printed = test::ReadAll(log);
  EXPECT_EQ(printed.substr(0, 28), "Title: line one\nline two\nQue");
  EXPECT_EQ(printed.find("quiet"), std::string::npos);
}

TEST(KestrawlCount, UsageErrorsExitWithTwo) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("in.txt", "words\r\n");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--bogus", input},
      {"-x", input},
      {input, "--format"},
      {"--format", "10", input},
      {"--format", "x", input},
      {"--order", "random", input},
      {"--order"},
      {"--settings"},
      {"--output"},
      {"--output", "", input},
      {"--commas=yes", input},
      {"--utf8", "--ansi", input},
      {input, input},
  };
  for (const auto& args : cases) {
    const Result r = RunCli(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_NE(r.err.find("Usage: kestrawl-count"), std::string::npos) << shown;
    EXPECT_EQ(r.out, "") << shown;
  }
}

TEST(KestrawlCount, HelpExplainsEveryFlag) {
  KWL_REQUIRE_CLI();
  const Result r = RunCli({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* flag : {"--settings", "--common-words", "--utf8", "--ansi", "--order", "--format", "--commas",
                           "--output", "--help", "Exit status"})
    EXPECT_NE(r.out.find(flag), std::string::npos) << flag;
}

TEST(KestrawlCount, AnUnusableSettingsFileIsAUsageError) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("in.txt", "words\r\n");
  const Result missing = RunCli({"--settings", dir.File("none.kwl"), input});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("Error when attempting to restore settings: No such file or directory"),
            std::string::npos);
  const Result cut = RunCli({"--settings", dir.Write("cut.kwl", "\"\"\r\n\"\"\r\n"), input});
  EXPECT_EQ(cut.status, 2);
  EXPECT_NE(cut.err.find("Error when attempting to restore settings: "), std::string::npos);
}

TEST(KestrawlCount, AMissingInputIsRefused) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string out = dir.File("out.txt");
  const Result r = RunCli({"--output", out, dir.File("absent.txt")});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "");
}

TEST(KestrawlCount, TheInputIsNeverItsOwnOutput) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("in.txt", "alpha beta\r\n");
  const Result r = RunCli({"--output", dir.Path() + "/./in.txt", input});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("Output file cannot be the same as the input file."), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadAll(input), "alpha beta\r\n");
}

const std::string kSpacesNote =
    "\"To open this file in Excel state that it is delimited by spaces.\r\n"
    "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
    "\r\n";

// "on" is shorter than the default minimum of 3 characters; case is folded.
const std::string kText = "The cat sat on the mat.\r\nThe dog; the CAT!\r\n";

TEST(KestrawlCount, WritesTheProgramsOutputFile) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("cats.txt", kText);

  const Result byFrequency = RunCli({input});
  EXPECT_EQ(byFrequency.status, 0) << byFrequency.err;
  EXPECT_EQ(byFrequency.out, kSpacesNote +
                                 "   Rank    Freq  Word (longest has 3 characters)\r\n"
                                 "      1       4  the\r\n"
                                 "      2       2  cat\r\n"
                                 "      3       1  dog\r\n"
                                 "      4       1  mat\r\n"
                                 "      5       1  sat\r\n");
  EXPECT_NE(byFrequency.err.find("Number of words in this list:  5\n"), std::string::npos) << byFrequency.err;
  EXPECT_NE(byFrequency.err.find("Number of instances of words in this list:  9\n"), std::string::npos);
  EXPECT_NE(byFrequency.err.find("Total number of instances of words: 10\n"), std::string::npos);
  EXPECT_NE(byFrequency.err.find("Time elapsed: "), std::string::npos);

  const std::string out = dir.File("list.csv");
  const Result alphabetical = RunCli({"--order", "alphabetical", "--format", "8", "--output", out, input});
  EXPECT_EQ(alphabetical.status, 0) << alphabetical.err;
  EXPECT_EQ(alphabetical.out, "");
  EXPECT_EQ(test::ReadAll(out), kSpacesNote + "Word (longest has 3 characters)\r\ncat\r\ndog\r\nmat\r\nsat\r\nthe\r\n");

  const Result commas = RunCli({"--format", "9", "--commas", "--order", "alphabetical", input});
  EXPECT_EQ(commas.status, 0) << commas.err;
  EXPECT_EQ(commas.out,
            "\"To open this file in Excel state that it is delimited by commas.\r\n"
            "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
            "\r\n"
            "cat, dog, mat, sat, the");
}

TEST(KestrawlCount, SettingsFileAndFlagsTogether) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("cats.txt", kText);
  // The defaults, except: case significant, "dog" ignored, alphabetical, format 7.
  std::vector<std::string> lines = {"\"\"", "\"\"", "\"dog\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"", "1", "7", "0",
                                    "1", "0", "0", "1", "1", "1", "0", "0", "1", "0", "0", "0", "0", "0", "0",
                                    "0", "0", "0", "0", "1", "0", "0", "0", "0", "0", "0", "\"\"", "0"};
  ASSERT_EQ(lines.size(), 38u);
  lines[16] = "1";  // line 17, chkCaseSignificant
  lines[34] = "1";  // line 35, cboWordOrder
  lines[35] = "7";  // line 36, cboDisplayFormat (overridden by --format 8)
  std::string settings;
  for (const auto& l : lines) settings += l + "\r\n";
  const Result r = RunCli({"--settings", dir.Write("s.kwl", settings), "--format", "8", input});
  EXPECT_EQ(r.status, 0) << r.err;
  // Equal keys (cat/CAT, the/The) in the order the key sort leaves them.
  EXPECT_EQ(r.out, kSpacesNote + "Word (longest has 3 characters)\r\ncat\r\nCAT\r\nmat\r\nsat\r\nthe\r\nThe\r\n");
}

TEST(KestrawlCount, NoWordsToListExitsWithOne) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string out = dir.File("out.txt");
  // Every word too short: nothing reaches the table.
  const Result none = RunCli({"--output", out, dir.Write("short.txt", "a an to of\r\n")});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("No words satisfying the conditions were found."), std::string::npos) << none.err;
  // Counted, then all excluded as Roman numerals.
  const Result roman = RunCli({dir.Write("roman.txt", "xiv xxi\r\n")});
  EXPECT_EQ(roman.status, 1);
  EXPECT_EQ(roman.out, "");
  EXPECT_NE(roman.err.find("No words with more than 2 letters\noccur at least once."), std::string::npos) << roman.err;
}

// A DOCX table of the corpus: "Above", four cells "Top left" ... "Bottom
// right", "Below". The expected file was written by hand from that text.
TEST(KestrawlCount, CorpusDocxTable) {
  KWL_REQUIRE_CLI();
  KWL_REQUIRE_CORPUS(docx, "docx/mammoth_tables.docx");
  const Result r = RunCli({docx});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, test::ReadAll(test::TestData("cli_mammoth_tables.format0.txt")));
}

TEST(KestrawlCount, StandardInputCountsAsClipboardText) {
  KWL_REQUIRE_CLI();
  const Result r = RunCli({"--format", "7", "-"}, "Hello world\nhello again");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kSpacesNote +
                       "  " "Word  " " " "  Freq" "\r\n"
                       "  " "hello " " " "     2" "\r\n"
                       "  " "again " " " "     1" "\r\n"
                       "  " "world " " " "     1" "\r\n");
  const Result tooMuch = RunCli({"-"}, std::string(100001, 'a'));
  EXPECT_EQ(tooMuch.status, 3);
}

TEST(KestrawlCount, RelativePathsNameFilesOfTheWorkingFolder) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("texts"));
  test::WriteAll(dir.File("texts/in.txt"), "the cat and the hat\r\n");
  test::WriteAll(dir.File("common.txt"), "the and\r\n");
  const Result r = RunCli({"--common-words", "common.txt", "--format", "8", "--output", "list.txt", "texts/in.txt"}, "",
                          dir.Path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(test::ReadAll(dir.File("list.txt")), kSpacesNote + "Word (longest has 3 characters)\r\ncat\r\nhat\r\n");
}

}  // namespace
}  // namespace kwl
