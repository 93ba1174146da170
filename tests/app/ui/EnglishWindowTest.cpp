#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/ProgramPaths.h"
#include "app/ui/ListPage.h"
#include "app/ui/MainWindow.h"
#include "app/ui/SettingsFolder.h"
#include "base/Translate.h"
#include "support/Process.h"

namespace quorix::ui {
namespace {

// "Русский" names the language in its own tongue wherever it is offered.
bool HasCyrillic(const QString& text) {
  if (text == "Русский") return false;
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x052F; });
}

// Every text a widget and its children show: captions, buttons, labels, tabs, list headers,
// items offered, hints, and the actions of its menus.
QStringList ShownTexts(QWidget* top) {
  QStringList texts{top->windowTitle(), top->toolTip()};
  for (QWidget* w : top->findChildren<QWidget*>()) {
    texts << w->toolTip();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w)) texts << e->placeholderText();
    if (auto* c = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
    }
    if (auto* t = qobject_cast<QTabWidget*>(w)) {
      for (int i = 0; i < t->count(); ++i) texts << t->tabText(i);
    }
    if (auto* v = qobject_cast<QTreeWidget*>(w)) {
      for (int i = 0; i < v->columnCount(); ++i) texts << v->headerItem()->text(i);
    }
  }
  for (QAction* a : top->findChildren<QAction*>()) texts << a->text() << a->toolTip();
  return texts;
}

// With English chosen, the window's own texts hold no Cyrillic on any page, in any menu or
// button, nor in the About box, and the command line's messages from the core are English too.
TEST(EnglishWindowTest, EveryPageMenuAndDialogSpeaksEnglish) {
  SetUpTranslations(LocaleDirectory(ProgramDirectory()), "en");
  {
    SettingsFolder folder;
    MainWindow window(folder.Path());
    window.show();
    QStringList russian;
    for (const QString& text : ShownTexts(&window)) {
      if (HasCyrillic(text)) russian << text;
    }
    window.Command("About")->trigger();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top == &window || !top->isVisible()) continue;
      for (const QString& text : ShownTexts(top)) {
        if (HasCyrillic(text)) russian << text;
      }
    }
    EXPECT_TRUE(russian.isEmpty()) << russian.join(" | ").toStdString();
    EXPECT_EQ(window.pages()->tabText(0), "Phonebook");
  }
  SetUpTranslations(LocaleDirectory(ProgramDirectory()), "ru");

  test::TempDir dir;
  setenv("LANGUAGE", "en", 1);
  const auto english =
      test::RunCli({"--settings", dir.File("velkor.ini"), "sms", "show", dir.File("missing.sms")});
  unsetenv("LANGUAGE");
  const auto russian =
      test::RunCli({"--settings", dir.File("velkor.ini"), "sms", "show", dir.File("missing.sms")});
  EXPECT_EQ(english.exitCode, 1);
  EXPECT_FALSE(HasCyrillic(QString::fromStdString(english.err))) << english.err;
  EXPECT_TRUE(HasCyrillic(QString::fromStdString(russian.err))) << russian.err;
}

}  // namespace
}  // namespace quorix::ui
