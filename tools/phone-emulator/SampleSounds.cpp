#include "phone-emulator/SampleMedia.h"

#include "phone-emulator/P2KBytes.h"

namespace quorix::emu::sample {

namespace {

void AppendText(std::vector<uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}

void AppendLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An ID3v2 text frame in ISO-8859-1.
void AppendId3Text(std::vector<uint8_t>& out, const char* id, const std::string& text) {
  AppendText(out, id);
  Append32(out, static_cast<uint32_t>(text.size() + 1));
  out.insert(out.end(), {0, 0, 0});
  AppendText(out, text);
}

}  // namespace

std::vector<uint8_t> Midi(std::initializer_list<uint8_t> notes, uint8_t instrument) {
  constexpr uint8_t kQuarter = 0x60;
  std::vector<uint8_t> track = {0x00, 0xFF, 0x51,      0x03,
                                0x07, 0xA1, 0x20,  // 120 beats a minute
                                0x00, 0xC0, instrument};
  for (const uint8_t note : notes) {
    track.insert(track.end(), {0x00, 0x90, note, 0x60, kQuarter, 0x80, note, 0x40});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<uint8_t> midi;
  AppendText(midi, "MThd");
  Append32(midi, 6);
  midi.insert(midi.end(), {0, 0, 0, 1, 0, kQuarter});  // format 0, one track, ticks a quarter
  AppendText(midi, "MTrk");
  Append32(midi, static_cast<uint32_t>(track.size()));
  midi.insert(midi.end(), track.begin(), track.end());
  return midi;
}

std::vector<uint8_t> Amr(int frames) {
  constexpr uint8_t kMode122 = 0x3C;
  constexpr int kFrameBytes = 31;
  std::vector<uint8_t> amr;
  AppendText(amr, "#!AMR\n");
  uint32_t noise = 12345;
  for (int f = 0; f < frames; ++f) {
    amr.push_back(kMode122);
    for (int i = 0; i < kFrameBytes; ++i) {
      noise = noise * 1103515245 + 12345;
      amr.push_back(static_cast<uint8_t>(noise >> 16));
    }
  }
  return amr;
}

std::vector<uint8_t> Mp3(const std::string& title, const std::string& artist) {
  std::vector<uint8_t> frames;
  AppendId3Text(frames, "TIT2", title);
  AppendId3Text(frames, "TPE1", artist);
  std::vector<uint8_t> mp3 = {'I', 'D', '3', 3, 0, 0};
  // The tag size in 7-bit bytes.
  for (int shift = 21; shift >= 0; shift -= 7) {
    mp3.push_back(static_cast<uint8_t>(frames.size() >> shift & 0x7F));
  }
  mp3.insert(mp3.end(), frames.begin(), frames.end());
  // MPEG-1 layer III, 128 kbit/s, 44.1 kHz, mono: 417 bytes a frame.
  constexpr size_t kFrameBytes = 417;
  for (int f = 0; f < 2; ++f) {
    const size_t start = mp3.size();
    mp3.insert(mp3.end(), {0xFF, 0xFB, 0x90, 0xC4});
    mp3.resize(start + kFrameBytes, 0);
  }
  return mp3;
}

std::vector<uint8_t> IMelody(const std::string& name, const std::string& melody) {
  std::vector<uint8_t> text;
  AppendText(text, "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:" + name +
                       "\r\nBEAT:120\r\nMELODY:" + melody + "\r\nEND:IMELODY\r\n");
  return text;
}

std::vector<uint8_t> Wav(int samples) {
  constexpr uint32_t kRate = 8000;
  std::vector<uint8_t> wav;
  AppendText(wav, "RIFF");
  AppendLittle(wav, static_cast<uint32_t>(36 + samples), 4);
  AppendText(wav, "WAVEfmt ");
  AppendLittle(wav, 16, 4);
  AppendLittle(wav, 1, 2);  // PCM
  AppendLittle(wav, 1, 2);  // mono
  AppendLittle(wav, kRate, 4);
  AppendLittle(wav, kRate, 4);
  AppendLittle(wav, 1, 2);
  AppendLittle(wav, 8, 2);
  AppendText(wav, "data");
  AppendLittle(wav, static_cast<uint32_t>(samples), 4);
  // A triangle wave at 500 Hz, fading out; 8-bit samples are centred on 128.
  for (int i = 0; i < samples; ++i) {
    const int phase = i % 16;
    const int wave = phase < 8 ? phase * 2 - 8 : 24 - phase * 2;
    const int loudness = 12 * (samples - i) / samples;
    wav.push_back(static_cast<uint8_t>(128 + wave * loudness));
  }
  return wav;
}

}  // namespace quorix::emu::sample
