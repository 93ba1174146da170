#pragma once

#include <QObject>

#include "app/ui/SubsystemHost.h"

class QTreeWidget;

namespace quorix::ui {

// The datebook's page "Ежедневник": the list LVCal and the group "Меню ежедневника" with
// "Читать" (Button2), "Сохранить" (Button7) and "Восстановить" (Button10), which press the
// commands of the same names. LVCal renders the core's rows.
class DatebookPage : public QObject {
  Q_OBJECT

 public:
  explicit DatebookPage(const SubsystemHost& host);

  QTreeWidget* LVCal() const { return lvCal_; }
  void ShowList();

 private:
  void BindCommands();
  void Button2Click();

  SubsystemHost host_;
  QTreeWidget* lvCal_ = nullptr;
};

}  // namespace quorix::ui
