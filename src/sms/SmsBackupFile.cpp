#include "sms/SmsBackupFile.h"

#include <charconv>

#include "base/FileBytes.h"
#include "base/Translate.h"
#include "codec/Utf8.h"
#include "sms/SmsBackupField.h"
#include "sms/SmsFileWrite.h"
#include "sms/SmsTimeText.h"

namespace quorix::sms {

namespace {

const std::string kMagic = "Quorix SMS backup";
const std::string kVersion = "1";
const std::string kColumns =
    "Направление;Прочитано;Номер;Время;Расшифровано;Нет частей;Текст;"
    "Память;Индекс;Статус;PDU (по четыре поля на каждую часть)";
const std::string kColumnsMark = "Направление;";
constexpr size_t kMessageFields = 7;
constexpr size_t kPartFields = 4;
constexpr size_t kMostParts = 255;
constexpr size_t kMostLines = 200000;
constexpr size_t kLargestFile = 64 * 1024 * 1024;
constexpr size_t kQuotedLength = 40;

const char* DirectionWord(SmsDirection direction) {
  switch (direction) {
    case SmsDirection::Sent:
      return "sent";
    case SmsDirection::Draft:
      return "draft";
    case SmsDirection::Received:
      break;
  }
  return "received";
}

std::optional<SmsDirection> DirectionFrom(std::string_view word) {
  if (word == "received") return SmsDirection::Received;
  if (word == "sent") return SmsDirection::Sent;
  if (word == "draft") return SmsDirection::Draft;
  return std::nullopt;
}

std::string MissingText(const std::vector<int>& missing) {
  std::string text;
  for (const int number : missing) text += (text.empty() ? "" : ",") + std::to_string(number);
  return text;
}

std::string MessageLine(const SmsMessage& m) {
  const bool timed = m.time && IsCalendarTime(*m.time);
  std::string line = std::string(DirectionWord(m.direction)) + ";" + (m.read ? "1" : "0") + ";" +
                     EscapeBackupField(m.number) + ";" + (timed ? IsoTimeText(*m.time) : "") + ";" +
                     (m.decoded ? "1" : "0") + ";" + MissingText(m.missingParts) + ";" +
                     EscapeBackupField(m.text);
  for (const SmsPart& part : m.parts) {
    line += ";" + EscapeBackupField(part.store) + ";" + std::to_string(part.index) + ";" +
            std::to_string(part.status) + ";" + EscapeBackupField(part.pdu);
  }
  return line;
}

// A damaged field, shown short and escaped so that it cannot break the message it stands in.
std::string Quoted(std::string_view field) {
  const std::string shown = Utf8Prefix(field, kQuotedLength);
  return "«" + EscapeBackupField(shown) + (shown.size() < field.size() ? "…" : "") + "»";
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> Flag(std::string_view text) {
  if (text == "1") return true;
  if (text == "0") return false;
  return std::nullopt;
}

std::optional<std::vector<int>> MissingFrom(std::string_view text) {
  std::vector<int> numbers;
  if (text.empty()) return numbers;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    const auto number = Number(text.substr(start, comma - start));
    if (!number || numbers.size() == kMostParts) return std::nullopt;
    numbers.push_back(*number);
    if (comma == std::string_view::npos) return numbers;
    start = comma + 1;
  }
}

// The message on the line, or why there is none.
struct LineReading {
  std::optional<SmsMessage> message;
  std::string why;
};

LineReading Failed(std::string why) {
  return {std::nullopt, std::move(why)};
}

LineReading ReadMessageLine(std::string_view line) {
  const std::vector<std::string_view> fields = SplitBackupFields(line);
  if (fields.size() < kMessageFields + kPartFields ||
      (fields.size() - kMessageFields) % kPartFields != 0) {
    return Failed(Tr("полей ") + std::to_string(fields.size()) +
                  Tr(", а в строке сообщения их 11, 15, 19… (7 и по 4 на каждую часть)"));
  }
  if ((fields.size() - kMessageFields) / kPartFields > kMostParts) {
    return Failed(Tr("больше ") + std::to_string(kMostParts) + Tr(" частей"));
  }
  std::vector<std::string> texts(fields.size());
  for (size_t k = 0; k < fields.size(); ++k) {
    auto text = UnescapeBackupField(fields[k]);
    if (!text) {
      return Failed(Tr("поле ") + std::to_string(k + 1) + " " + Quoted(fields[k]) +
                    Tr(": «\\» без известного продолжения"));
    }
    texts[k] = std::move(*text);
  }

  SmsMessage m;
  const auto direction = DirectionFrom(texts[0]);
  if (!direction)
    return Failed(Tr("направление ") + Quoted(texts[0]) + Tr(" не received, sent или draft"));
  m.direction = *direction;
  const auto read = Flag(texts[1]);
  if (!read) return Failed(Tr("признак «прочитано» ") + Quoted(texts[1]) + Tr(" не 1 и не 0"));
  m.read = *read;
  m.number = std::move(texts[2]);
  if (!texts[3].empty()) {
    m.time = ParseIsoTime(texts[3]);
    if (!m.time) {
      return Failed(Tr("время ") + Quoted(texts[3]) + Tr(" не вида 2007-03-14T09:30:00+03:00"));
    }
  }
  const auto decoded = Flag(texts[4]);
  if (!decoded)
    return Failed(Tr("признак «расшифровано» ") + Quoted(texts[4]) + Tr(" не 1 и не 0"));
  m.decoded = *decoded;
  auto missing = MissingFrom(texts[5]);
  if (!missing)
    return Failed(Tr("недостающие части ") + Quoted(texts[5]) + Tr(" не номера через запятую"));
  m.missingParts = std::move(*missing);
  m.text = std::move(texts[6]);
  for (size_t k = kMessageFields; k < texts.size(); k += kPartFields) {
    const std::string which = Tr("части ") + std::to_string((k - kMessageFields) / kPartFields + 1);
    SmsPart& part = m.parts.emplace_back();
    part.store = std::move(texts[k]);
    const auto index = Number(texts[k + 1]);
    if (!index) return Failed(Tr("индекс ") + which + " " + Quoted(texts[k + 1]) + Tr(" не число"));
    part.index = *index;
    const auto status = Number(texts[k + 2]);
    if (!status)
      return Failed(Tr("статус ") + which + " " + Quoted(texts[k + 2]) + Tr(" не число"));
    part.status = *status;
    part.pdu = std::move(texts[k + 3]);
  }
  return {std::move(m), {}};
}

// The first line: what the file is, its version and the reading's time, which may be damaged.
std::optional<int64_t> ReadFirstLine(std::string_view line,
                                     std::vector<SmsBackupProblem>& problems) {
  const std::vector<std::string_view> fields = SplitBackupFields(line);
  if (fields[0] != kMagic) {
    throw SmsFileError(
        Tr("это не резервная копия сообщений Quorix: первая строка не начинается с «") + kMagic +
        "»");
  }
  if (fields.size() < 2 || fields[1] != kVersion) {
    throw SmsFileError(Tr("резервная копия сообщений версии ") +
                       (fields.size() < 2 ? Tr("без номера") : Quoted(fields[1])) +
                       Tr(" не читается этой программой"));
  }
  // Only a time in UTC is the one written: a zone could carry it past the four-digit years.
  const auto time = fields.size() == 3 ? ParseIsoTime(fields[2]) : std::nullopt;
  if (!time || time->zoneQuarters != 0) {
    problems.push_back({1, Tr("время чтения не вида 2024-05-01T12:00:00Z")});
    return std::nullopt;
  }
  return EpochSeconds(*time);
}

}  // namespace

std::string SmsBackupText(const std::vector<SmsMessage>& messages, int64_t readingTime) {
  std::string text = kMagic + ";" + kVersion + ";" + IsoUtcText(readingTime) + "\n";
  text += kColumns + "\n";
  for (const SmsMessage& m : messages) text += MessageLine(m) + "\n";
  return text;
}

void WriteSmsBackup(const std::string& path, const std::vector<SmsMessage>& messages,
                    int64_t readingTime) {
  WriteSmsFile(path, SmsBackupText(messages, readingTime));
}

SmsBackupRead ReadSmsBackupText(std::string_view text) {
  // An editor may have put a byte order mark in front.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  SmsBackupRead read;
  const auto nextLine = [&text] {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
  };
  read.readingTime = ReadFirstLine(nextLine(), read.problems);
  for (size_t number = 2; !text.empty(); ++number) {
    const std::string_view line = nextLine();
    if (number > kMostLines) {
      read.problems.push_back({number, Tr("файл длиннее ") + std::to_string(kMostLines) +
                                           Tr(" строк: дальше он не прочитан")});
      break;
    }
    if (line.empty() || (number == 2 && line.starts_with(kColumnsMark))) continue;
    LineReading reading = ReadMessageLine(line);
    if (reading.message) {
      read.messages.push_back(std::move(*reading.message));
    } else {
      read.problems.push_back({number, std::move(reading.why)});
    }
  }
  return read;
}

SmsBackupRead ReadSmsBackup(const std::string& path) {
  std::string text;
  try {
    text = ReadFileBytes(path, kLargestFile);
  } catch (const FileBytesError& e) {
    throw SmsFileError(Tr("Не удалось прочитать резервную копию сообщений: ") + e.what());
  }
  try {
    return ReadSmsBackupText(text);
  } catch (const SmsFileError& e) {
    throw SmsFileError(Tr("Файл ") + path + ": " + e.what());
  }
}

}  // namespace quorix::sms
