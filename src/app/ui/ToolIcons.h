#pragma once

#include <QIcon>

namespace quorix::ui {

enum class ToolIcon {
  Connect,
  Disconnect,
  ReadPhonebook,
  Defragment,
  AddEntry,
  EditEntry,
  DeleteEntries,
  SaveToFile,
  RestoreFromFile,
  Upload,
  DeleteToneDb,
  ClearPhonebook,
};

// The desktop theme's icon for the command, or one drawn here when the theme has none.
QIcon ToolbarIcon(ToolIcon icon);

}  // namespace quorix::ui
