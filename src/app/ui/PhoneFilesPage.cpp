#include "app/ui/PhoneFilesPage.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/AppState.h"
#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "app/ui/Text.h"

namespace quorix::ui {

PhoneFilesPage::PhoneFilesPage(const SubsystemHost& host) : QObject(host.window), host_(host) {
  // The dialog opens where the last download went, else in the home folder, as the program's
  // file dialogs do.
  chooseFolder = [this, window = host.window] {
    const QString folder = QFileDialog::getExistingDirectory(
        window, "Скачать в папку", lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_);
    if (!folder.isEmpty()) lastFolder_ = folder;
    return folder;
  };
  askFolderName = [window = host.window] {
    return QInputDialog::getText(window, "Создать папку", "Имя новой папки:");
  };
  list_ = MakeReportList("PhoneFiles", {{"Имя", 360}, {"Размер", 90}, {"Атрибуты", 80}});
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  page_ = new ListPage(list_, "Файлы телефона",
                       {{"FilesRefresh", "Обновить"},
                        {"FilesDownload", "Скачать…"},
                        {"FilesUpload", "Загрузить в телефон…"},
                        {"FilesDelete", "Удалить"},
                        {"FilesMakeFolder", "Создать папку"}});
  free_ = new QLabel(page_);
  free_->setObjectName("FreeSpace");
  page_->layout()->addWidget(free_);
  host_.pages->addTab(page_, "Файлы телефона");
  BindPageButtons(page_, host_.commands);
  BindCommands();
}

void PhoneFilesPage::BindCommands() {
  host_.commands.BindCommand("FilesRefresh", [this] { Refresh(); });
  host_.commands.BindCommand("FilesDownload", [this] { Download(); });
  host_.commands.BindCommand("FilesUpload", [this] { Upload(); });
  host_.commands.BindCommand("FilesDelete", [this] { Delete(); });
  host_.commands.BindCommand("FilesMakeFolder", [this] { MakeFolder(); });
}

P2KActionLinks PhoneFilesPage::Links() {
  AppState& app = host_.state;
  return {host_.p2k,   host_.link,  app.link,          app.settings.Bluetooth,
          host_.shell, host_.clock, app.AbortRequested};
}

void PhoneFilesPage::ThenRefresh(const std::function<std::string(PhoneFiles&)>& work) {
  PhoneFileSummary summary;
  bool listed = false;
  WithPhoneFiles(Links(), [&](PhoneFiles& files) {
    std::string failure = work(files);
    // A stopped transfer leaves the rest alone, the list too.
    if (files.Stopped()) return failure;
    const std::string listing = ReadPhoneFileSummary(files, summary);
    listed = listing.empty();
    return failure.empty() ? listing : failure;
  });
  if (listed) Show(summary);
}

void PhoneFilesPage::Refresh() {
  if (!host_.link.RequireConnection()) return;
  ThenRefresh([](PhoneFiles&) { return std::string(); });
}

bool PhoneFilesPage::AnyChosen(const std::vector<p2k::ListedFile>& chosen) const {
  if (chosen.empty()) {
    host_.shell.Message("Quorix",
                        "Выделите файлы телефона в списке (кнопка «Обновить» читает его).",
                        MessageIcon::None);
  }
  return !chosen.empty();
}

void PhoneFilesPage::Download() {
  const std::vector<p2k::ListedFile> chosen = Chosen();
  if (!AnyChosen(chosen) || !host_.link.RequireConnection()) return;
  const QString folder = chooseFolder();
  if (folder.isEmpty()) return;
  WithPhoneFiles(Links(), [&](PhoneFiles& files) {
    return DownloadPhoneFiles(files, host_.shell, chosen, ToCore(folder));
  });
}

void PhoneFilesPage::Upload() {
  if (!host_.link.RequireConnection()) return;
  const auto local = host_.shell.ChooseOpenFile({"Загрузить в телефон", "Все файлы|*", "", ""});
  if (!local) return;
  const std::string folder = TargetFolder();
  ThenRefresh(
      [&](PhoneFiles& files) { return UploadPhoneFile(files, host_.shell, *local, folder); });
}

void PhoneFilesPage::Delete() {
  const std::vector<p2k::ListedFile> chosen = Chosen();
  if (!AnyChosen(chosen) || !host_.link.RequireConnection()) return;
  const std::string what =
      chosen.size() == 1 ? chosen.front().name : std::to_string(chosen.size()) + " файлов";
  if (!host_.shell.AskBeforeDestroying("Внимание!", "Удалить из телефона " + what + "?")) return;
  ThenRefresh([&](PhoneFiles& files) { return DeletePhoneFiles(files, chosen); });
}

// The new folder goes next to the selected file, as an upload would.
void PhoneFilesPage::MakeFolder() {
  if (!host_.link.RequireConnection()) return;
  const std::string name = ToCore(askFolderName().trimmed());
  if (name.empty()) return;
  const std::string folder = TargetFolder();
  ThenRefresh([&](PhoneFiles& files) { return MakePhoneFolder(files, folder, name); });
}

std::string PhoneFilesPage::TargetFolder() const {
  const std::vector<p2k::ListedFile> chosen = Chosen();
  return UploadFolderFor(chosen.empty() ? std::nullopt
                                        : std::optional<std::string>(chosen.front().name));
}

std::vector<p2k::ListedFile> PhoneFilesPage::Chosen() const {
  std::vector<p2k::ListedFile> chosen;
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    if (list_->topLevelItem(row)->isSelected()) chosen.push_back(files_[row]);
  }
  return chosen;
}

void PhoneFilesPage::Show(const PhoneFileSummary& summary) {
  files_ = summary.files;
  list_->clear();
  QList<QTreeWidgetItem*> items;
  for (const p2k::ListedFile& file : files_) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromCore(file.name));
    item->setText(1, QString::number(file.size));
    item->setText(2, QString::number(file.attributes));
    items << item;
  }
  list_->addTopLevelItems(items);
  free_->setText(QString("Свободно: %1 байт").arg(summary.freeBytes));
}

}  // namespace quorix::ui
