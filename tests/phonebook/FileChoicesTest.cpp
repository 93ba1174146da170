#include "phonebook/FileChoices.h"

#include <gtest/gtest.h>

#include "PhonebookFixture.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookReader.h"

namespace quorix {
namespace {

std::vector<std::string> Captions(const std::vector<MenuItem>& items, size_t from) {
  std::vector<std::string> captions;
  for (size_t k = from; k < items.size(); ++k) {
    captions.push_back(items[k].Caption + "#" + std::to_string(items[k].Tag));
  }
  return captions;
}

TEST(FileChoicesTest, MelodiesFlaggedFirstThenByCollation) {
  PhonebookFixture f;
  auto& files = f.pb.PhoneFileList;
  files[1] = {"/a/mobile/audio/b.mid", 0};
  files[2] = {"/a/mobile/picture/cat.jpg", 0};
  files[3] = {"/a/mobile/audio/A.mid", 0};
  files[4] = {"/a/mobile/audio/MyToneDB.db", 0};
  files[5] = {"/a/mobile/audio/z.mp3", 4};
  files[6] = {"/a/mobile/audio/old/c.MIDI", 0};
  files[7] = {"/a/mobile/picture/sub/dog.gif", 0};
  files[8] = {"/a/other/x.mid", 0};
  files[9] = {"/a/mobile/audio/late.wav", 0};
  f.pb.MelodyFiles[20].FileName = "stale";
  BuildFileChoices(f.pb, f.shell, 8);  // row 9 lies beyond the count

  EXPECT_EQ(f.pb.MelodyFiles[1].FileName, "z.mp3");
  EXPECT_EQ(f.pb.MelodyFiles[1].FileAttributes, 4);
  EXPECT_EQ(f.pb.MelodyFiles[2].FileName, "A.mid");
  EXPECT_EQ(f.pb.MelodyFiles[3].FileName, "b.mid");
  EXPECT_EQ(f.pb.MelodyFiles[4].FileName, "c.MIDI");
  EXPECT_EQ(f.pb.MelodyFiles[5].FileName, "");
  EXPECT_EQ(f.pb.MelodyFiles[20].FileName, "");

  const auto& labels = f.pb.EntryEditorLists.Edit4;
  ASSERT_EQ(labels.size(), 15u);
  EXPECT_EQ(std::string(labels[0]), "По умолчанию");
  EXPECT_EQ(labels[10], "Siren (9)");
  EXPECT_EQ(labels[11], "z.mp3 (10)");
  EXPECT_EQ(labels[12], "A.mid (11)");
  EXPECT_EQ(labels[13], "b.mid (12)");
  EXPECT_EQ(f.pb.CategoryEditorLists.ComboBox1, labels);
  EXPECT_EQ(
      f.pb.EntryEditorLists.Edit5,
      (std::vector<std::string>{"/a/mobile/picture/cat.jpg", "/a/mobile/picture/sub/dog.gif"}));
  EXPECT_EQ(Captions(f.pb.Popup.Picture, kFixedPictureMenuItems),
            (std::vector<std::string>{"cat.jpg#2", "sub/dog.gif#7"}));
  EXPECT_EQ(Captions(f.pb.Popup.Melody, kFixedMelodyMenuItems),
            (std::vector<std::string>{"z.mp3#10", "A.mid#11", "b.mid#12", "c.MIDI#13"}));
  EXPECT_EQ(f.pb.Popup.Melody[0].Caption, "No Melody");
  EXPECT_EQ(f.pb.Popup.Melody[0].Tag, 255);
  EXPECT_FALSE(f.pb.Popup.Melody[0].Enabled);
  EXPECT_EQ(f.pb.Popup.Melody[2].Caption, "Silent (0)");
  EXPECT_EQ(f.pb.Popup.Picture[0].Caption, "No Image");
  EXPECT_EQ(f.shell.log,
            (std::vector<std::string>{"z.mp3  4", "A.mid  0", "b.mid  0", "c.MIDI  0"}));

  // A second build leaves no duplicates.
  BuildFileChoices(f.pb, f.shell, 8);
  EXPECT_EQ(f.pb.EntryEditorLists.Edit4.size(), 15u);
  EXPECT_EQ(f.pb.EntryEditorLists.Edit5.size(), 2u);
  EXPECT_EQ(f.pb.Popup.Picture.size(), kFixedPictureMenuItems + 2);
  EXPECT_EQ(f.pb.Popup.Melody.size(), kFixedMelodyMenuItems + 4);
}

TEST(FileChoicesTest, RefreshShowsFileMelodiesWithTheirIds) {
  PhonebookFixture f;
  f.pb.MelodyFiles[3].FileName = "ring.mid";
  f.app->settings.FromPHONE = true;
  ASSERT_TRUE(ParseCategoryReply(*f.app, "+MPGR: 2,0041,12,0,0\r\n+MPGR: 4,0042,12,0,0\r\n"));
  f.pb.Categories[4][CategoryMark] = "Del";
  f.Entry(7, "7", "", "1", "2", "12");
  f.Entry(8, "8", "", "1", "2", "13");  // slot 4 empty
  f.pb.LV.push_back(ReadEntryRow(f.pb, 7, false));
  f.pb.LV.push_back(ReadEntryRow(f.pb, 8, false));
  EXPECT_EQ(f.pb.LV[0].Cells[MelodyCell], "ring.mid (3)");
  EXPECT_EQ(f.pb.LVCat[0].Cells[1], "ring.mid (3)");
  RefreshFileMelodyLabels(f.pb);
  EXPECT_EQ(f.pb.LV[0].Cells[MelodyCell], "ring.mid (12)");
  EXPECT_EQ(f.pb.LV[1].Cells[MelodyCell], "13");
  EXPECT_EQ(f.pb.LVCat[0].Cells[1], "ring.mid (12)");
  EXPECT_EQ(f.pb.LVCat[1].Cells[1], "ring.mid (3)");  // removed category untouched
}

}  // namespace
}  // namespace quorix
