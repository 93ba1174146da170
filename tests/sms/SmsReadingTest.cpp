#include "sms/SmsReading.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "phone-emulator/PtyPhoneServer.h"
#include "sms/SmsAndroidXml.h"
#include "sms/SmsSamples.h"
#include "support/Link.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace quorix::sms {
namespace {

using quorix::test::Link;

const SmsMessage* WithText(const std::vector<SmsMessage>& messages, const std::string& start) {
  const auto found = std::find_if(messages.begin(), messages.end(),
                                  [&](const SmsMessage& m) { return m.text.starts_with(start); });
  return found == messages.end() ? nullptr : &*found;
}

// Every message of the sample phone, both memories, comes whole with its text, number, time and
// direction; the long one's parts join in order though part 2 is listed first; the 8-bit one is
// kept undecoded and counted. The backup brings back every field, and Python's XML parser reads
// every message of the export with its exact text.
TEST(SmsReadingTest, TheSamplePhonesMessagesAreReadBackedUpAndExportedWhole) {
  emu::EmulatorOptions options;
  options.sample = true;
  emu::PtyPhoneServer server(options);
  Link<> link(server.Start());
  ASSERT_EQ(link.phone.ConnectPhone(), ConnectOutcome::Connected);
  bool stop = false;
  SmsState state;
  const SmsReadOutcome outcome = ReadMessages(state, link.shell, link.phone, link.clock, stop);
  EXPECT_FALSE(outcome.HadFailures());
  EXPECT_EQ(outcome.Stores, (std::vector<std::string>{"ME", "SM"}));
  EXPECT_EQ(outcome.PartsRead, 14);
  ASSERT_EQ(state.Messages.size(), 12u);
  EXPECT_EQ(UndecodedMessages(state.Messages), 1);
  EXPECT_EQ(SmsReadingSummary(outcome, state.Messages),
            "Прочитано сообщений: 12 (частей: 14), не распознано: 1 (сохраняются как есть)");

  const SmsMessage* russian = WithText(state.Messages, "Привет! Как дела?");
  ASSERT_TRUE(russian);
  EXPECT_EQ(russian->text, "Привет! Как дела? Встречаемся в 19:00 у метро.");
  EXPECT_EQ(russian->number, "+79031112233");
  EXPECT_EQ(russian->direction, SmsDirection::Received);
  ASSERT_TRUE(russian->time);
  EXPECT_EQ(*russian->time, (SmsTime{2007, 2, 9, 12, 41, russian->time->second, 12}));
  EXPECT_TRUE(WithText(state.Messages, "Price: 5€ [sale] {today}"));
  EXPECT_TRUE(WithText(state.Messages, std::string("a<b & \"c\" 'd'\x01") + "e"));
  const SmsMessage* reply = WithText(state.Messages, "Да, буду в 19:00.");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->direction, SmsDirection::Sent);
  const SmsMessage* draft = WithText(state.Messages, "Papa, call me tonight.");
  ASSERT_TRUE(draft);
  EXPECT_EQ(draft->direction, SmsDirection::Draft);
  const SmsMessage* unread = WithText(state.Messages, "Don't forget");
  ASSERT_TRUE(unread);
  EXPECT_FALSE(unread->read);
  const SmsMessage* sim = WithText(state.Messages, "I'm at the entrance");
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->parts[0].store, "SM");
  const SmsMessage* operatorSms = WithText(state.Messages, "Balance:");
  ASSERT_TRUE(operatorSms);
  EXPECT_EQ(operatorSms->number, "MTS");

  const SmsMessage* long_ = WithText(state.Messages, "Hi! Here is the way to the dacha");
  ASSERT_TRUE(long_);
  EXPECT_EQ(long_->parts.size(), 3u);
  EXPECT_TRUE(long_->missingParts.empty());
  EXPECT_TRUE(long_->text.ends_with("Call me if you get lost. Sergey")) << long_->text;
  EXPECT_EQ(long_->text.find("[…]"), std::string::npos);

  quorix::test::TempDir dir;
  WriteSmsBackup(dir.File("m.sms"), state.Messages, state.ReadAt);
  const SmsBackupRead back = ReadMessageBackup(dir.File("m.sms"));
  EXPECT_TRUE(back.problems.empty());
  EXPECT_EQ(back.readingTime, state.ReadAt);
  ASSERT_EQ(back.messages.size(), state.Messages.size());
  for (size_t i = 0; i < back.messages.size(); ++i) {
    test::ExpectKept(back.messages[i], state.Messages[i]);
    for (size_t p = 0; p < back.messages[i].parts.size(); ++p) {
      EXPECT_EQ(back.messages[i].parts[p].problem, state.Messages[i].parts[p].problem)
          << "decoded again from the PDU";
      EXPECT_EQ(back.messages[i].parts[p].serviceCentre, state.Messages[i].parts[p].serviceCentre);
    }
  }

  const quorix::test::ProcessResult python =
      quorix::test::RunProcess({"/usr/bin/env", "python3", "-c", "import xml.etree.ElementTree"});
  if (python.exitCode != 0) GTEST_SKIP() << "python3 with xml.etree is needed to parse the XML";
  SaveAndroidXml(
      dir.File("m.xml"), back.messages, [](const std::string&) { return ""; },
      back.readingTime.value_or(0));
  const quorix::test::ProcessResult parsed =
      quorix::test::RunProcess({"/usr/bin/env", "python3", "-c",
                                "import sys, xml.etree.ElementTree as E\n"
                                "for s in E.parse(sys.argv[1]).getroot(): print(s.get('type'), "
                                "s.get('body').encode().hex())",
                                dir.File("m.xml")});
  ASSERT_EQ(parsed.exitCode, 0) << parsed.err;
  for (const SmsMessage& m : state.Messages) {
    if (!m.decoded || m.text.find('\x01') != std::string::npos) continue;
    std::string hex;
    for (const unsigned char c : m.text) {
      static const char digits[] = "0123456789abcdef";
      (hex += digits[c >> 4]) += digits[c & 0x0F];
    }
    EXPECT_NE(parsed.out.find(" " + hex + "\n"), std::string::npos) << m.text;
  }
}

// A phone refusing the SIM store is read in what it has, the refusal a failure; a stop before
// the first store lists nothing.
TEST(SmsReadingTest, ARefusedStoreAndAStopAreTold) {
  emu::EmulatorOptions options;
  options.sample = true;
  options.errorOn = {"AT+CPMS=\"SM\""};
  emu::PtyPhoneServer server(options);
  Link<> link(server.Start());
  ASSERT_EQ(link.phone.ConnectPhone(), ConnectOutcome::Connected);
  bool stop = false;
  SmsState state;
  SmsReadOutcome outcome = ReadMessages(state, link.shell, link.phone, link.clock, stop);
  EXPECT_EQ(outcome.Stores, std::vector<std::string>{"ME"});
  EXPECT_EQ(state.Messages.size(), 11u);
  EXPECT_TRUE(outcome.HadFailures()) << "the refusal counts";

  stop = true;
  outcome = ReadMessages(state, link.shell, link.phone, link.clock, stop);
  EXPECT_TRUE(outcome.Stopped);
  EXPECT_TRUE(state.Messages.empty());
  EXPECT_NE(SmsReadingSummary(outcome, state.Messages).find("Чтение остановлено"),
            std::string::npos);
}

}  // namespace
}  // namespace quorix::sms
