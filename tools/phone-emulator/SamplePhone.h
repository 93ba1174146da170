#pragma once

namespace quorix::emu {

class EmulatedPhone;
class P2KPhone;

// A lived-in phone: contacts with several numbers each, Russian and Latin names, categories,
// melodies, pictures, address fields, SIM entries and datebook events.
void LoadSamplePhone(EmulatedPhone& phone);

// The phone's file system: ringtones under /a/mobile/audio/ with the ringtone database, pictures
// under /a/mobile/picture/, with attributes that differ from file to file.
void LoadSampleFiles(P2KPhone& phone);

// Generated contacts in the free phone-memory records from the first upward, as many as fit.
void FillPhoneMemory(EmulatedPhone& phone, int count);

}  // namespace quorix::emu
