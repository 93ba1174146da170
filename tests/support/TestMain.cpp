#include <gtest/gtest.h>

#include <cstdlib>

#include "app/ProgramPaths.h"
#include "base/Translate.h"

#ifdef QUORIX_TEST_WITH_QT
#include <QApplication>
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The program's source texts, whatever the machine's locale, here and in the programs the
  // tests start; the system's own messages as the C locale words them. A test of another
  // language chooses it itself.
  for (const char* wish : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) unsetenv(wish);
  setenv("LANG", "C.UTF-8", 1);
  quorix::SetUpTranslations(quorix::LocaleDirectory(quorix::ProgramDirectory()), "ru");
#ifdef QUORIX_TEST_WITH_QT
  // Widgets are tested without a display unless one is asked for.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // One application for the whole test program; widgets need it before they are made.
  QApplication app(argc, argv);
#endif
  return RUN_ALL_TESTS();
}
