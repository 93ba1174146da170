#include "app/ui/PhoneFilesPage.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>

#include "app/AppState.h"
#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "app/ui/PhoneFilesTree.h"
#include "app/ui/Text.h"
#include "base/Translate.h"
#include "link/p2k/PhoneFileTree.h"

namespace quorix::ui {

namespace {

std::string PathOf(const QTreeWidgetItem* item) {
  return item->data(0, Qt::UserRole).toByteArray().toStdString();
}

bool IsFolder(const std::string& path) {
  return path.ends_with('/');
}

// A volume's root ("/a/"): listed, never removed.
bool IsVolume(const std::string& path) {
  return std::count(path.begin(), path.end(), '/') == 2;
}

QTreeWidgetItem* Item(const PhoneFileNode& node, const std::vector<p2k::ListedFile>& files) {
  auto* item = new QTreeWidgetItem;
  item->setText(0, FromCore(node.name));
  item->setData(0, Qt::UserRole, QByteArray::fromStdString(node.path));
  QStyle* style = QApplication::style();
  if (node.file >= 0) {
    item->setIcon(0, style->standardIcon(QStyle::SP_FileIcon));
    item->setText(1, QString::number(files[node.file].size));
    item->setText(2, QString::number(files[node.file].attributes));
  } else {
    item->setIcon(
        0, style->standardIcon(IsVolume(node.path) ? QStyle::SP_DriveHDIcon : QStyle::SP_DirIcon));
  }
  for (const PhoneFileNode& child : node.children) item->addChild(Item(child, files));
  return item;
}

void AddLine(std::string& lines, const std::string& line) {
  if (line.empty()) return;
  if (!lines.empty()) lines += '\n';
  lines += line;
}

void EveryItem(QTreeWidgetItem* item, const std::function<void(QTreeWidgetItem*)>& visit) {
  visit(item);
  for (int child = 0; child < item->childCount(); ++child) EveryItem(item->child(child), visit);
}

}  // namespace

PhoneFilesPage::PhoneFilesPage(const SubsystemHost& host) : QObject(host.window), host_(host) {
  // The dialog opens where the last download went, else in the home folder, as the program's
  // file dialogs do.
  chooseFolder = [this, window = host.window] {
    const QString folder =
        QFileDialog::getExistingDirectory(window, FromCore(Tr("Скачать в папку")),
                                          lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_);
    if (!folder.isEmpty()) lastFolder_ = folder;
    return folder;
  };
  askFolderName = [window = host.window] {
    return QInputDialog::getText(window, FromCore(Tr("Создать папку")),
                                 FromCore(Tr("Имя новой папки:")));
  };
  tree_ = new PhoneFilesTree;
  MakeReportList("PhoneFiles", {{Tr("Имя"), 360}, {Tr("Размер"), 90}, {Tr("Атрибуты"), 80}}, tree_);
  tree_->setRootIsDecorated(true);
  tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  tree_->filesForDrag = [this] { return DragOut(); };
  tree_->dropped = [this](const QStringList& local, QTreeWidgetItem* at) { DropIn(local, at); };
  page_ = new ListPage(tree_, FromCore(Tr("Файлы телефона")),
                       {{"FilesRefresh", N_("Обновить")},
                        {"FilesDownload", N_("Скачать…")},
                        {"FilesUpload", N_("Загрузить в телефон…")},
                        {"FilesDelete", N_("Удалить")},
                        {"FilesMakeFolder", N_("Создать папку")}});
  free_ = new QLabel(page_);
  free_->setObjectName("FreeSpace");
  page_->layout()->addWidget(free_);
  host_.pages->addTab(page_, FromCore(Tr("Файлы телефона")));
  BindPageButtons(page_, host_.commands);
  BindCommands();
}

void PhoneFilesPage::BindCommands() {
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"FilesRefresh", [this] { Refresh(); }},
      {"FilesDownload", [this] { Download(); }},
      {"FilesUpload", [this] { Upload(); }},
      {"FilesDelete", [this] { Delete(); }},
      {"FilesMakeFolder", [this] { MakeFolder(); }}};
  menu_ = new QMenu(tree_);
  for (const auto& [name, handler] : commands) {
    host_.commands.BindCommand(name, handler);
    menu_->addAction(host_.commands.Forward(page_->Button(name)->text(), name));
  }
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menu_->popup(tree_->viewport()->mapToGlobal(at)); });
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
                        Tr("Выделите файлы или папки телефона в списке (кнопка «Обновить» читает "
                           "его)."),
                        MessageIcon::None);
  }
  return !chosen.empty();
}

// A folder arrives whole, with the folders below it; files from several folders keep the tree
// below the folder they share, so two of one name do not meet.
void PhoneFilesPage::Download() {
  const std::vector<std::string> paths = ChosenPaths();
  const std::vector<p2k::ListedFile> chosen = FilesUnder(files_, paths);
  if (!AnyChosen(chosen) || !host_.link.RequireConnection()) return;
  const QString folder = chooseFolder();
  if (folder.isEmpty()) return;
  WithPhoneFiles(Links(), [&](PhoneFiles& files) {
    return DownloadPhoneFiles(files, host_.shell, chosen, ToCore(folder), CommonFolder(paths));
  });
}

QList<QUrl> PhoneFilesPage::DragOut() {
  const std::vector<std::string> paths = ChosenPaths();
  const std::vector<p2k::ListedFile> chosen = FilesUnder(files_, paths);
  if (chosen.empty() || !host_.link.RequireConnection()) return {};
  // A fresh private folder for each drag, so that it carries only what it downloaded; it lives
  // until the next drag, as the file manager copies from it after the drop.
  dragFolder_ = std::make_unique<QTemporaryDir>();
  if (!dragFolder_->isValid()) {
    host_.shell.Message(Tr("Внимание!"), ToCore(dragFolder_->errorString()), MessageIcon::Warning);
    return {};
  }
  const std::string folder = ToCore(dragFolder_->path());
  WithPhoneFiles(Links(), [&](PhoneFiles& files) {
    return DownloadPhoneFiles(files, host_.shell, chosen, folder, CommonFolder(paths));
  });
  if (host_.state.AbortRequested) return {};
  QList<QUrl> urls;
  for (const QFileInfo& entry :
       QDir(dragFolder_->path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
    urls << QUrl::fromLocalFile(entry.absoluteFilePath());
  }
  return urls;
}

void PhoneFilesPage::Upload() {
  if (!host_.link.RequireConnection()) return;
  const auto local =
      host_.shell.ChooseOpenFile({Tr("Загрузить в телефон"), Tr("Все файлы|*"), "", ""});
  if (!local) return;
  UploadFiles({FromCore(*local)}, TargetFolder());
}

void PhoneFilesPage::DropIn(const QStringList& localFiles, QTreeWidgetItem* at) {
  if (!host_.link.RequireConnection()) return;
  UploadFiles(localFiles,
              UploadFolderFor(at ? std::optional<std::string>(PathOf(at)) : std::nullopt));
}

void PhoneFilesPage::UploadFiles(const QStringList& localFiles, const std::string& phoneFolder) {
  ThenRefresh([&](PhoneFiles& files) {
    std::string failures;
    for (const QString& local : localFiles) {
      // Folders hold what the user may not mean to send; files are named one by one.
      if (!QFileInfo(local).isFile()) {
        AddLine(failures, ToCore(local) + Tr(": не файл, не загружено"));
        continue;
      }
      AddLine(failures, UploadPhoneFile(files, host_.shell, ToCore(local), phoneFolder));
      if (files.Stopped()) break;
    }
    return failures;
  });
}

void PhoneFilesPage::Delete() {
  const std::vector<std::string> paths = ChosenPaths();
  const std::vector<p2k::ListedFile> chosen = FilesUnder(files_, paths);
  const std::vector<std::string> folders = ChosenFolders();
  if (folders.empty() && !AnyChosen(chosen)) return;
  if (!host_.link.RequireConnection()) return;
  std::string what = chosen.size() == 1 && folders.empty()
                         ? chosen.front().name
                         : std::to_string(chosen.size()) + Tr(" файлов");
  if (!folders.empty()) what += Tr(" и папок: ") + std::to_string(folders.size());
  if (!host_.shell.AskBeforeDestroying(Tr("Внимание!"), Tr("Удалить из телефона ") + what + "?"))
    return;
  ThenRefresh([&](PhoneFiles& files) {
    std::string failures = DeletePhoneFiles(files, chosen);
    AddLine(failures, RemovePhoneFolders(files, folders));
    std::erase_if(madeFolders_, [&](const std::string& made) {
      return std::any_of(folders.begin(), folders.end(),
                         [&](const std::string& gone) { return made.starts_with(gone); });
    });
    return failures;
  });
}

// The new folder goes into the selected folder, or beside the selected file, as an upload would.
void PhoneFilesPage::MakeFolder() {
  if (!host_.link.RequireConnection()) return;
  const std::string name = ToCore(askFolderName().trimmed());
  if (name.empty()) return;
  const std::string folder = TargetFolder();
  ThenRefresh([&](PhoneFiles& files) {
    std::string failure = MakePhoneFolder(files, folder, name);
    if (failure.empty()) madeFolders_.push_back(folder + name + "/");
    return failure;
  });
}

std::string PhoneFilesPage::TargetFolder() const {
  const std::vector<std::string> paths = ChosenPaths();
  return UploadFolderFor(paths.empty() ? std::nullopt : std::optional<std::string>(paths.front()));
}

std::vector<std::string> PhoneFilesPage::ChosenPaths() const {
  std::vector<std::string> paths;
  for (const QTreeWidgetItem* item : tree_->selectedItems()) paths.push_back(PathOf(item));
  return paths;
}

std::vector<std::string> PhoneFilesPage::ChosenFolders() const {
  std::vector<std::string> folders;
  for (QTreeWidgetItem* item : tree_->selectedItems()) {
    EveryItem(item, [&](QTreeWidgetItem* below) {
      const std::string path = PathOf(below);
      if (IsFolder(path) && !IsVolume(path) &&
          std::find(folders.begin(), folders.end(), path) == folders.end())
        folders.push_back(path);
    });
  }
  return folders;
}

void PhoneFilesPage::Show(const PhoneFileSummary& summary) {
  // The first listing opens every folder; later ones keep open the folders open before.
  const bool first = tree_->topLevelItemCount() == 0;
  QSet<QByteArray> open;
  for (int top = 0; top < tree_->topLevelItemCount(); ++top) {
    EveryItem(tree_->topLevelItem(top), [&](QTreeWidgetItem* item) {
      if (item->isExpanded()) open.insert(item->data(0, Qt::UserRole).toByteArray());
    });
  }
  files_ = summary.files;
  tree_->clear();
  for (const PhoneFileNode& root : PhoneFileTree(files_, summary.volumes, madeFolders_)) {
    QTreeWidgetItem* item = Item(root, files_);
    tree_->addTopLevelItem(item);
    item->setExpanded(true);
    EveryItem(item, [&](QTreeWidgetItem* below) {
      if (first || open.contains(below->data(0, Qt::UserRole).toByteArray()))
        below->setExpanded(true);
    });
  }
  QStringList free;
  for (size_t index = 0; index < summary.volumes.size(); ++index) {
    free << (summary.volumes.size() == 1 ? FromCore(Tr("%1 байт")).arg(summary.freeBytes[index])
                                         : FromCore(Tr("%1 — %2 байт"))
                                               .arg(FromCore(summary.volumes[index]))
                                               .arg(summary.freeBytes[index]));
  }
  free_->setText(FromCore(Tr("Свободно: ")) + free.join(", "));
}

}  // namespace quorix::ui
