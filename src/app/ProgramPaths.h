#pragma once

#include <string>

namespace quorix {

// The directory that holds the running program, without a trailing slash.
std::string ProgramDirectory();

// velkor.ini beside the program, however long the program's path is.
std::string SettingsFilePath();

// The icon of a number type whose (code page 1251) name is given: "logo/<name>.bmp" under the
// current directory, else beside the program, so a program started from a desktop menu (current
// directory the user's home) still finds its icons. Throws std::runtime_error with the message
// "Cannot open file "<path>". <reason>" (code page 1251) when neither exists.
std::string NumberTypeIconPath(const std::string& name);
std::string NumberTypeIconPath(const std::string& name, const std::string& currentDirectory,
                               const std::string& programDirectory);

}  // namespace quorix
