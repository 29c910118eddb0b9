// kestrawl-count run as a separate process: its usage errors, its exit codes,
// and whole output files for small inputs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using Result = test::CliResult;
using test::Binary;
using test::Quote;
using test::RunCli;

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
      {""},
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

// A document of more than 10 MiB of text is counted: its question is printed
// and answered Yes, as a failed checksum's is.
TEST(KestrawlCount, ALargeDocxIsCounted) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  std::string body;
  for (int i = 0; i < 270000; ++i) body += "<w:p><w:r><w:t>alpha beta</w:t></w:r></w:p>";
  const std::string docx = dir.File("large.docx");
  test::WriteDocx(docx, body);
  const Result r = RunCli({"--format", "8", docx});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("Big file: " + docx + "\nis rather large."), std::string::npos) << r.err;
  EXPECT_EQ(r.out, kSpacesNote + "Word (longest has 5 characters)\r\nalpha\r\nbeta\r\n");
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
  // The Kelvin sign is lowered to "k" before the conversion, not cut to "?".
  const Result kelvin = RunCli({"--format", "7", "-"}, "\xE2\x84\xAA" "elvin kelvin");
  EXPECT_EQ(kelvin.status, 0) << kelvin.err;
  EXPECT_NE(kelvin.out.find("kelvin      2"), std::string::npos) << kelvin.out;
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


// A settings file: the defaults with some of the 38 lines changed (index = line - 1).
std::string SettingsFile(const std::vector<std::pair<int, std::string>>& changes) {
  std::vector<std::string> lines = {"\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"", "1", "7", "0",
                                    "1", "0", "0", "1", "1", "1", "0", "0", "1", "0", "0", "0", "0", "0", "0",
                                    "0", "0", "0", "0", "1", "0", "0", "0", "0", "0", "0", "\"\"", "0"};
  for (const auto& [index, value] : changes) lines[static_cast<std::size_t>(index)] = value;
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Every run that does not list a complete count leaves the earlier output
// file byte for byte, writes nothing to standard output, and leaves no
// temporary file beside the output.
TEST(KestrawlCount, AFailedRunKeepsTheEarlierOutputFile) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string earlier = "the earlier list\r\n";
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "word" + std::to_string(i) + " text\r\n";
  const std::string failing = dir.Write("failing-disk.txt", big);
  const std::string sevenBit = dir.Write("7bit.kwl", SettingsFile({{37, "1"}}));
  const std::string preload = "ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=" + Quote(KWL_FAILING_READ_SHIM) + " ";
  struct Case {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string message;
    std::string prefix;
  };
  const std::vector<Case> cases = {
      {"missing input", {dir.File("absent.txt")}, 3, "", ""},
      {"truncated DOCX", {dir.Write("cut.docx", std::string("PK\x03\x04", 4) + std::string(200, 'x'))}, 3, "", ""},
      {"no words", {dir.Write("short.txt", "a an to of\r\n")}, 1, "No words satisfying", ""},
      {"read error", {failing}, 3, "the count is incomplete: " + failing, preload},
      {"7-bit ASCII with UTF-8", {"--settings", sevenBit, "--utf8", dir.Write("u.txt", "words here\r\n")}, 2,
       "Scanning as UTF-8 is not compatible with", ""},
  };
  const std::string out = dir.File("out.txt");
  for (const Case& c : cases) {
    for (const bool toFile : {true, false}) {
      test::WriteAll(out, earlier);
      const auto before = FolderEntries(dir.Path());
      std::vector<std::string> args = c.args;
      if (toFile) args.insert(args.begin(), {"--output", out});
      const Result r = RunCli(args, "", "", c.prefix);
      EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.err;
      EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << "\n" << r.err;
      EXPECT_EQ(r.out, "") << c.name;
      EXPECT_EQ(test::ReadAll(out), earlier) << c.name;
      EXPECT_EQ(FolderEntries(dir.Path()), before) << c.name;
    }
  }
  // Without the failing disk the same file is counted and listed.
  const Result healthy = RunCli({"--output", out, failing});
  EXPECT_EQ(healthy.status, 0) << healthy.err;
  EXPECT_NE(test::ReadAll(out).find("  text\r\n"), std::string::npos);
}

// Outputs that cannot take a file are refused at once, before anything is
// read: a named pipe is never opened (it would block until a reader came).
TEST(KestrawlCount, AnOutputThatIsNoFileIsRefusedAtOnce) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("in.txt", "alpha beta gamma\r\n");
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string output;
    std::string message;
  } cases[] = {
      {fifo, "The output file " + fifo + " is a named pipe, not a file."},
      {"/dev/null", "The output file /dev/null is a device, not a file."},
      {dir.Path(), "Is a directory"},
      {dir.File("missing/out.txt"), "No such file or directory"},
  };
  for (const auto& c : cases) {
    const Result r = RunCli({"--output", c.output, input}, "", "", "timeout 10 ");
    EXPECT_EQ(r.status, 3) << c.output << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

// Whether the process has a file of the folder open for writing that has no
// name yet (the listing's new output file).
bool WritesNewFileIn(pid_t pid, const std::string& folder) {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
    const std::string target = std::filesystem::read_symlink(e.path(), ec).string();
    if (target.rfind(folder + "/", 0) == 0 && target.find("out.txt") == std::string::npos &&
        target.find("in.txt") == std::string::npos)
      return true;
  }
  return false;
}

// A count killed while counting or while writing its list leaves the earlier
// output file whole and nothing beside it.
TEST(KestrawlCount, AKilledRunKeepsTheEarlierOutputFile) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  std::string text;
  for (int i = 0; i < 150000; ++i) {
    text += "kw";
    for (int n = i;; n /= 26) {
      text += static_cast<char>('a' + n % 26);
      if (n < 26) break;
    }
    text += ' ';
  }
  const std::string input = dir.Write("in.txt", text);
  const std::string out = dir.File("out.txt");
  const std::string earlier = "the earlier list\r\n";
  for (const bool whileListing : {false, true}) {
    test::WriteAll(out, earlier);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, STDERR_FILENO);
      const std::string binary = Binary();
      ::execl(binary.c_str(), binary.c_str(), "--output", out.c_str(), input.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    bool listing = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    if (whileListing) {
      while (!listing && std::chrono::steady_clock::now() < deadline && ::waitpid(child, nullptr, WNOHANG) == 0) {
        listing = WritesNewFileIn(child, dir.Path());
        if (!listing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(listing, whileListing) << "the listing was not caught in the act";
    EXPECT_EQ(test::ReadAll(out), earlier) << whileListing;
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"in.txt", "out.txt"})) << whileListing;
  }
}

// A settings file that ticks words in every script reads its words to
// ignore as --unicode does: UTF-8, in a count of one file and of several.
TEST(KestrawlCount, TheSettingsFilesWordsInEveryScriptReadItsWordsToIgnore) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string text = "\xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9 chat\r\n";
  const std::string one = dir.Write("one.txt", text);
  const std::string two = dir.Write("two.txt", text);
  // Line 3 the words to ignore, line 40 words in every script.
  std::string settings = SettingsFile({{2, "\"\xC3\xA9t\xC3\xA9\""}});
  const std::string ignoring = dir.Write("ignore.kwl", settings);
  const std::string everyScript = dir.Write("every.kwl", settings + "0\r\n1\r\n");
  const struct {
    std::vector<std::string> args;
  } cases[] = {
      {{"--settings", everyScript, one}},
      {{"--settings", ignoring, "--unicode", one}},
      {{"--settings", everyScript, one, two}},
      {{"--settings", ignoring, "--unicode", one, two}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2] + " " + c.args.back());
    std::vector<std::string> args = {"--format", "8"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\r\nchat\r\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\xC3\xA9t\xC3\xA9\r\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("Number of words in this list: 1\n"), std::string::npos) << r.err;
  }
}

// A settings file that ticks "ignore common words" for a named file counts
// with that file, not with the list of the input's language.
TEST(KestrawlCount, TheSettingsFilesCommonWordsFileIsUsed) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const std::string input = dir.Write("en.txt", "The house and the garden und der Garten\r\n");
  const std::string german = test::DataFolder() + "/cwds_de.txt";
  const auto settings = [&](const std::string& path) {
    return dir.Write("cw.kwl", SettingsFile({{12, "1"}, {36, "\"" + path + "\""}}));
  };
  const Result r = RunCli({"--format", "8", "--settings", settings(german), input});
  EXPECT_EQ(r.status, 0) << r.err;
  // German common words ("und", "der") are dropped, English ones ("the", "and") stay.
  EXPECT_EQ(r.out, kSpacesNote + "Word (longest has 6 characters)\r\nthe\r\nand\r\ngarden\r\ngarten\r\nhouse\r\n");

  const Result missing = RunCli({"--settings", settings(dir.File("gone.txt")), input});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("File for common words not found."), std::string::npos) << missing.err;
  EXPECT_EQ(missing.out, "");

  const Result empty = RunCli({"--common-words", dir.Write("empty.txt", "... ,,, ;;; !!!\r\n"), input});
  EXPECT_EQ(empty.status, 3);
  EXPECT_NE(empty.err.find("holds no words"), std::string::npos) << empty.err;
}

}  // namespace
}  // namespace kwl
