#include "link/p2k/PhoneFileServices.h"

#include <gtest/gtest.h>

#include "link/AtReply.h"
#include "support/EmulatedP2K.h"

namespace quorix::test {
namespace {

using Usb = emu::PtyPhoneServer::UsbState;

constexpr const char* kListRequest = "4 bytes: 00 00 00 08";

std::vector<std::string> ProgressTexts(const RecordingShell& shell) {
  std::vector<std::string> texts;
  for (const std::string& call : shell.calls) {
    if (call.rfind("ProgressSetText|", 0) == 0) texts.push_back(call.substr(16));
  }
  return texts;
}

bool HoldsToneDatabase(const EmulatedP2K& phone) {
  return PhoneHoldsFile(phone.server, p2k::kToneDatabasePath);
}

TEST(P2KFileServicesTest, TheListComesInPartsOfThreeAndAnEmptyPhoneIsAskedForNone) {
  EmulatedP2K phone;
  phone.server.ChangeFiles([](emu::P2KPhone& p2k) {
    p2k.RemoveAllFiles();
    for (int i = 1; i <= 7; ++i)
      p2k.PutFile({"/a/mobile/audio/t" + std::to_string(i) + ".mid", 0, 0, {}});
    p2k.PutFile({"/a/mobile/audio/unlisted.wav", 0, 0, {}});
  });
  ASSERT_TRUE(phone.p2k.SwitchTo("P2K"));
  std::vector<std::string> names;
  PhoneFileListing listing = ListPhoneFiles(
      phone.p2k, phone.shell, [&](const p2k::PhoneFile& file) { names.push_back(file.name); });
  EXPECT_TRUE(listing.Complete);
  EXPECT_EQ(listing.Count, 7);
  ASSERT_EQ(names.size(), 7u);
  EXPECT_EQ(names[6], "/a/mobile/audio/t7.mid");
  EXPECT_EQ(phone.InTranscript(kListRequest), 3);
  EXPECT_EQ(phone.InTranscript("reply class 8, 272 bytes"), 1) << "the last part holds one record";
  EXPECT_EQ(phone.shell.progressMax, 3);
  EXPECT_EQ(phone.shell.progressPosition, 3);
  EXPECT_EQ(ProgressTexts(phone.shell), (std::vector<std::string>{
                                            std::string("Чтение колличества файлов..."),
                                            std::string("Чтение файл-листа..."),
                                        }));

  phone.server.ChangeFiles([](emu::P2KPhone& p2k) { p2k.RemoveAllFiles(); });
  listing = ListPhoneFiles(phone.p2k, phone.shell, [&](const p2k::PhoneFile&) { FAIL(); });
  EXPECT_TRUE(listing.Complete);
  EXPECT_EQ(listing.Count, 0);
  EXPECT_EQ(phone.InTranscript(kListRequest), 3) << "no list request";
  EXPECT_EQ(phone.shell.progressMax, 0);
}

TEST(P2KFileServicesTest, APartThatDoesNotComeEndsTheListingAndAPhoneThatStaysAwayIsToldOf) {
  emu::EmulatorOptions options;
  options.p2kUnplugAt = 3;  // the second list request
  EmulatedP2K phone(options);
  ASSERT_EQ(phone.phone.ConnectPhone(), ConnectOutcome::Connected);
  phone.phone.Com().Disconnect();
  ASSERT_TRUE(phone.p2k.SwitchTo("P2K"));
  int listed = 0;
  const PhoneFileListing listing =
      ListPhoneFiles(phone.p2k, phone.shell, [&](const p2k::PhoneFile&) { ++listed; });
  EXPECT_TRUE(listing.Counted);
  EXPECT_FALSE(listing.Complete);
  EXPECT_EQ(listing.Count, 11);
  EXPECT_EQ(listed, 3) << "the first part, and only once";
  EXPECT_EQ(phone.InTranscript(kListRequest), 2) << "nothing asked after the part that failed";
  EXPECT_EQ(phone.shell.log.back(),
            std::string("Список файлов телефона прочитан не весь: часть 2 из 4 не получена."));

  EXPECT_FALSE(
      ReturnToAtMode(phone.p2k, phone.phone, phone.state.link, /*bluetooth=*/false, phone.shell));
  EXPECT_EQ(phone.server.State(), Usb::Unplugged);
  EXPECT_FALSE(phone.state.link.PhoneConnected);
  EXPECT_GE(phone.clock.NowMs(), PhoneConnection::kReconnectLimitMs);
  ASSERT_FALSE(phone.shell.messages.empty());
  EXPECT_EQ(
      phone.shell.messages.back().text,
      std::string("Телефон не вернулся в режим модема. Подключитесь к нему снова, когда он будет "
                  "готов."));
  EXPECT_EQ(phone.shell.status[1], std::string("Телефон не найден!"));
}

TEST(P2KFileServicesTest, TheToneDatabaseGoesOnlyAfterAYesAndThePhoneComesBackConnected) {
  EmulatedP2K phone;
  ASSERT_EQ(phone.phone.ConnectPhone(), ConnectOutcome::Connected);
  const size_t before = phone.shell.calls.size();
  EXPECT_EQ(ToolButton15Click(phone.p2k, phone.phone, phone.state.link, phone.shell),
            ToneDatabaseOutcome::Declined);
  EXPECT_EQ(std::vector<std::string>(phone.shell.calls.begin() + before, phone.shell.calls.end()),
            std::vector<std::string>{"AskYesNo|Внимание!|Вы действительно хотите удалить файл "
                                     "MyToneDB.db?\n\nТелефон после этого перезагрузится: звонки и "
                                     "связь прервутся на минуту."});
  EXPECT_EQ(phone.shell.noByDefault.size(), 1u) << "No is the default";
  EXPECT_TRUE(phone.phone.Com().Connected()) << "the link untouched";
  EXPECT_TRUE(phone.state.link.PhoneConnected);
  EXPECT_FALSE(phone.p2k.Searching());
  EXPECT_EQ(phone.server.State(), Usb::AtMode);
  EXPECT_TRUE(HoldsToneDatabase(phone));

  phone.shell.yesNoAnswers = {true};
  EXPECT_EQ(ToolButton15Click(phone.p2k, phone.phone, phone.state.link, phone.shell),
            ToneDatabaseOutcome::Deleted);
  EXPECT_FALSE(HoldsToneDatabase(phone));
  EXPECT_EQ(phone.InTranscript("31 bytes: 00 00 00 05 2F 61"), 1);
  EXPECT_EQ(phone.InTranscript("command 022"), 1) << "restarted";
  EXPECT_EQ(ProgressTexts(phone.shell), (std::vector<std::string>{
                                            std::string("Переключение телефона в P2K режим..."),
                                            "Remove /a/mobile/audio/MyToneDB.db...",
                                            std::string("Перезагрузка телефона..."),
                                            std::string("Поиск телефона..."),
                                        }));
  const std::string told = "Файл MyToneDB.db удалён, телефон перезагружен и снова подключён.";
  EXPECT_EQ(phone.shell.calls.back(), "Notify|" + told);
  EXPECT_EQ(phone.shell.calls.end()[-2], "SetStatus|1|" + told);
  EXPECT_EQ(phone.shell.calls.end()[-3], "ProgressClose");
  EXPECT_TRUE(phone.state.link.PhoneConnected);
  ASSERT_TRUE(phone.phone.Com().Connected());
  std::string reply;
  phone.phone.SendATCommand("AT", reply);
  EXPECT_TRUE(ReplyComplete(reply) && !ReplyEndedInError(reply)) << reply;

  // The file is gone now: the phone refuses the next delete, and that is said, not "удалён".
  phone.shell.yesNoAnswers = {true};
  EXPECT_EQ(ToolButton15Click(phone.p2k, phone.phone, phone.state.link, phone.shell),
            ToneDatabaseOutcome::NotDeleted);
  EXPECT_EQ(phone.shell.messages.back().text, std::string("Невозможно удалить файл!"));
}

}  // namespace
}  // namespace quorix::test
