#pragma once

#include <QPixmap>
#include <array>

class QTabWidget;
class QWidget;

namespace quorix {
struct AppState;
class Clock;
class PhoneConnection;
class Shell;
class TP2KAPI;
}  // namespace quorix

namespace quorix::ui {

class CommandRegistry;

// What the main window hands each subsystem that builds its own pages: the run's state, the
// Shell, the phone link, its P2K mode and the clock, the command registry, the number type icons,
// the window (owner of dialogs and popups) and the page control the subsystem appends its pages to.
struct SubsystemHost {
  AppState& state;
  Shell& shell;
  PhoneConnection& link;
  TP2KAPI& p2k;
  Clock& clock;
  CommandRegistry& commands;
  const std::array<QPixmap, 8>& typeIcons;  // types 0 to 7, reloaded with the settings
  QWidget* window;
  QTabWidget* pages;
};

}  // namespace quorix::ui
