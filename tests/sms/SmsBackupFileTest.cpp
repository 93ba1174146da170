#include "sms/SmsBackupFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "codec/CodePage.h"
#include "sms/SmsFileWrite.h"
#include "sms/SmsSamples.h"
#include "support/TempDir.h"

namespace quorix::sms {
namespace {

using test::At;
using test::ExpectKept;
using test::Message;
using test::Part;

std::vector<SmsMessage> HostileMessages() {
  std::string hostile;
  for (char c = 0; c < 0x20; ++c) hostile += c;
  hostile += ";\\;\\x41\\\"'<&>\x7F Привет, мир 你好 😀";
  hostile += "\xFF\xC3(\xED\xA0\x80)";  // broken UTF-8 and a lone surrogate come back byte for byte

  SmsMessage received = Message(SmsDirection::Received, "+7 (921) 123-45-67",
                                SmsTime{2007, 3, 14, 9, 30, 59, 12}, hostile);
  received.read = false;
  received.parts[0].status = 0;
  SmsMessage sent = Message(SmsDirection::Sent, "MTS;\\n", std::nullopt, "Ответ\r\nвторая\n");
  SmsMessage undecoded;
  undecoded.decoded = false;
  undecoded.parts = {Part("SM", 17, 1, "07911326040000F0040B911346610089F6")};
  undecoded.parts[0].problem = "unknown alphabet";
  SmsMessage longOne =
      Message(SmsDirection::Received, "900", At(2010, 12, 31, 23, 59, -14), "Начало[…]конец");
  longOne.missingParts = {2, 3};
  longOne.parts.push_back(Part("ME", 40, 1, "0791AB"));
  SmsMessage draft = Message(SmsDirection::Draft, "", At(1999, 1, 1, 0, 0, 23), "");
  return {received, sent, undecoded, longOne, draft};
}

TEST(SmsBackupFileTest, WrittenMessagesReadBackWithEveryByteAndPart) {
  const std::vector<SmsMessage> messages = HostileMessages();
  quorix::test::TempDir dir;
  const std::string path = dir.File("sms.txt");
  WriteSmsBackup(path, messages, 1714564800);

  const std::string bytes = quorix::test::ReadBytes(path);
  EXPECT_TRUE(IsUtf8(bytes));
  EXPECT_EQ(bytes.substr(0, bytes.find('\n')), "Quorix SMS backup;1;2024-05-01T12:00:00Z");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2 + 5) << "one line a message";
  EXPECT_NE(bytes.find(";2010-12-31T23:59:00-03:30;"), std::string::npos);
  EXPECT_NE(bytes.find(";1999-01-01T00:00:00+05:45;"), std::string::npos);

  const SmsBackupRead read = ReadSmsBackup(path);
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(read.readingTime, 1714564800);
  ASSERT_EQ(read.messages.size(), messages.size());
  for (size_t k = 0; k < messages.size(); ++k) {
    SCOPED_TRACE(k);
    ExpectKept(read.messages[k], messages[k]);
  }

  // A spreadsheet or an editor on Windows may save it with CR LF and a byte order mark.
  std::string windows = "\xEF\xBB\xBF";
  for (const char c : bytes) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const SmsBackupRead again = ReadSmsBackupText(windows);
  EXPECT_TRUE(again.problems.empty());
  ASSERT_EQ(again.messages.size(), messages.size());
  ExpectKept(again.messages[0], messages[0]);
}

TEST(SmsBackupFileTest, DamagedLinesAreSkippedAndToldByNumber) {
  const std::vector<SmsMessage> messages = HostileMessages();
  const std::string text = SmsBackupText({messages[1], messages[3]}, 0);
  const size_t second = text.find('\n', text.find('\n') + 1) + 1;
  const size_t third = text.find('\n', second) + 1;
  const std::string good = text.substr(second, third - second - 1);
  std::string badTime = good;
  badTime.replace(badTime.find(";;1;"), 4, ";2007-13-14T09:30:00+03:00;1;");
  const std::string damaged = text.substr(0, third) +                   // lines 1-3
                              good.substr(0, good.size() / 2) + "\n" +  // 4: cut short
                              good + ";ME\n" +                          // 5: a field too many
                              badTime + "\n" +                          // 6
                              "\n" +                                    // 7: empty, ignored
                              "sent;1;\\q;;1;;x;ME;1;3;00\n" +          // 8: a broken escape
                              "sent;2;1;;1;;x;ME;1;3;00\n" +            // 9: read neither 1 nor 0
                              text.substr(third);                       // 10
  const SmsBackupRead read = ReadSmsBackupText(damaged);
  ASSERT_EQ(read.messages.size(), 2u);
  ExpectKept(read.messages[0], messages[1]);
  ExpectKept(read.messages[1], messages[3]);
  ASSERT_EQ(read.problems.size(), 5u);
  const std::vector<size_t> lines = {4, 5, 6, 8, 9};
  for (size_t k = 0; k < lines.size(); ++k) EXPECT_EQ(read.problems[k].line, lines[k]);
  EXPECT_NE(read.problems[1].why.find("полей 12"), std::string::npos) << read.problems[1].why;
  EXPECT_NE(read.problems[2].why.find("время «2007-13-14"), std::string::npos);

  const SmsBackupRead noTime = ReadSmsBackupText("Quorix SMS backup;1;вчера\n" + good + "\n");
  EXPECT_EQ(noTime.readingTime, std::nullopt);
  ASSERT_EQ(noTime.problems.size(), 1u);
  EXPECT_EQ(noTime.problems[0].line, 1u);
  EXPECT_EQ(noTime.messages.size(), 1u) << "the messages do not depend on it";

  const SmsBackupRead endless =
      ReadSmsBackupText(text.substr(0, second) + std::string(200000, '\n') + good + "\n");
  EXPECT_TRUE(endless.messages.empty());
  ASSERT_EQ(endless.problems.size(), 1u);
  EXPECT_EQ(endless.problems[0].line, 200001u);
}

TEST(SmsBackupFileTest, AFileThatIsNoBackupIsRefusedInRussianNamingIt) {
  quorix::test::TempDir dir;
  const std::string path = dir.File("sms.txt");
  const auto refusal = [&]() -> std::string {
    try {
      ReadSmsBackup(path);
    } catch (const SmsFileError& e) {
      return e.what();
    }
    return "read";
  };
  const auto refusalOf = [&](const std::string& bytes) {
    quorix::test::WriteBytes(path, bytes);
    return refusal();
  };
  const std::string body = "received;1;+7;;1;;x;ME;1;1;00\n";
  EXPECT_EQ(refusalOf(body), "Файл " + path +
                                 ": это не резервная копия сообщений Quorix: первая строка не "
                                 "начинается с «Quorix SMS backup»");
  EXPECT_EQ(refusalOf(""), refusalOf(body));
  EXPECT_NE(refusalOf("Quorix SMS backup;2;2024-05-01T12:00:00Z\n" + body).find("версии «2»"),
            std::string::npos);
  EXPECT_NE(refusalOf("Quorix SMS backup\n").find("без номера"), std::string::npos);

  std::filesystem::resize_file(path, 64 * 1024 * 1024 + 1);
  EXPECT_NE(refusal().find("64 MB"), std::string::npos);
  EXPECT_THROW(ReadSmsBackup(dir.File("none.txt")), SmsFileError);
  EXPECT_THROW(WriteSmsBackup(dir.File("no/such/folder.txt"), {}, 0), SmsFileError);
}

}  // namespace
}  // namespace quorix::sms
