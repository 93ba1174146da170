#include "app/ui/ToolkitLook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "base/Translate.h"

namespace quorix::ui {

QTranslator* InstallToolkitTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  // The toolkit speaks the language the program's own texts are shown in.
  const QLocale language(QString::fromStdString(ProgramLanguage()));
  if (!translator->load(language, "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

QIcon ProgramIcon(const QString& programDir) {
  QIcon icon = QIcon::fromTheme("quorix");
  if (!icon.isNull()) return icon;
  const QDir sizes(programDir + "/resources/hicolor");
  for (const QString& size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString file = sizes.filePath(size + "/apps/quorix.png");
    if (QFile::exists(file)) icon.addFile(file);
  }
  return icon;
}

}  // namespace quorix::ui
