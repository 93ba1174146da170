#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "PhonebookWindow.h"
#include "app/ui/ListPage.h"
#include "phonebook/ui/CategoryEditorDialog.h"
#include "phonebook/ui/EntryEditorDialog.h"
#include "phonebook/ui/PhonebookCommands.h"
#include "support/Hex.h"

namespace quorix::ui {
namespace {

QTreeWidgetItem* CategoryItem(PhonebookWindow& w, const QString& number) {
  const auto found = w.window.LVCat()->findItems(number, Qt::MatchExactly, 0);
  return found.isEmpty() ? nullptr : found.first();
}

TEST(CategoryCommandsTest, AddEditAndRemoveThroughTheEditor) {
  PhonebookWindow w;
  w.Read();
  CategoryEditorDialog* form4 = w.window.Phonebook().Form4();
  ListPage* page = w.window.Page(1);
  const int listed = w.window.LVCat()->topLevelItemCount();

  // Add: the editor opens without blocking and proposes the first number without a name.
  page->Button("Button4")->click();
  ASSERT_TRUE(form4->isVisible());
  EXPECT_FALSE(form4->isModal());
  EXPECT_EQ(form4->windowTitle(), "Дабавление/Редактирование категорий");
  const QString number = form4->Edit1()->currentText();
  const int c = number.toInt();
  ASSERT_GE(c, 1);
  EXPECT_TRUE(w.State().phonebook.Categories[c][CategoryName].empty());
  form4->CatEdit()->setText("Соседи");
  form4->ComboBox1()->setEditText("Siren (9)");
  form4->Edit2()->setEditText("Пульс (2)");
  form4->Button1()->click();
  EXPECT_FALSE(form4->isVisible());
  const CategoryRow& added = w.State().phonebook.Categories[c];
  EXPECT_EQ(added[CategoryName], test::Hex("Соседи"));
  EXPECT_EQ(added[CategoryMelody], "9");
  EXPECT_EQ(added[CategoryLight], "2");
  EXPECT_EQ(added[CategoryMark], "1");
  EXPECT_TRUE(w.State().DataModified);
  ASSERT_EQ(w.window.LVCat()->topLevelItemCount(), listed + 1);
  QTreeWidgetItem* row = CategoryItem(w, number);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text(1), "Соседи");
  EXPECT_EQ(row->text(3), "Пульс (2)");

  // Edit: the selected row fills the editor.
  CategoryItem(w, "4")->setSelected(true);
  page->Button("Button5")->click();
  ASSERT_TRUE(form4->isVisible());
  EXPECT_EQ(form4->Edit1()->currentText(), "4");
  EXPECT_EQ(form4->CatEdit()->text(), "Семья");
  form4->CatEdit()->setText("Родные");
  form4->Button1()->click();
  EXPECT_EQ(CategoryItem(w, "4")->text(1), "Родные");
  EXPECT_EQ(w.State().phonebook.Categories[4][CategoryName], test::Hex("Родные"));
  EXPECT_EQ(w.State().phonebook.Categories[4][CategoryMark], "1");

  // Cancel stores nothing.
  page->Button("Button4")->click();
  form4->CatEdit()->setText("Лишняя");
  form4->Button2()->click();
  EXPECT_FALSE(form4->isVisible());
  EXPECT_EQ(w.window.LVCat()->topLevelItemCount(), listed + 1);

  // Remove: marked, its row leaves the list, the name stays.
  w.window.LVCat()->clearSelection();
  CategoryItem(w, "8")->setSelected(true);
  page->Button("Button6")->click();
  EXPECT_EQ(w.State().phonebook.Categories[8][CategoryMark], "Del");
  EXPECT_EQ(CategoryItem(w, "8"), nullptr);
  EXPECT_EQ(w.State().phonebook.Categories[8][CategoryName], test::Hex("Спорт"));
}

TEST(CategoryCommandsTest, TreeExpandsCollapsesAndOpensTheEntryOfAClickedNode) {
  PhonebookWindow w;
  w.Read();
  QTreeWidget* tree = w.window.Tr();
  ListPage* page = w.window.Page(2);
  page->Button("Button13")->click();
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    EXPECT_TRUE(tree->topLevelItem(i)->isExpanded()) << i;
  }
  page->Button("Button14")->click();
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    EXPECT_FALSE(tree->topLevelItem(i)->isExpanded()) << i;
  }

  QTreeWidgetItem* family = w.TreeCategory("Семья");
  QTreeWidgetItem* papa = family->child(2);
  ASSERT_EQ(papa->text(0), "Папа  (+79161234503)");
  EXPECT_FALSE(papa->icon(0).isNull());
  tree->setCurrentItem(papa);
  emit tree->itemClicked(papa, 0);
  EXPECT_EQ(w.State().phonebook.EditIndex, 3);
  EXPECT_EQ(w.State().phonebook.SelectionSource, SelectionSourceKind::Tree);

  // A double click edits the clicked entry.
  EntryEditorDialog* form2 = w.window.Phonebook().Form2();
  QString shown;
  WhenModal([&] {
    shown = form2->Edit3()->text();
    form2->Button2()->click();
  });
  emit tree->itemDoubleClicked(papa, 0);
  EXPECT_EQ(shown, "+79161234503");

  // Remove after a tree click does nothing.
  w.window.Command("ToolButton9")->trigger();
  EXPECT_EQ(w.Entry(3)[EntryMark], "");
  EXPECT_NE(w.ListRow(3), nullptr);
}

}  // namespace
}  // namespace quorix::ui
