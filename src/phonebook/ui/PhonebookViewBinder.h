#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <vector>

class QMenu;
class QTreeWidgetItem;

namespace quorix {
struct AppState;
struct MenuItem;
}  // namespace quorix

namespace quorix::ui {

class MainWindow;

// Shows the phonebook's row models in the main window's LV, LVCat, Tr and the list's popup
// submenus, and turns the user's selections, header clicks, tree clicks and popup choices into the
// phonebook's operations. The models are the truth: every Show* rebuilds its widget from them.
class PhonebookViewBinder : public QObject {
  Q_OBJECT

 public:
  explicit PhonebookViewBinder(MainWindow& window);

  void ShowAll();
  void ShowList();
  void ShowCategories();
  void ShowTree();
  void ShowPopupMenus();

  // Icon n of the views' 15 x 15 image list: 0 the category, 1..8 the number types 0..7.
  QIcon ViewIcon(int icon) const;

 private:
  void WireList();
  void WireCategoryList();
  void WireTree();
  int AbsoluteNode(QTreeWidgetItem* item) const;
  void FillMenu(QMenu* menu, const std::vector<MenuItem>& items, void (*assign)(AppState&, int));

  MainWindow& window_;
  QPixmap categoryIcon_;
};

}  // namespace quorix::ui
