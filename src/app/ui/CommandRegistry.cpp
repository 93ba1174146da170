#include "app/ui/CommandRegistry.h"

#include <QAction>
#include <QPushButton>
#include <QWidget>

namespace quorix::ui {

void BindPageButtons(QWidget* page, CommandRegistry& commands) {
  for (auto* button : page->findChildren<QPushButton*>()) {
    QAction* action = commands.Command(button->objectName());
    if (!action) continue;
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
  }
}

}  // namespace quorix::ui
