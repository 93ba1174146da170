#include "sms/SmsRows.h"

#include "base/Translate.h"
#include "sms/SmsShownText.h"
#include "sms/SmsTimeText.h"

namespace quorix::sms {

namespace {

std::string TimeText(const std::optional<SmsTime>& time) {
  return time && IsCalendarTime(*time) ? DayMinuteText(*time) : std::string();
}

// The text whole: its line breaks kept, each line shown as ShownText shows it.
std::string ShownLines(const std::string& text) {
  std::string shown;
  size_t from = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
    shown += ShownText(std::string_view(text).substr(from, end - from)) + "\n";
    from = end + 1;
  }
  return shown + ShownText(std::string_view(text).substr(from));
}

std::string DirectionText(const SmsMessage& message) {
  switch (message.direction) {
    case SmsDirection::Sent:
      return Tr("Исходящее");
    case SmsDirection::Draft:
      return Tr("Черновик");
    case SmsDirection::Received:
      break;
  }
  return message.read ? Tr("Входящее") : Tr("Входящее (не прочитано)");
}

// An undecoded message names why and keeps its raw PDUs in sight.
std::string UndecodedText(const SmsMessage& message) {
  std::string text = Tr("[не распознано");
  if (const std::string why = WhyUndecoded(message); !why.empty()) text += ": " + why;
  text += "] ";
  if (!message.text.empty()) text += message.text + " ";
  text += "PDU";
  for (const SmsPart& part : message.parts) text += " " + part.pdu;
  return text;
}

}  // namespace

std::vector<ListColumn> ConversationColumns() {
  return {{Tr("Собеседник"), 230}, {Tr("Сообщений"), 70}, {Tr("Последнее"), 115}};
}

std::vector<ListColumn> MessageColumns() {
  return {{Tr("Дата"), 115}, {Tr("Направление"), 160}, {Tr("Текст"), 300}};
}

std::vector<ConversationRow> ConversationRows(const std::vector<SmsConversation>& conversations) {
  std::vector<ConversationRow> rows;
  for (const SmsConversation& c : conversations) {
    ConversationRow row;
    const std::string number = c.number.empty() ? Tr("(без номера)") : ShownText(c.number);
    row.Caption = c.name.empty() ? number : ShownText(c.name) + " (" + number + ")";
    row.Count = std::to_string(c.messages.size());
    // Messages come oldest first, those without a time last: the newest timed one names the day.
    for (auto m = c.messages.rbegin(); m != c.messages.rend() && row.Last.empty(); ++m)
      row.Last = TimeText(m->time);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<MessageRow> MessageRows(const SmsConversation& conversation) {
  std::vector<MessageRow> rows;
  for (const SmsMessage& message : conversation.messages) {
    MessageRow row;
    row.Date = TimeText(message.time);
    row.Direction = DirectionText(message);
    row.Undecoded = !message.decoded;
    const std::string text = message.decoded ? message.text : UndecodedText(message);
    row.Line = ShownText(text);
    row.Text = ShownLines(text);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace quorix::sms
