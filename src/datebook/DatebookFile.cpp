#include "datebook/DatebookFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include "base/AtomicFile.h"
#include "base/Clock.h"
#include "base/Conversion.h"
#include "base/TextLines.h"
#include "codec/FileText.h"
#include "codec/Ucs2.h"

namespace quorix {

namespace {

// Far longer than any line the program writes.
constexpr size_t kLongestLine = 64 * 1024;

std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields(1);
  for (const char c : text) {
    if (c == ';') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::string WithLine(size_t number, const std::string& what) {
  return "Line " + std::to_string(number) + ": " + what;
}

}  // namespace

const std::string& DatebookFileHeader() {
  static const std::string header = "Motorola datebook file, it was created with Quorix ";
  return header;
}

std::string DatebookFileText(const DatebookTable& table, const std::string& dateTime) {
  std::string text = DatebookFileHeader() + dateTime + "\r\n";
  for (int n = 0; n < kDatebookRecords; ++n) {
    const DatebookRecord& record = table[n];
    if (!DatebookRecordUsed(record)) continue;
    text += std::to_string(n) + ";" + DecodeUcs2Hex(record[EventDescription]);
    for (int field = EventTimedFlag; field < kDatebookFields; ++field) text += ";" + record[field];
    text += "\r\n";
  }
  return text;
}

bool SaveDatebookFile(const DatebookTable& table, Clock& clock, const std::string& path) {
  try {
    const EncodedFileText file = EncodeFileText(DatebookFileText(table, LocalDateTime(clock)));
    WriteFileAtomically(path, file.bytes);
    return file.utf8;
  } catch (const std::system_error& e) {
    throw DatebookFileError(CannotWriteText(path, e));
  }
}

void ParseDatebookLine(DatebookTable& table, const std::string& line) {
  if (line.empty()) return;
  const size_t separator = line.find(';');
  const int number = StrToInt(line.substr(0, separator));
  if (number < 0 || number >= kDatebookRecords) {
    throw DatebookFileError("record number " + std::to_string(number) + " outside 0..499");
  }
  if (line.find('\r') != std::string::npos) {
    throw DatebookFileError("a carriage return inside the line");
  }
  const std::vector<std::string> fields =
      SplitFields(separator == std::string::npos ? std::string() : line.substr(separator + 1));
  const size_t extra = fields.size() > kDatebookFields ? fields.size() - kDatebookFields : 0;
  std::string description = fields[0];
  for (size_t k = 1; k <= extra; ++k) description += ";" + fields[k];
  DatebookRecord record;
  record[EventDescription] = EncodeUcs2Hex(description);
  for (size_t k = extra + 1; k < fields.size(); ++k) record[k - extra] = fields[k];
  table[number] = std::move(record);
}

DatebookTable ReadDatebookFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw DatebookFileError("Cannot open " + path + ": " + std::strerror(errno));
  }
  std::vector<std::string> lines;
  try {
    lines = ReadTextLines(in, kLongestLine);
  } catch (const LineTooLongError& e) {
    throw DatebookFileError(WithLine(e.Line, e.what()));
  }
  if (in.bad()) {
    throw DatebookFileError("Cannot read " + path + ": " + std::strerror(errno));
  }
  DecodeFileLines(lines);
  const std::string& header = DatebookFileHeader();
  if (lines.empty() || lines[0].compare(0, header.size(), header) != 0) {
    throw DatebookFileError("Invalid file type or bad file size. Please open another file!");
  }
  DatebookTable table;
  for (size_t k = 1; k < lines.size(); ++k) {
    try {
      ParseDatebookLine(table, lines[k]);
    } catch (const std::runtime_error& e) {
      throw DatebookFileError(WithLine(k + 1, e.what()));
    }
  }
  return table;
}

}  // namespace quorix
