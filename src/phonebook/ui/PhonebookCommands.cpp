#include "phonebook/ui/PhonebookCommands.h"

#include <QAction>
#include <QHeaderView>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/AppState.h"
#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "app/ui/Text.h"
#include "base/Translate.h"
#include "link/PhoneConnection.h"
#include "phonebook/CategoryEditor.h"
#include "phonebook/EntryEditor.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhoneFileReading.h"
#include "phonebook/PhonebookCompaction.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookReader.h"
#include "phonebook/PhonebookWriter.h"
#include "phonebook/UnsavedChanges.h"
#include "phonebook/VCardFile.h"
#include "phonebook/ui/CategoryEditorDialog.h"
#include "phonebook/ui/EntryEditorDialog.h"
#include "phonebook/ui/PhonebookViewBinder.h"

namespace quorix::ui {

PhonebookCommands::PhonebookCommands(const SubsystemHost& host)
    : QObject(host.window), host_(host) {
  BuildPages();
  BuildPopupMenu();
  views_ = new PhonebookViewBinder(host_, {lv_, lvCat_, tr_, popupMenu1_}, this);
  form2_ = new EntryEditorDialog(host_.state, host_.shell, host_.window);
  form4_ = new CategoryEditorDialog(host_.state, host_.shell, host_.window,
                                    [this] { views_->ShowAll(); });
  BindCommands();
  views_->ShowPopupMenus();
}

void PhonebookCommands::BuildPages() {
  lv_ = MakeReportList("LV", EntryListColumns());
  lv_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The column widths are settings: every resize goes into the state that is saved.
  SettingsPage& settings = host_.state.settings;
  connect(lv_->header(), &QHeaderView::sectionResized, this,
          [&settings](int column, int, int size) {
            if (column < static_cast<int>(settings.ColumnWidths.size())) {
              settings.ColumnWidths[column] = size;
            }
          });
  lvCat_ = MakeReportList("LVCat", CategoryListColumns());
  tr_ = new QTreeWidget;
  tr_->setObjectName("Tr");
  tr_->setHeaderHidden(true);
  tr_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  QTabWidget* pages = host_.pages;
  pages->addTab(new ListPage(lv_, "", {}), FromCore(quorix::Tr("Справочник")));
  auto* categories = new ListPage(
      lvCat_, FromCore(quorix::Tr("Меню категорий")),
      {{"Button4", N_("Добавить")}, {"Button5", N_("Редактировать")}, {"Button6", N_("Удалить")}});
  pages->addTab(categories, FromCore(quorix::Tr("Категории")));
  auto* tree = new ListPage(tr_, FromCore(quorix::Tr("Меню категорий")),
                            {{"Button13", N_("Развернуть")}, {"Button14", N_("Свернуть")}});
  pages->addTab(tree, FromCore(quorix::Tr("Дерево категорий")));
  BindPageButtons(categories, host_.commands);
  BindPageButtons(tree, host_.commands);
}

void PhonebookCommands::ApplyColumnWidths() {
  const auto widths = host_.state.settings.ColumnWidths;
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    if (widths[column] == -1) {
      lv_->resizeColumnToContents(column);
    } else if (widths[column] == -2) {
      lv_->setColumnWidth(column, lv_->header()->sectionSizeHint(column));
    } else {
      lv_->setColumnWidth(column, widths[column]);
    }
  }
}

void PhonebookCommands::BuildPopupMenu() {
  CommandRegistry& commands = host_.commands;
  popupMenu1_ = new QMenu(lv_);
  popupMenu1_->setObjectName("PopupMenu1");
  popupMenu1_->addAction(commands.Forward(FromCore(quorix::Tr("Правка")), "ToolButton8"));
  popupMenu1_->addAction(commands.Forward(FromCore(quorix::Tr("&Удалить")), "ToolButton9"));
  popupMenu1_->addAction(
      commands.Forward(FromCore(quorix::Tr("Отменить удаление")), "RestoreEntries"));
  popupMenu1_->addSeparator();
  const std::pair<const char*, const char*> submenus[] = {
      {"AssignCategoryMenu", N_("Назначить категорию")},
      {"MelodyMenu", N_("Мелодия")},
      {"PictureMenu", N_("Картинка")},
      {"TypeMenu", N_("Тип")}};
  for (const auto& [name, caption] : submenus)
    popupMenu1_->addMenu(FromCore(quorix::Tr(caption)))->setObjectName(name);
  lv_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lv_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popupMenu1_->popup(lv_->viewport()->mapToGlobal(at)); });

  // The list's keys and its double click press the commands' buttons; Insert over a row marked
  // removed brings it back instead of adding one.
  auto* insert = new QShortcut(Qt::Key_Insert, lv_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(insert, &QShortcut::activated, this, [this, &commands] {
    bool restored = false;
    commands.Guarded([&] { restored = RestoreRemovedEntries(host_.state); });
    if (restored) {
      views_->ShowAll();
    } else {
      commands.Command("ToolButton7")->trigger();
    }
  });
  const std::pair<QKeySequence, const char*> keys[] = {{Qt::Key_F3, "ToolButton4"},
                                                       {Qt::Key_F4, "ToolButton7"},
                                                       {Qt::Key_F2, "ToolButton8"},
                                                       {Qt::Key_Delete, "ToolButton9"}};
  for (const auto& [key, command] : keys) {
    auto* shortcut = new QShortcut(key, lv_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, commands.Command(command), &QAction::trigger);
  }
  connect(lv_, &QTreeWidget::itemDoubleClicked, commands.Command("ToolButton8"), &QAction::trigger);
  connect(lvCat_, &QTreeWidget::itemDoubleClicked, commands.Command("Button5"), &QAction::trigger);
}

void PhonebookCommands::BindCommands() {
  AppState& app = host_.state;
  Shell& shell = host_.shell;
  CommandRegistry& commands = host_.commands;
  commands.BindCommand("ToolButton4", [this] { ToolButton4Click(); });
  commands.BindCommand("ToolButton7",
                       [this, &app, &shell] { EditEntry(PrepareAddEntry(app, shell)); });
  commands.BindCommand("ToolButton8",
                       [this, &app, &shell] { EditEntry(PrepareEditEntry(app, shell)); });
  commands.BindCommand(
      "ToolButton9", [this, &app, &shell] { ThenShow([&] { RemoveSelectedEntry(app, shell); }); });
  commands.BindCommand("RestoreEntries", [this, &app, &shell] {
    if (RestoreRemovedEntries(app)) {
      views_->ShowAll();
    } else {
      shell.Message(ProgramCaption(),
                    quorix::Tr("Выделите строчки, помеченные для удаления (зачёркнутые)."),
                    MessageIcon::None);
    }
  });
  commands.BindCommand("ToolButton11",
                       [this, &app, &shell] { ToolButton11Click(app, shell, host_.clock); });
  commands.BindCommand("ToolButton12",
                       [this, &app, &shell] { ThenShow([&] { ToolButton12Click(app, shell); }); });
  commands.BindCommand("ExportVCard", [&app, &shell] { ExportVCardClick(app, shell); });
  commands.BindCommand("ImportVCard",
                       [this, &app, &shell] { ThenShow([&] { ImportVCardClick(app, shell); }); });
  commands.BindCommand("Button4", [this, &app, &shell] {
    if (PrepareAddCategory(app, shell)) form4_->Open();
  });
  commands.BindCommand("Button5", [this, &app] {
    if (PrepareEditCategory(app)) form4_->Open();
  });
  commands.BindCommand("Button6", [this, &app, &shell] {
    RemoveSelectedCategory(app, shell);
    views_->ShowAll();
  });
  commands.BindCommand("ToolButton13", [this] {
    if (!host_.link.RequireConnection()) return;
    PhonebookWriteOutcome outcome;
    ThenShow([&] { outcome = UploadPhonebook(host_.state, host_.shell, host_.link, host_.clock); });
    ReportUpload(host_.state, host_.shell, outcome);
  });
  commands.BindCommand("ToolButton16", [this] {
    if (host_.link.RequireConnection())
      FullClear(host_.state, host_.shell, host_.link, host_.clock);
  });
  commands.BindCommand("ToolButton5",
                       [this, &app, &shell] { ThenShow([&] { ToolButton5Click(app, shell); }); });
  commands.BindCommand("Button13", [this] { tr_->expandAll(); });
  commands.BindCommand("Button14", [this] { tr_->collapseAll(); });
}

void PhonebookCommands::ToolButton4Click() {
  if (!host_.link.RequireConnection()) return;
  if (!ConfirmReplacingChanges(host_.state, host_.shell)) return;
  host_.state.AbortRequested = false;
  PhonebookReadOutcome outcome;
  const PhoneFileLinks files{host_.p2k, host_.link, host_.clock};
  ThenShow([&] { outcome = ReadPhonebook(host_.state, host_.shell, host_.link, &files); });
  ReportPhonebookReading(host_.shell, outcome);
}

void PhonebookCommands::EditEntry(bool prepared) {
  if (prepared && form2_->Exec()) views_->ShowAll();
}

// What a command changed before it failed stays in the models, and is shown too.
void PhonebookCommands::ThenShow(const std::function<void()>& command) {
  try {
    command();
  } catch (...) {
    views_->ShowAll();
    throw;
  }
  views_->ShowAll();
}

}  // namespace quorix::ui
