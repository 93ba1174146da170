#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/SubsystemHost.h"
#include "link/p2k/PhoneFileActions.h"

class QLabel;
class QMenu;
class QTreeWidgetItem;

namespace quorix::ui {

class ListPage;
class PhoneFilesTree;

// The page "Файлы телефона": the phone's volumes, folders and files with their sizes and
// attributes, the free space, and the commands that refresh, download, upload, delete and make
// folders, from the buttons, the tree's menu or a drag to or from the file manager; each is one
// trip to P2K mode and back.
class PhoneFilesPage : public QObject {
  Q_OBJECT

 public:
  explicit PhoneFilesPage(const SubsystemHost& host);

  ListPage* Page() const { return page_; }
  PhoneFilesTree* Files() const { return tree_; }
  QLabel* FreeSpace() const { return free_; }
  QMenu* Menu() const { return menu_; }

  // The folder the downloads go to, empty when the user cancels: a dialog unless replaced.
  std::function<QString()> chooseFolder;
  // The name of a new folder, empty when the user cancels: a dialog unless replaced.
  std::function<QString()> askFolderName;

  // What a drag out of the tree carries: the selected items downloaded to a private folder.
  QList<QUrl> DragOut();
  // Local files dropped on the tree: uploaded to the folder of the item at (nullptr: none).
  void DropIn(const QStringList& localFiles, QTreeWidgetItem* at);

 private:
  void BindCommands();
  void Refresh();
  void Download();
  void Upload();
  void UploadFiles(const QStringList& localFiles, const std::string& phoneFolder);
  void MakeFolder();
  void Delete();
  // Runs work, then lists the files again, in one trip to P2K mode.
  void ThenRefresh(const std::function<std::string(PhoneFiles&)>& work);
  P2KActionLinks Links();
  // The phone paths of the selected items, a folder's ending in "/".
  std::vector<std::string> ChosenPaths() const;
  // The folders selected and every folder below them, volumes aside.
  std::vector<std::string> ChosenFolders() const;
  // Where an upload or a new folder goes: the selected folder, or the selected file's.
  std::string TargetFolder() const;
  // Tells the user to select files when none is.
  bool AnyChosen(const std::vector<p2k::ListedFile>& chosen) const;
  void Show(const PhoneFileSummary& summary);

  SubsystemHost host_;
  ListPage* page_ = nullptr;
  PhoneFilesTree* tree_ = nullptr;
  QLabel* free_ = nullptr;
  QMenu* menu_ = nullptr;
  std::vector<p2k::ListedFile> files_;
  // Folders made here that hold no file yet: the phone's listing names files only.
  std::vector<std::string> madeFolders_;
  QString lastFolder_;
  std::unique_ptr<QTemporaryDir> dragFolder_;
};

}  // namespace quorix::ui
