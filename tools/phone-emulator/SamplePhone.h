#pragma once

namespace quorix::emu {

class EmulatedPhone;

// A lived-in phone: contacts with several numbers each, Russian and Latin names, categories,
// melodies, pictures, address fields, SIM entries, datebook events and text messages.
void LoadSamplePhone(EmulatedPhone& phone);

// Generated contacts in the free phone-memory records from the first upward, as many as fit.
void FillPhoneMemory(EmulatedPhone& phone, int count);

}  // namespace quorix::emu
