#include "phone-emulator/P2KPhone.h"

#include <gtest/gtest.h>

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

// Sends a command as the program frames it and reads its reply raw, as the phone sends it.
std::optional<Bytes> Command(P2KPhone& phone, uint16_t command, const Bytes& payload) {
  const auto request = *p2k::CommandRequest(0x123, command, payload);
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
  EXPECT_EQ(Bytes(record.begin() + 260, record.end()),
            (Bytes{0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0xA0, 0x00}))
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

TEST(P2KPhoneTest, DescriptorsModesAndFaults) {
  P2KPhone phone(Sample());
  const Bytes strings = {0x80, 0x06, 0x03, 0x03, 0x09, 0x04, 0xFF, 0x00};
  const Bytes name = *phone.Control(std::span<const uint8_t, 8>(strings.data(), 8), {});
  EXPECT_EQ(name.size(), 2u + 2 * 21);
  EXPECT_EQ(phone.Descriptors()[18 + 9 + 9 + 2], 8) << "the second interface is number 8";
  const Bytes elsewhere = {0xC1, 0x00, 0x00, 0x00, 0x07, 0x00, 0x08, 0x00};
  EXPECT_FALSE(phone.Control(std::span<const uint8_t, 8>(elsewhere.data(), 8), {}));
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
