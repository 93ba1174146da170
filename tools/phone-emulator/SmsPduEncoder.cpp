#include "phone-emulator/SmsPduEncoder.h"

#include <cstdlib>

#include "codec/Utf8.h"
#include "phone-emulator/Gsm7Alphabet.h"

namespace quorix::emu {

namespace {

using Octets = std::vector<uint8_t>;

constexpr uint8_t kInternational = 0x91;
constexpr uint8_t kNational = 0x81;
constexpr uint8_t kAlphanumeric = 0xD0;

constexpr uint8_t kDeliver = 0x00;
constexpr uint8_t kSubmit = 0x01;
// A deliver's "no more messages waiting", as networks send it.
constexpr uint8_t kNoMoreMessages = 0x04;
constexpr uint8_t kRelativeValidity = 0x10;
constexpr uint8_t kHeaderIndicator = 0x40;

constexpr uint8_t kProtocolIdentifier = 0x00;
constexpr uint8_t kConcat8BitReference = 0x00;

uint8_t Semi(char c) {
  if (c == '*') return 0xA;
  if (c == '#') return 0xB;
  return static_cast<uint8_t>(c - '0');
}

// Digits two to an octet, the first in the low nibble, an odd count padded with F.
void AppendSemiOctets(std::string_view digits, Octets& out) {
  for (size_t i = 0; i < digits.size(); i += 2) {
    const uint8_t high = i + 1 < digits.size() ? Semi(digits[i + 1]) : 0xF;
    out.push_back(static_cast<uint8_t>(high << 4 | Semi(digits[i])));
  }
}

uint8_t SwappedBcd(int value) {
  return static_cast<uint8_t>((value % 10) << 4 | (value / 10) % 10);
}

std::vector<uint8_t> Gsm7Septets(std::string_view utf8) {
  std::vector<uint8_t> septets;
  for (char32_t c : Utf8CodePoints(utf8)) AppendGsm7(c, septets);
  return septets;
}

// The service centre's part: its length in octets, then type and digits.
void AppendServiceCentre(std::string_view number, Octets& out) {
  if (number.empty()) {
    out.push_back(0);
    return;
  }
  const bool international = number.front() == '+';
  const std::string_view digits = international ? number.substr(1) : number;
  out.push_back(static_cast<uint8_t>(1 + (digits.size() + 1) / 2));
  out.push_back(international ? kInternational : kNational);
  AppendSemiOctets(digits, out);
}

// An originating or destination address: its length counts useful semi-octets.
void AppendAddress(const SmsAddress& address, Octets& out) {
  if (address.type == kAlphanumeric) {
    const auto septets = Gsm7Septets(address.value);
    out.push_back(static_cast<uint8_t>((septets.size() * 7 + 3) / 4));
    out.push_back(address.type);
    const Octets packed = PackSeptets(septets, 0);
    out.insert(out.end(), packed.begin(), packed.end());
    return;
  }
  out.push_back(static_cast<uint8_t>(address.value.size()));
  out.push_back(address.type);
  AppendSemiOctets(address.value, out);
}

void AppendTimeStamp(const SmsTimeStamp& t, Octets& out) {
  for (int value : {t.year % 100, t.month, t.day, t.hour, t.minute, t.second}) {
    out.push_back(SwappedBcd(value));
  }
  // The sign of the zone is the high bit of its first digit, which sits in the low nibble.
  const uint8_t west = t.zoneQuarters < 0 ? 0x08 : 0x00;
  out.push_back(SwappedBcd(std::abs(t.zoneQuarters)) | west);
}

Octets Ucs2Octets(std::string_view utf8) {
  Octets out;
  const auto put = [&out](char32_t unit) {
    out.push_back(static_cast<uint8_t>(unit >> 8));
    out.push_back(static_cast<uint8_t>(unit & 0xFF));
  };
  for (char32_t c : Utf8CodePoints(utf8)) {
    if (c < 0x10000) {
      put(c);
    } else {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

// The user data length and the user data.
void AppendUserData(const SmsUserData& data, Octets& out) {
  Octets header;
  if (data.concat) {
    header = {5,
              kConcat8BitReference,
              3,
              data.concat->reference,
              data.concat->total,
              data.concat->sequence};
  }
  if (data.coding == SmsCoding::Gsm7) {
    // The septets start at the first septet boundary after the header.
    const int headerBits = static_cast<int>(header.size()) * 8;
    const int headerSeptets = (headerBits + 6) / 7;
    const auto septets = Gsm7Septets(data.text);
    out.push_back(static_cast<uint8_t>(headerSeptets + static_cast<int>(septets.size())));
    out.insert(out.end(), header.begin(), header.end());
    const Octets packed = PackSeptets(septets, headerSeptets * 7 - headerBits);
    out.insert(out.end(), packed.begin(), packed.end());
    return;
  }
  const Octets body = data.coding == SmsCoding::Ucs2 ? Ucs2Octets(data.text)
                                                     : Octets(data.text.begin(), data.text.end());
  out.push_back(static_cast<uint8_t>(header.size() + body.size()));
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), body.begin(), body.end());
}

std::string Hex(const Octets& octets) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (uint8_t octet : octets) {
    hex.push_back(kDigits[octet >> 4]);
    hex.push_back(kDigits[octet & 0xF]);
  }
  return hex;
}

}  // namespace

SmsAddress AddressFrom(std::string_view text) {
  const bool international = !text.empty() && text.front() == '+';
  const std::string_view digits = international ? text.substr(1) : text;
  const bool numeric =
      !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
  if (!numeric) return {std::string(text), kAlphanumeric};
  return {std::string(digits), international ? kInternational : kNational};
}

std::string EncodeDeliver(const SmsDeliver& message) {
  Octets out;
  AppendServiceCentre(message.serviceCentre, out);
  out.push_back(kDeliver | kNoMoreMessages | (message.data.concat ? kHeaderIndicator : 0));
  AppendAddress(message.sender, out);
  out.push_back(kProtocolIdentifier);
  out.push_back(static_cast<uint8_t>(message.data.coding));
  AppendTimeStamp(message.time, out);
  AppendUserData(message.data, out);
  return Hex(out);
}

std::string EncodeSubmit(const SmsSubmit& message) {
  Octets out;
  AppendServiceCentre(message.serviceCentre, out);
  out.push_back(kSubmit | (message.relativeValidity ? kRelativeValidity : 0) |
                (message.data.concat ? kHeaderIndicator : 0));
  // The message reference: the phone gives one only when it sends.
  out.push_back(0);
  AppendAddress(message.recipient, out);
  out.push_back(kProtocolIdentifier);
  out.push_back(static_cast<uint8_t>(message.data.coding));
  if (message.relativeValidity) out.push_back(*message.relativeValidity);
  AppendUserData(message.data, out);
  return Hex(out);
}

std::vector<std::string> SplitGsm7Text(std::string_view utf8, int septetsPerPart) {
  std::vector<std::string> parts(1);
  int used = 0;
  for (char32_t c : Utf8CodePoints(utf8)) {
    const int width = Gsm7Width(c);
    if (used + width > septetsPerPart) {
      parts.emplace_back();
      used = 0;
    }
    AppendUtf8(parts.back(), c);
    used += width;
  }
  return parts;
}

}  // namespace quorix::emu
