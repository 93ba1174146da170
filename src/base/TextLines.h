#pragma once

#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorix {

// A line of a text file ran past the longest one a reader accepts (a file with no line breaks
// would otherwise be read until memory runs out). Line is counted from 1.
struct LineTooLongError : std::runtime_error {
  LineTooLongError(size_t line, size_t maxLength);
  size_t Line;
};

// The lines of a text file: LF or CR LF end a line, and a final line end opens no further line.
// LineTooLongError for a line of more than maxLength characters; nothing beyond it is read.
std::vector<std::string> ReadTextLines(std::istream& in, size_t maxLength);

}  // namespace quorix
