#pragma once

namespace quorix {

class Shell;
struct PhonebookState;

// Turns PhoneFileList rows 1..fileCount into MelodyFiles (melodies with attribute bit 4 first,
// each group in the phone's collation order) and rebuilds every melody and picture choice and
// submenu from them, replacing what an earlier run added. Logs each melody with its attributes.
void BuildFileChoices(PhonebookState& state, Shell& shell, int fileCount);

// Rewrites the melody cells of file melodies (ids 10..254) in LV and LVCat as "name (id)".
void RefreshFileMelodyLabels(PhonebookState& state);

}  // namespace quorix
