#pragma once
// kestrawl-count run as a separate process by the tests of the command line.
#include <string>
#include <vector>

namespace kwl::test {

struct CliResult {
  int status = -1;  // the exit status; -1 when the process did not exit
  std::string out;
  std::string err;
};

// The argument quoted for the shell.
std::string Quote(const std::string& arg);

// The kestrawl-count beside the tests' data folder.
std::string Binary();

// Runs kestrawl-count with the arguments and the standard input, in the folder
// cwd when given, with prefix (environment assignments, a wrapper command)
// before it; given at most a minute, so that a run that hangs fails instead
// of stopping the tests.
CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "", const std::string& cwd = "",
                 const std::string& prefix = "");

// Whether kestrawl-count is built, beside the tests' data folder.
bool CliBuilt();

}  // namespace kwl::test

// Skips the current test when kestrawl-count is not built.
#define KWL_REQUIRE_CLI() \
  if (!::kwl::test::CliBuilt()) GTEST_SKIP() << ::kwl::test::Binary() << " not built"
