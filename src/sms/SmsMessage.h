#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorix::sms {

// How a part's text was carried.
enum class SmsAlphabet { Gsm7, Data8, Ucs2 };

// The kind of a PDU, from its first octet and where it was stored.
enum class SmsKind { Deliver, Submit, StatusReport, Unknown };

// The service centre's time stamp of a received message, as the phone's network gave it.
struct SmsTime {
  int year = 0;  // four digits
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int zoneQuarters = 0;  // the zone in quarters of an hour east of UTC, negative west

  bool operator==(const SmsTime&) const = default;
};

// The header that joins the parts of a long message.
struct SmsConcat {
  int reference = 0;  // 8 or 16 bits
  int total = 0;      // parts in the message, 1..255
  int sequence = 0;   // this part's number, 1..total

  bool operator==(const SmsConcat&) const = default;
};

// One PDU as the phone listed it and what the decoder made of it.
struct SmsPart {
  std::string store;  // the message store it was read from ("ME", "SM", "IM"…)
  int index = 0;      // its index in that store
  int status = 0;     // the listing's stat: 0 received unread, 1 received read, 2 stored unsent,
                      // 3 stored sent
  std::string pdu;    // the PDU's hex exactly as the phone sent it, service centre included

  // What the decoder read; when decoded is false, problem says why and only the raw PDU counts.
  bool decoded = false;
  std::string problem;
  SmsKind kind = SmsKind::Unknown;
  std::string serviceCentre;    // "+79219990000", empty when the PDU names none
  std::string number;           // the sender (Deliver) or recipient (Submit), "+" for international
  std::optional<SmsTime> time;  // a Deliver's time stamp
  SmsAlphabet alphabet = SmsAlphabet::Gsm7;
  std::string text;  // UTF-8; for 8-bit data the bytes as hex
  std::optional<SmsConcat> concat;
};

// Where a message stands, from the listing's stat.
enum class SmsDirection { Received, Sent, Draft };
SmsDirection DirectionOf(int status);

// A message whole: one part, or the parts of a long message joined in their order.
struct SmsMessage {
  std::vector<SmsPart> parts;  // by sequence; at least one
  SmsDirection direction = SmsDirection::Received;
  bool read = true;  // false for a received message not yet read
  std::string number;
  std::optional<SmsTime> time;
  std::string text;               // the parts' texts joined, "[…]" where a part is missing
  std::vector<int> missingParts;  // sequence numbers of parts the phone did not give
  bool decoded = true;            // false when any part could not be read
};

// Why the decoder could not read a message: its parts' problems, each once, joined by "; "; empty
// when it read every part.
std::string WhyUndecoded(const SmsMessage& message);

}  // namespace quorix::sms
