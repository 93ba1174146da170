#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::emu {

// The emulated phone's own PDU writer: the program's decoder is tested against it, so it shares
// no code with the program.

enum class SmsCoding : uint8_t { Gsm7 = 0x00, Data8 = 0x04, Ucs2 = 0x08 };

struct SmsAddress {
  std::string value;  // digits, or the name an alphanumeric address carries
  uint8_t type;       // 0x91 international, 0x81 national, 0xD0 alphanumeric
};

// "+" and digits are international, digits alone national, anything else a name.
SmsAddress AddressFrom(std::string_view text);

struct SmsTimeStamp {
  int year;  // four digits
  int month;
  int day;
  int hour;
  int minute;
  int second;
  int zoneQuarters;  // quarters of an hour east of UTC, negative west
};

// The header element that joins the parts of a long message, with an 8-bit reference.
struct SmsConcatHeader {
  uint8_t reference;
  uint8_t total;
  uint8_t sequence;
};

struct SmsUserData {
  SmsCoding coding;
  std::string text;  // UTF-8; for 8-bit data the octets themselves
  std::optional<SmsConcatHeader> concat;
};

struct SmsDeliver {
  std::string serviceCentre;  // "+" and digits, or empty for none
  SmsAddress sender;
  SmsTimeStamp time;
  SmsUserData data;
};

struct SmsSubmit {
  std::string serviceCentre;
  SmsAddress recipient;
  std::optional<uint8_t> relativeValidity;
  SmsUserData data;
};

// The PDU as upper-case hex, the service centre's address first, as a listing shows it.
std::string EncodeDeliver(const SmsDeliver& message);
std::string EncodeSubmit(const SmsSubmit& message);

// A text cut into the pieces that fit parts of a long 7-bit message, never between an escape and
// the septet it introduces.
std::vector<std::string> SplitGsm7Text(std::string_view utf8, int septetsPerPart);

}  // namespace quorix::emu
