#include "sms/SmsPdu.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "codec/Ucs2.h"
#include "codec/Utf8.h"
#include "sms/Gsm7.h"

namespace quorix::sms {

namespace {

// Where the PDU stopped making sense; it becomes the part's problem.
struct Broken {
  const char* where;
};

// The PDU's octets front to back; a read past their end is Broken.
class Octets {
 public:
  explicit Octets(std::span<const uint8_t> data) : data_(data) {}

  std::span<const uint8_t> Take(size_t count, const char* where) {
    if (count > data_.size()) throw Broken{where};
    const auto taken = data_.first(count);
    data_ = data_.subspan(count);
    return taken;
  }
  uint8_t Next(const char* where) { return Take(1, where)[0]; }

 private:
  std::span<const uint8_t> data_;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::vector<uint8_t> OctetsOfHex(std::string_view hex) {
  // The line's own end may still cling to it.
  constexpr std::string_view kSpace = " \t\r\n";
  const size_t begin = hex.find_first_not_of(kSpace);
  if (begin == std::string_view::npos) throw Broken{"empty"};
  hex = hex.substr(begin, hex.find_last_not_of(kSpace) + 1 - begin);
  if (hex.size() % 2 != 0) throw Broken{"odd hex length"};
  std::vector<uint8_t> octets;
  octets.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexValue(hex[i]);
    const int low = HexValue(hex[i + 1]);
    if (high < 0 || low < 0) throw Broken{"not hex"};
    octets.push_back(static_cast<uint8_t>(high << 4 | low));
  }
  return octets;
}

std::string HexOf(std::span<const uint8_t> octets) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(octets.size() * 2);
  for (const uint8_t octet : octets) {
    hex.push_back(kDigits[octet >> 4]);
    hex.push_back(kDigits[octet & 0xF]);
  }
  return hex;
}

constexpr int kInternational = 1;
constexpr int kAlphanumeric = 5;

// The digits of an address are semi-octets, the low one first; F fills the last octet.
std::string AddressText(uint8_t type, std::span<const uint8_t> value, size_t digits) {
  const int numberType = (type >> 4) & 7;
  if (numberType == kAlphanumeric) return Gsm7ToUtf8(UnpackSeptets(value, 0, digits * 4 / 7));
  static constexpr char kSemiOctets[] = "0123456789*#abc";
  std::string number;
  for (size_t i = 0; i < digits && i / 2 < value.size(); ++i) {
    const unsigned digit = i % 2 == 0 ? value[i / 2] & 0xF : value[i / 2] >> 4;
    if (digit != 0xF) number.push_back(kSemiOctets[digit]);
  }
  if (numberType == kInternational && !number.empty()) number.insert(0, "+");
  return number;
}

// The service centre's length counts octets, its type included.
std::string ServiceCentre(Octets& pdu) {
  const uint8_t length = pdu.Next("service centre");
  if (length == 0) return {};
  const auto field = pdu.Take(length, "service centre");
  return AddressText(field[0], field.subspan(1), (field.size() - 1) * 2);
}

// The TPDU's addresses count digits, not octets.
std::string Address(Octets& pdu, const char* where) {
  const uint8_t digits = pdu.Next(where);
  const uint8_t type = pdu.Next(where);
  return AddressText(type, pdu.Take((digits + 1u) / 2, where), digits);
}

// Seven octets of swapped-nibble decimals; the zone's tens digit carries its sign. A stamp that is
// no date is left out rather than shown wrong.
std::optional<SmsTime> TimeStamp(std::span<const uint8_t> octets) {
  std::array<int, 7> values{};
  for (size_t i = 0; i < values.size(); ++i) {
    const int tens = i == 6 ? octets[i] & 0x7 : octets[i] & 0xF;
    const int units = octets[i] >> 4;
    if (tens > 9 || units > 9) return std::nullopt;
    values[i] = tens * 10 + units;
  }
  SmsTime time;
  // Two digits of year: the service began in the nineties.
  time.year = values[0] + (values[0] >= 90 ? 1900 : 2000);
  time.month = values[1];
  time.day = values[2];
  time.hour = values[3];
  time.minute = values[4];
  time.second = values[5];
  time.zoneQuarters = (octets[6] & 0x8) != 0 ? -values[6] : values[6];
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 ||
      time.minute > 59 || time.second > 59) {
    return std::nullopt;
  }
  return time;
}

struct Coding {
  SmsAlphabet alphabet = SmsAlphabet::Gsm7;
  const char* problem = nullptr;
};

Coding CodingOf(uint8_t scheme) {
  constexpr Coding kReserved{SmsAlphabet::Gsm7, "reserved coding"};
  switch (scheme >> 4) {
    case 0x0:
    case 0x1:
    case 0x2:
    case 0x3:
    // Marked for deletion once read: coded as the general groups.
    case 0x4:
    case 0x5:
    case 0x6:
    case 0x7: {
      if ((scheme & 0x20) != 0) return {SmsAlphabet::Gsm7, "compressed text"};
      constexpr std::array<Coding, 4> kByBits{Coding{SmsAlphabet::Gsm7}, Coding{SmsAlphabet::Data8},
                                              Coding{SmsAlphabet::Ucs2}, kReserved};
      return kByBits[(scheme >> 2) & 3];
    }
    case 0xC:
    case 0xD:
      return {SmsAlphabet::Gsm7};
    case 0xE:
      return {SmsAlphabet::Ucs2};
    case 0xF:
      return {(scheme & 0x04) != 0 ? SmsAlphabet::Data8 : SmsAlphabet::Gsm7};
    default:
      return kReserved;
  }
}

// The first concatenation element that makes sense; an element running past the header ends the
// walk, the text after the header still counts.
std::optional<SmsConcat> ConcatOf(std::span<const uint8_t> header) {
  while (header.size() >= 2) {
    const uint8_t id = header[0];
    const size_t length = header[1];
    if (length > header.size() - 2) break;
    const auto value = header.subspan(2, length);
    header = header.subspan(2 + length);
    std::optional<SmsConcat> concat;
    if (id == 0x00 && length == 3) concat = SmsConcat{value[0], value[1], value[2]};
    if (id == 0x08 && length == 4) concat = SmsConcat{value[0] << 8 | value[1], value[2], value[3]};
    if (concat && concat->sequence >= 1 && concat->sequence <= concat->total) return concat;
  }
  return std::nullopt;
}

std::string Ucs2Text(std::span<const uint8_t> octets) {
  std::string text = DecodeUcs2Hex(HexOf(octets.first(octets.size() / 2 * 2)));
  if (octets.size() % 2 != 0) AppendUtf8(text, 0xFFFD);
  return text;
}

constexpr uint8_t kHeaderIndicator = 0x40;

void ReadUserData(SmsPart& part, uint8_t firstOctet, uint8_t scheme, Octets& pdu) {
  const size_t length = pdu.Next("user data length");
  const Coding coding = CodingOf(scheme);
  part.alphabet = coding.alphabet;
  if (coding.problem != nullptr) {
    part.problem = coding.problem;
    return;
  }
  const bool septets = coding.alphabet == SmsAlphabet::Gsm7;
  const auto data = pdu.Take(septets ? (length * 7 + 7) / 8 : length, "user data length");
  size_t headerOctets = 0;
  if ((firstOctet & kHeaderIndicator) != 0) {
    if (data.empty()) throw Broken{"user data header"};
    headerOctets = 1u + data[0];
  }
  // The header is padded to a septet boundary, and a septet length counts it with its fill.
  const size_t headerSeptets = (headerOctets * 8 + 6) / 7;
  if (headerOctets > data.size() || (septets && headerSeptets > length)) {
    throw Broken{"user data header"};
  }
  if (headerOctets > 0) part.concat = ConcatOf(data.subspan(1, headerOctets - 1));
  const auto body = data.subspan(headerOctets);
  switch (coding.alphabet) {
    case SmsAlphabet::Gsm7: {
      const size_t fill = headerSeptets * 7 - headerOctets * 8;
      part.text = Gsm7ToUtf8(UnpackSeptets(body, fill, length - headerSeptets));
      part.decoded = true;
      break;
    }
    case SmsAlphabet::Ucs2:
      part.text = Ucs2Text(body);
      part.decoded = true;
      break;
    case SmsAlphabet::Data8:
      part.text = HexOf(body);
      part.problem = "8-bit data";
      break;
  }
}

void ReadDeliver(SmsPart& part, uint8_t firstOctet, Octets& pdu) {
  part.number = Address(pdu, "sender address");
  pdu.Next("protocol identifier");
  const uint8_t scheme = pdu.Next("coding scheme");
  part.time = TimeStamp(pdu.Take(7, "time stamp"));
  ReadUserData(part, firstOctet, scheme, pdu);
}

void ReadSubmit(SmsPart& part, uint8_t firstOctet, Octets& pdu) {
  pdu.Next("message reference");
  part.number = Address(pdu, "recipient address");
  pdu.Next("protocol identifier");
  const uint8_t scheme = pdu.Next("coding scheme");
  // By the validity period format bits: none, enhanced, relative, absolute.
  constexpr std::array<size_t, 4> kValidityOctets{0, 7, 1, 7};
  pdu.Take(kValidityOctets[(firstOctet >> 3) & 3], "validity period");
  ReadUserData(part, firstOctet, scheme, pdu);
}

void ReadStatusReport(SmsPart& part, Octets& pdu) {
  pdu.Next("message reference");
  part.number = Address(pdu, "recipient address");
  part.time = TimeStamp(pdu.Take(7, "time stamp"));
  part.problem = "status report";
}

}  // namespace

void DecodePart(SmsPart& part) {
  part.decoded = false;
  part.problem.clear();
  part.kind = SmsKind::Unknown;
  part.serviceCentre.clear();
  part.number.clear();
  part.time.reset();
  part.alphabet = SmsAlphabet::Gsm7;
  part.text.clear();
  part.concat.reset();
  try {
    const std::vector<uint8_t> octets = OctetsOfHex(part.pdu);
    Octets pdu(octets);
    part.serviceCentre = ServiceCentre(pdu);
    const uint8_t firstOctet = pdu.Next("first octet");
    switch (firstOctet & 3) {
      case 0:
        part.kind = SmsKind::Deliver;
        ReadDeliver(part, firstOctet, pdu);
        break;
      case 1:
        part.kind = SmsKind::Submit;
        ReadSubmit(part, firstOctet, pdu);
        break;
      case 2:
        part.kind = SmsKind::StatusReport;
        ReadStatusReport(part, pdu);
        break;
      default:
        part.problem = "reserved message type";
        break;
    }
  } catch (const Broken& broken) {
    part.problem = std::string("broken PDU: ") + broken.where;
  }
}

}  // namespace quorix::sms
