#pragma once

namespace quorix::emu {

class P2KPhone;

// The phone's file system: ringtones, a voice note and a song under /a/mobile/audio/ with the
// ringtone database, pictures under /a/mobile/picture/, each with small contents that open as
// what its name says and attributes that differ from file to file.
void LoadSampleFiles(P2KPhone& phone);

}  // namespace quorix::emu
