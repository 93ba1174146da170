#include "support/Python.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace quorix::test {

namespace {

std::vector<std::string> Candidates() {
  std::vector<std::string> found;
  if (const char* path = std::getenv("PATH")) {
    std::istringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');) {
      const std::string python = (dir.empty() ? "." : dir) + "/python3";
      if (::access(python.c_str(), X_OK) == 0) {
        found.push_back(python);
        break;
      }
    }
  }
  found.push_back("/usr/bin/python3");
  return found;
}

}  // namespace

const std::string& PythonWithVobject() {
  static const std::string python = [] {
    for (const std::string& candidate : Candidates()) {
      if (::access(candidate.c_str(), X_OK) != 0) continue;
      if (RunProcess({candidate, "-c", "import vobject"}).exitCode == 0) return candidate;
    }
    return std::string();
  }();
  return python;
}

ProcessResult RunPython(const std::string& python, const std::string& script,
                        const std::vector<std::string>& args) {
  std::vector<std::string> argv = {python, "-c", script};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProcess(argv);
}

}  // namespace quorix::test
