#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <vector>

#include "app/ui/SubsystemHost.h"
#include "phonebook/PhonebookSession.h"

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorix {
struct AppState;
struct MenuItem;
}  // namespace quorix

namespace quorix::ui {

// The phonebook's widgets the binder shows the models in.
struct PhonebookWidgets {
  QTreeWidget* LV;
  QTreeWidget* LVCat;
  QTreeWidget* Tr;
  QMenu* PopupMenu1;
};

// Shows the phonebook's row models in LV, LVCat, Tr and the list's popup
// submenus, and turns the user's selections, header clicks, tree clicks and popup choices into the
// phonebook's operations. The models are the truth: every Show* rebuilds its widget from them.
class PhonebookViewBinder : public QObject {
  Q_OBJECT

 public:
  PhonebookViewBinder(const SubsystemHost& host, const PhonebookWidgets& widgets, QObject* parent);

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
  void FillMenu(QMenu* menu, const std::vector<MenuItem>& items,
                void (*assign)(PhonebookSession&, int));

  SubsystemHost host_;
  PhonebookWidgets widgets_;
  QPixmap categoryIcon_;
};

}  // namespace quorix::ui
