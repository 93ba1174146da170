#include <gtest/gtest.h>

#include <algorithm>

#include "link/p2k/P2KFileList.h"
#include "phonebook/PhoneFileReading.h"
#include "phonebook/PhonebookReader.h"
#include "support/EmulatedP2K.h"

namespace quorix::test {
namespace {

using Usb = emu::PtyPhoneServer::UsbState;

// The emulated sample phone connected, read with the P2K setting on.
struct P2KReading : EmulatedP2K {
  explicit P2KReading(emu::EmulatorOptions options = {}) : EmulatedP2K(options) {
    SettingsPage& s = state.settings;
    s.FromPHONE = true;
    s.Range = "50";
    s.P2K = true;
  }

  PhonebookReadOutcome Read() {
    EXPECT_EQ(phone.ConnectPhone(), ConnectOutcome::Connected);
    return ReadPhonebook(state, shell, phone, &links);
  }

  const ListRow* ListedEntry(int index) const {
    const auto& lv = state.phonebook.LV;
    const auto row = std::find_if(
        lv.begin(), lv.end(), [&](const ListRow& r) { return r.Caption == std::to_string(index); });
    return row == lv.end() ? nullptr : &*row;
  }

  PhoneFileLinks links{p2k, phone, clock};
};

TEST(PhonebookReadWithP2KTest, TheReadingEndsWithThePhonesMelodiesAndPicturesAsChoices) {
  P2KReading reading;
  const std::string longName = "/a/mobile/picture/" + std::string(233, 'p') + ".jpg";
  ASSERT_EQ(longName.size(), 255u);
  reading.server.ChangeFiles([&](emu::P2KPhone& p2k) {
    // Named in code page 1251 bytes, one of which the code page lacks.
    p2k.PutFile({"/a/mobile/audio/Ch\x98ur.mid", 0x0004, 0, {}});
    p2k.PutFile({longName, 0, 0, {}});
  });
  // Asked at the end of the reading, and declined: the phone must still go back to AT mode.
  reading.state.settings.RmMyToneDB = true;
  reading.shell.yesNoAnswers = {false};
  const PhonebookReadOutcome outcome = reading.Read();
  EXPECT_TRUE(outcome.Finished);
  EXPECT_FALSE(outcome.HadFailures() || outcome.PhoneFilesIncomplete || outcome.PhoneNotBack);

  const PhonebookState& pb = reading.state.phonebook;
  EXPECT_EQ(pb.PhoneFileList[1].FileName, "/a/mobile/audio/Classic.mid");
  EXPECT_EQ(pb.PhoneFileList[1].FileAttributes, 4);
  EXPECT_EQ(pb.PhoneFileList[11].FileName, "/a/mobile/audio/Мелодия.mid");
  EXPECT_EQ(pb.PhoneFileList[12].FileName, "/a/mobile/audio/Chur.mid")
      << "the byte the code page lacks is dropped";
  EXPECT_EQ(pb.PhoneFileList[13].FileName, longName.substr(0, 254));
  EXPECT_EQ(pb.PhoneFileList[14].FileName, "");
  const auto& labels = pb.EntryEditorLists.Edit4;
  EXPECT_EQ(std::vector<std::string>(labels.begin() + 11, labels.end()),
            (std::vector<std::string>{"Bells.imy (10)", "Chime.amr (11)", "Chur.mid (12)",
                                      "Classic.mid (13)", "Dance.mid (14)", "Мелодия.mid (15)",
                                      "Moscow Nights.mid (16)", "Retro.imy (17)", "Summer.mp3 (18)",
                                      "Voice note.amr (19)"}))
      << "attribute bit 4 first, each group in the phone's order";
  EXPECT_EQ(pb.EntryEditorLists.Edit5,
            (std::vector<std::string>{"/a/mobile/picture/anna.jpg",
                                      "/a/mobile/picture/Wallpaper.jpg", longName.substr(0, 254)}));
  ASSERT_NE(reading.ListedEntry(5), nullptr);
  EXPECT_EQ(reading.ListedEntry(5)->Cells[MelodyCell], "Chur.mid (12)");
  EXPECT_EQ(
      std::count(reading.shell.log.begin(), reading.shell.log.end(), "/a/mobile/audio/Classic.mid"),
      2);

  EXPECT_EQ(reading.shell.calls.back(), "ProgressClose");
  EXPECT_EQ(reading.InTranscript("back to AT mode"), 1);
  EXPECT_EQ(reading.server.State(), Usb::AtMode);
  EXPECT_TRUE(reading.state.link.PhoneConnected);
  EXPECT_TRUE(reading.phone.Com().Connected());
  EXPECT_TRUE(PhoneHoldsFile(reading.server, p2k::kToneDatabasePath));
}

TEST(PhonebookReadWithP2KTest, AFileListThatCannotBeCountedIsReportedAndTheChoicesStay) {
  emu::EmulatorOptions options;
  options.noP2K = true;
  P2KReading reading(options);
  reading.switchGuard = std::chrono::milliseconds(300);
  reading.state.phonebook.EntryEditorLists.Edit5 = {"/a/mobile/picture/earlier.jpg"};
  const PhonebookReadOutcome outcome = reading.Read();
  EXPECT_FALSE(outcome.HadFailures()) << "the records came";
  EXPECT_TRUE(outcome.PhoneFilesIncomplete);
  EXPECT_FALSE(outcome.PhoneNotBack);
  EXPECT_FALSE(reading.state.phonebook.LV.empty());
  EXPECT_EQ(reading.state.phonebook.EntryEditorLists.Edit5,
            std::vector<std::string>{"/a/mobile/picture/earlier.jpg"});
  ASSERT_EQ(reading.shell.messages.size(), 1u);
  // No P2K device came within the wait: the switch failed, the phone's modem port is taken up
  // again.
  EXPECT_EQ(reading.shell.messages[0].text, "P2K Mode ERROR!");
  EXPECT_TRUE(reading.state.link.PhoneConnected);
}

TEST(PhonebookReadWithP2KTest, FilesBeyondTheListsRowsAreCountedAndToldOnce) {
  P2KReading reading;
  reading.server.ChangeFiles([](emu::P2KPhone& p2k) {
    p2k.RemoveAllFiles();
    for (int i = 1; i <= kPhoneFileRows + 2; ++i) {
      p2k.PutFile({"/a/mobile/picture/p" + std::to_string(i) + ".jpg", 0, 0, {}});
    }
  });
  reading.phone.Com().SetPortName(reading.port);
  const PhoneFileOutcome outcome = ReadPhoneFileList(reading.state, reading.shell, reading.links);
  EXPECT_TRUE(outcome.Listed && outcome.Back);
  const PhonebookState& pb = reading.state.phonebook;
  EXPECT_EQ(pb.PhoneFileList[kPhoneFileRows].FileName, "/a/mobile/picture/p1000.jpg");
  EXPECT_EQ(pb.EntryEditorLists.Edit5.size(), static_cast<size_t>(kPhoneFileRows));
  ASSERT_EQ(reading.shell.messages.size(), 1u);
  EXPECT_EQ(reading.shell.messages[0].text,
            std::string("В телефоне больше файлов, чем вмещает список (1000): 2 не вошли в выбор "
                        "мелодий и картинок."));
}

}  // namespace
}  // namespace quorix::test
