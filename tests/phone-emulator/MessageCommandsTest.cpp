#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "phone-emulator/EmulatedPhone.h"
#include "support/Hex.h"

namespace quorix::emu {
namespace {

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";

EmulatedPhone SamplePhone(std::string model = "E398") {
  EmulatorOptions options;
  options.model = std::move(model);
  options.sample = true;
  return EmulatedPhone(options);
}

// The phone's answer after the echo of the command.
std::string Reply(EmulatedPhone& phone, const std::string& command) {
  const std::string sent = phone.Receive(command + "\r");
  if (sent.compare(0, command.size() + 1, command + "\r") != 0) return "<no echo> " + sent;
  return sent.substr(command.size() + 1);
}

struct Listed {
  int index;
  int stat;
  int length;
  std::string pdu;
};

// The messages of a PDU-mode listing; a malformed one fails the test.
std::vector<Listed> Listing(const std::string& reply, const std::string& tag = "+CMGL: ") {
  std::vector<std::string> lines;
  for (size_t start = 0; start < reply.size();) {
    const size_t end = reply.find("\r\n", start);
    const std::string line = reply.substr(start, end - start);
    if (!line.empty()) lines.push_back(line);
    start = end == std::string::npos ? reply.size() : end + 2;
  }
  EXPECT_FALSE(lines.empty());
  if (lines.empty() || lines.back() != "OK") return {};
  std::vector<Listed> listed;
  for (size_t i = 0; i + 2 < lines.size(); i += 2) {
    Listed m{};
    const std::string& header = lines[i];
    EXPECT_EQ(header.compare(0, tag.size(), tag), 0) << header;
    if (tag == "+CMGL: ") {
      EXPECT_EQ(std::sscanf(header.c_str(), "+CMGL: %d,%d,,%d", &m.index, &m.stat, &m.length), 3)
          << header;
    } else {
      EXPECT_EQ(std::sscanf(header.c_str(), "+CMGR: %d,,%d", &m.stat, &m.length), 2) << header;
    }
    m.pdu = lines[i + 1];
    EXPECT_EQ(m.pdu.find_first_not_of("0123456789ABCDEF"), std::string::npos) << m.pdu;
    // The length counts the octets after the service centre's part.
    EXPECT_EQ(m.length,
              static_cast<int>(m.pdu.size() / 2) - 1 - std::stoi(m.pdu.substr(0, 2), nullptr, 16))
        << m.pdu;
    listed.push_back(m);
  }
  EXPECT_EQ(lines.size() % 2, 1u);
  return listed;
}

std::vector<int> Indices(const std::vector<Listed>& listed) {
  std::vector<int> indices;
  for (const Listed& m : listed) indices.push_back(m.index);
  return indices;
}

// The sample's Russian message, built apart from the emulator: service centre, sender, PID and
// DCS 08, 2007-02-09 12:41:07 +03:00, 46 characters.
const std::string kRussianPdu = "07919761989901F0040B919730112132F30008702090211470215C" +
                                test::Hex("Привет! Как дела? Встречаемся в 19:00 у метро.");

TEST(MessageCommandsTest, StoresAnswerAsAnL6) {
  EmulatedPhone phone = SamplePhone("L6");
  EXPECT_EQ(Reply(phone, "AT+CPMS=?"),
            "\r\n+CPMS: (\"MT\",\"ME\",\"SM\",\"IM\",\"OM\",\"BM\",\"DM\"),(\"MT\",\"ME\",\"SM\","
            "\"OM\",\"DM\"),(\"MT\",\"ME\",\"SM\",\"IM\")\r\n" +
                kOk);
  EXPECT_EQ(Reply(phone, "AT+CPMS=\"ME\""), "\r\n+CPMS: 13,254\r\n" + kOk);
  const std::vector<std::pair<std::string, std::string>> counts = {
      {"SM", "1,30"},  {"MT", "14,284"}, {"IM", "11,254"},
      {"OM", "2,254"}, {"DM", "1,254"},  {"BM", "0,0"}};
  for (const auto& [store, count] : counts) {
    EXPECT_EQ(Reply(phone, "AT+CPMS=\"" + store + "\""), "\r\n+CPMS: " + count + "\r\n" + kOk)
        << store;
  }
  EXPECT_EQ(Reply(phone, "AT+CPMS=\"ME\",\"SM\",\"MT\""),
            "\r\n+CPMS: 13,254,1,30,14,284\r\n" + kOk);
  for (const char* refused :
       {"AT+CPMS=\"XX\"", "AT+CPMS=\"ME\",\"BM\"", "AT+CPMS=\"ME\",\"ME\",\"OM\"",
        "AT+CPMS=\"ME\",\"ME\",\"ME\",\"ME\"", "AT+CPMS="}) {
    EXPECT_EQ(Reply(phone, refused), kError) << refused;
  }
  EXPECT_EQ(Reply(phone, "AT+CPMS?"),
            "\r\n+CPMS: \"ME\",13,254,\"SM\",1,30,\"MT\",14,284\r\n" + kOk);

  EmulatorOptions empty;
  EmulatedPhone bare(empty);
  EXPECT_EQ(Reply(bare, "AT+CPMS=ME"), "\r\n+CPMS: 0,254\r\n" + kOk);
  EXPECT_EQ(Reply(bare, "AT+CMGL=4"), kOk);
}

TEST(MessageCommandsTest, ListsEachStoreInIndexOrderAndReadsTheUnreadOnce) {
  EmulatedPhone phone = SamplePhone();
  EXPECT_EQ(Reply(phone, "AT+CMGF?"), "\r\n+CMGF: 0\r\n" + kOk) << "PDU mode from the start";
  EXPECT_EQ(Reply(phone, "AT+CMGF=0"), kOk);
  const auto all = Listing(Reply(phone, "AT+CMGL=4"));
  EXPECT_EQ(Indices(all), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  std::vector<int> stats;
  for (const Listed& m : all) stats.push_back(m.stat);
  EXPECT_EQ(stats, (std::vector<int>{1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 3, 2}));
  ASSERT_EQ(all.size(), 13u);
  EXPECT_EQ(all[1].pdu, kRussianPdu);
  EXPECT_EQ(all[1].length, 111);
  // Characters that exports escape, and U+0001 before the last letter.
  const std::string escaped = test::Hex("'d'") + "00010065";
  EXPECT_EQ(all[8].pdu.substr(all[8].pdu.size() - escaped.size()), escaped);
  // The parts of the long message: header 05 00 03, one reference, three parts, 2 stored first.
  EXPECT_EQ(all[3].pdu.substr(0, 18), "07919761989901F044");
  EXPECT_NE(all[3].pdu.find("A0050003"
                            "2A0302"),
            std::string::npos)
      << all[3].pdu;
  EXPECT_NE(all[4].pdu.find("050003"
                            "2A0301"),
            std::string::npos)
      << all[4].pdu;
  EXPECT_NE(all[5].pdu.find("050003"
                            "2A0303"),
            std::string::npos)
      << all[5].pdu;

  // Listed once, the unread is read; by stat, only its own.
  EXPECT_EQ(Listing(Reply(phone, "AT+CMGL=4"))[6].stat, 1);
  EXPECT_EQ(Reply(phone, "AT+CMGL=0"), kOk);
  EXPECT_EQ(Indices(Listing(Reply(phone, "AT+CMGL=1"))).size(), 11u);
  EXPECT_EQ(Indices(Listing(Reply(phone, "AT+CMGL=2"))), std::vector<int>{13});
  EXPECT_EQ(Indices(Listing(Reply(phone, "AT+CMGL=3"))), std::vector<int>{12});
  EXPECT_EQ(Reply(phone, "AT+CMGL=5"), kError);
  EXPECT_EQ(Reply(phone, "AT+CMGL=\"ALL\""), kError) << "a text-mode stat in PDU mode";

  EXPECT_EQ(Reply(phone, "AT+CPMS=\"SM\""), "\r\n+CPMS: 1,30\r\n" + kOk);
  const auto sim = Listing(Reply(phone, "AT+CMGL=4"));
  ASSERT_EQ(sim.size(), 1u);
  EXPECT_EQ(sim[0].index, 1);
  EXPECT_EQ(sim[0].stat, 1);
  EXPECT_EQ(Reply(phone, "AT+CPMS=\"MT\""), "\r\n+CPMS: 14,284\r\n" + kOk);
  const auto both = Listing(Reply(phone, "AT+CMGL=4"));
  ASSERT_EQ(both.size(), 14u);
  EXPECT_EQ(both.back().index, 255) << "the SIM's after the phone memory's";
  EXPECT_EQ(both.back().pdu, sim[0].pdu);
  EXPECT_EQ(Reply(phone, "AT+CPMS=\"DM\""), "\r\n+CPMS: 1,254\r\n" + kOk);
  EXPECT_EQ(Indices(Listing(Reply(phone, "AT+CMGL=4"))), std::vector<int>{13});
  EXPECT_EQ(Reply(phone, "AT+CPMS=\"BM\""), "\r\n+CPMS: 0,0\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+CMGL=4"), kOk);
}

TEST(MessageCommandsTest, ReadsOneMessageByIndex) {
  EmulatedPhone phone = SamplePhone();
  EXPECT_EQ(Reply(phone, "AT+CMGR=2"), "\r\n+CMGR: 1,,111\r\n" + kRussianPdu + "\r\n" + kOk);
  const auto unread = Listing(Reply(phone, "AT+CMGR=7"), "+CMGR: ");
  ASSERT_EQ(unread.size(), 1u);
  EXPECT_EQ(unread[0].stat, 0);
  EXPECT_EQ(Listing(Reply(phone, "AT+CMGR=7"), "+CMGR: ")[0].stat, 1);
  for (const char* empty : {"AT+CMGR=14", "AT+CMGR=0", "AT+CMGR=255"}) {
    EXPECT_EQ(Reply(phone, empty), "\r\n+CMS ERROR: 321\r\n") << empty;
  }
  EXPECT_EQ(Reply(phone, "AT+CMGR=x"), kError);
  EXPECT_EQ(Reply(phone, "AT+CPMS=\"MT\""), "\r\n+CPMS: 14,284\r\n" + kOk);
  EXPECT_EQ(Listing(Reply(phone, "AT+CMGR=255"), "+CMGR: ").size(), 1u);
}

TEST(MessageCommandsTest, TextModeIsTakenButItsListingsAreRefused) {
  EmulatedPhone phone = SamplePhone();
  EXPECT_EQ(Reply(phone, "AT+CMGF=1"), kOk);
  EXPECT_EQ(Reply(phone, "AT+CMGF?"), "\r\n+CMGF: 1\r\n" + kOk);
  for (const char* listing : {"AT+CMGL=\"ALL\"", "AT+CMGL=4", "AT+CMGR=1"}) {
    EXPECT_EQ(Reply(phone, listing), "\r\n+CMS ERROR: 302\r\n") << listing;
  }
  EXPECT_EQ(Reply(phone, "AT+CMGF=2"), kError);
  EXPECT_EQ(Reply(phone, "AT+CPMS=\"SM\""), "\r\n+CPMS: 1,30\r\n" + kOk);
  // A reset brings PDU mode and the phone memory back.
  EXPECT_EQ(Reply(phone, "ATZ"), kOk);
  EXPECT_EQ(Reply(phone, "AT+CMGF?"), "\r\n+CMGF: 0\r\n" + kOk);
  EXPECT_EQ(Listing(Reply(phone, "AT+CMGL=4")).size(), 13u);
}

}  // namespace
}  // namespace quorix::emu
