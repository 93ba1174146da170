#include "app/ui/ListPage.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ui/Text.h"
#include "base/Translate.h"

namespace quorix::ui {

ListPage::ListPage(QTreeWidget* view, const QString& groupTitle,
                   std::initializer_list<std::pair<const char*, const char*>> buttons,
                   QWidget* parent)
    : QWidget(parent), view_(view) {
  auto* layout = new QVBoxLayout(this);
  view_->setParent(this);
  layout->addWidget(view_, 1);
  if (buttons.size() == 0) return;
  auto* group = new QGroupBox(groupTitle, this);
  auto* row = new QHBoxLayout(group);
  for (const auto& [name, caption] : buttons) {
    auto* button = new QPushButton(FromCore(Tr(caption)), group);
    button->setObjectName(name);
    row->addWidget(button);
  }
  row->addStretch();
  layout->addWidget(group);
}

QPushButton* ListPage::Button(const QString& name) const {
  return findChild<QPushButton*>(name);
}

QTreeWidget* MakeReportList(const char* name, const std::vector<ListColumn>& columns,
                            QTreeWidget* list) {
  if (!list) list = new QTreeWidget;
  list->setObjectName(name);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The grid lines' rule replaces the style's item drawing, so the selected rows need their
  // colours spelled out too, or their text vanishes in a window without focus.
  list->setStyleSheet(
      "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
      "QTreeView::item:selected { background: palette(highlight); color: "
      "palette(highlighted-text); }");
  list->header()->setStretchLastSection(false);
  list->header()->setSectionsMovable(false);
  QStringList captions;
  for (const ListColumn& column : columns) captions << FromCore(column.Caption);
  list->setHeaderLabels(captions);
  // A caption is never cut, whatever the font.
  for (int index = 0; index < static_cast<int>(columns.size()); ++index) {
    list->setColumnWidth(index,
                         std::max(columns[index].Width, list->header()->sectionSizeHint(index)));
  }
  return list;
}

}  // namespace quorix::ui
