#pragma once

#include <QIcon>
#include <QString>

class QCoreApplication;
class QTranslator;

namespace quorix::ui {

// Qt's own texts (the buttons of questions, the file dialogs, the standard context menus) in the
// window's language, from the toolkit's catalogs as the system ships them. The installed
// translator (owned by app), or none when no catalog was found: the toolkit then speaks English.
QTranslator* InstallToolkitTranslations(QCoreApplication& app);

// The program's icon: from the icon theme when installed, else the sizes drawn beside the program
// in a build folder (resources/hicolor/<size>/apps/quorix.png).
QIcon ProgramIcon(const QString& programDir);

}  // namespace quorix::ui
