#include "sms/SmsTextExport.h"

#include <gtest/gtest.h>

#include "sms/SmsSamples.h"
#include "support/TempDir.h"

namespace quorix::sms {
namespace {

using test::At;
using test::Message;

TEST(SmsTextExportTest, ConversationsReadAsAPersonWouldWriteThem) {
  SmsMessage undecoded;
  undecoded.decoded = false;
  undecoded.parts = {test::Part("ME", 2, 1, "0791AA"), test::Part("ME", 3, 1, "0791BB")};
  undecoded.parts[1].problem = "неизвестная кодировка";
  const std::vector<SmsConversation> conversations = {
      {"+79211234567",
       "Иван",
       {Message(SmsDirection::Received, "+79211234567", At(2007, 3, 4, 9, 5),
                "Привет\r\nкак дела?\x01\n\nпока"),
        Message(SmsDirection::Sent, "89211234567", std::nullopt, "Хорошо"),
        Message(SmsDirection::Draft, "+79211234567", std::nullopt, "Не отправлено")}},
      {"900", "", {undecoded}},
  };
  quorix::test::TempDir dir;
  const std::string path = dir.File("sms.txt");
  SaveSmsTextExport(path, conversations);
  EXPECT_EQ(quorix::test::ReadBytes(path),
            "Иван, +79211234567\n"
            "04.03.2007 09:05  ← Привет\n"
            "                    как дела?␁\n"
            "\n"
            "                    пока\n"
            "                  → Хорошо\n"
            "                  → [черновик] Не отправлено\n"
            "\n"
            "900\n"
            "                  ← [не удалось прочитать: неизвестная кодировка]\n"
            "                    PDU: 0791AA\n"
            "                    PDU: 0791BB\n");
}

}  // namespace
}  // namespace quorix::sms
