#include <QApplication>
#include <QCommandLineParser>

#include "app/ProgramPaths.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Text.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorix");
  QApplication::setApplicationVersion(QUORIX_VERSION);
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption port("port", "Use PORT instead of the port in the settings for this run.",
                          "PORT");
  parser.addOption(port);
  parser.process(app);

  quorix::ui::MainWindow window(quorix::SettingsFilePath());
  if (parser.isSet(port)) window.SetPortOverride(quorix::ui::ToAnsi(parser.value(port)));
  window.show();
  return QApplication::exec();
}
