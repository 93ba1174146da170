#include "sms/SmsAndroidXml.h"

#include <algorithm>

#include "codec/Utf8.h"
#include "sms/SmsFileWrite.h"
#include "sms/SmsTimeText.h"

namespace quorix::sms {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool XmlCanHold(char32_t code) {
  if (code < 0x20) return code == '\t' || code == '\n' || code == '\r';
  return code != 0xFFFE && code != 0xFFFF;
}

// The text as an attribute value. Tab and line ends go as references, or a reader would turn them
// into spaces.
std::string Attribute(std::string_view text, int& replaced) {
  std::string out;
  while (!text.empty()) {
    Utf8Char c = NextUtf8Char(text);
    const bool broken = c.code == kReplacement && text.substr(0, c.length) != "\xEF\xBF\xBD";
    if (broken || !XmlCanHold(c.code)) {
      c.code = kReplacement;
      ++replaced;
    }
    text.remove_prefix(c.length);
    switch (c.code) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\t':
        out += "&#9;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        AppendUtf8(out, c.code);
    }
  }
  return out;
}

int Type(SmsDirection direction) {
  switch (direction) {
    case SmsDirection::Sent:
      return 2;
    case SmsDirection::Draft:
      return 3;
    case SmsDirection::Received:
      break;
  }
  return 1;
}

std::string Body(const SmsMessage& m) {
  if (m.decoded) return m.text;
  const std::string why = WhyUndecoded(m);
  std::string body = "[Не удалось прочитать";
  if (!why.empty()) body += ": " + why;
  body += "]";
  return m.text.empty() ? body : body + "\n" + m.text;
}

std::string ServiceCentre(const SmsMessage& m) {
  for (const SmsPart& part : m.parts) {
    if (!part.serviceCentre.empty()) return part.serviceCentre;
  }
  return "null";
}

}  // namespace

SmsAndroidXml AndroidXml(const std::vector<SmsMessage>& messages,
                         const std::function<std::string(const std::string& number)>& nameOf,
                         int64_t readingTime) {
  SmsAndroidXml xml;
  xml.text = "<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>\n<smses count=\"" +
             std::to_string(messages.size()) + "\">\n";
  for (const SmsMessage& m : messages) {
    const SmsTime time = m.time && IsCalendarTime(*m.time) ? *m.time : UtcTime(readingTime);
    const std::string name = nameOf(m.number);
    if (!m.decoded) ++xml.undecoded;
    xml.text += "  <sms protocol=\"0\" address=\"" + Attribute(m.number, xml.replaced) +
                "\" date=\"" + std::to_string(EpochSeconds(time) * 1000) + "\" type=\"" +
                std::to_string(Type(m.direction)) + "\" subject=\"null\" body=\"" +
                Attribute(Body(m), xml.replaced) +
                "\" toa=\"null\" sc_toa=\"null\" service_center=\"" +
                Attribute(ServiceCentre(m), xml.replaced) + "\" read=\"" + (m.read ? "1" : "0") +
                "\" status=\"-1\" locked=\"0\" date_sent=\"0\" readable_date=\"" +
                DayMinuteText(time) + "\" contact_name=\"" +
                Attribute(name.empty() ? "(Unknown)" : name, xml.replaced) + "\" />\n";
  }
  xml.text += "</smses>\n";
  return xml;
}

SmsAndroidXml SaveAndroidXml(const std::string& path, const std::vector<SmsMessage>& messages,
                             const std::function<std::string(const std::string& number)>& nameOf,
                             int64_t readingTime) {
  SmsAndroidXml xml = AndroidXml(messages, nameOf, readingTime);
  WriteSmsFile(path, xml.text);
  return xml;
}

}  // namespace quorix::sms
