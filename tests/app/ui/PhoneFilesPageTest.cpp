#include "app/ui/PhoneFilesPage.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>
#include <map>
#include <memory>

#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "support/EmulatedP2K.h"

namespace quorix::ui {
namespace {

// The main window's commands as far as a page needs them: made on first use, run at once.
class Commands : public CommandRegistry {
 public:
  QAction* Command(const QString& name) const override {
    auto& action = actions_[name];
    if (!action) {
      action = std::make_unique<QAction>(name);
      action->setEnabled(false);
    }
    return action.get();
  }
  void BindCommand(const QString& name, std::function<void()> handler) override {
    QAction* action = Command(name);
    QObject::connect(action, &QAction::triggered, [handler = std::move(handler)] { handler(); });
    action->setEnabled(true);
  }
  QAction* Forward(const QString&, const QString& command) override { return Command(command); }
  void Guarded(const std::function<void()>& work) override { work(); }

 private:
  mutable std::map<QString, std::unique_ptr<QAction>> actions_;
};

// The page on the emulated sample phone, connected on its modem port.
struct FilesPage {
  FilesPage() { EXPECT_EQ(phone.phone.ConnectPhone(), ConnectOutcome::Connected); }

  void Press(const char* button) { page->Page()->Button(button)->click(); }

  int Row(const QString& name) const {
    for (int row = 0; row < page->Files()->topLevelItemCount(); ++row) {
      if (page->Files()->topLevelItem(row)->text(0) == name) return row;
    }
    return -1;
  }

  void Select(const QString& name) {
    page->Files()->clearSelection();
    page->Files()->topLevelItem(Row(name))->setSelected(true);
  }

  std::optional<std::string> PhoneFile(const std::string& path) const {
    std::optional<std::string> contents;
    phone.server.InspectFiles([&](const emu::P2KPhone& p2k) {
      for (const emu::P2KFile& file : p2k.Files()) {
        if (file.path == path) contents.emplace(file.contents.begin(), file.contents.end());
      }
    });
    return contents;
  }

  test::EmulatedP2K phone;
  test::TempDir dir;
  Commands commands;
  std::array<QPixmap, 8> icons;
  QWidget window;
  QTabWidget* tabs = new QTabWidget(&window);
  PhoneFilesPage* page = new PhoneFilesPage({phone.state, phone.shell, phone.phone, phone.p2k,
                                             phone.clock, commands, icons, &window, tabs});
};

TEST(PhoneFilesPageTest, RefreshListsThePhonesFilesAndFreeSpaceAndBringsThePhoneBack) {
  FilesPage f;
  EXPECT_EQ(f.tabs->tabText(0), "Файлы телефона");
  f.Press("FilesRefresh");
  size_t held = 0;
  f.phone.server.InspectFiles([&](const emu::P2KPhone& p2k) { held = p2k.Files().size(); });
  EXPECT_EQ(f.page->Files()->topLevelItemCount(), static_cast<int>(held));
  const int anna = f.Row("/a/mobile/picture/anna.jpg");
  ASSERT_GE(anna, 0);
  EXPECT_EQ(f.page->Files()->topLevelItem(anna)->text(1).toULongLong(),
            f.PhoneFile("/a/mobile/picture/anna.jpg")->size());
  EXPECT_TRUE(f.page->FreeSpace()->text().startsWith("Свободно: "));
  EXPECT_TRUE(f.phone.shell.messages.empty());
  EXPECT_TRUE(f.phone.state.link.PhoneConnected) << "back on the modem port";
}

// The photo's bytes land in the folder chosen; a symbolic link there is left as it is.
TEST(PhoneFilesPageTest, DownloadWritesTheChosenFileAndNeverThroughASymbolicLink) {
  FilesPage f;
  f.Press("FilesRefresh");
  f.Press("FilesDownload");  // nothing selected: the user is told what to do
  ASSERT_EQ(f.phone.shell.messages.size(), 1u);
  f.phone.shell.messages.clear();
  f.Select("/a/mobile/picture/anna.jpg");
  f.page->chooseFolder = [&] { return QString::fromStdString(f.dir.File("got")); };
  std::filesystem::create_directory(f.dir.File("got"));
  f.Press("FilesDownload");
  EXPECT_EQ(test::ReadBytes(f.dir.File("got/anna.jpg")), f.PhoneFile("/a/mobile/picture/anna.jpg"));
  EXPECT_EQ(f.phone.shell.status[1], "Скачано файлов: 1 в " + f.dir.File("got"));

  test::WriteBytes(f.dir.File("outside"), "keep");
  std::filesystem::remove(f.dir.File("got/anna.jpg"));
  std::filesystem::create_symlink(f.dir.File("outside"), f.dir.File("got/anna.jpg"));
  f.Press("FilesDownload");
  EXPECT_EQ(test::ReadBytes(f.dir.File("outside")), "keep");
  ASSERT_EQ(f.phone.shell.messages.size(), 1u);
  EXPECT_NE(f.phone.shell.messages[0].text.find("символическая ссылка"), std::string::npos);
}

// An upload into the selected file's folder replaces a file there only when told Yes; a delete
// asked with No as its default takes it off the phone.
TEST(PhoneFilesPageTest, UploadPutsTheFileOnThePhoneAndDeleteTakesItOff) {
  FilesPage f;
  test::WriteBytes(f.dir.File("small.bin"), std::string("\x00\x01small", 7));
  f.phone.shell.openAnswers = {f.dir.File("small.bin")};
  f.Press("FilesUpload");
  EXPECT_EQ(f.PhoneFile("/a/mobile/picture/small.bin"), std::string("\x00\x01small", 7));
  EXPECT_GE(f.Row("/a/mobile/picture/small.bin"), 0) << "the list shows it";

  test::WriteBytes(f.dir.File("small.bin"), "other");
  f.Select("/a/mobile/picture/small.bin");
  f.phone.shell.openAnswers = {f.dir.File("small.bin")};
  f.Press("FilesUpload");
  EXPECT_EQ(f.PhoneFile("/a/mobile/picture/small.bin"), std::string("\x00\x01small", 7))
      << "not replaced on No";
  f.phone.shell.openAnswers = {f.dir.File("small.bin")};
  f.phone.shell.yesNoAnswers = {true};
  f.Press("FilesUpload");
  EXPECT_EQ(f.PhoneFile("/a/mobile/picture/small.bin"), "other");

  f.Select("/a/mobile/picture/small.bin");
  f.phone.shell.yesNoAnswers = {true};
  f.Press("FilesDelete");
  EXPECT_EQ(f.phone.shell.noByDefault.size(), 1u);
  EXPECT_FALSE(f.PhoneFile("/a/mobile/picture/small.bin"));
  EXPECT_EQ(f.Row("/a/mobile/picture/small.bin"), -1);
  EXPECT_TRUE(f.phone.shell.messages.empty());

  // A new folder goes next to the selected file; the phone refuses the same name twice.
  f.Select("/a/mobile/picture/anna.jpg");
  f.page->askFolderName = [] { return QString("Отпуск 2007"); };
  f.Press("FilesMakeFolder");
  EXPECT_TRUE(f.phone.shell.messages.empty());
  f.Select("/a/mobile/picture/anna.jpg");
  f.Press("FilesMakeFolder");
  ASSERT_EQ(f.phone.shell.messages.size(), 1u);
  EXPECT_NE(f.phone.shell.messages[0].text.find("/a/mobile/picture/Отпуск 2007"), std::string::npos)
      << f.phone.shell.messages[0].text;
}

}  // namespace
}  // namespace quorix::ui
