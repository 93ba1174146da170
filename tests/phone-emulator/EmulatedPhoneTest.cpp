#include "phone-emulator/EmulatedPhone.h"

#include <gtest/gtest.h>

#include "support/Hex.h"

namespace quorix::emu {
namespace {

EmulatorOptions Options(std::string model = "E398", bool sample = false) {
  EmulatorOptions options;
  options.model = std::move(model);
  options.sample = sample;
  return options;
}

using test::Hex;

// The phone's answer after the echo of the command.
std::string Reply(EmulatedPhone& phone, const std::string& command) {
  const std::string sent = phone.Receive(command + "\r\n");
  const std::string echo = phone.EchoOn() || command == "ATE0" ? command + "\r" : "";
  if (sent.compare(0, echo.size(), echo) != 0) return "<no echo> " + sent;
  return sent.substr(echo.size());
}

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(EmulatedPhoneTest, FramesEchoInformationLinesAndResults) {
  EmulatedPhone phone(Options());
  EXPECT_EQ(phone.Receive("ATZ\r"), "ATZ\r\r\nOK\r\n");
  // The LF the program sends after each CR is not part of the next command.
  EXPECT_EQ(phone.Receive("\nAT+CGMI\r"),
            "AT+CGMI\r\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("\nAT+CGMM\r\n"),
            "AT+CGMM\r\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"GSM850\",\"MODEL=E398\"\r\n"
            "\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT+MODE=2\r\n"),
            "AT+MODE=2\r\r\n+MBAN: Copyright 2000-2002 Motorola, Inc.\r\n\r\nOK\r\n");

  // A line may arrive in pieces; nothing is answered before its CR.
  EXPECT_EQ(phone.Receive("A"), "");
  EXPECT_EQ(phone.Receive("T+CG"), "");
  EXPECT_EQ(phone.Receive("MI\r"),
            "AT+CGMI\r\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT\rAT+XYZ\r"), "AT\r\r\nOK\r\nAT+XYZ\r\r\nERROR\r\n");

  EXPECT_EQ(phone.Receive("ATE0\r"), "ATE0\r\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT\r"), "\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("ATE1\r"), "\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT\r"), "AT\r\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("ATE0\r"), "ATE0\r\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("ATZ\r"), "\r\nOK\r\n");
  EXPECT_TRUE(phone.EchoOn());
}

TEST(EmulatedPhoneTest, AnswersErrorToUnknownAndMalformedCommands) {
  EmulatorOptions options = Options();
  options.errorOn = {"AT+MPBR", "AT+CGMM"};
  EmulatedPhone phone(options);
  const std::vector<std::string> commands = {
      "ATX",       "HELLO",       "AT+CSCS=\"KOI8\"", "AT+CPBS=\"XX\"",
      "AT+MPBR=",  "AT+MPBR=a,b", "AT+MPGR=5,1",      "AT+MODE=7",
      "AT+MDBL=2", "AT+CGMM",     "AT+MPBR=1,10",     "AT+CGMI=1"};
  for (const std::string& command : commands) {
    EXPECT_EQ(Reply(phone, command), kError) << command;
  }
  // A line longer than the phone's buffer is refused as a whole.
  const std::string overflow = phone.Receive("AT+CGMI" + std::string(3000, ' ') + "\r");
  EXPECT_EQ(overflow.substr(overflow.size() - kError.size()), kError);
  EXPECT_EQ(Reply(phone, "AT+CGMI"), "\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "at+cscs=ucs2"), kOk);
  EXPECT_EQ(phone.CurrentCharset(), Charset::Ucs2);
}

TEST(EmulatedPhoneTest, ResetRestoresEchoCharsetAndMemory) {
  EmulatedPhone phone(Options());
  EXPECT_EQ(Reply(phone, "AT+CSCS=\"UCS2\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"MT\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+CSCS?"), "\r\n+CSCS: \"UCS2\"\r\n" + kOk);
  EXPECT_EQ(phone.SelectedMemory(), PhonebookMemory::Both);
  EXPECT_EQ(Reply(phone, "ATE0"), kOk);
  EXPECT_EQ(phone.Receive("ATZ\r"), "\r\nOK\r\n");
  EXPECT_TRUE(phone.EchoOn());
  EXPECT_EQ(phone.CurrentCharset(), Charset::Gsm);
  EXPECT_EQ(phone.SelectedMemory(), PhonebookMemory::Phone);
  EXPECT_EQ(Reply(phone, "AT+CSCS=UCS2"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MODE=2"), "\r\n+MBAN: Copyright 2000-2002 Motorola, Inc.\r\n" + kOk);
  EXPECT_EQ(phone.CurrentCharset(), Charset::Gsm);
}

TEST(EmulatedPhoneTest, MemoryWindowsFollowTheModelGroup) {
  struct Case {
    const char* model;
    int phone;
  };
  for (const Case c : {Case{"E398", 1000}, Case{"V3", 1000}, Case{"V500", 1000}, Case{"C650", 500},
                       Case{"V180", 500}, Case{"V220", 500}, Case{"C550", 500}}) {
    SCOPED_TRACE(c.model);
    EmulatorOptions options = Options(c.model, true);
    options.simCapacity = 100;
    EmulatedPhone phone(options);
    const std::string p = std::to_string(c.phone);
    EXPECT_EQ(phone.FirstSimIndex(), c.phone + 1);
    EXPECT_EQ(Reply(phone, "AT+CPBS?"), "\r\n+CPBS: \"ME\",39," + p + "\r\n" + kOk);
    EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (1-" + p + "),40,24\r\n" + kOk);
    EXPECT_EQ(Reply(phone, "AT+MPBSC=?"), "\r\n+MPBSC: " + p + ",39\r\n" + kOk);
    EXPECT_EQ(Reply(phone, "AT+CPBS=\"SM\""), kOk);
    EXPECT_EQ(Reply(phone, "AT+CPBS?"), "\r\n+CPBS: \"SM\",10,100\r\n" + kOk);
    EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (" + std::to_string(c.phone + 1) + "-" +
                                             std::to_string(c.phone + 100) + "),40,24\r\n" + kOk);
    EXPECT_EQ(Reply(phone, "AT+CPBS=MT"), kOk);
    EXPECT_EQ(Reply(phone, "AT+CPBS?"),
              "\r\n+CPBS: \"MT\",49," + std::to_string(c.phone + 100) + "\r\n" + kOk);
    EXPECT_EQ(Reply(phone, "AT+MPBSC=?"),
              "\r\n+MPBSC: " + std::to_string(c.phone + 100) + ",49\r\n" + kOk);
    EXPECT_EQ(Reply(phone, "AT+CPBR=?"),
              "\r\n+CPBR: (1-" + std::to_string(c.phone + 100) + "),40,24\r\n" + kOk);
    // AT+MPBR=? tells the phone memory whichever memory is selected.
    EXPECT_PRED2(StartsWith, Reply(phone, "AT+MPBR=?"), "\r\n+MPBR: 1-" + p + ",40,24,");

    // The phone memory alone: the SIM records lie past its end.
    EXPECT_EQ(Reply(phone, "AT+CPBS=\"ME\""), kOk);
    EXPECT_EQ(Reply(phone, "AT+MPBR=" + std::to_string(c.phone + 1) + ",2000"), kError);
    EXPECT_EQ(Reply(phone, "AT+MPBR=" + p), kOk);
    EXPECT_EQ(Reply(phone, "AT+MPBR=18,19"), kOk) << "empty records answer just OK";
    const std::string last = Reply(
        phone, "AT+MPBR=" + std::to_string(c.phone - 9) + "," + std::to_string(c.phone + 100));
    EXPECT_EQ(last, kOk);

    // The SIM alone: a first index inside the phone memory is clipped to the SIM.
    EXPECT_EQ(Reply(phone, "AT+CPBS=\"SM\""), kOk);
    const std::string sim =
        Reply(phone, "AT+MPBR=" + std::to_string(c.phone) + "," + std::to_string(c.phone + 9));
    EXPECT_EQ(sim.find("+MPBR: " + p + ","), std::string::npos);
    EXPECT_EQ(sim.find("+MPBR: " + std::to_string(c.phone + 1) + ","), 2u);
    EXPECT_NE(sim.find("+MPBR: " + std::to_string(c.phone + 8) + ","), std::string::npos);
    EXPECT_EQ(sim.find("+MPBR: " + std::to_string(c.phone + 9) + ","), std::string::npos);
    EXPECT_EQ(Reply(phone, "AT+MPBR=" + std::to_string(c.phone + 101)), kError);
    EXPECT_EQ(Reply(phone, "AT+MPBW=3"), kError) << "phone record while the SIM is selected";

    // Both: everything from 1 to the SIM's end.
    EXPECT_EQ(Reply(phone, "AT+CPBS=\"MT\""), kOk);
    EXPECT_EQ(Reply(phone, "AT+MPBR=" + std::to_string(c.phone + 101)), kError);
    EXPECT_NE(Reply(phone, "AT+MPBR=1," + std::to_string(c.phone + 100))
                  .find("+MPBR: " + std::to_string(c.phone + 12) + ","),
              std::string::npos);
  }
}

TEST(EmulatedPhoneTest, TellsItsRangesAndLimitsAsARazr) {
  EmulatedPhone phone(Options());
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"SM\""), kOk);
  // The capture's own phone: 1000 records, 30 categories.
  EXPECT_EQ(Reply(phone, "AT+MPBR=?"),
            "\r\n+MPBR: 1-1000,40,24,8,0-1,50,(0,2,4,6,9-30,255),(0),(0-1),(1-30),(255),25,(0-1,"
            "255),264,(0),0,0,0,0,0,0,0\r\n" +
                kOk);
  EXPECT_EQ(Reply(phone, "AT+MPGR=?"), "\r\n+MPGR: (1-30)\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (1001-1250),40,24\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBR=1"), kError);
  EXPECT_EQ(Reply(phone, "AT+MPBR=1251"), kError) << "past the end";
}

// Lines of the published L6 transcripts, byte for byte.
const std::string kL6Record501 =
    "+MPBR: 501,\"+393280000000\",145,004D0061006400640079,8,0,255,0,1,1,255,255,0,,0,0,,,,,,,,"
    "\"\",\"\"";
const std::string kL6Record502 =
    "+MPBR: 502,\"340000000\",129,0043006C0061007500640069006100200041006D00610074,8,0,255,0,1,"
    "1,255,255,0,,0,0,,,,,,,,\"\",\"\"";

TEST(EmulatedPhoneTest, L6AnswersAsItsTranscripts) {
  EmulatedPhone phone(Options("L6", true));
  EXPECT_EQ(phone.Receive("AT+CGMM\r"),
            "AT+CGMM\r\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"MODEL=L6\"\r\n\r\nOK\r\n");
  EXPECT_EQ(Reply(phone, "AT+CGMR"), "\r\n+CGMR: \"R3517_G_0A.63.12R\"\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBS=?"),
            "\r\n+CPBS: (\"ME\",\"SM\",\"MT\",\"ON\",\"DC\",\"MC\",\"RC\",\"EN\",\"AD\",\"QD\","
            "\"SD\",\"FD\")\r\n" +
                kOk);
  EXPECT_EQ(Reply(phone, "AT+MODE=22"), kError);

  // The banner of the mode change stands before the echo of the next command.
  EXPECT_EQ(phone.Receive("AT+MODE=2\r"), "AT+MODE=2\r\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT+CSCS=\"UCS2\"\r"),
            "+MBAN: Copyright 2000-2002 Motorola, Inc.\r\nAT+CSCS=\"UCS2\"\r\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT\r"), "AT\r\r\nOK\r\n") << "once";

  EXPECT_EQ(Reply(phone, "AT+CPBS=\"SM\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBS?"), "\r\n+CPBS: \"SM\",10,250\r\n" + kOk);
  EXPECT_EQ(phone.Receive("AT+CPBR=?\r"), "AT+CPBR=?\r\r\n+CPBR: (501-750),40,15\r\n\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT+MPBR=501\r"), "AT+MPBR=501\r\r\n" + kL6Record501 + "\r\n\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT+MPBR=502\r"), "AT+MPBR=502\r\r\n" + kL6Record502 + "\r\n\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT+MPBR=1002\r"), "AT+MPBR=1002\r\r\nERROR\r\n");
  EXPECT_EQ(phone.Receive("AT+MPBR=499\r"), "AT+MPBR=499\r\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT+MPBR=500\r"), "AT+MPBR=500\r\r\nOK\r\n");

  // SIM names hold 15 characters wherever the record is written from.
  const std::string tail = ",8,0,255,0,1,1,255,255,0,,0,0";
  EXPECT_EQ(Reply(phone, "AT+MPBW=503,\"1\",129," + Hex("Fifteen letters") + tail), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBW=503,\"1\",129," + Hex("Sixteen letters!") + tail), kError);
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"MT\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (1-750),40,24\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBW=504,\"1\",129," + Hex("Sixteen letters!") + tail), kError);
  EXPECT_EQ(Reply(phone, "AT+MPBW=50,\"1\",129," + Hex("Sixteen letters!") + tail), kOk);

  // The sample's 39 phone records and the one written lie in its 500.
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"ME\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBS?"), "\r\n+CPBS: \"ME\",40,500\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (1-500),40,24\r\n" + kOk);
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MPBR=?"), "\r\n+MPBR: 1-500,40,24,");
}

TEST(EmulatedPhoneTest, ElevenCategoryPhoneRefusesTheOthers) {
  EmulatedPhone phone(Options("categories-11", true));
  EXPECT_EQ(Reply(phone, "AT+CGMM"),
            "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"GSM850\",\"MODEL=V360\"\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+MPGR=?"), "\r\n+MPGR: (1-11)\r\n" + kOk);
  EXPECT_NE(Reply(phone, "AT+MPBR=?").find(",(0-1),(1-11),(255),"), std::string::npos);
  const std::string all = Reply(phone, "AT+MPGR=1,11");
  EXPECT_PRED2(StartsWith, all, "\r\n+MPGR: 1,\"General\",255,0,0\r\n");
  EXPECT_NE(all.find("\r\n+MPGR: 9,"), std::string::npos) << "the sample fits its 11";

  for (const char* command : {"AT+MPGR=1,30", "AT+MPGW=12,\"Extra\",255,0,0", "AT+MPGW=12",
                              "AT+MPBW=3,\"1\",129,\"A\",3,0,255,0,1,12,255,255,0,,0,0"}) {
    EXPECT_EQ(Reply(phone, command), kError) << command;
  }
  EXPECT_EQ(Reply(phone, "AT+MPGW=11,\"Last\",255,0,0"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBW=3,\"1\",129,\"A\",3,0,255,0,1,11,255,255,0,,0,0"), kOk);
}

TEST(EmulatedPhoneTest, RangeFromTenRefusesReadsBelowIt) {
  EmulatorOptions options = Options("range-from-10", true);
  options.fill = 2000;
  EmulatedPhone phone(options);
  EXPECT_NE(Reply(phone, "AT+CGMM").find("\"MODEL=V1050\""), std::string::npos);
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MPBR=?"), "\r\n+MPBR: 10-1009,40,24,");
  EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (10-1009),40,24\r\n" + kOk);
  EXPECT_EQ(phone.UsedRecords(PhonebookMemory::Phone), 1000);
  EXPECT_EQ(DecodeUcs2Hex(phone.Record(10)->name), "Мама") << "the sample starts at 10";
  EXPECT_EQ(phone.Record(1009)->number.rfind("+7916", 0), 0u);
  EXPECT_EQ(phone.Record(1010)->number, "+79164441122") << "the SIM comes after it";

  for (const char* command : {"AT+MPBR=1", "AT+MPBR=9", "AT+MPBR=1,10", "AT+MPBR=9,20",
                              "AT+MPBW=9,\"1\",129,\"A\",3,0,255,0,1,1,255,255,0,,0,0"}) {
    EXPECT_EQ(Reply(phone, command), kError) << command;
  }
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MPBR=10,19"), "\r\n+MPBR: 10,\"+79161234501\",");
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"SM\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (1010-1259),40,24\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBR=5"), kError);
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"MT\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBR=?"), "\r\n+CPBR: (10-1259),40,24\r\n" + kOk);
}

TEST(EmulatedPhoneTest, L7SendsNoiseBeforeEveryEcho) {
  EmulatedPhone phone(Options("L7"));
  // As captured, less the echoed command text.
  const std::string captured = "\xFF\xFF\r\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n\r\nOK\r\n";
  EXPECT_EQ(phone.Receive("AT+CGMI\r"), captured.substr(0, 2) + "AT+CGMI" + captured.substr(2));
  EXPECT_EQ(phone.Receive("ATE0\r"),
            "\xFF\xFF"
            "ATE0\r\r\nOK\r\n");
  EXPECT_EQ(phone.Receive("AT+CGMI\r"), "\xFF\xFF" + captured.substr(3));
  EXPECT_NE(phone.Receive("AT+MPBR=?\r").find("\r\n+MPBR: 1-1000,"), std::string::npos);
}

TEST(EmulatedPhoneTest, QuotedTitlesTravelQuotedInUcs2) {
  EmulatedPhone phone(Options("quoted-titles", true));
  EXPECT_EQ(Reply(phone, "AT+CSCS=\"UCS2\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBL=1"), kOk);
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MDBR=0,0"),
               "\r\n+MDBR: 0,\"0421043E0432043504490430043D04380435\",1,1,\"10:00\",");
  const std::string event = ",1,0,\"10:00\",\"12-01-2026\",30,\"00:00\",\"00-00-2000\",0";
  EXPECT_EQ(Reply(phone, "AT+MDBW=20,\"" + Hex("Тест") + "\"" + event), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBW=21," + Hex("Тест") + event), kOk);
  EXPECT_EQ(phone.DatebookEvent(20)->title, Hex("Тест"));
  EXPECT_EQ(phone.DatebookEvent(21)->title, Hex("Тест"));
  EXPECT_EQ(Reply(phone, "AT+CSCS=\"GSM\""), kOk);
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MDBR=2,2"), "\r\n+MDBR: 2,\"Meeting with Alex\",1,");

  EmulatedPhone plain(Options("E398"));
  EXPECT_EQ(Reply(plain, "AT+CSCS=\"UCS2\""), kOk);
  EXPECT_EQ(Reply(plain, "AT+MDBL=1"), kOk);
  EXPECT_EQ(Reply(plain, "AT+MDBW=20,\"" + Hex("Тест") + "\"" + event), kError);
}

TEST(EmulatedPhoneTest, SampleRecordsReadInTheL6Layout) {
  EmulatedPhone phone(Options("E398", true));
  EXPECT_EQ(Reply(phone, "AT+CSCS=UCS2"), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"ME\""), kOk);
  const std::string reply = Reply(phone, "AT+MPBR=1,10");
  // Records 1..9 are used, 10 is a gap; each is one framed line.
  for (int i = 1; i <= 9; ++i) {
    EXPECT_NE(reply.find("\r\n+MPBR: " + std::to_string(i) + ","), std::string::npos) << i;
  }
  EXPECT_EQ(reply.find("+MPBR: 10,"), std::string::npos);
  EXPECT_PRED2(StartsWith, reply,
               "\r\n+MPBR: 1,\"+79161234501\",145," + Hex("Мама") +
                   ",3,0,7,0,1,4,255,255,0,,0,0,,,,,,,,\"\",\"\"");
  EXPECT_EQ(reply.substr(reply.size() - kOk.size()), kOk);

  const std::string anna = Reply(phone, "AT+MPBR=5");
  EXPECT_EQ(anna, "\r\n+MPBR: 5,\"+79031112233\",145," + Hex("Анна Смирнова") +
                      ",3,0,12,0,1,5,255,255,0," + Hex("/a/mobile/picture/anna.jpg") +
                      ",0,0,,,,,,," + Hex("Аня") + ",\"03-15-1985\",\"\"\r\n" + kOk);

  // Any alphabet goes at its code points.
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MPBR=43"),
               "\r\n+MPBR: 43,\"+85200000043\",145,674E5C0F9F8D,3,");

  // The plain character set sends the texts quoted; letters it lacks become '?'.
  EXPECT_EQ(Reply(phone, "AT+CSCS=\"GSM\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBR=7"),
            "\r\n+MPBR: 7,\"+14155550123\",145,\"Alex Johnson\",3,0,255,0,1,3,255,255,0,,0,0,"
            "\"SoMa\",\"1 Market St\",\"San Francisco\",\"CA\",\"94105\",\"USA\",,\"\",\"\"\r\n" +
                kOk);
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MPBR=3"),
               "\r\n+MPBR: 3,\"+79161234503\",145,\"????\",");
}

TEST(EmulatedPhoneTest, WrittenRecordsReadBackTheSame) {
  EmulatedPhone phone(Options("C650"));
  EXPECT_EQ(Reply(phone, "AT+CSCS=UCS2"), kOk);
  EXPECT_EQ(Reply(phone, "AT+CPBS=\"MT\""), kOk);

  const std::string basic = "\"+79991234567\",145," + Hex("Пётр Щукин") +
                            ",3,0,255,0,1,2,255,255,0," + Hex("/a/mobile/picture/p.jpg") + ",0,0";
  EXPECT_EQ(Reply(phone, "AT+MPBW=12," + basic), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBR=12"), "\r\n+MPBR: 12," + basic + ",,,,,,,,\"\",\"\"\r\n" + kOk);
  ASSERT_NE(phone.Record(12), nullptr);
  EXPECT_EQ(DecodeUcs2Hex(phone.Record(12)->name), "Пётр Щукин");

  const std::string advanced = "\"84951112233\",129," + Hex("Жанна") +
                               ",1,0,7,0,0,1,255,255,0,,0,0," + Hex("Центр") + "," +
                               Hex("Тверская 1") + "," + Hex("Москва") + ",," + Hex("125009") +
                               "," + Hex("Россия") + "," + Hex("Жаннет") + ",\"02-29-1988\"";
  EXPECT_EQ(Reply(phone, "AT+MPBW=501," + advanced), kOk) << "the first SIM record";
  EXPECT_EQ(Reply(phone, "AT+MPBR=501"), "\r\n+MPBR: 501," + advanced + ",\"\"\r\n" + kOk);

  // Lower-case hex is taken and read back in upper case; a written record replaces the old one.
  EXPECT_EQ(Reply(phone, "AT+MPBW=12,\"1\",129,0041004a,0,0,255,0,1,1,255,255,0,,0,0"), kOk);
  EXPECT_EQ(
      Reply(phone, "AT+MPBR=12"),
      "\r\n+MPBR: 12,\"1\",129,0041004A,0,0,255,0,1,1,255,255,0,,0,0,,,,,,,,\"\",\"\"\r\n" + kOk);

  // What a new entry leaves out, the phone fills in with its defaults.
  EXPECT_EQ(Reply(phone, "AT+MPBW=14,\"+7123\",," + Hex("Новый") + ",3,,,,,,,,,,,"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBR=14"), "\r\n+MPBR: 14,\"+7123\",145," + Hex("Новый") +
                                            ",3,0,255,0,0,1,255,255,0,,0,0,,,,,,,,\"\",\"\"\r\n" +
                                            kOk);

  // In the plain character set the texts go both ways quoted, commas inside quotes included.
  EXPECT_EQ(Reply(phone, "AT+CSCS=\"GSM\""), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBW=13,\"a@b.c\",128,\"Smith, J\",6,0,255,0,1,1,255,255,0,,0,0"),
            kOk);
  EXPECT_EQ(phone.Record(13)->name, Hex("Smith, J"));
  EXPECT_PRED2(StartsWith, Reply(phone, "AT+MPBR=13"),
               "\r\n+MPBR: 13,\"a@b.c\",128,\"Smith, J\",6,0,25");

  EXPECT_EQ(Reply(phone, "AT+MPBW=12"), kOk);
  EXPECT_EQ(phone.Record(12), nullptr);
  EXPECT_EQ(Reply(phone, "AT+MPBR=12"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBW=15"), kOk) << "deleting an empty record";
}

TEST(EmulatedPhoneTest, RejectedWritesChangeNothing) {
  EmulatedPhone phone(Options("E398", true));
  EXPECT_EQ(Reply(phone, "AT+CSCS=UCS2"), kOk);
  const PhonebookRecord before = *phone.Record(3);
  const std::string tail = ",3,0,255,0,1,2,255,255,0,,0,0";
  const std::string name = Hex("Имя");
  const std::vector<std::string> rejected = {
      "AT+MPBW=3,\"" + std::string(33, '1') + "\",129," + name + tail,
      "AT+MPBW=3,\"123\",129," + Hex("Абвгдежзийклмнопрстуфхцч1") + tail,
      "AT+MPBW=3,\"123\",129,004" + tail,
      "AT+MPBW=3,\"123\",129,\"0041\"" + tail,
      "AT+MPBW=3,123,129," + name + tail,
      "AT+MPBW=3,\"\",129," + name + tail,
      "AT+MPBW=3,\"12a\",129," + name + tail,
      "AT+MPBW=3,\"123\",129," + name + ",9,0,255,0,1,2,255,255,0,,0,0",
      "AT+MPBW=3,\"123\",129," + name + ",3,0,255,0,1,31,255,255,0,,0,0",
      "AT+MPBW=3,\"123\",129," + name + ",3,x,255,0,1,2,255,255,0,,0,0",
      "AT+MPBW=3,\"123\",129," + name + tail + ",0",
      "AT+MPBW=3,\"123\",129," + name + ",3,0,255,0,1,2,255,255,0,,0",
      "AT+MPBW=3,\"123\",129," + name + tail + ",,,,,,,,\"\"03-15-1985\"\"",
      "AT+MPBW=3,\"123\",129," + name + tail + ",,,,,,,,\"1985\"",
      "AT+MPBW=3,\"123\",129," + name + tail + ",,,,,,,,",
      "AT+MPBW=1001,\"123\",129," + name + tail,
      "AT+MPBW=0,\"123\",129," + name + tail,
      "AT+MPBW=0",
      "AT+MPBW=3,\"" + std::string(49, 'a') + "\",128," + name + ",6,0,255,0,1,2,255,255,0,,0,0",
  };
  for (const std::string& command : rejected) {
    EXPECT_EQ(Reply(phone, command), kError) << command;
  }
  const PhonebookRecord& after = *phone.Record(3);
  EXPECT_EQ(after.number, before.number);
  EXPECT_EQ(after.name, before.name);
  EXPECT_EQ(phone.Record(1001)->number, "+79164441122");
  EXPECT_EQ(phone.UsedRecords(PhonebookMemory::Both), 49);

  // The limits themselves are allowed: 32 digits, 24 characters, 48-character e-mail.
  EXPECT_EQ(Reply(phone, "AT+MPBW=3,\"" + std::string(32, '1') + "\",129," +
                             Hex("Абвгдежзийклмнопрстуфхцч") + tail),
            kOk);
  EXPECT_EQ(Reply(phone, "AT+MPBW=4,\"" + std::string(48, 'a') + "\",128," + name +
                             ",6,0,255,0,1,2,255,255,0,,0,0"),
            kOk);
}

TEST(EmulatedPhoneTest, CategoriesReadWriteAndGeneralStays) {
  EmulatedPhone phone(Options("E398", true));
  EXPECT_EQ(Reply(phone, "AT+CSCS=UCS2"), kOk);
  const std::string all = Reply(phone, "AT+MPGR=1,30");
  // The last one, "Друзья №1", has its № at the code point 2116.
  EXPECT_EQ(all, "\r\n+MPGR: 1," + Hex("General") + ",255,0,0\r\n\r\n+MPGR: 2," + Hex("VIP") +
                     ",8,0,1\r\n\r\n+MPGR: 3," + Hex("Работа") + ",255,0,0\r\n\r\n+MPGR: 4," +
                     Hex("Семья") + ",7,0,4\r\n\r\n+MPGR: 5," + Hex("Друзья") +
                     ",12,0,2\r\n\r\n+MPGR: 8," + Hex("Спорт") +
                     ",255,0,6\r\n\r\n+MPGR: 9,"
                     "0414044004430437044C044F002021160031,255,0,0\r\n" +
                     kOk);
  EXPECT_EQ(DecodeUcs2Hex(phone.Category(9)->name), "Друзья №1");
  EXPECT_EQ(Reply(phone, "AT+MPGR=3,4").find("+MPGR: 2,"), std::string::npos);

  EXPECT_EQ(Reply(phone, "AT+MPGW=1," + Hex("Общие") + ",255,0,0"), kError);
  EXPECT_EQ(Reply(phone, "AT+MPGW=1"), kError);
  EXPECT_EQ(Reply(phone, "AT+MPGW=31," + Hex("Лишняя") + ",255,0,0"), kError);
  EXPECT_EQ(Reply(phone, "AT+MPGW=10,,255,0,0"), kError);
  EXPECT_EQ(Reply(phone, "AT+MPGW=10," + Hex("Дача") + ",255,0"), kError);
  EXPECT_EQ(Reply(phone, "AT+MPGW=10," + Hex("Дача") + ",abc,0,0"), kError);
  EXPECT_EQ(phone.Category(10), nullptr);
  EXPECT_EQ(DecodeUcs2Hex(phone.Category(1)->name), "General");

  EXPECT_EQ(Reply(phone, "AT+MPGW=10," + Hex("Дача") + ",11,0,3"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPGR=10,10"), "\r\n+MPGR: 10," + Hex("Дача") + ",11,0,3\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+MPGW=2"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPGR=2,2"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MPGR=31,31"), kError);
  EXPECT_EQ(Reply(phone, "AT+MPGR=1,31"), kError) << "reaches past the last category";
}

TEST(EmulatedPhoneTest, DatebookAnswersOnlyWhileLocked) {
  EmulatedPhone phone(Options("E398", true));
  EXPECT_EQ(Reply(phone, "AT+CSCS=UCS2"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBR=?"), kError);
  EXPECT_EQ(Reply(phone, "AT+MDBR=0,499"), kError);
  EXPECT_EQ(Reply(phone, "AT+MDBW=9," + Hex("Тест") +
                             ",1,0,\"10:00\",\"12-01-2026\",30,"
                             "\"00:00\",\"00-00-2000\",0"),
            kError);
  EXPECT_EQ(phone.DatebookEvent(9), nullptr);

  EXPECT_EQ(Reply(phone, "AT+MDBL=1"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBR=?"), "\r\n+MDBR: 500,9,64,8,2\r\n" + kOk);
  const std::string all = Reply(phone, "AT+MDBR=0,499");
  EXPECT_PRED2(StartsWith, all,
               "\r\n+MDBR: 0," + Hex("Совещание") +
                   ",1,1,\"10:00\",\"12-10-2026\",60,\"09:45\",\"12-10-2026\",0\r\n");
  EXPECT_NE(all.find("\r\n+MDBR: 8," + Hex("Планёрка; отдел №2") + ",1,0,\"09:30\",\"12-15-2026\""),
            std::string::npos);

  const std::string event =
      Hex("Тест") + ",1,0,\"10:00\",\"12-01-2026\",30,\"00:00\",\"00-00-2000\",4";
  EXPECT_EQ(Reply(phone, "AT+MDBW=9," + event), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBR=9,9"), "\r\n+MDBR: 9," + event + "\r\n" + kOk);
  for (const std::string& bad : {
           "AT+MDBW=500," + event,
           "AT+MDBW=9,," + event.substr(event.find(',') + 1),
           "AT+MDBW=9," + Hex("Тест") + ",1,0,10:00,\"12-01-2026\",30,\"00:00\",\"00-00-2000\",0",
           "AT+MDBW=9," + Hex("Тест") +
               ",1,0,\"10:00\",\"2026-12-01\",30,\"00:00\",\"00-00-2000\",0",
           "AT+MDBW=9," + Hex("Тест") +
               ",1,0,\"10:00\",\"12-01-2026\",30,\"00:00\",\"00-00-2000\",6",
           "AT+MDBW=9," + Hex("Тест") + ",1,0,\"10:00\",\"12-01-2026\",30,\"00:00\"",
           "AT+MDBW=9," + std::string(65 * 4, 'A') +
               ",1,0,\"10:00\",\"12-01-2026\",30,\"00:00\",\"00-00-2000\",0",
           std::string("AT+MDBR=500,501"),
       }) {
    EXPECT_EQ(Reply(phone, bad), kError) << bad;
  }
  EXPECT_EQ(Reply(phone, "AT+MDBR=9,9"), "\r\n+MDBR: 9," + event + "\r\n" + kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBW=9"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBR=9,20"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBL=0"), kOk);
  EXPECT_EQ(Reply(phone, "AT+MDBR=0,0"), kError);
}

TEST(EmulatedPhoneTest, FillAddsGeneratedContactsAroundTheSample) {
  EmulatorOptions options = Options("C650", true);
  options.fill = 600;
  EmulatedPhone phone(options);
  EXPECT_EQ(phone.UsedRecords(PhonebookMemory::Phone), 500) << "only as many as fit";
  EXPECT_EQ(phone.UsedRecords(PhonebookMemory::Sim), 10);
  EXPECT_EQ(DecodeUcs2Hex(phone.Record(1)->name), "Мама");
  EXPECT_EQ(DecodeUcs2Hex(phone.Record(10)->name), "Абонент 1");

  EmulatorOptions few = Options();
  few.fill = 3;
  EmulatedPhone small(few);
  EXPECT_EQ(small.UsedRecords(PhonebookMemory::Both), 3);
  EXPECT_EQ(small.Record(2)->number, "+79160000002");
  EXPECT_EQ(DecodeUcs2Hex(small.Record(2)->address[1]), "ул. Садовая 2");
  EXPECT_EQ(DecodeUcs2Hex(small.Record(2)->address[5]), "Россия");
  EXPECT_EQ(small.Record(2)->birthday, "03-03-1952");
}

}  // namespace
}  // namespace quorix::emu
