#include "link/p2k/P2KFileCommands.h"

#include <gtest/gtest.h>

#include "codec/CodePage.h"
#include "link/p2k/P2KFileList.h"

namespace quorix::p2k {
namespace {

using Bytes = std::vector<uint8_t>;
using enum LocalPathChange;

TEST(P2KFileCommandsTest, PayloadBytes) {
  EXPECT_EQ(OpenFilePayload("/a/x.jpg", 0x01020304),
            (Bytes{0, 0, 0, 0, 1, 2, 3, 4, '/', 'a', '/', 'x', '.', 'j', 'p', 'g'}));
  EXPECT_EQ(ReadFilePayload(0x400), (Bytes{0, 0, 0, 1, 0, 0, 4, 0}));
  EXPECT_FALSE(ReadFilePayload(0x401));
  EXPECT_EQ(WriteFilePayload(Bytes{0xAA, 0xBB}), (Bytes{0, 0, 0, 2, 0, 0, 0, 2, 0xAA, 0xBB}));
  EXPECT_EQ(WriteFilePayload(Bytes(0x400, 7))->size(), 8u + 0x400);
  EXPECT_FALSE(WriteFilePayload(Bytes(0x401, 7)));
  EXPECT_EQ(SeekFilePayload(0x00010203, 2), (Bytes{0, 0, 0, 3, 0, 1, 2, 3, 2}));
  EXPECT_EQ(CloseFilePayload(), (Bytes{0, 0, 0, 4}));
  EXPECT_EQ(SearchFilesPayload("/a/", "*"),
            (Bytes{0, 0, 0, 7, 0, '/', 0, 'a', 0, '/', 0xFF, 0xFE, 0, '*', 0, 0}));
  EXPECT_EQ(SearchFilesPayload("/Ф", "\U0001F600"),
            (Bytes{0, 0, 0, 7, 0, '/', 0x04, 0x24, 0xFF, 0xFE, 0xD8, 0x3D, 0xDE, 0x00, 0, 0}));
  EXPECT_FALSE(SearchFilesPayload(std::string_view("/a\0", 3), "*")) << "would end the text";
  EXPECT_FALSE(SearchFilesPayload("/a/", "\xEF\xBF\xBE")) << "U+FFFE would split it";
  EXPECT_EQ(VolumesPayload(), (Bytes{0, 0, 0, 0x0A}));
  EXPECT_EQ(FreeSpacePayload("/a"), (Bytes{0, 0, 0, 0x0B, 0, 0, 0, '/', 0, 'a', 0, 0}));
  EXPECT_EQ(MakeDirectoryPayload("/a/n"), (Bytes{0, 0, 0, 0x0E, '/', 'a', '/', 'n'}));
  EXPECT_EQ(RemoveDirectoryPayload("/a/n"), (Bytes{0, 0, 0, 0x0F, '/', 'a', '/', 'n'}));
}

TEST(P2KFileCommandsTest, ReplyReaders) {
  const Bytes data = {1, 2, 3, 4, 5};
  EXPECT_EQ(ReadDataFromReply(data, 3), (Bytes{1, 2, 3}));
  EXPECT_EQ(ReadDataFromReply(data, 5), data);
  EXPECT_FALSE(ReadDataFromReply(data, 6)) << "fewer bytes than asked";
  EXPECT_FALSE(ReadDataFromReply(Bytes(0x500), 0x401));

  using Names = std::vector<std::string>;
  EXPECT_EQ(VolumesFromReply(Bytes{0, '/', 0, 'a', 0xFF, 0xFE, 0, '/', 0x04, 0x24}),
            (Names{"/a", "/Ф"}));
  EXPECT_EQ(VolumesFromReply(Bytes{0xFF, 0xFE, 0, 'c', 0xFF, 0xFE, 0, 0, 0x12}), Names{"c"})
      << "empty names left out, nothing read after 00 00";
  EXPECT_EQ(VolumesFromReply(Bytes{0xD8, 0x3D, 0xDE, 0x00, 0xD8, 0x3D}), Names{"😀\uFFFD"});
  EXPECT_EQ(VolumesFromReply(Bytes{}), Names{});
  EXPECT_FALSE(VolumesFromReply(Bytes{0, '/', 0}));

  EXPECT_EQ(FreeSpaceFromReply(Bytes{0xF1, 2, 3, 4, 0xFF}), 0xF1020304u);
  EXPECT_FALSE(FreeSpaceFromReply(Bytes{1, 2, 3}));

  Bytes list(4 + 2 * kFileRecordSize, 0);
  list[1] = 2;
  const std::string first = "/a/\xCC\xE5\xEB\xEE\xE4\xE8\xFF.mid";
  std::copy(first.begin(), first.end(), list.begin() + 4);
  std::copy_n((Bytes{1, 2, 3, 4, 0, 1, 0x23, 0x45}).begin(), 8, list.begin() + 4 + 260);
  std::fill_n(list.begin() + 4 + kFileRecordSize, 260, 'n');
  std::fill_n(list.begin() + 4 + kFileRecordSize + 264, 4, 0xFF);
  const auto files = ListedFilesFromReply(list);
  ASSERT_TRUE(files);
  ASSERT_EQ(files->size(), 2u);
  EXPECT_EQ((*files)[0].phonePath, first);
  EXPECT_EQ((*files)[0].name, "/a/Мелодия.mid");
  EXPECT_EQ((*files)[0].attributes, 0x0102);
  EXPECT_EQ((*files)[0].owner, 0x0304);
  EXPECT_EQ((*files)[0].size, 0x12345u);
  EXPECT_EQ((*files)[1].phonePath, std::string(260, 'n')) << "no NUL: the path fills its room";
  EXPECT_EQ((*files)[1].size, 0xFFFFFFFFu);
  list[1] = 1;
  EXPECT_EQ(ListedFilesFromReply(list)->size(), 1u) << "the header's count holds";
  list[1] = 3;
  EXPECT_FALSE(ListedFilesFromReply(list)) << "a counted record missing";
  EXPECT_FALSE(ListedFilesFromReply(Bytes{0, 0, 0}));
}

TEST(P2KFileCommandsTest, SafeLocalPaths) {
  using Changes = std::vector<LocalPathChange>;
  const struct {
    std::string phone, local;
    Changes changes;
  } cases[] = {
      {"/a/mobile/picture/photo.jpg", "a/mobile/picture/photo.jpg", {}},
      {"/a/../../x", "a/x", {DotStep}},
      {"/a/mobile/picture/ph\x01oto.jpg", "a/mobile/picture/ph_oto.jpg", {ControlCharacter}},
      {"C:\\x", "C__x", {ReservedCharacter, Backslash}},
      {"/a//b/./c\x7F\xC2\x85/", "a/b/c__", {DotStep, ControlCharacter}},
      {"/a/\xFFx\xEF\xBF\xBD", "a/_x\xEF\xBF\xBD", {BrokenCharacter}},
      {"/a/con/CON.txt/Lpt9 .mid/com\xC2\xB9",
       "a/_con/_CON.txt/_Lpt9 .mid/_com\xC2\xB9",
       {ReservedName}},
      {"/a/console/com10/nul-x", "a/console/com10/nul-x", {}},
      {"/a/name. /...", "a/name__/___", {TrailingDotOrSpace}},
      {"/../.", "_", {DotStep, Empty}},
      {"", "_", {Empty}},
  };
  for (const auto& c : cases) {
    const LocalPath local = SafeLocalPath(c.phone);
    EXPECT_EQ(local.path, c.local) << c.phone;
    EXPECT_EQ(local.changes, c.changes) << c.phone;
  }

  std::string cyrillic;
  for (int i = 0; i < 300; ++i) cyrillic += "Ж";
  const LocalPath kept = SafeLocalPath("/a/" + cyrillic + ".jpg");
  EXPECT_EQ(kept.path.size(), 2u + 254) << "cut before a whole character";
  EXPECT_TRUE(kept.path.ends_with("Ж.jpg"));
  EXPECT_TRUE(IsUtf8(kept.path));
  EXPECT_EQ(kept.changes, Changes{Shortened});
  const LocalPath cut = SafeLocalPath("x." + std::string(300, 'e') + " ");
  EXPECT_EQ(cut.path, "x." + std::string(253, 'e')) << "too long an extension is not kept";
}

TEST(P2KFileCommandsTest, UploadPaths) {
  const UploadPath good = CheckUploadPath("/a/mobile/audio/Мелодия.mid");
  EXPECT_EQ(good.fault, UploadPathFault::None);
  EXPECT_EQ(good.phonePath, "/a/mobile/audio/\xCC\xE5\xEB\xEE\xE4\xE8\xFF.mid");
  const std::pair<std::string, UploadPathFault> refused[] = {
      {"a/x", UploadPathFault::NotOnVolumeA},         {"/b/x", UploadPathFault::NotOnVolumeA},
      {"/a/", UploadPathFault::NotOnVolumeA},         {"/a/../x", UploadPathFault::EmptyOrDotStep},
      {"/a//x", UploadPathFault::EmptyOrDotStep},     {"/a/x/", UploadPathFault::EmptyOrDotStep},
      {"/a/x\ty", UploadPathFault::ControlCharacter}, {"/a/日本", UploadPathFault::NotCp1251},
      {"/a/\xFF", UploadPathFault::NotCp1251},
  };
  for (const auto& [path, fault] : refused) {
    EXPECT_EQ(CheckUploadPath(path).fault, fault) << path;
    EXPECT_EQ(CheckUploadPath(path).phonePath, "") << path;
  }
  std::string longest = "/a/";
  for (int i = 0; i < 256; ++i) longest += "Ж";
  EXPECT_EQ(CheckUploadPath(longest).phonePath.size(), 259u) << "counted in the phone's bytes";
  EXPECT_EQ(CheckUploadPath(longest + "x").fault, UploadPathFault::TooLong);
}

}  // namespace
}  // namespace quorix::p2k
