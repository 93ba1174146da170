#include "link/p2k/P2KFileCommands.h"

#include <algorithm>

#include "codec/CodePage.h"
#include "codec/Utf8.h"
#include "link/p2k/P2KFileList.h"

namespace quorix::p2k {

namespace {

constexpr uint16_t kSeparator = 0xFFFE;
// Linux and Windows both take at most 255 bytes (UTF-16 units on Windows) in one name.
constexpr size_t kLocalNameRoom = 255;
// A longer tail after the last dot is no extension worth keeping when a name is cut.
constexpr size_t kKeptExtension = 16;

void Append32(std::vector<uint8_t>& out, uint32_t value) {
  for (const int shift : {24, 16, 8, 0}) out.push_back(static_cast<uint8_t>(value >> shift));
}

void Append16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

uint16_t Read16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

uint32_t Read32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(Read16(bytes, at)) << 16 | Read16(bytes, at + 2);
}

// False when the text holds a character that would stand for the end or a separator.
bool AppendUtf16(std::vector<uint8_t>& out, std::string_view utf8) {
  while (!utf8.empty()) {
    const Utf8Char c = NextUtf8Char(utf8);
    utf8.remove_prefix(c.length);
    if (c.code == 0 || c.code == kSeparator) return false;
    if (c.code < 0x10000) {
      Append16(out, static_cast<uint16_t>(c.code));
    } else {
      Append16(out, static_cast<uint16_t>(0xD800 + ((c.code - 0x10000) >> 10)));
      Append16(out, static_cast<uint16_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF)));
    }
  }
  return true;
}

std::vector<uint8_t> PathPayload(uint8_t code, std::string_view phonePath) {
  std::vector<uint8_t> payload = FileSubcommand(code);
  payload.insert(payload.end(), phonePath.begin(), phonePath.end());
  return payload;
}

// The texts between slashes, empty ones too.
std::vector<std::string_view> Steps(std::string_view path) {
  std::vector<std::string_view> steps;
  for (size_t start = 0; start <= path.size();) {
    const size_t slash = std::min(path.find('/', start), path.size());
    steps.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return steps;
}

bool IsControl(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

void Note(std::vector<LocalPathChange>& changes, LocalPathChange change) {
  if (std::find(changes.begin(), changes.end(), change) == changes.end()) changes.push_back(change);
}

// CON, PRN, AUX, NUL, COM0-9, LPT0-9 (also with a superscript 1-3), in any case and whatever
// follows a dot: Windows opens the device instead of the file.
bool IsDeviceName(std::string_view step) {
  std::string base(step.substr(0, step.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  if (base.size() < 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0)) {
    return false;
  }
  const std::string_view number = std::string_view(base).substr(3);
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
         number == "\xC2\xB2" || number == "\xC2\xB3";
}

std::string SafeStep(std::string_view step, std::vector<LocalPathChange>& changes) {
  std::string safe;
  for (std::string_view rest = step; !rest.empty();) {
    const Utf8Char c = NextUtf8Char(rest);
    const std::string_view bytes = rest.substr(0, c.length);
    rest.remove_prefix(c.length);
    if (c.code == 0xFFFD && bytes != "\xEF\xBF\xBD") {
      Note(changes, LocalPathChange::BrokenCharacter);
    } else if (IsControl(c.code)) {
      Note(changes, LocalPathChange::ControlCharacter);
    } else if (c.code == '\\') {
      Note(changes, LocalPathChange::Backslash);
    } else if (c.code < 0x80 && std::string_view("<>:\"|?*").find(static_cast<char>(c.code)) !=
                                    std::string_view::npos) {
      Note(changes, LocalPathChange::ReservedCharacter);
    } else {
      safe.append(bytes);
      continue;
    }
    safe.push_back('_');
  }
  if (IsDeviceName(safe)) {
    safe.insert(0, "_");
    Note(changes, LocalPathChange::ReservedName);
  }
  if (safe.size() > kLocalNameRoom) {
    const size_t dot = safe.rfind('.');
    const std::string extension =
        dot != std::string::npos && dot > 0 && safe.size() - dot <= kKeptExtension
            ? safe.substr(dot)
            : std::string();
    size_t cut = kLocalNameRoom - extension.size();
    while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) --cut;
    safe = safe.substr(0, cut) + extension;
    Note(changes, LocalPathChange::Shortened);
  }
  for (auto c = safe.rbegin(); c != safe.rend() && (*c == '.' || *c == ' '); ++c) {
    *c = '_';
    Note(changes, LocalPathChange::TrailingDotOrSpace);
  }
  return safe;
}

}  // namespace

std::vector<uint8_t> OpenFilePayload(std::string_view phonePath, uint32_t attribute) {
  std::vector<uint8_t> payload = FileSubcommand(0x00);
  Append32(payload, attribute);
  payload.insert(payload.end(), phonePath.begin(), phonePath.end());
  return payload;
}

std::optional<std::vector<uint8_t>> ReadFilePayload(size_t size) {
  if (size > kMaxTransfer) return std::nullopt;
  std::vector<uint8_t> payload = FileSubcommand(0x01);
  Append32(payload, static_cast<uint32_t>(size));
  return payload;
}

std::optional<std::vector<uint8_t>> WriteFilePayload(std::span<const uint8_t> data) {
  if (data.size() > kMaxTransfer) return std::nullopt;
  std::vector<uint8_t> payload = FileSubcommand(0x02);
  Append32(payload, static_cast<uint32_t>(data.size()));
  payload.insert(payload.end(), data.begin(), data.end());
  return payload;
}

std::vector<uint8_t> SeekFilePayload(uint32_t offset, uint8_t origin) {
  std::vector<uint8_t> payload = FileSubcommand(0x03);
  Append32(payload, offset);
  payload.push_back(origin);
  return payload;
}

std::vector<uint8_t> CloseFilePayload() {
  return FileSubcommand(0x04);
}

// The end mark 00 00 is the one the count payload and the free space payload end their UTF-16
// texts with.
std::optional<std::vector<uint8_t>> SearchFilesPayload(std::string_view directory,
                                                       std::string_view mask) {
  std::vector<uint8_t> payload = FileSubcommand(0x07);
  if (!AppendUtf16(payload, directory)) return std::nullopt;
  Append16(payload, kSeparator);
  if (!AppendUtf16(payload, mask)) return std::nullopt;
  Append16(payload, 0x0000);
  return payload;
}

std::vector<uint8_t> VolumesPayload() {
  return FileSubcommand(0x0A);
}

std::optional<std::vector<uint8_t>> FreeSpacePayload(std::string_view volume) {
  std::vector<uint8_t> payload = FileSubcommand(0x0B);
  Append16(payload, 0x0000);
  if (!AppendUtf16(payload, volume)) return std::nullopt;
  Append16(payload, 0x0000);
  return payload;
}

// Only the subcommand codes of these two are known; they are given the path as delete and open
// take it, 8-bit and unterminated.
std::vector<uint8_t> MakeDirectoryPayload(std::string_view phonePath) {
  return PathPayload(0x0E, phonePath);
}

std::vector<uint8_t> RemoveDirectoryPayload(std::string_view phonePath) {
  return PathPayload(0x0F, phonePath);
}

std::optional<std::vector<uint8_t>> ReadDataFromReply(std::span<const uint8_t> data, size_t asked) {
  if (asked > kMaxTransfer || data.size() < asked) return std::nullopt;
  return std::vector<uint8_t>(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(asked));
}

std::optional<std::vector<std::string>> VolumesFromReply(std::span<const uint8_t> data) {
  std::vector<std::string> volumes(1);
  size_t at = 0;
  for (; at + 1 < data.size(); at += 2) {
    const uint16_t unit = Read16(data, at);
    if (unit == 0x0000) break;
    if (unit == kSeparator) {
      volumes.emplace_back();
      continue;
    }
    char32_t code = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < data.size()) {
      const uint16_t low = Read16(data, at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + (char32_t{unit} - 0xD800) * 0x400 + (low - 0xDC00);
        at += 2;
      }
    }
    AppendUtf8(volumes.back(), code);
  }
  if (at + 1 == data.size()) return std::nullopt;
  std::erase_if(volumes, [](const std::string& name) { return name.empty(); });
  return volumes;
}

std::optional<uint32_t> FreeSpaceFromReply(std::span<const uint8_t> data) {
  if (data.size() < 4) return std::nullopt;
  return Read32(data, 0);
}

std::optional<std::vector<ListedFile>> ListedFilesFromReply(std::span<const uint8_t> data) {
  if (data.size() < 4) return std::nullopt;
  const size_t count = Read16(data, 0);
  if ((data.size() - 4) / kFileRecordSize < count) return std::nullopt;
  std::vector<ListedFile> files;
  for (size_t i = 0; i < count; ++i) {
    const std::span<const uint8_t> record = data.subspan(4 + i * kFileRecordSize, kFileRecordSize);
    const auto path = record.first(kRecordPathRoom);
    const auto end = std::find(path.begin(), path.end(), uint8_t{0});
    ListedFile file;
    file.phonePath.assign(path.begin(), end);
    file.name = Cp1251ToUtf8(file.phonePath);
    file.attributes = Read16(record, 260);
    file.owner = Read16(record, 262);
    file.size = Read32(record, 264);
    files.push_back(std::move(file));
  }
  return files;
}

LocalPath SafeLocalPath(std::string_view phonePath) {
  LocalPath local;
  if (phonePath.starts_with('/')) phonePath.remove_prefix(1);
  for (const std::string_view step : Steps(phonePath)) {
    // An empty step, as in "a//b" or "a/", names what the path without it names.
    if (step.empty()) continue;
    if (step == "." || step == "..") {
      Note(local.changes, LocalPathChange::DotStep);
      continue;
    }
    if (!local.path.empty()) local.path.push_back('/');
    local.path += SafeStep(step, local.changes);
  }
  if (local.path.empty()) {
    local.path = "_";
    Note(local.changes, LocalPathChange::Empty);
  }
  return local;
}

UploadPath CheckUploadPath(std::string_view path) {
  if (!path.starts_with("/a/") || path.size() == 3) return {{}, UploadPathFault::NotOnVolumeA};
  for (const std::string_view step : Steps(path.substr(1))) {
    if (step.empty() || step == "." || step == "..") return {{}, UploadPathFault::EmptyOrDotStep};
  }
  if (std::any_of(path.begin(), path.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
    return {{}, UploadPathFault::ControlCharacter};
  }
  if (!FitsCp1251(path)) return {{}, UploadPathFault::NotCp1251};
  std::string bytes = Utf8ToCp1251(path);
  if (bytes.size() >= kRecordPathRoom) return {{}, UploadPathFault::TooLong};
  return {std::move(bytes), UploadPathFault::None};
}

}  // namespace quorix::p2k
