#include "phone-emulator/P2KPhone.h"

#include <gtest/gtest.h>

#include <map>

#include "link/p2k/P2KFileList.h"
#include "link/p2k/P2KPackets.h"

namespace quorix::emu {
namespace {

using Bytes = std::vector<uint8_t>;

EmulatorOptions Sample() {
  EmulatorOptions options;
  options.sample = true;
  return options;
}

// Sends a command as the program frames it, whatever its size, and reads its reply raw, as the
// phone sends it.
std::optional<Bytes> Command(P2KPhone& phone, uint16_t command, const Bytes& payload) {
  const auto size = static_cast<uint16_t>(payload.size());
  const auto sent = static_cast<uint16_t>(size + 8);
  Bytes request = {0x41, 0x02, 0, 0, 8, 0, uint8_t(sent), uint8_t(sent >> 8), 0x01, 0x23};
  request.insert(request.end(), {uint8_t(command >> 8), uint8_t(command), uint8_t(size >> 8),
                                 uint8_t(size), 0, 0});
  request.insert(request.end(), payload.begin(), payload.end());
  const std::span<const uint8_t> bytes(request);
  if (!phone.Control(bytes.first<8>(), bytes.subspan(8))) return std::nullopt;
  const Bytes poll = *phone.Control(std::span(p2k::kStatusPollRequest).first<8>(), {});
  if (poll[1] == 0) return std::nullopt;
  p2k::StatusAnswer status{poll[1], uint16_t(poll[2] << 8 | poll[3])};
  const auto read = *p2k::ReplyReadRequest(status);
  return phone.Control(std::span(read).first<8>(), {});
}

Bytes Payload(uint8_t subcommand, const std::string& text = "") {
  Bytes payload = {0, 0, 0, subcommand};
  payload.insert(payload.end(), text.begin(), text.end());
  return payload;
}

Bytes Data(const Bytes& reply) {
  return Bytes(reply.begin() + 14, reply.end());
}

TEST(P2KPhoneTest, AnswersTheFileCommandsWithRawReplies) {
  P2KPhone phone(Sample());
  const Bytes count = *Command(phone, 0x4A, p2k::FileCountPayload());
  EXPECT_EQ(count,
            (Bytes{1, 0, 0, 0, 0x00, 0x0A, 0x81, 0x23, 0x80, 0, 0x00, 0x02, 0, 0, 0x00, 0x0B}))
      << "marker, packet length, id with the phone's top bit, class 8, data length, count";
  for (int page = 0; page < 3; ++page) Command(phone, 0x4A, p2k::FileListPayload());
  const Bytes last = *Command(phone, 0x4A, p2k::FileListPayload());
  ASSERT_EQ(last.size(), 14u + 4 + 2 * 268);
  const Bytes record(last.begin() + 18, last.begin() + 18 + 268);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data())),
            "/a/mobile/picture/Wallpaper.jpg");
  ASSERT_EQ(phone.Files()[11].contents.size(), 0x01D0u);
  EXPECT_EQ(Bytes(record.begin() + 260, record.end()),
            (Bytes{0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x01, 0xD0}))
      << "attributes, owner and size, big endian";
  // The name goes out as the phone keeps it, in code page 1251 bytes.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(last.data() + 18 + 268)),
            "/a/mobile/audio/\xCC\xE5\xEB\xEE\xE4\xE8\xFF.mid");

  EXPECT_EQ(Command(phone, 0x4A, Payload(5, "/a/mobile/audio/MyToneDB.db"))->back(), 0);
  EXPECT_EQ(Command(phone, 0x4A, Payload(5, "/a/mobile/audio/MyToneDB.db"))->back(), 1)
      << "gone already";
  EXPECT_EQ(phone.Files().size(), 14u);
  EXPECT_EQ((*Command(phone, 0x7F, {}))[8], 0x50) << "an unknown command is refused";
  EXPECT_EQ(phone.Leaving(), P2KLeave::Stays);
  EXPECT_EQ((*Command(phone, 0x22, {}))[8], 0x60);
  EXPECT_EQ(phone.Leaving(), P2KLeave::Restarts);
}

TEST(P2KPhoneTest, SampleFilesOpenAsWhatTheirNamesSay) {
  P2KPhone phone(Sample());
  const std::map<std::string, std::string> heads = {
      {".jpg", "\xFF\xD8\xFF"}, {".amr", "#!AMR\n"}, {".mid", "MThd"}, {".mp3", "ID3"}};
  int photos = 0;
  for (const P2KFile& file : phone.Files()) {
    const std::string type = file.path.substr(file.path.rfind('.'));
    const std::string contents(file.contents.begin(), file.contents.end());
    ASSERT_GE(contents.size(), 100u) << file.path;
    if (const auto head = heads.find(type); head != heads.end()) {
      EXPECT_TRUE(contents.starts_with(head->second)) << file.path;
    }
    if (type == ".jpg") {
      ++photos;
      EXPECT_TRUE(contents.ends_with("\xFF\xD9")) << file.path;
    }
  }
  EXPECT_EQ(photos, 2);
}

TEST(P2KPhoneTest, FilesOfAnyNameGoInAndComeOutThroughTheCommands) {
  P2KPhone phone({});
  const std::string escaping = "/a/../../x";
  const std::string control = "/a/mobile/audio/a\x01\x1b\\b.mid";
  Bytes contents(0x500);
  for (size_t i = 0; i < contents.size(); ++i) contents[i] = static_cast<uint8_t>(i * 13);
  phone.PutFile({escaping, 0x0004, 0, contents});
  phone.PutFile({control, 0, 0, {9}});
  phone.PutFile({control, 0, 0, {1, 2, 3}});
  const Bytes everything = {0, 0, 0, 7, 0, '*', 0, 0};
  EXPECT_EQ(Data(*Command(phone, 0x4A, everything)), (Bytes{0, 2})) << "one replaced the other";
  const Bytes list = Data(*Command(phone, 0x4A, p2k::FileListPayload()));
  ASSERT_EQ(list.size(), 4u + 2 * 268);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&list[4])), escaping);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&list[4 + 268])), control);
  EXPECT_EQ(Bytes(list.begin() + 4 + 264, list.begin() + 4 + 268), (Bytes{0, 0, 5, 0}));
  EXPECT_EQ(list.back(), 3) << "the size of what replaced it";

  const std::string size0x400("\0\0\4\0", 4);
  const auto file = [&](uint8_t subcommand, const std::string& fields) {
    return Data(*Command(phone, 0x4A, Payload(subcommand, fields)));
  };
  EXPECT_EQ(file(0, std::string(4, '\0') + escaping), Bytes{0});
  EXPECT_EQ(file(1, size0x400), Bytes(contents.begin(), contents.begin() + 0x400))
      << "0x400 bytes at once";
  EXPECT_EQ(file(1, size0x400).size(), 0x100u);
  EXPECT_EQ(file(3, std::string(5, '\0')), Bytes{0});
  EXPECT_EQ(file(2, size0x400 + std::string(0x400, '\xAB')), Bytes{0});
  EXPECT_EQ(phone.Files()[0].contents[0x3FF], 0xAB);
  EXPECT_EQ(phone.Files()[0].contents[0x400], contents[0x400]);
  phone.Attach();
  EXPECT_EQ(file(4, ""), Bytes{1}) << "closed by the new enumeration";
}

TEST(P2KPhoneTest, DescriptorsModesAndFaults) {
  P2KPhone phone(Sample());
  const Bytes strings = {0x80, 0x06, 0x03, 0x03, 0x09, 0x04, 0xFF, 0x00};
  const Bytes name = *phone.Control(std::span<const uint8_t, 8>(strings.data(), 8), {});
  EXPECT_EQ(name.size(), 2u + 2 * 21);
  EXPECT_EQ(phone.Descriptors()[18 + 9 + 9 + 2], 8) << "the second interface is number 8";
  const Bytes elsewhere = {0xC1, 0x00, 0x00, 0x00, 0x07, 0x00, 0x08, 0x00};
  EXPECT_FALSE(phone.Control(std::span<const uint8_t, 8>(elsewhere.data(), 8), {}));
  const Bytes cut = {0x41, 0x02, 0, 0, 8, 0, 10, 0, 0x01, 0x23, 0x00, 0x4A, 0x00, 0x40, 0, 0, 0, 0};
  EXPECT_FALSE(phone.Control(std::span<const uint8_t, 8>(cut.data(), 8), std::span(cut).subspan(8)))
      << "a payload length past the end of the transfer stalls it";
  phone.Control(std::span(p2k::kAtModeRequest).first<8>(), {});
  EXPECT_EQ(phone.Leaving(), P2KLeave::ToAtMode);
  phone.Attach();
  EXPECT_EQ(phone.Leaving(), P2KLeave::Stays);

  EmulatorOptions stuck = Sample();
  stuck.p2kNeverReady = true;
  P2KPhone busy(stuck);
  EXPECT_FALSE(Command(busy, 0x4A, p2k::FileCountPayload())) << "nothing ever waits";
  EmulatorOptions pulled = Sample();
  pulled.p2kUnplugAt = 2;
  P2KPhone unplugged(pulled);
  EXPECT_TRUE(Command(unplugged, 0x4A, p2k::FileCountPayload()));
  Command(unplugged, 0x4A, p2k::FileListPayload());
  EXPECT_EQ(unplugged.Leaving(), P2KLeave::Unplugged);
}

}  // namespace
}  // namespace quorix::emu
