#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace quorix {

// Replaces the file's whole contents so that a crash or a full disk leaves either the old file or
// the new one, never a mixture: the data goes to a temporary file beside it, which is then renamed
// over it. An existing file keeps its permissions; a symbolic link keeps pointing at the file it
// names, which is the one replaced. Throws std::system_error naming the path on failure.
void WriteFileAtomically(const std::string& path, std::string_view data);

// What the user reads when that failed: "Cannot write PATH: reason", in code page 1251.
std::string CannotWriteText(const std::string& path, const std::system_error& error);

}  // namespace quorix
