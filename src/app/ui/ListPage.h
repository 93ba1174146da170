#pragma once

#include <QWidget>
#include <initializer_list>
#include <utility>
#include <vector>

#include "base/ListColumn.h"

class QPushButton;
class QTreeWidget;

namespace quorix::ui {

// A page of the main window: one list or tree filling it and, below, a titled group of buttons.
class ListPage : public QWidget {
  Q_OBJECT

 public:
  // buttons: object name and caption of each, left to right; the captions are texts marked for the
  // catalog (N_), shown translated.
  ListPage(QTreeWidget* view, const QString& groupTitle,
           std::initializer_list<std::pair<const char*, const char*>> buttons,
           QWidget* parent = nullptr);

  QTreeWidget* View() const { return view_; }
  // The button with that object name, e.g. "Button4".
  QPushButton* Button(const QString& name) const;

 private:
  QTreeWidget* view_;
};

// A list in report view with the core's columns: grid lines, whole-row selection, no in-place
// editing. Shapes list when one is given, else a plain one.
QTreeWidget* MakeReportList(const char* name, const std::vector<ListColumn>& columns,
                            QTreeWidget* list = nullptr);

}  // namespace quorix::ui
