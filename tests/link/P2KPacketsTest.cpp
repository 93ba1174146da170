#include "link/p2k/P2KPackets.h"

#include <gtest/gtest.h>

#include "link/p2k/P2KFileList.h"

namespace quorix::p2k {
namespace {

using Bytes = std::vector<uint8_t>;

// A reply in the driver's buffer: marker, packet length, id, class and data length as given.
std::array<uint8_t, kReplyBufferSize> Reply(uint16_t packetLength, uint16_t id, uint8_t classByte,
                                            uint16_t dataLength) {
  std::array<uint8_t, kReplyBufferSize> buffer{};
  buffer[4] = 1;
  buffer[8] = packetLength >> 8;
  buffer[9] = packetLength & 0xFF;
  buffer[10] = id >> 8;
  buffer[11] = id & 0xFF;
  buffer[12] = classByte;
  buffer[14] = dataLength >> 8;
  buffer[15] = dataLength & 0xFF;
  return buffer;
}

TEST(P2KPacketsTest, RequestsAreLaidOutByteForByte) {
  const auto request = CommandRequest(0x1001, 0xF04A, FileListPayload());
  ASSERT_TRUE(request);
  EXPECT_EQ(*request, (Bytes{0x41, 0x02, 0x00, 0x00, 0x08, 0x00, 0x0C, 0x00, 0x00, 0x01, 0x00,
                             0x4A, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00}))
      << "12 bits of id and command, the payload, two padding bytes";
  EXPECT_EQ(CommandRequest(1, 0x22, {})->size(), 18u);
  EXPECT_EQ(CommandRequest(1, 0x4A, Bytes(kMaxPayload))->size(), kRequestBufferSize);
  EXPECT_FALSE(CommandRequest(1, 0x4A, Bytes(kMaxPayload + 1)));

  EXPECT_EQ(Bytes(kStatusPollRequest.begin(), kStatusPollRequest.end()),
            (Bytes{0xC1, 0x00, 0x00, 0x00, 0x08, 0x00, 0x08, 0x00, 0x00}));
  EXPECT_EQ(Bytes(kAtModeRequest.begin(), kAtModeRequest.end()),
            (Bytes{0x40, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}));
  const auto read = ReplyReadRequest({1, 0x0116});
  ASSERT_TRUE(read);
  EXPECT_EQ(Bytes(read->begin(), read->end()),
            (Bytes{0xC1, 0x01, 0x01, 0x00, 0x08, 0x00, 0x1C, 0x01, 0x00}));
  EXPECT_TRUE(ReplyReadRequest({2, 0xFFF7}));
  EXPECT_FALSE(ReplyReadRequest({2, 0xFFF8})) << "a length past 16 bits";

  std::array<uint8_t, kReplyBufferSize> status{};
  status[5] = 3;
  status[6] = 0x01;
  status[7] = 0x10;
  EXPECT_EQ(ReadStatusAnswer(status).size, 0x0110);
  EXPECT_FALSE(ReplyReady(ReadStatusAnswer(status))) << "three waiting replies";
}

TEST(P2KPacketsTest, ReplyChecksInTheirOrder) {
  EXPECT_EQ(CheckReply(Reply(10, 0x0001, 0x80, 2), 1), 2);
  EXPECT_EQ(CheckReply(Reply(10, 0xF001, 0x60, 2), 1), 2)
      << "the top bits of the id are the phone's";
  EXPECT_EQ(CheckReply(Reply(8, 0x0001, 0x60, 0), 1), 0) << "no data";
  EXPECT_FALSE(CheckReply(Reply(10, 0x0002, 0x80, 2), 1)) << "another packet id";
  EXPECT_FALSE(CheckReply(Reply(10, 0x0001, 0x50, 2), 1)) << "class 5";
  EXPECT_FALSE(CheckReply(Reply(11, 0x0001, 0x80, 2), 1)) << "packet length off";
  auto unmarked = Reply(10, 0x0001, 0x80, 2);
  unmarked[4] = 0;
  EXPECT_FALSE(CheckReply(unmarked, 1));
  EXPECT_EQ(CheckReply(Reply(kMaxReplyData + 8, 1, 0x80, kMaxReplyData), 1), kMaxReplyData);
  EXPECT_FALSE(CheckReply(Reply(kMaxReplyData + 9, 1, 0x80, kMaxReplyData + 1), 1))
      << "data longer than the buffer";
}

TEST(P2KPacketsTest, InterfaceNamesAndFileRecords) {
  const Bytes named = {6, 0, 0, 0, 'A', 0, 'b', 0, 0, 0, 'x', 0};
  EXPECT_EQ(InterfaceNameFromAnswer(named), "Ab");
  EXPECT_EQ(InterfaceNameFromAnswer(Bytes{4, 0, 0, 0, 'A', 0, 'b', 0, 0, 0}), "")
      << "no NUL within the count";

  const Bytes count = FileCountPayload();
  ASSERT_EQ(count.size(), 76u);
  EXPECT_EQ(Bytes(count.begin(), count.begin() + 16),
            (Bytes{0, 0, 0, 7, 0, '*', 0, '.', 0, 'm', 0, 'i', 0, 'd', 0xFF, 0xFE}));
  EXPECT_EQ(Bytes(count.end() - 14, count.end()),
            (Bytes{0xFF, 0xFE, 0, '*', 0, '.', 0, 'j', 0, 'p', 0, 'g', 0, 0}));
  const Bytes remove = DeleteFilePayload(kToneDatabasePath);
  ASSERT_EQ(remove.size(), 31u);
  EXPECT_EQ(Bytes(remove.begin(), remove.begin() + 6), (Bytes{0, 0, 0, 5, '/', 'a'}));
  EXPECT_EQ(remove.back(), 'b') << "no terminator";
  EXPECT_EQ(FileCountFromReply(Bytes{0x01, 0x02, 0xFF}), 258);
  EXPECT_EQ(FileCountFromReply(Bytes{0x07}), 0);

  Bytes reply(4 + 2 * kFileRecordSize + 100, 0);
  // Code page 1251 bytes, as a Russian phone names its files; 0x98 has no place in the code page.
  const std::string first = "/a/\xCC\xE5\xEB\xEE\xE4\xE8\xFF\x98.mid";
  std::copy(first.begin(), first.end(), reply.begin() + 4);
  reply[4 + 261] = 0x00;
  reply[4 + 262] = 0x04;
  uint8_t* second = reply.data() + 4 + kFileRecordSize;
  std::fill_n(second, 265, 'n');
  const auto files = FileRecordsFromReply(reply);
  ASSERT_EQ(files.size(), 2u) << "the third record is cut short";
  EXPECT_EQ(files[0].name, "/a/Мелодия.mid") << "a byte the code page lacks is dropped";
  EXPECT_EQ(files[0].attributes, 4);
  EXPECT_EQ(files[1].name.size(), 265u) << "a name without its zero ends with its room";
  EXPECT_EQ(files[1].attributes, 2 * 'n');
}

}  // namespace
}  // namespace quorix::p2k
