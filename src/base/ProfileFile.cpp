#include "base/ProfileFile.h"

// Bytes pass through unconverted: the file is code page 1251, converted here at its edge.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "base/AtomicFile.h"
#include "codec/CodePage.h"

namespace quorix {
namespace {

class Profile {
 public:
  Profile() : ini_(/*a_bIsUtf8=*/false, /*a_bMultiKey=*/true, /*a_bMultiLine=*/false) {
    ini_.SetSpaces(false);
  }

  // A missing file loads as empty; false when the file is there but cannot be read.
  bool Load(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return errno == ENOENT;
    std::string data;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed && ini_.LoadData(data.data(), data.size()) >= 0;
  }

  // A key given twice answers with its first value, as the Windows reader does.
  const char* Get(const std::string& section, const std::string& key) const {
    return ini_.GetValue(section.c_str(), key.c_str(), nullptr);
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    ini_.SetValue(section.c_str(), key.c_str(), value.c_str(), nullptr, /*a_bForceReplace=*/true);
  }

  // Windows line ends, so the file stays usable by Windows tools.
  std::string Text() const {
    std::string lf;
    ini_.Save(lf, /*a_bAddSignature=*/false);
    std::string crlf;
    crlf.reserve(lf.size() + lf.size() / 8);
    for (const char c : lf) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    return crlf;
  }

 private:
  CSimpleIniA ini_;
};

std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

[[noreturn]] void UnableToWrite(const std::string& path) {
  throw std::runtime_error("Unable to write to " + path);
}

}  // namespace

std::string ReadSetting(const std::string& path, const std::string& section,
                        const std::string& key) {
  Profile profile;
  if (!profile.Load(path)) return kSettingNotFound;
  const char* value = profile.Get(section, key);
  if (!value) return kSettingNotFound;
  std::string text = Unquote(value);
  if (text.size() > kMaxSettingLength) text.resize(kMaxSettingLength);
  return Cp1251ToUtf8(text);
}

void WriteSetting(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value) {
  Profile profile;
  // An unreadable file must not be replaced by one holding only this key.
  if (!profile.Load(path)) UnableToWrite(path);
  // A line break would end the value early and turn the rest into keys of their own.
  profile.Set(section, key, Utf8ToCp1251(value.substr(0, value.find_first_of("\r\n"))));
  try {
    WriteFileAtomically(path, profile.Text());
  } catch (const std::system_error&) {
    UnableToWrite(path);
  }
}

}  // namespace quorix
