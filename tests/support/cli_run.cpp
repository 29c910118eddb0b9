#include "support/cli_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/test_files.h"

namespace kwl::test {

std::string Quote(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Binary() { return DataFolder() + "/kestrawl-count"; }

bool CliBuilt() { return ::access(Binary().c_str(), X_OK) == 0; }

CliResult RunCli(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                 const std::string& prefix) {
  TempDir io;
  std::string command = cwd.empty() ? std::string() : "cd " + Quote(cwd) + " && ";
  command += prefix + "timeout 60 " + Quote(Binary());
  for (const auto& a : args) command += ' ' + Quote(a);
  command += " <" + Quote(io.Write("stdin", input)) + " >" + Quote(io.File("stdout")) + " 2>" +
             Quote(io.File("stderr"));
  const int raw = std::system(command.c_str());
  CliResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = ReadAll(io.File("stdout"));
  r.err = ReadAll(io.File("stderr"));
  return r;
}

}  // namespace kwl::test
