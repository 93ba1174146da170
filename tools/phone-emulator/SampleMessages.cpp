#include "phone-emulator/SampleMessages.h"

#include <array>
#include <string>

#include "phone-emulator/EmulatedPhone.h"
#include "phone-emulator/SmsPduEncoder.h"

namespace quorix::emu {

namespace {

enum Stat { kUnread = 0, kRead = 1, kUnsent = 2, kSent = 3 };

// An operator's service centre in Moscow.
constexpr const char* kServiceCentre = "+79168999100";
// Moscow's +03:00 in quarters of an hour, before the summer time of 2007.
constexpr int kMoscow = 12;
// The phone's owner in California on a trip: -07:00.
constexpr int kCalifornia = -28;
// A long 7-bit message's part: 160 septets less the 7 its header takes.
constexpr int kSeptetsPerPart = 153;
// Octets a data message may carry, outside any alphabet.
constexpr const char kData[] = "\x01\x23\x45\x67\x89\xAB\xCD\xEF\x00\xFF";

SmsTimeStamp At(int month, int day, int hour, int minute, int second, int zone = kMoscow) {
  return {2007, month, day, hour, minute, second, zone};
}

SmsUserData Gsm7(std::string text) {
  return {SmsCoding::Gsm7, std::move(text), std::nullopt};
}

SmsUserData Ucs2(std::string text) {
  return {SmsCoding::Ucs2, std::move(text), std::nullopt};
}

StoredMessage Received(int stat, const char* sender, SmsTimeStamp time, SmsUserData data) {
  return {stat, EncodeDeliver({kServiceCentre, AddressFrom(sender), time, std::move(data)})};
}

StoredMessage Stored(int stat, const char* recipient, std::optional<uint8_t> validity,
                     SmsUserData data) {
  return {stat, EncodeSubmit({kServiceCentre, AddressFrom(recipient), validity, std::move(data)})};
}

}  // namespace

void LoadSampleMessages(EmulatedPhone& phone) {
  const auto me = [&phone](int index, StoredMessage message) {
    phone.PutMessage(MessageMemory::Phone, index, std::move(message));
  };
  // Senders and recipients from the sample phonebook, so that names can be matched.
  me(1, Received(kRead, "+79161234501", At(1, 12, 18, 5, 33),
                 Ucs2("Позвони мне, когда освободишься.")));
  me(2, Received(kRead, "+79031112233", At(2, 9, 12, 41, 7),
                 Ucs2("Привет! Как дела? Встречаемся в 19:00 у метро.")));
  me(3, Received(kRead, "+14155550123", At(3, 2, 9, 15, 0, kCalifornia),
                 Gsm7("Price: 5€ [sale] {today}")));

  // A long message whose second part was stored first.
  const std::string directions =
      "Hi! Here is the way to the dacha for Saturday. Take the train from Leningradsky station "
      "to Kryukovo, the one at 9:40 is the fastest. At Kryukovo go out to the square, turn left "
      "and walk past the market to the bus stop. Bus 23 runs every half hour; get off at "
      "Lesnaya, the sixth stop. Walk back fifty metres, turn right onto the dirt road and go on "
      "to the green gate with the wooden sign. Call me if you get lost. Sergey";
  const auto parts = SplitGsm7Text(directions, kSeptetsPerPart);
  const std::array<int, 3> partIndex = {5, 4, 6};
  for (size_t i = 0; i < parts.size() && i < partIndex.size(); ++i) {
    SmsUserData part = Gsm7(parts[i]);
    part.concat =
        SmsConcatHeader{0x2A, static_cast<uint8_t>(parts.size()), static_cast<uint8_t>(i + 1)};
    me(partIndex[i],
       Received(kRead, "+79169876543", At(3, 15, 20, 30, static_cast<int>(i)), std::move(part)));
  }

  me(7, Received(kUnread, "+79057778899", At(3, 20, 8, 2, 45),
                 Gsm7("Don't forget: tomorrow 10:00, room 214. Olga")));
  // A national number that is in no contact.
  me(8, Received(kRead, "89857770000", At(11, 6, 14, 22, 10),
                 Gsm7("Your order 5817 is ready for pickup.")));
  // Characters that exports must escape, and a control character.
  me(9, Received(kRead, "+79038881122", At(11, 14, 23, 59, 59),
                 Ucs2("a<b & \"c\" 'd'\x01"
                      "e")));
  me(10, Received(kRead, "+79852220100", At(11, 20, 10, 0, 0),
                  {SmsCoding::Data8, std::string(kData, sizeof kData - 1), std::nullopt}));
  me(11, Received(kRead, "MTS", At(12, 1, 9, 0, 0), Gsm7("Balance: 152.40 rub. Thank you!")));
  // A day's validity for the sent one; the draft has none.
  me(12, Stored(kSent, "+79031112233", 0xA7, Ucs2("Да, буду в 19:00.")));
  me(13, Stored(kUnsent, "+79161234503", std::nullopt, Gsm7("Papa, call me tonight.")));

  phone.PutMessage(MessageMemory::Sim, 1,
                   Received(kRead, "+79267778811", At(12, 24, 17, 45, 12),
                            Gsm7("I'm at the entrance, waiting. Sasha")));
}

}  // namespace quorix::emu
