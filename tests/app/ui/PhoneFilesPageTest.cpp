#include "app/ui/PhoneFilesPage.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <filesystem>
#include <map>
#include <memory>

#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "app/ui/PhoneFilesTree.h"
#include "codec/CodePage.h"
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

  // The tree's item of that phone path (a folder's ends in "/"), nullptr when none.
  QTreeWidgetItem* Item(const std::string& path) const {
    for (QTreeWidgetItemIterator it(page->Files()); *it; ++it) {
      if ((*it)->data(0, Qt::UserRole).toByteArray().toStdString() == path) return *it;
    }
    return nullptr;
  }

  void Select(std::initializer_list<std::string> paths) {
    page->Files()->clearSelection();
    for (const std::string& path : paths) Item(path)->setSelected(true);
  }

  // The phone's bytes of a file named in UTF-8.
  std::optional<std::string> PhoneFile(const std::string& name) const {
    const std::string path = Utf8ToCp1251(name);
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

// The tree holds the volume, its folders and every file once, with its size.
TEST(PhoneFilesPageTest, RefreshShowsThePhonesTreeAndFreeSpaceAndBringsThePhoneBack) {
  FilesPage f;
  EXPECT_EQ(f.tabs->tabText(0), "Файлы телефона");
  f.Press("FilesRefresh");
  size_t held = 0;
  f.phone.server.InspectFiles([&](const emu::P2KPhone& p2k) { held = p2k.Files().size(); });
  size_t shown = 0;
  for (QTreeWidgetItemIterator it(f.page->Files()); *it; ++it) shown += !(*it)->text(1).isEmpty();
  EXPECT_EQ(shown, held);
  ASSERT_EQ(f.page->Files()->topLevelItemCount(), 1);
  EXPECT_EQ(f.page->Files()->topLevelItem(0)->text(0), "/a");
  const QTreeWidgetItem* anna = f.Item("/a/mobile/picture/anna.jpg");
  ASSERT_TRUE(anna);
  EXPECT_EQ(anna->text(0), "anna.jpg");
  EXPECT_EQ(anna->parent(), f.Item("/a/mobile/picture/"));
  EXPECT_EQ(anna->text(1).toULongLong(), f.PhoneFile("/a/mobile/picture/anna.jpg")->size());
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
  f.Select({"/a/mobile/picture/anna.jpg"});
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
  EXPECT_TRUE(f.Item("/a/mobile/picture/small.bin")) << "the tree shows it";

  test::WriteBytes(f.dir.File("small.bin"), "other");
  f.Select({"/a/mobile/picture/small.bin"});
  f.phone.shell.openAnswers = {f.dir.File("small.bin")};
  f.Press("FilesUpload");
  EXPECT_EQ(f.PhoneFile("/a/mobile/picture/small.bin"), std::string("\x00\x01small", 7))
      << "not replaced on No";
  f.phone.shell.openAnswers = {f.dir.File("small.bin")};
  f.phone.shell.yesNoAnswers = {true};
  f.Press("FilesUpload");
  EXPECT_EQ(f.PhoneFile("/a/mobile/picture/small.bin"), "other");

  f.Select({"/a/mobile/picture/small.bin"});
  f.phone.shell.yesNoAnswers = {true};
  f.Press("FilesDelete");
  EXPECT_EQ(f.phone.shell.noByDefault.size(), 1u);
  EXPECT_FALSE(f.PhoneFile("/a/mobile/picture/small.bin"));
  EXPECT_FALSE(f.Item("/a/mobile/picture/small.bin"));
  EXPECT_TRUE(f.phone.shell.messages.empty());

  // A new folder goes next to the selected file; the phone refuses the same name twice.
  f.Select({"/a/mobile/picture/anna.jpg"});
  f.page->askFolderName = [] { return QString("Отпуск 2007"); };
  f.Press("FilesMakeFolder");
  EXPECT_TRUE(f.phone.shell.messages.empty());
  EXPECT_TRUE(f.Item("/a/mobile/picture/Отпуск 2007/")) << "shown while it holds no file";
  f.Select({"/a/mobile/picture/anna.jpg"});
  f.Press("FilesMakeFolder");
  ASSERT_EQ(f.phone.shell.messages.size(), 1u);
  EXPECT_NE(f.phone.shell.messages[0].text.find("/a/mobile/picture/Отпуск 2007"), std::string::npos)
      << f.phone.shell.messages[0].text;

  // A selected folder is removed with what it holds; then the name is free again.
  f.phone.shell.messages.clear();
  test::WriteBytes(f.dir.File("inside.txt"), "x");
  f.Select({"/a/mobile/picture/Отпуск 2007/"});
  f.phone.shell.openAnswers = {f.dir.File("inside.txt")};
  f.Press("FilesUpload");
  ASSERT_TRUE(f.PhoneFile("/a/mobile/picture/Отпуск 2007/inside.txt"));
  f.Select({"/a/mobile/picture/Отпуск 2007/"});
  f.phone.shell.yesNoAnswers = {true};
  f.Press("FilesDelete");
  EXPECT_FALSE(f.PhoneFile("/a/mobile/picture/Отпуск 2007/inside.txt"));
  EXPECT_FALSE(f.Item("/a/mobile/picture/Отпуск 2007/"));
  f.Select({"/a/mobile/picture/anna.jpg"});
  f.Press("FilesMakeFolder");
  EXPECT_TRUE(f.phone.shell.messages.empty()) << f.phone.shell.messages[0].text;
}

// Files dropped from the file manager go into the folder under the pointer. A download keeps the
// folders below the one the selection shares, so a folder arrives whole and two files of one
// name do not meet; a drag out to the file manager carries the same copies.
TEST(PhoneFilesPageTest, DropUploadsIntoTheFolderAndDownloadsAndDragsKeepTheTree) {
  FilesPage f;
  f.window.resize(900, 700);
  f.tabs->resize(900, 700);
  f.window.show();
  f.Press("FilesRefresh");
  test::WriteBytes(f.dir.File("anna.jpg"), "another anna");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(f.dir.File("anna.jpg")))});
  QTreeWidgetItem* audio = f.Item("/a/mobile/audio/");
  f.page->Files()->scrollToItem(audio);
  const QPoint at = f.page->Files()->visualItemRect(audio).center();
  // As the toolkit delivers a drop: to the widget that accepted the drag's entry.
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.page->Files()->viewport(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.page->Files()->viewport(), &drop);
  EXPECT_EQ(f.PhoneFile("/a/mobile/audio/anna.jpg"), "another anna");

  f.Select({"/a/mobile/picture/anna.jpg", "/a/mobile/audio/anna.jpg"});
  f.page->chooseFolder = [&] { return QString::fromStdString(f.dir.File("got")); };
  std::filesystem::create_directory(f.dir.File("got"));
  f.Press("FilesDownload");
  EXPECT_EQ(test::ReadBytes(f.dir.File("got/picture/anna.jpg")),
            f.PhoneFile("/a/mobile/picture/anna.jpg"));
  EXPECT_EQ(test::ReadBytes(f.dir.File("got/audio/anna.jpg")), "another anna");

  f.Select({"/a/mobile/picture/"});
  f.page->chooseFolder = [&] { return QString::fromStdString(f.dir.File("whole")); };
  std::filesystem::create_directory(f.dir.File("whole"));
  f.Press("FilesDownload");
  int files = 0;
  f.phone.server.InspectFiles([&](const emu::P2KPhone& p2k) {
    for (const emu::P2KFile& file : p2k.Files()) {
      if (!file.path.starts_with("/a/mobile/picture/")) continue;
      ++files;
      EXPECT_EQ(test::ReadBytes(f.dir.File("whole/picture/" + file.path.substr(18))),
                std::string(file.contents.begin(), file.contents.end()));
    }
  });
  EXPECT_EQ(files, 4);

  f.Select({"/a/mobile/audio/anna.jpg"});
  const QList<QUrl> dragged = f.page->DragOut();
  ASSERT_EQ(dragged.size(), 1);
  EXPECT_EQ(dragged[0].fileName(), "anna.jpg");
  EXPECT_EQ(test::ReadBytes(dragged[0].toLocalFile().toStdString()), "another anna");
  EXPECT_TRUE(f.phone.shell.messages.empty());
}

}  // namespace
}  // namespace quorix::ui
