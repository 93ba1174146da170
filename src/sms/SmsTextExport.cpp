#include "sms/SmsTextExport.h"

#include "base/Translate.h"
#include "codec/Utf8.h"
#include "sms/SmsFileWrite.h"
#include "sms/SmsShownText.h"
#include "sms/SmsTimeText.h"

namespace quorix::sms {

namespace {

// "dd.MM.yyyy HH:mm", two spaces, the arrow and a space.
const std::string kIndent(20, ' ');
const std::string kNoTime(16, ' ');

// The text's lines: LF, CR LF or a lone CR ends one.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::string Heading(const SmsConversation& c) {
  if (c.name.empty()) return c.number.empty() ? Tr("Без номера") : ShownText(c.number);
  return ShownText(c.name) + (c.number.empty() ? "" : ", " + ShownText(c.number));
}

std::string UndecodedProblem(const SmsMessage& m) {
  const std::string why = WhyUndecoded(m);
  return why.empty() ? why : ": " + why;
}

std::string MessageText(const SmsMessage& m) {
  const bool timed = m.time && IsCalendarTime(*m.time);
  std::string out = (timed ? DayMinuteText(*m.time) : kNoTime) +
                    (m.direction == SmsDirection::Received ? "  ← " : "  → ");
  std::vector<std::string> lines;
  if (!m.decoded)
    lines.push_back(Tr("[не удалось прочитать") + ShownText(UndecodedProblem(m)) + "]");
  if (m.decoded || !m.text.empty()) {
    for (const std::string_view line : Lines(m.text)) lines.push_back(ShownText(line));
  }
  if (!m.decoded) {
    for (const SmsPart& part : m.parts) lines.push_back("PDU: " + ShownText(part.pdu));
  }
  if (m.direction == SmsDirection::Draft) lines[0] = Tr("[черновик] ") + lines[0];
  for (size_t k = 0; k < lines.size(); ++k) {
    out += (k == 0 || lines[k].empty() ? "" : kIndent) + lines[k] + "\n";
  }
  return out;
}

}  // namespace

std::string SmsTextExport(const std::vector<SmsConversation>& conversations) {
  std::string text;
  for (const SmsConversation& c : conversations) {
    text += (text.empty() ? "" : "\n") + Heading(c) + "\n";
    for (const SmsMessage& m : c.messages) text += MessageText(m);
  }
  return text;
}

void SaveSmsTextExport(const std::string& path, const std::vector<SmsConversation>& conversations) {
  WriteSmsFile(path, SmsTextExport(conversations));
}

}  // namespace quorix::sms
