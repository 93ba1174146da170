#pragma once

#include <string>
#include <string_view>

namespace quorix {

// Replaces the file's whole contents so that a crash or a full disk leaves either the old file or
// the new one, never a mixture: the data goes to a temporary file beside it, which is then renamed
// over it. An existing file keeps its permissions; a symbolic link keeps pointing at the file it
// names, which is the one replaced. Throws std::system_error naming the path on failure.
void WriteFileAtomically(const std::string& path, std::string_view data);

}  // namespace quorix
