#include "sms/ui/MessagesPage.h"

#include <QBrush>
#include <QHeaderView>
#include <QLayout>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/AppState.h"
#include "app/MessageNames.h"
#include "app/ui/CommandRegistry.h"
#include "app/ui/ListPage.h"
#include "app/ui/Text.h"
#include "base/Clock.h"
#include "base/Shell.h"
#include "base/Translate.h"
#include "link/PhoneConnection.h"
#include "sms/SmsBackupFile.h"
#include "sms/SmsExport.h"
#include "sms/SmsFileWrite.h"
#include "sms/SmsReading.h"
#include "sms/SmsRows.h"

namespace quorix::ui {

namespace {

const char* const kBackupFilter = N_("Сообщения Quorix (*.sms)|*.sms|Все файлы|*");

}  // namespace

MessagesPage::MessagesPage(const SubsystemHost& host) : QObject(host.window), host_(host) {
  conversations_ = MakeReportList("Conversations", sms::ConversationColumns());
  messages_ = MakeReportList("Messages", sms::MessageColumns());
  conversations_->setSelectionMode(QAbstractItemView::SingleSelection);
  page_ = new ListPage(conversations_, FromCore(Tr("Сообщения")),
                       {{"SmsRead", N_("Читать")},
                        {"SmsOpen", N_("Открыть…")},
                        {"SmsSave", N_("Сохранить")},
                        {"SmsExport", N_("Экспорт…")}});
  auto* splitter = new QSplitter(Qt::Horizontal);
  delete page_->layout()->replaceWidget(conversations_, splitter);
  // The selected message whole under the list, where its text can be read and copied.
  auto* right = new QSplitter(Qt::Vertical);
  text_ = new QPlainTextEdit;
  text_->setObjectName("MessageText");
  text_->setReadOnly(true);
  right->addWidget(messages_);
  right->addWidget(text_);
  right->setSizes({330, 130});
  splitter->addWidget(conversations_);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({470, 500});
  messages_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
  host_.pages->addTab(page_, FromCore(Tr("Сообщения")));
  BindPageButtons(page_, host_.commands);
  BindCommands();
  connect(messages_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    text_->setPlainText(item ? item->data(2, Qt::UserRole).toString() : QString());
  });
  connect(conversations_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    ShowConversation(item ? conversations_->indexOfTopLevelItem(item) : -1);
  });
}

void MessagesPage::BindCommands() {
  host_.commands.BindCommand("SmsRead", [this] { Read(); });
  host_.commands.BindCommand("SmsOpen", [this] { Open(); });
  host_.commands.BindCommand("SmsSave", [this] { Save(); });
  host_.commands.BindCommand("SmsExport", [this] { Export(); });
}

void MessagesPage::Read() {
  if (!host_.link.RequireConnection()) return;
  AppState& app = host_.state;
  app.AbortRequested = false;
  const sms::SmsReadOutcome outcome =
      sms::ReadMessages(app.sms, host_.shell, host_.link, host_.clock, app.AbortRequested);
  ShowMessages();
  sms::ReportSmsReading(host_.shell, outcome, app.sms.Messages);
}

void MessagesPage::Open() {
  const auto path =
      host_.shell.ChooseOpenFile({Tr("Открыть сообщения"), Tr(kBackupFilter), "sms", ""});
  if (!path) return;
  sms::OpenMessageBackup(host_.state.sms, host_.shell, host_.clock, *path);
  ShowMessages();
}

bool MessagesPage::AnyMessages() const {
  if (host_.state.sms.Messages.empty()) {
    host_.shell.Message("Quorix", Tr("Нет сообщений: прочитайте их из телефона («Читать»)."),
                        MessageIcon::None);
  }
  return !host_.state.sms.Messages.empty();
}

void MessagesPage::Save() {
  const sms::SmsState& state = host_.state.sms;
  if (!AnyMessages()) return;
  const auto path =
      host_.shell.ChooseSaveFile({Tr("Сохранить сообщения"), Tr(kBackupFilter), "sms", ""});
  if (!path) return;
  try {
    sms::WriteSmsBackup(*path, state.Messages, state.ReadAt);
    host_.shell.SetStatus(1, Tr("Сообщения сохранены в ") + *path);
  } catch (const sms::SmsFileError& e) {
    host_.shell.Message(Tr("Внимание!"), e.what(), MessageIcon::Error);
  }
}

void MessagesPage::Export() {
  const sms::SmsState& state = host_.state.sms;
  if (!AnyMessages()) return;
  const auto path = host_.shell.ChooseSaveFile(
      {Tr("Экспорт сообщений"), Tr("Android XML (*.xml)|*.xml|Текст (*.txt)|*.txt"), "xml", ""});
  if (!path) return;
  try {
    host_.shell.SetStatus(
        1, sms::ExportMessages(*path, state, PhonebookNameOf(host_.state.phonebook)));
  } catch (const sms::SmsFileError& e) {
    host_.shell.Message(Tr("Внимание!"), e.what(), MessageIcon::Error);
  }
}

void MessagesPage::ShowMessages() {
  shown_ = sms::Conversations(host_.state.sms.Messages, PhonebookNameOf(host_.state.phonebook));
  conversations_->clear();
  messages_->clear();
  QList<QTreeWidgetItem*> items;
  for (const sms::ConversationRow& row : sms::ConversationRows(shown_)) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromCore(row.Caption));
    item->setText(1, FromCore(row.Count));
    item->setText(2, FromCore(row.Last));
    items << item;
  }
  conversations_->addTopLevelItems(items);
  if (!items.isEmpty()) conversations_->setCurrentItem(items.front());
}

void MessagesPage::ShowConversation(int row) {
  messages_->clear();
  text_->clear();
  if (row < 0 || row >= static_cast<int>(shown_.size())) return;
  QList<QTreeWidgetItem*> items;
  for (const sms::MessageRow& message : sms::MessageRows(shown_[row])) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromCore(message.Date));
    item->setText(1, FromCore(message.Direction));
    item->setText(2, FromCore(message.Line));
    item->setData(2, Qt::UserRole, FromCore(message.Text));
    if (message.Undecoded) item->setForeground(2, QBrush(Qt::darkRed));
    items << item;
  }
  messages_->addTopLevelItems(items);
  if (!items.isEmpty()) messages_->setCurrentItem(items.back());
}

}  // namespace quorix::ui
