#include "phone-emulator/P2KFileCommands.h"

#include <gtest/gtest.h>

#include <ostream>

#include "codec/CodePage.h"
#include "link/p2k/P2KFileCommands.h"
#include "link/p2k/P2KFileList.h"
#include "phone-emulator/P2KBytes.h"

namespace quorix::emu {

void PrintTo(const P2KAnswer& answer, std::ostream* os) {
  *os << "class " << int{answer.replyClass} << ", " << answer.data.size() << " bytes";
  for (size_t i = 0; i < answer.data.size() && i < 8; ++i) *os << " " << int{answer.data[i]};
}

namespace {

using Bytes = std::vector<uint8_t>;

const P2KAnswer kDone{kClassData, {0}};
const P2KAnswer kFailed{kClassData, {1}};
const P2KAnswer kRefused{kClassRefused, {}};

Bytes Word(uint32_t value) {
  Bytes bytes;
  Append32(bytes, value);
  return bytes;
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Text(const std::string& text) {
  return {text.begin(), text.end()};
}

Bytes Pattern(size_t size, uint8_t seed) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

class P2KFileCommandsTest : public ::testing::Test {
 protected:
  P2KAnswer Open(const std::string& path) { return phone.Run(Word(0) + Word(0x04) + Text(path)); }
  P2KAnswer Read(uint32_t size) { return phone.Run(Word(1) + Word(size)); }
  P2KAnswer Write(const Bytes& data) {
    return phone.Run(Word(2) + Word(static_cast<uint32_t>(data.size())) + data);
  }
  P2KAnswer Seek(int32_t offset, uint8_t origin) {
    return phone.Run(Word(3) + Word(static_cast<uint32_t>(offset)) + Bytes{origin});
  }
  P2KAnswer Close() { return phone.Run(Word(4)); }
  P2KAnswer Delete(const std::string& path) { return phone.Run(Word(5) + Text(path)); }
  P2KAnswer FreeSpace() { return phone.Run(Word(0x0B) + Bytes{0, 0, 0, '/', 0, 'a', 0, 0}); }
  const Bytes& Contents(const std::string& path) { return phone.FileSystem().Find(path)->contents; }
  // The paths a search counts, as the listing that follows it gives them.
  std::vector<std::string> Found(const Bytes& search) {
    const size_t count = BigEndian16(phone.Run(search).data, 0);
    std::vector<std::string> paths;
    while (paths.size() < count) {
      const Bytes part = phone.Run(Word(8)).data;
      if (part.size() <= 4) break;
      for (size_t record = 4; record < part.size(); record += 268) {
        paths.emplace_back(reinterpret_cast<const char*>(&part[record]));
      }
    }
    return paths;
  }

  P2KFileCommands phone{1 << 20};
};

TEST_F(P2KFileCommandsTest, WhatIsWrittenInPartsOf0x400ComesBackWhole) {
  for (const size_t size : {0u, 1u, 0x400u, 0x401u}) {
    const std::string path = "/a/file" + std::to_string(size);
    const Bytes data = Pattern(size, static_cast<uint8_t>(size));
    ASSERT_EQ(Open(path), kDone) << "a new name is created";
    for (size_t at = 0; at < size; at += 0x400) {
      const size_t end = std::min<size_t>(size, at + 0x400);
      ASSERT_EQ(Write(Bytes(data.begin() + at, data.begin() + end)), kDone);
    }
    ASSERT_EQ(Close(), kDone);
    ASSERT_EQ(Open(path), kDone) << "opened again, at its start";
    Bytes back;
    for (P2KAnswer part = Read(0x400); !part.data.empty(); part = Read(0x400)) {
      ASSERT_EQ(part.replyClass, kClassData);
      back.insert(back.end(), part.data.begin(), part.data.end());
    }
    EXPECT_EQ(back, data) << size;
    EXPECT_EQ(Close(), kDone);
  }
  ASSERT_EQ(Open("/a/file1"), kDone);
  EXPECT_EQ(Write({9}), kDone);
  EXPECT_EQ(Read(4), (P2KAnswer{kClassData, {}})) << "the end of the file";
  EXPECT_EQ(Close(), kDone);
  EXPECT_EQ(Contents("/a/file1"), Bytes{9}) << "an open file is not truncated";
}

TEST_F(P2KFileCommandsTest, OnlyOneFileIsOpenAtATime) {
  EXPECT_EQ(Read(1), kRefused) << "none open";
  EXPECT_EQ(Write({1}), kFailed);
  EXPECT_EQ(Seek(0, 0), kFailed);
  EXPECT_EQ(Close(), kFailed);
  ASSERT_EQ(Open("/a/one"), kDone);
  EXPECT_EQ(Open("/a/two"), kFailed);
  EXPECT_EQ(Open("/a/one"), kFailed);
  EXPECT_FALSE(phone.FileSystem().Find("/a/two"));
  EXPECT_EQ(Delete("/a/one"), kFailed) << "it is open";
  EXPECT_EQ(Close(), kDone);
  EXPECT_EQ(Open("/a/two"), kDone);
  phone.Reset();
  EXPECT_EQ(Close(), kFailed) << "enumerated again: nothing open";
  EXPECT_EQ(Delete("/a/one"), kDone);
  EXPECT_EQ(Delete("/a/one"), kFailed);
}

TEST_F(P2KFileCommandsTest, MoreThan0x400BytesAtOnceAreRefusedAndNothingIsWritten) {
  ASSERT_EQ(Open("/a/big"), kDone);
  EXPECT_EQ(Write(Pattern(0x401, 1)), kFailed);
  EXPECT_EQ(Read(0x401), kRefused);
  EXPECT_EQ(Close(), kDone);
  EXPECT_TRUE(Contents("/a/big").empty());
}

TEST_F(P2KFileCommandsTest, AFullFileSystemRefusesAWriteAndWritesNothing) {
  phone = P2KFileCommands(1000);
  EXPECT_EQ(FreeSpace(), (P2KAnswer{kClassData, {0, 0, 0x03, 0xE8}}));
  ASSERT_EQ(Open("/a/x"), kDone);
  ASSERT_EQ(Write(Pattern(600, 1)), kDone);
  EXPECT_EQ(FreeSpace().data, (Bytes{0, 0, 0x01, 0x90}));
  EXPECT_EQ(Write(Pattern(401, 2)), kFailed);
  EXPECT_EQ(Contents("/a/x"), Pattern(600, 1));
  EXPECT_EQ(Write(Pattern(400, 3)), kDone) << "exactly what is left";
  EXPECT_EQ(FreeSpace().data, (Bytes{0, 0, 0, 0}));
  ASSERT_EQ(Seek(1, 0), kDone);
  EXPECT_EQ(Write(Pattern(1000, 4)), kFailed) << "one byte past the room";
  EXPECT_EQ(Write(Pattern(999, 5)), kDone) << "rewriting takes no room";
  EXPECT_EQ(Write({6}), kFailed);
  EXPECT_EQ(Contents("/a/x").size(), 1000u);
  EXPECT_EQ(Contents("/a/x").back(), Pattern(999, 5).back());
}

TEST_F(P2KFileCommandsTest, FoldersAreMadeAndOnlyEmptyOnesRemoved) {
  const auto make = [&](const std::string& path) { return phone.Run(Word(0x0E) + Text(path)); };
  const auto remove = [&](const std::string& path) { return phone.Run(Word(0x0F) + Text(path)); };
  EXPECT_EQ(Open("/a/new/f.mid"), kFailed) << "no such folder";
  EXPECT_EQ(make("/a/new/deeper"), kFailed);
  EXPECT_EQ(make("/a/new"), kDone);
  EXPECT_EQ(make("/a/new/"), kFailed) << "there already";
  EXPECT_EQ(make("/b/new"), kFailed) << "no such volume";
  ASSERT_EQ(Open("/a/new/f.mid"), kDone);
  EXPECT_EQ(Close(), kDone);
  EXPECT_EQ(Open("/a/new"), kFailed) << "a folder is no file";
  EXPECT_EQ(remove("/a/new"), kFailed) << "not empty";
  EXPECT_EQ(Delete("/a/new/f.mid"), kDone);
  EXPECT_EQ(remove("/a/new"), kDone);
  EXPECT_EQ(remove("/a/new"), kFailed);
  EXPECT_EQ(remove("/a"), kFailed) << "the volume stays";
}

TEST_F(P2KFileCommandsTest, TellsItsVolumeAndItsFreeSpace) {
  EXPECT_EQ(phone.Run(Word(0x0A)), (P2KAnswer{kClassData, {0, '/', 0, 'a'}}));
  phone.FileSystem().Put({"/a/mobile/audio/t.mid", 0, 0, Pattern(0x1234, 0)});
  EXPECT_EQ(FreeSpace().data, Word((1 << 20) - 0x1234));
  EXPECT_EQ(phone.Run(Word(0x0B) + Bytes{0, 0, 0, '/', 0, 'b', 0, 0}), kRefused);
  EXPECT_EQ(phone.Run(Word(0x0B) + Bytes{0}), kRefused);
}

// A search from a folder goes down into its subfolders and matches names alone; the masks the
// program counts melodies and pictures with, folderless, match whole paths.
TEST_F(P2KFileCommandsTest, ASearchFromAFolderFindsTheNamesBelowIt) {
  using Paths = std::vector<std::string>;
  const std::string melodies = Utf8ToCp1251("/a/Мелодии/");
  for (const std::string& path :
       Paths{"/a/mobile/picture/a.jpg", "/a/mobile/picture/b.GIF", "/a/mobile/picture/old/c.JPG",
             "/a/mobile/pic/d.jpg", "/a/mobile/audio/e.mid", "/a/f.gif", melodies + "g.mid"}) {
    phone.FileSystem().Put({path, 0, 0, {}});
  }
  const auto search = [&](const std::string& folder, const std::string& mask) {
    return Found(*p2k::SearchFilesPayload(folder, mask));
  };
  EXPECT_EQ(
      search("/a/mobile/picture/", "*"),
      (Paths{"/a/mobile/picture/a.jpg", "/a/mobile/picture/b.GIF", "/a/mobile/picture/old/c.JPG"}));
  EXPECT_EQ(search("/a/mobile/pic", "*"), Paths{"/a/mobile/pic/d.jpg"}) << "a folder, no prefix";
  EXPECT_EQ(search("/a/", "*.jpg"), (Paths{"/a/mobile/picture/a.jpg", "/a/mobile/picture/old/c.JPG",
                                           "/a/mobile/pic/d.jpg"}));
  EXPECT_EQ(search("/a/mobile/", "*pic*"), Paths{}) << "the name alone, not the path";
  EXPECT_EQ(search("/a/Мелодии/", "*"), Paths{melodies + "g.mid"});
  EXPECT_EQ(phone.Run(*p2k::SearchFilesPayload("/a/missing/", "*")),
            (P2KAnswer{kClassData, {0, 0}}));
  EXPECT_EQ(Found(p2k::FileCountPayload()),
            (Paths{"/a/mobile/picture/a.jpg", "/a/mobile/picture/old/c.JPG", "/a/mobile/pic/d.jpg",
                   "/a/mobile/audio/e.mid", melodies + "g.mid"}));
}

TEST_F(P2KFileCommandsTest, SeeksFromTheStartThePositionAndTheEnd) {
  ASSERT_EQ(Open("/a/s"), kDone);
  ASSERT_EQ(Write(Text("0123456789")), kDone);
  EXPECT_EQ(Seek(-3, 2), kDone);
  EXPECT_EQ(Read(2).data, Text("78"));
  EXPECT_EQ(Seek(-6, 1), kDone);
  EXPECT_EQ(Read(1).data, Text("3"));
  EXPECT_EQ(Seek(5, 0), kDone);
  EXPECT_EQ(Read(1).data, Text("5"));
  EXPECT_EQ(Seek(11, 0), kFailed) << "past the end";
  EXPECT_EQ(Seek(-7, 1), kFailed) << "before the start";
  EXPECT_EQ(Seek(0, 3), kFailed) << "no such origin";
  EXPECT_EQ(Read(1).data, Text("6")) << "a failed seek leaves the position";
}

TEST_F(P2KFileCommandsTest, MalformedRequestsAreRefusedAndNeverReadPastTheirEnd) {
  ASSERT_EQ(Open("/a/m"), kDone);
  const std::vector<Bytes> malformed = {
      {},
      {0, 0, 0},
      Word(0) + Bytes{0, 0},
      Word(1) + Bytes{0, 0, 4},
      Word(2) + Word(100) + Pattern(50, 0),
      Word(2) + Word(0xFFFFFFFF) + Pattern(8, 0),
      Word(3) + Word(0),
      Word(6),
      Word(9),
      Word(0x10),
      Word(0xFFFFFFFF),
  };
  for (const Bytes& request : malformed) {
    EXPECT_EQ(phone.Run(request), kRefused) << request.size() << " bytes";
  }
  EXPECT_EQ(Close(), kDone);
  EXPECT_TRUE(Contents("/a/m").empty());
  EXPECT_EQ(Open(""), kFailed);
  EXPECT_EQ(Open("/a/" + std::string(257, 'x')), kFailed) << "longer than a record holds";
  EXPECT_EQ(Open(std::string("/a/x\0y", 6)), kFailed);
}

}  // namespace
}  // namespace quorix::emu
