#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Small files that open as what their names say, for the sample phone's file system.
namespace quorix::emu::sample {

// A 40x30 JPEG photo; a comment, when given, goes into it as a COM segment.
std::vector<uint8_t> Photo(const std::string& comment = "");
// A 12x12 GIF and a 10x10 PNG.
std::vector<uint8_t> Gif();
std::vector<uint8_t> Png();

// A one-track MIDI file playing the notes as quarter notes on the instrument.
std::vector<uint8_t> Midi(std::initializer_list<uint8_t> notes, uint8_t instrument);
// AMR-NB at 12.2 kbit/s: frames of 20 ms.
std::vector<uint8_t> Amr(int frames);
// An MP3 with an ID3v2.3 tag carrying title and artist, then two silent frames.
std::vector<uint8_t> Mp3(const std::string& title, const std::string& artist);
// An iMelody ringtone.
std::vector<uint8_t> IMelody(const std::string& name, const std::string& melody);
// A fading bell as 8-bit mono PCM at 8 kHz.
std::vector<uint8_t> Wav(int samples);

}  // namespace quorix::emu::sample
