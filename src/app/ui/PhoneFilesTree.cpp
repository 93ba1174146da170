#include "app/ui/PhoneFilesTree.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace quorix::ui {

QStringList LocalFiles(const QList<QUrl>& urls) {
  QStringList files;
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) return {};
    files << url.toLocalFile();
  }
  return files;
}

PhoneFilesTree::PhoneFilesTree() {
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
}

void PhoneFilesTree::startDrag(Qt::DropActions) {
  const QList<QUrl> urls = filesForDrag ? filesForDrag() : QList<QUrl>();
  if (urls.isEmpty()) return;
  auto* data = new QMimeData;
  data->setUrls(urls);
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->exec(Qt::CopyAction);
}

void PhoneFilesTree::dragEnterEvent(QDragEnterEvent* event) {
  dragMoveEvent(event);
}

// Only local files from elsewhere: the tree's own items dragged onto it would copy the phone's
// files to the phone again.
void PhoneFilesTree::dragMoveEvent(QDragMoveEvent* event) {
  if (event->source() != this && !LocalFiles(event->mimeData()->urls()).isEmpty()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void PhoneFilesTree::dropEvent(QDropEvent* event) {
  const QStringList files = LocalFiles(event->mimeData()->urls());
  if (event->source() == this || files.isEmpty()) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (dropped) dropped(files, itemAt(event->position().toPoint()));
}

}  // namespace quorix::ui
