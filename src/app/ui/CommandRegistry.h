#pragma once

#include <QString>
#include <functional>

class QAction;
class QWidget;

namespace quorix::ui {

// The main window's commands, as its subsystems see them. Every command is a QAction named after
// the control that carries it ("ToolButton4", "Button2"); one whose work is not built yet stays
// disabled until a subsystem binds it.
class CommandRegistry {
 public:
  virtual ~CommandRegistry() = default;
  virtual QAction* Command(const QString& name) const = 0;
  // Gives the command its handler and enables it.
  virtual void BindCommand(const QString& name, std::function<void()> handler) = 0;
  // A menu item with its own text that triggers the command and follows its enabled state.
  virtual QAction* Forward(const QString& text, const QString& command) = 0;
  // Runs work as a command: not while another one runs, and what it throws is shown the way the
  // toolkit shows unhandled errors.
  virtual void Guarded(const std::function<void()>& work) = 0;
};

// The push buttons under page press the commands named like them and follow their state.
void BindPageButtons(QWidget* page, CommandRegistry& commands);

}  // namespace quorix::ui
