#pragma once

#include <string>

namespace quorix {

// What a missing settings file or key reads as; there are no built-in defaults.
inline constexpr const char* kSettingNotFound = "File velkor.ini not found!";

// Longest value a reader returns; longer stored values are cut.
inline constexpr size_t kMaxSettingLength = 2047;

// One key of a profile (ini) file: "[Section]" lines and "key=value" lines in code page 1251
// (values are UTF-8 on the program's side), read and written the way the Windows profile functions
// do, so a file made by either side reads the same on the other. Section and key names are matched
// without regard to ASCII case; values lose surrounding blanks and one pair of matching surrounding
// quotes.
//
// Every call opens, reads and closes the file; nothing is cached.
std::string ReadSetting(const std::string& path, const std::string& section,
                        const std::string& key);

// Sets one key, creating the file, the section or the key as needed and keeping everything else
// in the file. The file is replaced as a whole (see WriteFileAtomically), so a failed write leaves
// it as it was. Throws std::runtime_error "Unable to write to <path>" when it cannot write.
void WriteSetting(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace quorix
