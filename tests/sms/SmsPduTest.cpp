#include "sms/SmsPdu.h"

#include <gtest/gtest.h>

namespace quorix::sms {
namespace {

SmsPart Decoded(const std::string& pdu) {
  SmsPart part;
  part.pdu = pdu;
  DecodePart(part);
  return part;
}

TEST(SmsPduTest, PublishedDeliverAndSubmit) {
  const SmsPart deliver =
      Decoded("07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37");
  EXPECT_TRUE(deliver.decoded) << deliver.problem;
  EXPECT_EQ(deliver.kind, SmsKind::Deliver);
  EXPECT_EQ(deliver.serviceCentre, "+27381000015");
  // Its type is 0xC8, a national number: no "+".
  EXPECT_EQ(deliver.number, "27838890001");
  EXPECT_EQ(deliver.time, (SmsTime{1999, 3, 29, 15, 16, 59, 8}));
  EXPECT_EQ(deliver.text, "hellohello");
  EXPECT_FALSE(deliver.concat);

  // Validity period relative (one octet), then absolute (seven).
  for (const std::string pdu : {"0011000B916407281553F80000AA0AE8329BFD4697D9EC37",
                                "0019000B916407281553F8000099309251619580"
                                "0AE8329BFD4697D9EC37"}) {
    const SmsPart submit = Decoded(pdu);
    EXPECT_TRUE(submit.decoded) << pdu;
    EXPECT_EQ(submit.kind, SmsKind::Submit);
    EXPECT_EQ(submit.serviceCentre, "");
    EXPECT_EQ(submit.number, "+46708251358");
    EXPECT_FALSE(submit.time);
    EXPECT_EQ(submit.text, "hellohello") << pdu;
  }
}

TEST(SmsPduTest, AlphabetsAndSenders) {
  // UCS2 in lower case hex, as some phones list it.
  const SmsPart russian = Decoded(
      "07919712990900f0040b919761214365f70008802113329503210c"
      "041f04400438043204350442");
  EXPECT_EQ(russian.serviceCentre, "+79219990000");
  EXPECT_EQ(russian.number, "+79161234567");
  EXPECT_EQ(russian.time, (SmsTime{2008, 12, 31, 23, 59, 30, 12}));
  EXPECT_EQ(russian.alphabet, SmsAlphabet::Ucs2);
  EXPECT_EQ(russian.text, "Привет");
  EXPECT_EQ(Decoded("0004039121F300088021133295032103004120").text, "A\uFFFD") << "odd octet";

  // An alphanumeric sender, a zone five hours west and the extension table.
  const SmsPart named = Decoded("00040BD0D1FA5B9EC60300000110203040500A0A9B720DB4E1BDD71B1F");
  EXPECT_TRUE(named.decoded) << named.problem;
  EXPECT_EQ(named.number, "Quorix");
  EXPECT_EQ(named.time, (SmsTime{2010, 1, 2, 3, 4, 5, -20}));
  EXPECT_EQ(named.text, "€5 [ok]");

  const SmsPart data = Decoded("0004039121F3000480211332950321030102AB");
  EXPECT_FALSE(data.decoded);
  EXPECT_EQ(data.problem, "8-bit data");
  EXPECT_EQ(data.alphabet, SmsAlphabet::Data8);
  EXPECT_EQ(data.text, "0102AB");
  EXPECT_EQ(data.number, "+123");
  EXPECT_EQ(Decoded("0004039121F3002080211332950321020102").problem, "compressed text");
  EXPECT_EQ(Decoded("0004039121F3008080211332950321020102").problem, "reserved coding");
}

TEST(SmsPduTest, ConcatenationHeaders) {
  // 8-bit reference in a 6-octet header: "Hello" starts after one fill bit.
  const SmsPart first = Decoded("00440B919761214365F70000802113329503210C050003A70201906536FB0D");
  EXPECT_EQ(first.text, "Hello");
  EXPECT_EQ(first.concat, (SmsConcat{0xA7, 2, 1}));
  // 16-bit reference before UCS2 text.
  const SmsPart second = Decoded("00440B919761214365F70008802113329503210B0608041234030204010436");
  EXPECT_EQ(second.text, "Ёж");
  EXPECT_EQ(second.concat, (SmsConcat{0x1234, 3, 2}));
  // A sequence past the total is no concatenation; an element longer than the header ends the
  // walk. The text stands either way.
  const SmsPart odd = Decoded("00440B919761214365F70000802113329503210C050003A70203906536FB0D");
  EXPECT_TRUE(odd.decoded);
  EXPECT_FALSE(odd.concat);
  EXPECT_EQ(odd.text, "Hello");
  EXPECT_FALSE(Decoded("00440B919761214365F70000802113329503210C050009A70201906536FB0D").concat);
}

TEST(SmsPduTest, WhatIsNoMessage) {
  const SmsPart report = Decoded("00062A0B916407281553F8993092516195809930925161958000");
  EXPECT_FALSE(report.decoded);
  EXPECT_EQ(report.kind, SmsKind::StatusReport);
  EXPECT_EQ(report.problem, "status report");
  EXPECT_EQ(report.number, "+46708251358");

  const std::pair<std::string, std::string> broken[] = {
      {"", "broken PDU: empty"},
      {" \r\n", "broken PDU: empty"},
      {"079", "broken PDU: odd hex length"},
      {"07917G", "broken PDU: not hex"},
      {"0A91", "broken PDU: service centre"},
      {"00040B91", "broken PDU: sender address"},
      {"0011000B916407281553F80000", "broken PDU: validity period"},
      {"00440B919761214365F7000080211332950321020500", "broken PDU: user data header"},
      {"00440B919761214365F70000802113329503210100", "broken PDU: user data header"},
  };
  for (const auto& [pdu, problem] : broken) {
    const SmsPart part = Decoded(pdu);
    EXPECT_FALSE(part.decoded) << pdu;
    EXPECT_EQ(part.problem, problem) << pdu;
  }
  // The user data length claims one octet more than there is; what came before it still counts.
  const SmsPart cut =
      Decoded("07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC");
  EXPECT_EQ(cut.problem, "broken PDU: user data length");
  EXPECT_EQ(cut.number, "27838890001");
  EXPECT_TRUE(cut.time);
  EXPECT_EQ(cut.text, "");
}

}  // namespace
}  // namespace quorix::sms
