#pragma once

#include <array>
#include <stdexcept>
#include <string>

#include "base/SettingsPage.h"

namespace quorix {

// A number outside the range its setting allows (a column width below -2).
struct RangeCheckError : std::runtime_error {
  RangeCheckError() : std::runtime_error("Range check error") {}
};

// The settings page and tables from velkor.ini at `path`, key by key in this order:
// ReadSystemSettings, ReadColumnWidths, ReadNumberTypeNames. A missing file or key reads as
// "File velkor.ini not found!" (a Boolean then reads as off). A column width that is not a number
// throws ConversionError, one below -2 RangeCheckError; the keys before it are already applied
// and the ones after it are not read.
void ReadSettings(const std::string& path, SettingsPage& page,
                  std::array<std::string, 8>& numberTypeNames);

// Section System: the texts, then the check boxes; a Boolean is on only for exactly "1".
void ReadSystemSettings(const std::string& path, SettingsPage& page);
// Section System, key Language: the language the user chose for the program's texts, "" for the
// system's (also when the key is missing or holds no language code).
std::string ReadLanguageSetting(const std::string& path);
// Section Visual_Columns, Col1 ... Col16.
void ReadColumnWidths(const std::string& path, SettingsPage& page);
// Section NumberTypes: Work, Home, Main, Mobile, Fax, Pager, Email, Subscribe (types 0 ... 7).
void ReadNumberTypeNames(const std::string& path, std::array<std::string, 8>& numberTypeNames);

// Sections System and Visual_Columns, each key a separate write; the number type names are part
// of the installation and never written. Throws std::runtime_error "Unable to write to <path>";
// the keys not yet written keep their old values.
void WriteSettings(const std::string& path, const SettingsPage& page);

// The main window's size and position, section Window. The four numbers are the window's normal
// geometry, also while it is maximized; Maximized says whether it was.
struct WindowLayout {
  int Height = 673;
  int Width = 978;
  int Left = 245;
  int Top = 97;
  bool Maximized = false;
};

// Height, Width, Left, Top in that order, each overwriting its field as soon as it is read; a key
// that is missing or not a number throws ConversionError and leaves the later fields untouched.
// Maximized is on only for "1" (a file written before it existed reads as off).
void ReadWindowLayout(const std::string& path, WindowLayout& layout);
void WriteWindowLayout(const std::string& path, const WindowLayout& layout);

// The screen's room for windows.
struct ScreenArea {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// The layout shrunk and moved as little as needed to lie inside the area, so a window saved on a
// larger or a lost screen comes back where it can be seen.
WindowLayout PlaceInside(const WindowLayout& layout, const ScreenArea& area);

}  // namespace quorix
