#include "app/Settings.h"

#include <algorithm>
#include <utility>

#include "base/Conversion.h"
#include "base/ProfileFile.h"

namespace quorix {
namespace {

constexpr const char* kSystem = "System";
constexpr const char* kColumns = "Visual_Columns";
constexpr const char* kNumberTypes = "NumberTypes";
constexpr const char* kWindow = "Window";

constexpr std::array<const char*, 8> kNumberTypeKeys = {"Work", "Home",  "Main",  "Mobile",
                                                        "Fax",  "Pager", "Email", "Subscribe"};

std::string ColumnKey(size_t index) {
  return "Col" + std::to_string(index + 1);
}

const char* Flag(bool on) {
  return on ? "1" : "0";
}

// A language code ("en", "pt_BR"), or "" for the system's language: what an older file lacks or
// a hand-edited one garbles.
std::string LanguageCode(const std::string& value) {
  const bool code =
      !value.empty() && value.size() <= 10 && std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
      });
  return code ? value : std::string();
}

}  // namespace

std::string ReadLanguageSetting(const std::string& path) {
  return LanguageCode(ReadSetting(path, kSystem, "Language"));
}

void ReadSystemSettings(const std::string& path, SettingsPage& page) {
  const auto text = [&](const char* key) { return ReadSetting(path, kSystem, key); };
  const auto flag = [&](const char* key) { return text(key) == "1"; };
  page.ComPort = text("ComPort");
  page.BaudRate = text("BaudRate");
  page.BCom = text("BCom");
  page.BTimeout = text("BTimeout");
  page.SIM = text("SIM");
  page.Range = text("Range");
  page.AutoConnect = flag("AutoConnect");
  page.AutoFind = flag("AutoFind");
  page.FromSIM = flag("FromSIM");
  page.FromPHONE = flag("FromPHONE");
  page.P2K = flag("P2K");
  page.RmMyToneDB = flag("RmMyToneDB");
  page.ClearPB = flag("ClearPB");
  page.AdvancedPhoneBook = flag("AdvancedPhoneBook");
  page.Bluetooth = flag("Bluetooth");
  page.Language = ReadLanguageSetting(path);
}

void ReadColumnWidths(const std::string& path, SettingsPage& page) {
  for (size_t i = 0; i < page.ColumnWidths.size(); ++i) {
    const int width = StrToInt(ReadSetting(path, kColumns, ColumnKey(i)));
    if (width < -2) throw RangeCheckError();
    page.ColumnWidths[i] = width;
  }
}

void ReadNumberTypeNames(const std::string& path, std::array<std::string, 8>& numberTypeNames) {
  for (size_t t = 0; t < kNumberTypeKeys.size(); ++t) {
    numberTypeNames[t] = ReadSetting(path, kNumberTypes, kNumberTypeKeys[t]);
  }
}

void ReadSettings(const std::string& path, SettingsPage& page,
                  std::array<std::string, 8>& numberTypeNames) {
  ReadSystemSettings(path, page);
  ReadColumnWidths(path, page);
  ReadNumberTypeNames(path, numberTypeNames);
}

void WriteSettings(const std::string& path, const SettingsPage& page) {
  const std::pair<const char*, std::string> keys[] = {
      {"ComPort", page.ComPort},
      {"BaudRate", page.BaudRate},
      {"Range", page.Range},
      {"BCom", page.BCom},
      {"BTimeout", page.BTimeout},
      {"SIM", page.SIM},
      {"AutoConnect", Flag(page.AutoConnect)},
      {"AutoFind", Flag(page.AutoFind)},
      {"FromSIM", Flag(page.FromSIM)},
      {"FromPHONE", Flag(page.FromPHONE)},
      {"P2K", Flag(page.P2K)},
      {"RmMyToneDB", Flag(page.RmMyToneDB)},
      {"Bluetooth", Flag(page.Bluetooth)},
      {"ClearPB", Flag(page.ClearPB)},
      {"AdvancedPhoneBook", Flag(page.AdvancedPhoneBook)},
      {"Language", page.Language},
  };
  for (const auto& [key, value] : keys) WriteSetting(path, kSystem, key, value);
  for (size_t i = 0; i < page.ColumnWidths.size(); ++i) {
    WriteSetting(path, kColumns, ColumnKey(i), std::to_string(page.ColumnWidths[i]));
  }
}

void ReadWindowLayout(const std::string& path, WindowLayout& layout) {
  const auto number = [&](const char* key) { return StrToInt(ReadSetting(path, kWindow, key)); };
  layout.Height = number("Height");
  layout.Width = number("Width");
  layout.Left = number("Left");
  layout.Top = number("Top");
  layout.Maximized = ReadSetting(path, kWindow, "Maximized") == "1";
}

void WriteWindowLayout(const std::string& path, const WindowLayout& layout) {
  WriteSetting(path, kWindow, "Height", std::to_string(layout.Height));
  WriteSetting(path, kWindow, "Width", std::to_string(layout.Width));
  WriteSetting(path, kWindow, "Left", std::to_string(layout.Left));
  WriteSetting(path, kWindow, "Top", std::to_string(layout.Top));
  WriteSetting(path, kWindow, "Maximized", layout.Maximized ? "1" : "0");
}

WindowLayout PlaceInside(const WindowLayout& layout, const ScreenArea& area) {
  if (area.Width <= 0 || area.Height <= 0) return layout;
  WindowLayout placed = layout;
  placed.Width = std::clamp(layout.Width, 1, area.Width);
  placed.Height = std::clamp(layout.Height, 1, area.Height);
  placed.Left = std::clamp(layout.Left, area.Left, area.Left + area.Width - placed.Width);
  placed.Top = std::clamp(layout.Top, area.Top, area.Top + area.Height - placed.Height);
  return placed;
}

}  // namespace quorix
