#pragma once

#include <string>

namespace quorix {

// What decides where a program keeps velkor.ini.
struct SettingsPlaces {
  std::string programDirectory;
  bool programDirectoryWritable = false;
  // The first-run velkor.ini and logo/ as installed (share/quorix); in a build folder the
  // program's own directory.
  std::string shippedDirectory;
  std::string xdgConfigHome;  // $XDG_CONFIG_HOME, empty when unset
  std::string home;           // $HOME, empty when unset
};

struct SettingsLocation {
  std::string file;          // the velkor.ini read and written
  std::string firstRunFile;  // copied to `file` when that is missing; empty when none
};

// A program started from a writable build folder keeps velkor.ini beside it. An installed
// program, or one whose folder it may not write, keeps it in the user's configuration folder,
// $XDG_CONFIG_HOME/quorix (an absolute one) or else $HOME/.config/quorix, with the shipped
// velkor.ini as its first-run file. Without either variable it stays beside the program.
SettingsLocation LocateSettings(const SettingsPlaces& places);

// Unless `file` exists, creates its folder and makes it a copy of the first-run file, if any.
// Throws std::runtime_error "Cannot create file "<file>". <reason>", or "Cannot open file
// "<first-run file>". <reason>" when that cannot be read (code page 1251).
void CreateSettingsOnFirstStart(const SettingsLocation& location);

// For a reader that writes nothing: `file` once it exists, until then the first-run file.
std::string SettingsFileToRead(const SettingsLocation& location);

}  // namespace quorix
