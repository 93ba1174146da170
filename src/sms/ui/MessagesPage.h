#pragma once

#include <QObject>
#include <vector>

#include "app/ui/SubsystemHost.h"
#include "sms/SmsConversations.h"

class QPlainTextEdit;
class QTreeWidget;

namespace quorix::ui {

class ListPage;

// The page "Сообщения": the conversations, and the messages of the one selected (date,
// direction, text); "Читать" reads the phone's messages, "Открыть…" a message backup,
// "Сохранить" writes one, "Экспорт…" writes the XML Android's backup apps restore or plain text.
class MessagesPage : public QObject {
  Q_OBJECT

 public:
  explicit MessagesPage(const SubsystemHost& host);

  ListPage* Page() const { return page_; }
  QTreeWidget* ConversationList() const { return conversations_; }
  QTreeWidget* MessageList() const { return messages_; }
  // The selected message's text, whole.
  QPlainTextEdit* MessageText() const { return text_; }
  // Shows the messages the program holds, named from the phonebook as it is now.
  void ShowMessages();

 private:
  void BindCommands();
  void Read();
  void Open();
  void Save();
  void Export();
  void ShowConversation(int row);
  // Tells the user to read the messages first when there are none.
  bool AnyMessages() const;

  SubsystemHost host_;
  ListPage* page_ = nullptr;
  QTreeWidget* conversations_ = nullptr;
  QTreeWidget* messages_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  std::vector<sms::SmsConversation> shown_;
};

}  // namespace quorix::ui
