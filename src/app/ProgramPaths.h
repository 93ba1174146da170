#pragma once

#include <string>
#include <vector>

#include "app/SettingsLocation.h"

namespace quorix {

// The directory that holds the running program, without a trailing slash.
std::string ProgramDirectory();

// Where the first-run velkor.ini and logo/ were installed: share/quorix beside the bin folder of
// an installed program (found relative to it, so a moved prefix still works), else the program's
// own directory, where a build puts them.
std::string ShippedDirectory(const std::string& programDirectory);

// Where the message catalogs are (<language>/LC_MESSAGES/quorix.mo): "locale" in the program's
// own directory, where a build puts them, else share/locale of an installed program.
std::string LocaleDirectory(const std::string& programDirectory);

// The places of a program in programDirectory, looked up on disk: whether this process may write
// that folder and where its shipped files are.
SettingsPlaces PlacesOf(const std::string& programDirectory, const std::string& xdgConfigHome,
                        const std::string& home);

// PlacesOf this process's program, with $XDG_CONFIG_HOME and $HOME.
SettingsPlaces ThisProgramsPlaces();

// The folders that may hold the number type icons, in the order they are looked in: the current
// directory, the folder of the settings file in use (the user's own icons), the shipped ones.
std::vector<std::string> NumberTypeIconFolders(const std::string& settingsFile);

// The icon of a number type whose name is given: "logo/<name>.bmp" under the first of the folders
// that has it. Throws std::runtime_error with the message "Cannot open file "<path>". <reason>",
// naming it in the last folder, when none has it.
std::string NumberTypeIconPath(const std::string& name, const std::vector<std::string>& folders);

// The user's guide shipped with the program ("guide/README.md" among its shipped files); empty
// when it is not there.
std::string UserGuidePath(const std::string& programDirectory);

}  // namespace quorix
