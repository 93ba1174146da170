#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "app/ui/SubsystemHost.h"
#include "link/p2k/PhoneFileActions.h"

class QLabel;
class QTreeWidget;

namespace quorix::ui {

class ListPage;

// The page "Файлы телефона": the phone's files with their sizes and attributes, the free space,
// and the buttons that refresh, download, upload and delete, each one trip to P2K mode and back.
class PhoneFilesPage : public QObject {
  Q_OBJECT

 public:
  explicit PhoneFilesPage(const SubsystemHost& host);

  ListPage* Page() const { return page_; }
  QTreeWidget* Files() const { return list_; }
  QLabel* FreeSpace() const { return free_; }

  // The folder the downloads go to, empty when the user cancels: a dialog unless replaced.
  std::function<QString()> chooseFolder;
  // The name of a new folder, empty when the user cancels: a dialog unless replaced.
  std::function<QString()> askFolderName;

 private:
  void BindCommands();
  void Refresh();
  void Download();
  void Upload();
  void MakeFolder();
  void Delete();
  // Runs work, then lists the files again, in one trip to P2K mode.
  void ThenRefresh(const std::function<std::string(PhoneFiles&)>& work);
  P2KActionLinks Links();
  std::vector<p2k::ListedFile> Chosen() const;
  // Where an upload or a new folder goes: beside the first selected file.
  std::string TargetFolder() const;
  // Tells the user to select files when none is.
  bool AnyChosen(const std::vector<p2k::ListedFile>& chosen) const;
  void Show(const PhoneFileSummary& summary);

  SubsystemHost host_;
  ListPage* page_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLabel* free_ = nullptr;
  std::vector<p2k::ListedFile> files_;  // the rows' files, in the rows' order
  QString lastFolder_;
};

}  // namespace quorix::ui
