#include "sms/SmsAndroidXml.h"

#include <gtest/gtest.h>

#include "sms/SmsSamples.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace quorix::sms {
namespace {

using test::At;
using test::Message;

std::string HexOf(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char c : bytes) (hex += digits[c >> 4]) += digits[c & 0x0F];
  return hex;
}

// An independent reader: Python's own XML parser, printing what an importing app would take.
const char kParse[] = R"(
import sys, xml.etree.ElementTree as E
root = E.parse(sys.argv[1]).getroot()
print(root.tag, root.get('count'), len(root))
for s in root:
    print(s.get('type'), s.get('date'), s.get('read'), s.get('service_center'),
          s.get('address').encode().hex(), s.get('body').encode().hex(),
          s.get('contact_name').encode().hex())
)";

TEST(SmsAndroidXmlTest, AnImportingParserReadsEveryMessageAsItWas) {
  const quorix::test::ProcessResult python =
      quorix::test::RunProcess({"/usr/bin/env", "python3", "-c", "import xml.etree.ElementTree"});
  if (python.exitCode != 0) GTEST_SKIP() << "python3 with xml.etree is needed to parse the XML";

  const std::string kept = "<&>\"'\tline\nline\r Привет 你好 😀 \xEF\xBF\xBD";
  SmsMessage hostile = Message(
      SmsDirection::Received, "+79211234567", At(2007, 3, 14, 9, 30),
      std::string("nul\0", 4) + "\x01\x1F" + kept + "\xEF\xBF\xBE\xEF\xBF\xBF\xED\xA0\x80\xFF");
  hostile.read = false;
  hostile.parts[0].serviceCentre = "+79219990000";
  SmsMessage undecoded;
  undecoded.decoded = false;
  undecoded.parts = {test::Part("ME", 2, 1, "00FF"), test::Part("ME", 3, 1, "00FE")};
  undecoded.parts[0].problem = "неизвестная кодировка";
  undecoded.parts[1].problem = "неизвестная кодировка";
  const std::vector<SmsMessage> messages = {
      hostile, Message(SmsDirection::Sent, "MTS", std::nullopt, "ok"), undecoded,
      Message(SmsDirection::Draft, "+380501234567", At(2010, 12, 31, 23, 59, -14), "")};

  quorix::test::TempDir dir;
  const std::string path = dir.File("sms.xml");
  const SmsAndroidXml xml = SaveAndroidXml(
      path, messages, [](const std::string& number) { return number == "MTS" ? "МТС & Co" : ""; },
      1714564800);
  EXPECT_EQ(xml.replaced, 7) << "NUL, 0x01, 0x1F, U+FFFE, U+FFFF, a lone surrogate, a broken byte";
  EXPECT_EQ(xml.undecoded, 1);
  EXPECT_EQ(xml.text.rfind("<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>\n", 0), 0u);

  const quorix::test::ProcessResult read =
      quorix::test::RunProcess({"/usr/bin/env", "python3", "-c", kParse, path});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  const std::string unknown = HexOf("(Unknown)");
  EXPECT_EQ(read.out,
            "smses 4 4\n"
            "1 1173853800000 0 +79219990000 " +
                HexOf("+79211234567") + " " +
                HexOf("nul\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" + kept +
                      "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD") +
                " " + unknown + "\n" + "2 1714564800000 1 null " + HexOf("MTS") + " " +
                HexOf("ok") + " " + HexOf("МТС & Co") + "\n" + "1 1714564800000 1 null  " +
                HexOf("[Не удалось прочитать: неизвестная кодировка]") + " " + unknown + "\n" +
                "3 1293852540000 1 null " + HexOf("+380501234567") + "  " + unknown + "\n");
}

}  // namespace
}  // namespace quorix::sms
