#pragma once

#include <string>
#include <vector>

namespace quorix::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a program to its end with the given arguments (argv[0] is the program path) and collects
// what it printed. stdin is /dev/null.
ProcessResult RunProcess(const std::vector<std::string>& argv);

// Runs quorix-cli with the given arguments.
inline ProcessResult RunCli(std::vector<std::string> args) {
  args.insert(args.begin(), QUORIX_CLI_PATH);
  return RunProcess(args);
}

}  // namespace quorix::test
