// kestrawl-count --occurrences and --explain run as a separate process: the
// key-word-in-context view, its orders, the explanation, and their refusals.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using Result = test::CliResult;
using test::RunCli;

TEST(KestrawlCountInspect, OccurrencesAndExplanations) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  // Windows-1252: "caf\xE9" is printed as UTF-8.
  const std::string input = dir.Write("in.html",
                                      "<p>The black cat &amp; the caf\xE9 cat.</p>\r\n"
                                      "<!-- cat --> Cats, a white CAT\r\n");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // exactly, or a part of standard error when the run fails
  };
  const std::vector<Case> cases = {
      {{"--occurrences", "Cat", input}, 0,
       "1                 <p>The black cat & the caf\xC3\xA9 cat.</p>\n"
       "1  <p>The black cat & the caf\xC3\xA9 cat.</p>\n"
       "2   <!-- cat --> Cats, a white CAT\n"},
      {{"--occurrences", "cat", "--sort", "right", input}, 0, ""},
      {{"--occurrences", "xyzzy", input}, 1, "no occurrences of \"xyzzy\""},
      {{"--explain", "Cats,", input}, 0,
       "The characters \xC2\xAB,\xC2\xBB end or split it: the scanner cuts it into one word: \xC2\xAB" "Cats\xC2\xBB.\n"
       "Case is folded: \xC2\xAB" "Cats\xC2\xBB becomes \xC2\xAB" "cats\xC2\xBB.\n"
       "Counted under the entry \xC2\xAB" "cats\xC2\xBB (1 time in the last count).\n"},
      {{"--explain", "a", input}, 0, "Ignored: too short (1 character, fewer than the threshold of 3).\n"},
      {{"--sort", "left", input}, 2, "--sort goes with --occurrences"},
      {{"--occurrences", "cat", "--sort", "middle", input}, 2, "--sort must be"},
      {{"--occurrences", "cat", "--explain", "cat", input}, 2, "exclude each other"},
      {{"--occurrences", "cat", "--output", dir.File("out.txt"), input}, 2, "--output goes with a list"},
      {{"--explain", "", input}, 2, "--explain needs a token"},
      // One file only: the inputs of a count of several files are refused.
      {{"--occurrences", "cat", input, dir.Write("b.txt", "cat\r\n")}, 2, "takes one INPUT file, not several"},
      {{"--explain", "cat", dir.Path()}, 2, "--explain takes one INPUT file, not a folder"},
      {{"--occurrences", "cat", "--counts-out", dir.File("t.tsv"), input}, 2, "nor --merge or --counts-out"},
      {{"--explain", "cat", "--merge", input}, 2, "nor --merge or --counts-out"},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += a + " ";
    SCOPED_TRACE(shown);
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.status == 0 && !c.out.empty()) {
      EXPECT_EQ(r.out, c.out);
    }
    if (c.status != 0) {
      EXPECT_NE(r.err.find(c.out), std::string::npos) << r.err;
      EXPECT_EQ(r.out, "");
    }
  }
  // By the words to the right: none first, then "& the ..." before ".</p>".
  const Result right = RunCli({"--occurrences", "cat", "--sort", "right", input});
  ASSERT_EQ(right.status, 0);
  EXPECT_EQ(right.out,
            "2   <!-- cat --> Cats, a white CAT\n"
            "1                 <p>The black cat & the caf\xC3\xA9 cat.</p>\n"
            "1  <p>The black cat & the caf\xC3\xA9 cat.</p>\n");
  EXPECT_NE(right.err.find("3 occurrences of \"cat\""), std::string::npos);
}

TEST(KestrawlCountInspect, HelpNamesTheOptions) {
  KWL_REQUIRE_CLI();
  const Result r = RunCli({"--help"});
  for (const char* flag : {"--occurrences WORD", "--sort ORDER", "--explain TOKEN"})
    EXPECT_NE(r.out.find(flag), std::string::npos) << flag;
}

}  // namespace
}  // namespace kwl
