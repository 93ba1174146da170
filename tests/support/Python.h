#pragma once

#include <string>
#include <vector>

#include "support/Process.h"

namespace quorix::test {

// A python3 that can import vobject: the first python3 on PATH, else the system's own
// /usr/bin/python3, where the Debian package python3-vobject installs it. Empty when neither has it
// (the tests that check against vobject then skip).
const std::string& PythonWithVobject();

// Runs script (the program text) with the given arguments under python.
ProcessResult RunPython(const std::string& python, const std::string& script,
                        const std::vector<std::string>& args = {});

}  // namespace quorix::test
