#include "phonebook/CategoryEditor.h"

#include <gtest/gtest.h>

#include "PhonebookFixture.h"
#include "phonebook/EntryList.h"

namespace quorix {
namespace {

TEST(CategoryEditorTest, AddProposesTheFirstUnnamedNumber) {
  PhonebookFixture f;
  for (int c = 1; c <= 4; ++c) f.Category(c, "C" + std::to_string(c));
  f.pb.Categories[2][CategoryMark] = "Del";
  f.pb.CategoryEditor = {"9", "old", "Siren (9)", "x"};
  ASSERT_TRUE(PrepareAddCategory(*f.app, f.shell));
  EXPECT_EQ(f.pb.CategoryEditor.Edit1, "5");
  EXPECT_EQ(f.pb.CategoryEditor.CatEdit, "");
  EXPECT_EQ(f.pb.CategoryEditor.ComboBox1, "Siren (9)");  // kept from the last use
  EXPECT_EQ(f.pb.CategoryEditorMode, EditorModeKind::Add);
  for (int c = 1; c <= 30; ++c) f.Category(c, "C");
  EXPECT_FALSE(PrepareAddCategory(*f.app, f.shell));
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(std::string(f.shell.messages[0].text), "Все 30 категорий уже заняты!");
}

TEST(CategoryEditorTest, OkStoresMelodyAndLightCodes) {
  PhonebookFixture f;
  f.pb.MelodyFiles[3].FileName = "ring.mid";
  struct Case {
    std::string melody, light, storedMelody, storedLight;
  };
  const Case cases[] = {{"Default", std::string("Супер (1)"), "255", "1"},
                        {"", "", "255", "0"},
                        {"Siren (9)", std::string("Акустика (10)"), "9", "10"},
                        {"12", "no bracket", "12", "0"},
                        {"ring.mid (12)", "", "12", "0"},
                        {std::string("По умолчанию"), "", "255", "0"}};
  int number = 1;
  for (const Case& c : cases) {
    ASSERT_TRUE(PrepareAddCategory(*f.app, f.shell));
    EXPECT_EQ(f.pb.CategoryEditor.Edit1, std::to_string(number));
    f.pb.CategoryEditor.CatEdit = std::string("Кат");
    f.pb.CategoryEditor.ComboBox1 = c.melody;
    f.pb.CategoryEditor.Edit2 = c.light;
    ASSERT_TRUE(AcceptCategoryEditor(*f.app, f.shell));
    const CategoryRow& row = f.pb.Categories[number];
    EXPECT_EQ(row[CategoryName], Hex("Кат"));
    EXPECT_EQ(row[CategoryMelody], c.storedMelody) << c.melody;
    EXPECT_EQ(row[CategoryField3], "0");
    EXPECT_EQ(row[CategoryLight], c.storedLight) << c.light;
    EXPECT_EQ(row[CategoryMark], "1");
    ASSERT_EQ(f.pb.LVCat.size(), static_cast<size_t>(number));
    EXPECT_EQ(f.pb.LVCat.back().Caption, std::to_string(number));
    EXPECT_EQ(f.pb.LVCat.back().Cells[1], c.melody);
    EXPECT_EQ(f.pb.LVCat.back().Cells[2], c.light);
    ++number;
  }
  EXPECT_TRUE(f.app->DataModified);

  // A character UCS-2 has no code for is refused, not cut away unseen.
  ASSERT_TRUE(PrepareAddCategory(*f.app, f.shell));
  f.pb.CategoryEditor.CatEdit = "Ελένη 😀";
  f.shell.messages.clear();
  EXPECT_FALSE(AcceptCategoryEditor(*f.app, f.shell));
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(f.shell.messages[0].text,
            "Телефон не может сохранить эти символы: 😀 (U+1F600). Удалите их из текста.");
  EXPECT_TRUE(f.pb.Categories[number][CategoryName].empty());
}

TEST(CategoryEditorTest, ACategoryChangeReachesTheListTheTreeAndTheChoices) {
  PhonebookFixture f;
  f.Category(2, "Work");
  f.Category(3, "Old");
  f.Entry(5, "555", "Ann", "3", "3");
  RebuildEntryList(f.pb, kEntryRows);
  f.pb.LVCat = {{"2", {"Work", "", ""}}, {"3", {"Old", "", ""}}};
  LVCatSelectItem(f.pb, 1);
  ASSERT_TRUE(PrepareEditCategory(*f.app));
  f.pb.CategoryEditor.CatEdit = "Family";
  ASSERT_TRUE(AcceptCategoryEditor(*f.app, f.shell));
  EXPECT_EQ(f.pb.LV[0].Cells[CategoryCell], "Family");
  ASSERT_EQ(f.pb.Tr.size(), 2u);
  EXPECT_EQ(f.pb.Tr[1].Text, "Family");
  EXPECT_EQ(f.pb.Tr[1].Children.size(), 1u);
  EXPECT_EQ(f.pb.EntryEditorLists.ComboBox2, (std::vector<std::string>{"Work", "Family"}));
  ASSERT_EQ(f.pb.Popup.AssignCategory.size(), 2u);
  EXPECT_EQ(f.pb.Popup.AssignCategory[1].Caption, "Family");
  EXPECT_EQ(f.pb.Popup.AssignCategory[1].Tag, 3);

  LVCatSelectItem(f.pb, 1);
  RemoveSelectedCategory(*f.app, f.shell);
  EXPECT_EQ(f.pb.LV[0].Cells[CategoryCell], "");
  ASSERT_EQ(f.pb.Tr.size(), 2u);
  EXPECT_EQ(f.pb.Tr[0].Text, "Work");
  EXPECT_EQ(f.pb.Tr[1].Text, "Категория 3") << "its entry is still shown";
  EXPECT_EQ(f.pb.EntryEditorLists.ComboBox2, std::vector<std::string>{"Work"});
  EXPECT_EQ(f.pb.Popup.AssignCategory.size(), 1u);
}

TEST(CategoryEditorTest, OkRefusesNumbersOutsideTheTable) {
  PhonebookFixture f;
  f.Category(1, "Taken");
  ASSERT_TRUE(PrepareAddCategory(*f.app, f.shell));
  for (const std::string bad : {"x", "", "0", "31", "1"}) {
    f.pb.CategoryEditor.Edit1 = bad;
    f.shell.messages.clear();
    EXPECT_FALSE(AcceptCategoryEditor(*f.app, f.shell)) << bad;
    EXPECT_EQ(f.shell.messages.size(), 1u) << bad;
  }
  EXPECT_TRUE(f.pb.LVCat.empty());
  EXPECT_FALSE(f.app->DataModified);
  EXPECT_EQ(f.pb.Categories[1][CategoryName], Hex("Taken"));
  EXPECT_EQ(f.pb.Categories[1][CategoryMark], "");
}

TEST(CategoryEditorTest, FirstRowCanBeEditedAndRemoved) {
  PhonebookFixture f;
  f.Category(1, "General");
  f.Category(2, "Family");
  f.pb.LVCat = {{"1", {"General", "Default", ""}},
                {"2", {"Family", "Siren (9)", std::string("Ритм (3)")}}};
  EXPECT_FALSE(PrepareEditCategory(*f.app));
  RemoveSelectedCategory(*f.app, f.shell);
  EXPECT_EQ(f.shell.messages.back().text, "Please select some item!");

  LVCatSelectItem(f.pb, 0);
  EXPECT_EQ(f.pb.SelectedCategoryNumber, 1);
  ASSERT_TRUE(PrepareEditCategory(*f.app));
  EXPECT_EQ(f.pb.CategoryEditorMode, EditorModeKind::Edit);
  EXPECT_EQ(f.pb.CategoryEditor.Edit1, "1");
  EXPECT_EQ(f.pb.CategoryEditor.CatEdit, "General");
  EXPECT_EQ(f.pb.CategoryEditor.ComboBox1, "Default");
  f.pb.CategoryEditor.CatEdit = "Common";
  f.pb.CategoryEditor.Edit2 = std::string("Ритм (3)");
  ASSERT_TRUE(AcceptCategoryEditor(*f.app, f.shell));  // editing an existing number is fine
  EXPECT_EQ(f.pb.LVCat[0].Cells[0], "Common");
  EXPECT_EQ(f.pb.Categories[1][CategoryName], Hex("Common"));
  EXPECT_EQ(f.pb.Categories[1][CategoryLight], "3");
  EXPECT_EQ(f.pb.LVCat.size(), 2u);

  RemoveSelectedCategory(*f.app, f.shell);
  EXPECT_EQ(f.pb.Categories[1][CategoryMark], "Del");
  EXPECT_EQ(f.pb.Categories[1][CategoryName], Hex("Common"));
  ASSERT_EQ(f.pb.LVCat.size(), 1u);
  EXPECT_EQ(f.pb.LVCat[0].Caption, "2");
  EXPECT_EQ(f.pb.SelectedCategoryIndex, -1);
  EXPECT_FALSE(PrepareEditCategory(*f.app));
}

}  // namespace
}  // namespace quorix
