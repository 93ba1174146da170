#include "phone-emulator/SampleFiles.h"

#include "codec/CodePage.h"
#include "phone-emulator/P2KPhone.h"
#include "phone-emulator/SampleMedia.h"

namespace quorix::emu {

void LoadSampleFiles(P2KPhone& phone) {
  namespace s = sample;
  const auto put = [&phone](std::string path, uint16_t attributes, uint16_t owner,
                            std::vector<uint8_t> contents) {
    phone.PutFile({std::move(path), attributes, owner, std::move(contents)});
  };
  put("/a/mobile/audio/Classic.mid", 0x0004, 0x0000,
      s::Midi({76, 75, 76, 75, 76, 71, 74, 72, 69, 60, 64, 69, 71}, 0));
  put("/a/mobile/audio/Moscow Nights.mid", 0x0000, 0x0000,
      s::Midi({57, 60, 64, 60, 62, 60, 59, 64, 62, 57}, 21));
  put("/a/mobile/audio/Dance.mid", 0x0002, 0x0200,
      s::Midi({64, 64, 67, 64, 62, 60, 62, 64, 64, 67, 64, 62, 60, 59, 60, 72}, 80));
  put("/a/mobile/audio/Summer.mp3", 0x0000, 0x0100, s::Mp3("Summer", "Quorix Band"));
  put("/a/mobile/audio/Voice note.amr", 0x0001, 0x0000, s::Amr(60));
  put("/a/mobile/audio/Chime.amr", 0x0006, 0x0000, s::Amr(25));
  put("/a/mobile/audio/Bells.imy", 0x0004, 0x0000, s::IMelody("Bells", "c2e2g2*5c1r2*5c1g2e2c1"));
  put("/a/mobile/audio/Retro.imy", 0x0000, 0x0300, s::IMelody("Retro", "a3a3e3a3(c4d4e4)r4"));
  put("/a/mobile/audio/Doorbell.wav", 0x0000, 0x0000, s::Wav(1600));
  // The phone builds its ringtone database anew when it is gone; its contents are its own.
  put("/a/mobile/audio/MyToneDB.db", 0x0002, 0x0000, std::vector<uint8_t>(256, 0));
  put("/a/mobile/picture/anna.jpg", 0x0000, 0x0000, s::Photo());
  put("/a/mobile/picture/Wallpaper.jpg", 0x0004, 0x0000, s::Photo("Wallpaper"));
  put("/a/mobile/picture/olga.gif", 0x0000, 0x0100, s::Gif());
  put("/a/mobile/picture/elena.png", 0x0000, 0x0000, s::Png());
  // A Russian phone names its files in code page 1251.
  put(Utf8ToCp1251("/a/mobile/audio/Мелодия.mid"), 0x0000, 0x0000,
      s::Midi({69, 71, 72, 74, 76, 76, 74, 72, 71, 69}, 73));
}

}  // namespace quorix::emu
