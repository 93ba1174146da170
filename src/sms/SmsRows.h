#pragma once

#include <string>
#include <vector>

#include "base/ListColumn.h"
#include "sms/SmsConversations.h"

namespace quorix::sms {

// What the messages page shows: the core's rows, which the widgets only render.

struct ConversationRow {
  std::string Caption;  // "Анна (+79211234567)", or the number alone
  std::string Count;    // how many messages
  std::string Last;     // "14.03.2007 09:30", the newest message's time; empty when none has one
};

struct MessageRow {
  std::string Date;  // "14.03.2007 09:30", empty for a sent message or a draft
  std::string Direction;  // "Входящее", "Исходящее", "Черновик"; "(не прочитано)" added
  std::string Line;        // the text on one line: line breaks and control characters as signs
  std::string Text;        // the text whole, its line breaks kept
  bool Undecoded = false;  // shown as such, with its raw PDU
};

std::vector<ListColumn> ConversationColumns();
std::vector<ListColumn> MessageColumns();
std::vector<ConversationRow> ConversationRows(const std::vector<SmsConversation>& conversations);
std::vector<MessageRow> MessageRows(const SmsConversation& conversation);

}  // namespace quorix::sms
