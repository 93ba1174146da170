#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

#include "PhonebookWindow.h"
#include "app/ui/Text.h"
#include "phonebook/EntryList.h"
#include "phonebook/ui/EntryEditorDialog.h"
#include "phonebook/ui/PhonebookCommands.h"
#include "support/Hex.h"

namespace quorix::ui {
namespace {

using test::Hex;

// Selects exactly these list rows, as clicks with Ctrl held would.
void SelectRows(PhonebookWindow& w, std::initializer_list<int> indexes) {
  w.window.LV()->clearSelection();
  for (int index : indexes) w.ListRow(index)->setSelected(true);
}

// Presses a key the list answers to, as its shortcut would on a key press in the list.
void PressListKey(PhonebookWindow& w, Qt::Key key) {
  for (QShortcut* shortcut : w.window.LV()->findChildren<QShortcut*>()) {
    if (shortcut->key() == QKeySequence(key)) emit shortcut->activated();
  }
}

QAction* MenuItem(PhonebookWindow& w, const char* submenu, const QString& caption) {
  QMenu* menu = w.window.PopupMenu1()->findChild<QMenu*>(submenu);
  for (QAction* item : menu->actions()) {
    if (item->text() == caption) return item;
  }
  return nullptr;
}

TEST(EntryCommandsTest, AddEditAssignAndRemoveThroughTheDialogAndThePopup) {
  PhonebookWindow w;
  w.Read();
  ASSERT_FALSE(w.State().DataModified);
  EntryEditorDialog* form2 = w.window.Phonebook().Form2();
  const int listed = w.window.LV()->topLevelItemCount();

  // Add: the first row without a number is proposed; the dialog's texts become row 10.
  QString proposed;
  bool checked = false;
  WhenModal([&] {
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(form2->windowTitle(), "Добавление/Редактирование записи");
    proposed = form2->Edit1()->currentText();
    checked = form2->CheckBox1()->isChecked();
    EXPECT_EQ(form2->Edit2()->maxLength(), 24);
    EXPECT_FALSE(form2->Edit6()->isVisibleTo(form2));
    EXPECT_TRUE(form2->Advanced(14)->isEnabled());
    form2->Edit2()->setText("Пётр Новиков");
    form2->Edit3()->setText("+79990001122");
    form2->ComboBox1()->setEditText("Home");
    form2->ComboBox2()->setEditText("Друзья");
    form2->Edit4()->setEditText("Siren (9)");
    form2->Advanced(9)->setText("Тверь");
    form2->Button1()->click();
  });
  w.window.Command("ToolButton7")->trigger();
  EXPECT_EQ(proposed, "10");
  EXPECT_TRUE(checked);
  EXPECT_FALSE(form2->isVisible());
  EXPECT_TRUE(w.State().DataModified);
  EntryRow& added = w.Entry(10);
  EXPECT_EQ(added[EntryNumber], "\"+79990001122\"");
  EXPECT_EQ(added[EntryName], Hex("Пётр Новиков"));
  EXPECT_EQ(added[EntryNumberType], "1");
  EXPECT_EQ(added[EntryCategory], "5");
  EXPECT_EQ(added[EntryMelody], "9");
  EXPECT_EQ(added[EntryPrimary], "1");
  EXPECT_EQ(added[EntryCity], Hex("Тверь"));
  EXPECT_EQ(added[EntryMark], "1");
  ASSERT_EQ(w.window.LV()->topLevelItemCount(), listed + 1);
  QTreeWidgetItem* row = w.ListRow(10);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text(1), "Пётр Новиков");
  EXPECT_EQ(row->text(4), "Siren (9)");
  EXPECT_EQ(row->text(5), "Друзья");
  EXPECT_TRUE(
      PhonebookWindow::Children(w.TreeCategory("Друзья")).contains("Пётр Новиков  (+79990001122)"));

  // Edit: the selected row fills the dialog, its index cannot be changed.
  SelectRows(w, {10});
  bool indexLocked = false;
  WhenModal([&] {
    indexLocked = !form2->Edit1()->isEnabled();
    EXPECT_EQ(form2->Edit2()->text(), "Пётр Новиков");
    form2->Edit3()->setText("+79990003344");
    form2->CheckBox1()->setChecked(false);
    form2->Button1()->click();
  });
  w.window.Command("ToolButton8")->trigger();
  EXPECT_TRUE(indexLocked);
  EXPECT_TRUE(form2->Edit1()->isEnabled());
  EXPECT_EQ(added[EntryNumber], "\"+79990003344\"");
  EXPECT_EQ(added[EntryPrimary], "0");
  EXPECT_EQ(w.window.LV()->topLevelItemCount(), listed + 1);
  EXPECT_EQ(w.ListRow(10)->text(2), "+79990003344");
  EXPECT_EQ(w.ListRow(10)->text(7), "No");

  // A name longer than the row's memory holds is shown whole, never cut by the field; the field
  // tells the limit.
  const QString longName = "Александра Владимировна Петрова-Водкина";
  w.State().phonebook.LV[FindListRow(w.State().phonebook, 10)].Cells[NameCell] = ToCore(longName);
  SelectRows(w, {10});
  QString shown, tip;
  WhenModal([&] {
    shown = form2->Edit2()->text();
    tip = form2->Edit2()->toolTip();
    form2->Button2()->click();
  });
  w.window.Command("ToolButton8")->trigger();
  EXPECT_EQ(shown, longName);
  EXPECT_TRUE(tip.contains("24")) << tip.toStdString();
  EXPECT_EQ(added[EntryName], Hex("Пётр Новиков"));

  // The popup assigns to every selected row.
  w.State().phonebook.PhonebookEntries[1][EntryMark].clear();
  SelectRows(w, {10, 1});
  QAction* vip = MenuItem(w, "AssignCategoryMenu", "VIP");
  ASSERT_NE(vip, nullptr);
  EXPECT_EQ(vip->data().toInt(), 2);
  vip->trigger();
  for (int index : {1, 10}) {
    EXPECT_EQ(w.Entry(index)[EntryCategory], "2") << index;
    EXPECT_EQ(w.Entry(index)[EntryMark], "1") << index;
    EXPECT_EQ(w.ListRow(index)->text(5), "VIP") << index;
  }
  EXPECT_EQ(w.Entry(2)[EntryCategory], "4");
  const QStringList vips = PhonebookWindow::Children(w.TreeCategory("VIP"));
  EXPECT_TRUE(vips.contains("Мама  (+79161234501)"));
  EXPECT_TRUE(vips.contains("Пётр Новиков  (+79990003344)"));
  EXPECT_FALSE(PhonebookWindow::Children(w.TreeCategory("Семья")).contains("Мама  (+79161234501)"));

  SelectRows(w, {10, 1});
  QAction* melody = MenuItem(w, "MelodyMenu", "Vibe-Dot-Dot (3)");
  ASSERT_NE(melody, nullptr);
  melody->trigger();
  EXPECT_EQ(w.Entry(1)[EntryMelody], "3");
  EXPECT_EQ(w.Entry(10)[EntryMelody], "3");
  EXPECT_EQ(w.Entry(3)[EntryMelody], "255");
  EXPECT_EQ(w.ListRow(1)->text(4), "Vibe-Dot-Dot (3)");
  EXPECT_FALSE(MenuItem(w, "MelodyMenu", "No Melody")->isEnabled());

  SelectRows(w, {10});
  MenuItem(w, "TypeMenu", "Fax")->trigger();
  EXPECT_EQ(w.Entry(10)[EntryNumberType], "4");
  EXPECT_EQ(w.ListRow(10)->text(3), "Fax");

  // Remove another: it is marked, stays listed struck through, leaves the tree, keeps its fields.
  SelectRows(w, {2});
  w.window.Command("ToolButton9")->trigger();
  EXPECT_EQ(w.Entry(2)[EntryMark], "Del");
  EXPECT_EQ(w.Entry(2)[EntryNumber], "\"+74951234502\"");
  ASSERT_NE(w.ListRow(2), nullptr);
  EXPECT_TRUE(w.ListRow(2)->font(1).strikeOut());
  EXPECT_FALSE(w.ListRow(2)->isSelected());
  EXPECT_EQ(w.window.LV()->topLevelItemCount(), listed + 1);
  EXPECT_FALSE(PhonebookWindow::Children(w.TreeCategory("Семья")).contains("Мама  (+74951234502)"));
  EXPECT_EQ(w.Entry(3)[EntryMark], "");

  // Insert over it brings it back; Delete with nothing highlighted takes the current row.
  QTreeWidget* lv = w.window.LV();
  lv->setCurrentItem(w.ListRow(2), 0, QItemSelectionModel::NoUpdate);
  PressListKey(w, Qt::Key_Insert);
  EXPECT_EQ(w.Entry(2)[EntryMark], "1");
  EXPECT_FALSE(w.ListRow(2)->font(1).strikeOut());
  EXPECT_TRUE(PhonebookWindow::Children(w.TreeCategory("Семья")).contains("Мама  (+74951234502)"));
  lv->clearSelection();
  lv->setCurrentItem(w.ListRow(3), 0, QItemSelectionModel::NoUpdate);
  PressListKey(w, Qt::Key_Delete);
  EXPECT_EQ(w.Entry(3)[EntryMark], "Del");
  EXPECT_TRUE(w.ListRow(3)->font(1).strikeOut());
  w.window.Command("RestoreEntries")->trigger();
  EXPECT_EQ(w.Entry(3)[EntryMark], "1");
}

TEST(EntryCommandsTest, RefusedIndexKeepsTheDialogOpenAndCancelStoresNothing) {
  PhonebookWindow w;
  w.Read();
  EntryEditorDialog* form2 = w.window.Phonebook().Form2();
  MessageBoxAnswer answer(QMessageBox::Ok);
  bool stillOpen = false;
  WhenModal([&] {
    form2->Edit1()->setEditText("1");
    form2->Edit3()->setText("555");
    form2->Button1()->click();
    stillOpen = form2->isVisible();
    form2->Button2()->click();
  });
  w.window.Command("ToolButton7")->trigger();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(answer.text, "Ячейка 1 уже занята!");
  EXPECT_EQ(w.Entry(1)[EntryNumber], "\"+79161234501\"");
  EXPECT_EQ(w.Entry(10)[EntryNumber], "");
  EXPECT_FALSE(w.State().DataModified);

  // Edit without a selection asks for one.
  w.window.LV()->clearSelection();
  w.State().phonebook.SelectedItemIndex = -1;
  w.window.Command("ToolButton8")->trigger();
  EXPECT_EQ(answer.shown, 2);
  EXPECT_EQ(answer.text, "Выделите какую-нибудь строчку!");
}

TEST(EntryCommandsTest, HeaderClickSortsTheListAndTheSelectionFollows) {
  PhonebookWindow w;
  w.Read();
  SelectRows(w, {23});
  emit w.window.LV()->header()->sectionClicked(1);
  QStringList names;
  for (int i = 0; i < w.window.LV()->topLevelItemCount(); ++i) {
    names << w.window.LV()->topLevelItem(i)->text(1);
  }
  EXPECT_EQ(names.first(), "Alex Johnson");
  EXPECT_EQ(names.last(), "李小龍");
  const int taxi = w.window.LV()->indexOfTopLevelItem(w.ListRow(23));
  EXPECT_EQ(w.State().phonebook.SelectedItemIndex, taxi);
  EXPECT_TRUE(w.ListRow(23)->isSelected());

  emit w.window.LV()->header()->sectionClicked(0);
  EXPECT_EQ(w.window.LV()->topLevelItem(0)->text(0), "1");
  EXPECT_EQ(w.window.LV()->topLevelItem(9)->text(0), "11");
}

}  // namespace
}  // namespace quorix::ui
