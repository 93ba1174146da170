#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <QUrl>
#include <functional>

namespace quorix::ui {

// The phone's file tree, which files are dragged out of to the desktop's file manager and local
// files dropped onto; what a drag carries and what a drop does are the page's.
class PhoneFilesTree : public QTreeWidget {
 public:
  PhoneFilesTree();

  // The local copies of the selected items, made when a drag starts; none ends the drag.
  std::function<QList<QUrl>()> filesForDrag;
  // Local files dropped on the item at (nullptr: on no item).
  std::function<void(const QStringList& localFiles, QTreeWidgetItem* at)> dropped;

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
};

// The local files among urls; empty when any of them is no local file.
QStringList LocalFiles(const QList<QUrl>& urls);

}  // namespace quorix::ui
