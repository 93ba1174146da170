#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "app/ProgramPaths.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Text.h"
#include "app/ui/ToolkitLook.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorix");
  QApplication::setApplicationVersion(QUORIX_VERSION);
  QGuiApplication::setDesktopFileName("quorix");
  QApplication::setWindowIcon(quorix::ui::ProgramIcon(QCoreApplication::applicationDirPath()));
  quorix::ui::InstallToolkitTranslations(app);
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption port("port", "Use PORT instead of the port in the settings for this run.",
                          "PORT");
  parser.addOption(port);
  parser.process(app);

  const quorix::SettingsLocation settings = quorix::LocateSettings(quorix::ThisProgramsPlaces());
  QString firstRunProblem;
  try {
    quorix::CreateSettingsOnFirstStart(settings);
  } catch (const std::exception& e) {
    firstRunProblem = quorix::ui::FromCore(e.what());
  }
  quorix::ui::MainWindow window(settings.file);
  if (parser.isSet(port)) window.SetPortOverride(quorix::ui::ToCore(parser.value(port)));
  if (!firstRunProblem.isEmpty()) {
    QMessageBox::warning(nullptr, QString::fromUtf8("Внимание!"), firstRunProblem);
  }
  window.show();
  return QApplication::exec();
}
