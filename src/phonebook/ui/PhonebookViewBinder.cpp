#include "phonebook/ui/PhonebookViewBinder.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <set>

#include "app/AppState.h"
#include "app/ui/CommandRegistry.h"
#include "app/ui/Text.h"
#include "base/Translate.h"
#include "phonebook/CategoryEditor.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/EntryEditor.h"
#include "phonebook/EntryList.h"

namespace quorix::ui {

namespace {

constexpr int kIconSize = 15;

// A small folder: the mark of a category node.
QPixmap DrawCategoryIcon() {
  QPixmap icon(kIconSize, kIconSize);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setPen(QColor(128, 96, 0));
  painter.setBrush(QColor(240, 200, 80));
  painter.drawRect(1, 2, 6, 3);
  painter.setBrush(QColor(255, 220, 100));
  painter.drawRect(1, 4, 12, 9);
  return icon;
}

// A row changed in the program and not yet uploaded shows in bold.
void ShowPending(QTreeWidgetItem* item) {
  QFont font = item->font(0);
  font.setBold(true);
  for (int column = 0; column < item->columnCount(); ++column) item->setFont(column, font);
  item->setToolTip(0, FromCore(Tr("Изменено, не загружено в телефон")));
}

// A row removed in the program stays in sight, struck through, until the upload deletes it.
void ShowRemoved(QTreeWidgetItem* item) {
  QFont font = item->font(0);
  font.setStrikeOut(true);
  for (int column = 0; column < item->columnCount(); ++column) {
    item->setFont(column, font);
    item->setForeground(column, QBrush(Qt::gray));
  }
  item->setToolTip(
      0, FromCore(Tr("Будет удалено из телефона при загрузке; Insert отменяет удаление")));
}

// The distinct rows of a selection range, in increasing order.
std::set<int> RowsOf(const QItemSelection& selection) {
  std::set<int> rows;
  for (const QModelIndex& index : selection.indexes()) rows.insert(index.row());
  return rows;
}

}  // namespace

PhonebookViewBinder::PhonebookViewBinder(const SubsystemHost& host, const PhonebookWidgets& widgets,
                                         QObject* parent)
    : QObject(parent), host_(host), widgets_(widgets), categoryIcon_(DrawCategoryIcon()) {
  for (QTreeWidget* view : {widgets_.LV, widgets_.Tr}) {
    view->setIconSize(QSize(kIconSize, kIconSize));
  }
  WireList();
  WireCategoryList();
  WireTree();
  connect(widgets_.PopupMenu1, &QMenu::aboutToShow, this, [this] { ShowPopupMenus(); });
}

QIcon PhonebookViewBinder::ViewIcon(int icon) const {
  if (icon == 0) return QIcon(categoryIcon_);
  const auto& types = host_.typeIcons;
  if (icon < 1 || icon > static_cast<int>(types.size()) || types[icon - 1].isNull()) return {};
  return QIcon(types[icon - 1]);
}

void PhonebookViewBinder::ShowAll() {
  ShowList();
  ShowCategories();
  ShowTree();
  ShowPopupMenus();
}

void PhonebookViewBinder::ShowList() {
  QTreeWidget* lv = widgets_.LV;
  const QSignalBlocker quiet(lv->selectionModel());
  lv->clear();
  QList<QTreeWidgetItem*> items;
  for (const ListRow& row : host_.state.phonebook.LV) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromCore(row.Caption));
    for (int cell = 0; cell < kListCells; ++cell)
      item->setText(cell + 1, FromCore(row.Cells[cell]));
    if (row.TypeIcon >= 0) item->setIcon(TypeCell + 1, ViewIcon(row.TypeIcon));
    items << item;
  }
  lv->addTopLevelItems(items);
  const PhonebookState& pb = host_.state.phonebook;
  const auto& rows = pb.LV;
  for (size_t p = 0; p < rows.size(); ++p) {
    QTreeWidgetItem* item = items[static_cast<int>(p)];
    item->setSelected(rows[p].Selected);
    item->setHidden(!ListRowMatchesFilter(rows[p], pb.ListFilter));
    if (ListRowHasPendingChange(pb, rows[p])) ShowPending(item);
    if (ListRowIsRemoved(pb, rows[p])) ShowRemoved(item);
  }
  // The keyboard's place survives the rebuild, so Delete and Insert act where the user is.
  if (const int current = pb.CurrentEntry > 0 ? FindListRow(pb, pb.CurrentEntry) : -1;
      current >= 0) {
    lv->setCurrentItem(items[current], 0, QItemSelectionModel::NoUpdate);
  }
  lv->header()->setSortIndicatorShown(pb.SortColumn >= 0);
  if (pb.SortColumn >= 0) {
    lv->header()->setSortIndicator(pb.SortColumn,
                                   pb.SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
  }
}

void PhonebookViewBinder::ShowCategories() {
  QTreeWidget* list = widgets_.LVCat;
  const QSignalBlocker quiet(list->selectionModel());
  list->clear();
  const PhonebookState& pb = host_.state.phonebook;
  for (const CategoryListRow& row : pb.LVCat) {
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, FromCore(row.Caption));
    for (int cell = 0; cell < 3; ++cell) item->setText(cell + 1, FromCore(row.Cells[cell]));
    if (CategoryRowHasPendingChange(pb, row)) ShowPending(item);
  }
  if (pb.SelectedCategoryIndex >= 0 && pb.SelectedCategoryIndex < list->topLevelItemCount()) {
    list->topLevelItem(pb.SelectedCategoryIndex)->setSelected(true);
  }
}

void PhonebookViewBinder::ShowTree() {
  QTreeWidget* tree = widgets_.Tr;
  const QSignalBlocker quietTree(tree);
  const QSignalBlocker quietSelection(tree->selectionModel());
  tree->clear();
  for (const TreeNode& category : host_.state.phonebook.Tr) {
    auto* node = new QTreeWidgetItem(tree, QStringList(FromCore(category.Text)));
    node->setIcon(0, ViewIcon(category.Icon));
    for (const TreeNode& entry : category.Children) {
      auto* child = new QTreeWidgetItem(node, QStringList(FromCore(entry.Text)));
      child->setIcon(0, ViewIcon(entry.Icon));
    }
  }
}

void PhonebookViewBinder::ShowPopupMenus() {
  QMenu* popup = widgets_.PopupMenu1;
  const PopupMenus& menus = host_.state.phonebook.Popup;
  FillMenu(popup->findChild<QMenu*>("AssignCategoryMenu"), menus.AssignCategory, &AssignCategory);
  FillMenu(popup->findChild<QMenu*>("MelodyMenu"), menus.Melody, &AssignMelody);
  FillMenu(popup->findChild<QMenu*>("PictureMenu"), menus.Picture, &AssignPicture);
  FillMenu(popup->findChild<QMenu*>("TypeMenu"), menus.Type, &AssignType);
}

void PhonebookViewBinder::FillMenu(QMenu* menu, const std::vector<MenuItem>& items,
                                   void (*assign)(PhonebookSession&, int)) {
  menu->clear();
  for (const MenuItem& item : items) {
    if (item.Separator) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(FromCore(item.Caption));
    action->setData(item.Tag);
    action->setEnabled(item.Enabled);
    // The menus stay as they are: rebuilding them would delete the action being triggered.
    connect(action, &QAction::triggered, this, [this, assign, tag = item.Tag] {
      host_.commands.Guarded([&] {
        assign(host_.state, tag);
        ShowList();
        ShowTree();
      });
    });
  }
}

// Every select and deselect reaches the phonebook, the losing row before the gaining one, so the
// edited row ends at the newly selected one.
void PhonebookViewBinder::WireList() {
  QTreeWidget* lv = widgets_.LV;
  lv->header()->setSectionsClickable(true);
  auto* filter = new QLineEdit(lv->parentWidget());
  filter->setObjectName("LVFilter");
  filter->setPlaceholderText(FromCore(Tr("Поиск по имени или номеру")));
  filter->setClearButtonEnabled(true);
  if (auto* page = qobject_cast<QBoxLayout*>(lv->parentWidget()->layout())) {
    page->insertWidget(0, filter);
  }
  connect(filter, &QLineEdit::textChanged, this, [this](const QString& text) {
    SetListFilter(host_.state.phonebook, ToCore(text));
    ShowList();
  });
  connect(lv->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected, const QItemSelection& deselected) {
            PhonebookState& pb = host_.state.phonebook;
            for (int row : RowsOf(deselected)) LVSelectItem(pb, row, false);
            for (int row : RowsOf(selected)) LVSelectItem(pb, row, true);
          });
  connect(lv, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    host_.state.phonebook.CurrentEntry = current ? current->text(0).toInt() : 0;
  });
  connect(lv->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    LVColumnClick(host_.state.phonebook, column);
    ShowList();
  });
}

void PhonebookViewBinder::WireCategoryList() {
  connect(widgets_.LVCat->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected, const QItemSelection& deselected) {
            PhonebookState& pb = host_.state.phonebook;
            for (int row : RowsOf(deselected)) LVCatSelectItem(pb, row);
            for (int row : RowsOf(selected)) LVCatSelectItem(pb, row);
          });
}

int PhonebookViewBinder::AbsoluteNode(QTreeWidgetItem* item) const {
  if (!item) return -1;
  const PhonebookState& pb = host_.state.phonebook;
  QTreeWidgetItem* parent = item->parent();
  if (!parent) return TreeNodeAbsoluteIndex(pb, widgets_.Tr->indexOfTopLevelItem(item), -1);
  return TreeNodeAbsoluteIndex(pb, widgets_.Tr->indexOfTopLevelItem(parent),
                               parent->indexOfChild(item));
}

void PhonebookViewBinder::WireTree() {
  QTreeWidget* tree = widgets_.Tr;
  connect(tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    TrChange(host_.state.phonebook, AbsoluteNode(current));
  });
  connect(tree, &QTreeWidget::itemClicked, this, [this] { TrClick(host_.state.phonebook); });
  connect(tree, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (TrDblClick(host_.state.phonebook)) host_.commands.Command("ToolButton8")->trigger();
  });
}

}  // namespace quorix::ui
