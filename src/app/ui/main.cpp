#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "app/ProgramPaths.h"
#include "app/Settings.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Text.h"
#include "app/ui/ToolkitLook.h"
#include "base/Translate.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorix");
  QApplication::setApplicationVersion(QUORIX_VERSION);
  QGuiApplication::setDesktopFileName("quorix");
  QApplication::setWindowIcon(quorix::ui::ProgramIcon(QCoreApplication::applicationDirPath()));
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption port("port", "Use PORT instead of the port in the settings for this run.",
                          "PORT");
  parser.addOption(port);
  parser.process(app);

  const quorix::SettingsLocation settings = quorix::LocateSettings(quorix::ThisProgramsPlaces());
  // The language is chosen before the first text is made, the toolkit's dialogs following it.
  quorix::SetUpTranslations(quorix::LocaleDirectory(quorix::ProgramDirectory()),
                            quorix::ReadLanguageSetting(settings.file));
  quorix::ui::InstallToolkitTranslations(app);
  QString firstRunProblem;
  try {
    quorix::CreateSettingsOnFirstStart(settings);
  } catch (const std::exception& e) {
    firstRunProblem = quorix::ui::FromCore(e.what());
  }
  quorix::ui::MainWindow window(settings.file);
  if (parser.isSet(port)) window.SetPortOverride(quorix::ui::ToCore(parser.value(port)));
  if (!firstRunProblem.isEmpty()) {
    QMessageBox::warning(nullptr, quorix::ui::FromCore(quorix::Tr("Внимание!")), firstRunProblem);
  }
  window.show();
  return QApplication::exec();
}
