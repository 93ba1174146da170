#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorix {

// The state of the controls on the settings page "Настройки". The rest of the program reads
// these, not velkor.ini; the settings file is only their persistent form. Texts are UTF-8,
// exactly as typed into the controls (nothing is validated here).
struct SettingsPage {
  std::string ComPort = "COM4";  // PortEdit: port used when Bluetooth is off, shown upper case
  std::vector<std::string> PortItems;  // PortEdit's drop-down items
  std::string BaudRate = "115200";     // RateEdit: shown and stored only
  std::string BCom;                    // BCom: the Bluetooth serial port
  std::string BTimeout;                // ComboBox1: wait after opening the Bluetooth port, ms
  std::string SIM;                     // Edit8: SIM capacity in records
  std::string Range;                   // Edit3: records per AT+MPBR request
  bool AutoConnect = false;            // CheckBox1
  bool AutoFind = false;               // CheckBox2
  bool FromSIM = false;                // CheckBox3
  bool FromPHONE = false;              // CheckBox4
  bool P2K = false;                    // CheckBox5
  bool RmMyToneDB = false;             // CheckBox6
  bool Bluetooth = false;              // CheckBox7; BCom is enabled exactly when this is on
  bool ClearPB = false;                // CheckBox8
  bool AdvancedPhoneBook = false;      // CheckBox9
  std::string Language;  // "Язык интерфейса": "" the system's, "ru", "en"; read at start
  // Widths of the 16 columns of the phonebook list; -1 and -2 size to contents or header.
  // The shipped widths show a full name, number and type in a window at 1366 x 768.
  std::array<int, 16> ColumnWidths = {40, 170, 160, 95, 110, 100, 140, 120,
                                      80, 80,  80,  80, 70,  80,  90,  115};
};

}  // namespace quorix
