#include "phone-emulator/SamplePhone.h"

#include <cstdio>
#include <string>

#include "codec/Ucs2.h"
#include "phone-emulator/EmulatedPhone.h"
#include "phone-emulator/SampleMessages.h"

namespace quorix::emu {

namespace {

enum NumberType { kWork = 0, kHome = 1, kMain = 2, kMobile = 3, kFax = 4, kPager = 5, kEmail = 6 };
constexpr int kMailingList = 7;
// What the phone reports as the type of a SIM record.
constexpr int kSimType = 8;

enum CategoryNumber {
  kGeneral = 1,
  kVip = 2,
  kBusiness = 3,
  kFamily = 4,
  kFriends = 5,
  kSport = 8,
  kAbroad = 9
};

std::string Text(const char* utf8) {
  return EncodeUcs2Hex(std::string(utf8));
}

PhonebookRecord Entry(const char* name, std::string number, int type, int category, bool primary) {
  const bool address = type == kEmail || type == kMailingList;
  std::string format = address ? "128" : (number.front() == '+' ? "145" : "129");
  return PhonebookRecord{.number = std::move(number),
                         .numberFormat = std::move(format),
                         .name = Text(name),
                         .numberType = std::to_string(type),
                         .voiceLabel = std::string(1, '0'),
                         .melody = std::string("255"),
                         .field7 = std::string(1, '0'),
                         .primary = std::string(1, primary ? '1' : '0'),
                         .category = std::to_string(category),
                         .field10 = std::string("255"),
                         .field11 = std::string("255"),
                         .field12 = std::string(1, '0'),
                         .picture = {},
                         .field14 = std::string(1, '0'),
                         .field15 = std::string(1, '0'),
                         .address = {},
                         .birthday = {}};
}

PhonebookRecord WithMelody(PhonebookRecord r, int melody) {
  r.melody = std::to_string(melody);
  return r;
}

PhonebookRecord WithPicture(PhonebookRecord r, const char* path) {
  r.picture = Text(path);
  return r;
}

PhonebookRecord WithPersonal(PhonebookRecord r, const char* nickname, const char* birthday) {
  r.address[6] = Text(nickname);
  r.birthday = birthday;
  return r;
}

PhonebookRecord WithAddress(PhonebookRecord r, const char* district, const char* street,
                            const char* city, const char* region, const char* postalCode,
                            const char* country) {
  r.address[0] = Text(district);
  r.address[1] = Text(street);
  r.address[2] = Text(city);
  r.address[3] = Text(region);
  r.address[4] = Text(postalCode);
  r.address[5] = Text(country);
  return r;
}

void LoadCategories(EmulatedPhone& phone) {
  phone.PutCategory(kVip, {Text("VIP"), "8", "0", "1"});
  phone.PutCategory(kBusiness, {Text("Работа"), "255", "0", "0"});
  phone.PutCategory(kFamily, {Text("Семья"), "7", "0", "4"});
  phone.PutCategory(kFriends, {Text("Друзья"), "12", "0", "2"});
  phone.PutCategory(kSport, {Text("Спорт"), "255", "0", "6"});
  phone.PutCategory(kAbroad, {Text("Друзья №1"), "255", "0", "0"});
}

void LoadPhoneMemory(EmulatedPhone& phone) {
  // Placed from the phone's first record on.
  const auto put = [&phone](int index, PhonebookRecord r) {
    phone.PutRecord(phone.FirstPhoneIndex() - 1 + index, std::move(r));
  };
  put(1, WithMelody(Entry("Мама", "+79161234501", kMobile, kFamily, true), 7));
  put(2, WithMelody(Entry("Мама", "+74951234502", kHome, kFamily, false), 7));
  put(3, Entry("Папа", "+79161234503", kMobile, kFamily, true));
  put(4, Entry("Папа", "+74957654321", kWork, kFamily, false));
  put(5, WithPersonal(
             WithPicture(
                 WithMelody(Entry("Анна Смирнова", "+79031112233", kMobile, kFriends, true), 12),
                 "/a/mobile/picture/anna.jpg"),
             "Аня", "03-15-1985"));
  put(6, Entry("Анна Смирнова", "anna.smirnova@mail.ru", kEmail, kFriends, false));
  put(7, WithAddress(Entry("Alex Johnson", "+14155550123", kMobile, kBusiness, true), "SoMa",
                     "1 Market St", "San Francisco", "CA", "94105", "USA"));
  put(8, Entry("Alex Johnson", "+14155550199", kFax, kBusiness, false));
  put(9, Entry("Alex Johnson", "alex.johnson@example.com", kEmail, kBusiness, false));
  put(11,
      WithPersonal(WithAddress(Entry("Дмитрий Козлов", "+79265554433", kMobile, kBusiness, true),
                               "Центральный", "ул. Ленина 12", "Москва", "Московская обл.",
                               "101000", "Россия"),
                   "", "11-02-1979"));
  put(12, Entry("Дмитрий Козлов", "84952223344", kWork, kBusiness, false));
  put(13, Entry("Дмитрий Козлов", "84953334455", kMain, kBusiness, false));
  put(14, WithPersonal(WithPicture(Entry("Ольга Иванова", "+79057778899", kMobile, kVip, true),
                                   "/a/mobile/picture/olga.gif"),
                       "Оля", ""));
  put(15, Entry("Ольга Иванова", "+74959990011", kHome, kVip, false));
  put(16, WithMelody(Entry("Сергей Петров", "+79169876543", kMobile, kSport, true), 3));
  put(17, Entry("Сергей Петров", "1234", kPager, kSport, false));
  put(20, WithPersonal(Entry("Maria Garcia", "+34612345678", kMobile, kFriends, true), "Mari",
                       "07-04-1990"));
  put(21, Entry("Maria Garcia", "+34911234567", kHome, kFriends, false));
  put(22, WithMelody(Entry("Бабушка", "+74951112233", kHome, kFamily, true), 6));
  put(23, Entry("Такси", "84956660066", kWork, kGeneral, true));
  put(24, Entry("Баланс", "*100#", kMain, kGeneral, true));
  put(25, WithPicture(Entry("Елена Кузнецова", "+79217770011", kMobile, kBusiness, true),
                      "/a/mobile/picture/elena.png"));
  put(26, Entry("Елена Кузнецова", "elena.k@yandex.ru", kEmail, kBusiness, false));
  put(27, WithPersonal(Entry("Игорь Соколов", "+79038881122", kMobile, kSport, true), "Гоша",
                       "12-30-1982"));
  put(28, WithAddress(Entry("John Smith", "+442071234567", kWork, kBusiness, true), "Westminster",
                      "10 Downing St", "London", "", "SW1A 2AA", "UK"));
  put(29, Entry("Новости клуба", "news@football-club.ru", kMailingList, kSport, true));
  put(30, Entry("Врач", "+74953332211", kWork, kGeneral, true));
  put(31, WithMelody(Entry("Николай Орлов", "+79112223344", kMobile, kFriends, true), 14));
  put(32, WithMelody(Entry("Николай Орлов", "+78122223344", kHome, kFriends, false), 14));
  put(35, Entry("Пицца", "84957371111", kWork, kGeneral, true));
  // Names in the alphabets of the people who still own such phones, at their true code points.
  put(36, Entry("Ёжик в тумане", "+79160000036", kMobile, kFriends, true));
  put(37, Entry("Офис №2", "84950000037", kWork, kBusiness, true));
  put(38, Entry("Київ Їжак", "+380440000038", kMobile, kAbroad, true));
  put(39, Entry("Ўладзімір", "+375170000039", kMobile, kAbroad, true));
  put(40, Entry("Müller Zoë", "+49300000040", kMobile, kAbroad, true));
  put(41, Entry("Łódź", "+48420000041", kWork, kAbroad, true));
  put(42, Entry("Ελένη", "+302100000042", kMobile, kAbroad, true));
  put(43, Entry("李小龍", "+85200000043", kMobile, kAbroad, true));
  put(44, Entry("Кафе; бар \"Ромашка\"", "84950000044", kWork, kGeneral, true));
}

void LoadSim(EmulatedPhone& phone) {
  struct SimEntry {
    int offset;
    const char* name;
    const char* number;
  };
  static constexpr SimEntry kSim[] = {
      {0, "Вера", "+79164441122"},   {1, "Kolya", "+79035556677"}, {2, "Офис", "84951234567"},
      {3, "Taxi", "84956660066"},    {4, "Саша", "+79267778811"},  {5, "Лена", "+79160001122"},
      {6, "Dentist", "84959876543"}, {7, "Гараж", "+79031230000"}, {9, "Work", "+74952020202"},
      {11, "Катя", "+79998887766"},
  };
  // The first two SIM records of the published L6 transcripts.
  static constexpr SimEntry kCapturedL6[] = {
      {0, "Maddy", "+393280000000"},
      {1, "Claudia Amat", "340000000"},
  };
  const bool l6 = phone.Model() == "L6";
  for (const SimEntry& e : kSim) {
    const SimEntry& entry = l6 && e.offset < 2 ? kCapturedL6[e.offset] : e;
    PhonebookRecord r = Entry(entry.name, entry.number, kSimType, kGeneral, true);
    phone.PutRecord(phone.FirstSimIndex() + entry.offset, std::move(r));
  }
}

void LoadDatebook(EmulatedPhone& phone) {
  struct Event {
    const char* title;
    const char* timed;
    const char* alarm;
    const char* start;
    const char* date;
    const char* duration;
    const char* alarmTime;
    const char* alarmDate;
    const char* repeat;
  };
  static constexpr Event kEvents[] = {
      {"Совещание", "1", "1", "10:00", "12-10-2026", "60", "09:45", "12-10-2026", "0"},
      {"День рождения Анны", "0", "1", "00:00", "03-15-2027", "0", "09:00", "03-15-2027", "5"},
      {"Meeting with Alex", "1", "0", "17:00", "12-14-2026", "90", "00:00", "00-00-2000", "0"},
      {"Стоматолог", "1", "1", "08:30", "12-16-2026", "30", "08:00", "12-16-2026", "0"},
      {"Оплатить интернет", "0", "1", "00:00", "12-20-2026", "0", "12:00", "12-20-2026", "3"},
      {"Football", "1", "0", "19:00", "12-11-2026", "120", "00:00", "00-00-2000", "2"},
      {"Отпуск", "0", "0", "00:00", "01-02-2027", "0", "00:00", "00-00-2000", "0"},
      {"Call mom", "1", "1", "20:00", "12-13-2026", "15", "19:55", "12-13-2026", "2"},
      {"Планёрка; отдел №2", "1", "0", "09:30", "12-15-2026", "45", "00:00", "00-00-2000", "2"},
  };
  int index = 0;
  for (const Event& e : kEvents) {
    phone.PutDatebookEvent(index++, {Text(e.title), e.timed, e.alarm, e.start, e.date, e.duration,
                                     e.alarmTime, e.alarmDate, e.repeat});
  }
}

}  // namespace

void LoadSamplePhone(EmulatedPhone& phone) {
  LoadCategories(phone);
  LoadPhoneMemory(phone);
  LoadSim(phone);
  LoadDatebook(phone);
  LoadSampleMessages(phone);
}

void FillPhoneMemory(EmulatedPhone& phone, int count) {
  int placed = 0;
  const int end = phone.FirstPhoneIndex() + phone.PhoneCapacity();
  for (int index = phone.FirstPhoneIndex(); index < end && placed < count; ++index) {
    if (phone.Record(index)) continue;
    ++placed;
    char number[24];
    std::snprintf(number, sizeof number, "+7916%07d", placed);
    const std::string name = (placed % 2 ? "Абонент " : "Contact ") + std::to_string(placed);
    const std::string street = "ул. Садовая " + std::to_string(placed);
    const std::string postalCode = std::to_string(100000 + placed);
    char birthday[16];
    std::snprintf(birthday, sizeof birthday, "%02d-%02d-%04d", placed % 12 + 1, placed % 28 + 1,
                  1950 + placed % 50);
    // Full records, so that a read carries every field an advanced phonebook has.
    phone.PutRecord(
        index, WithPersonal(WithAddress(Entry(name.c_str(), number, placed % 4, kGeneral, true),
                                        "Центральный", street.c_str(), "Москва", "Московская обл.",
                                        postalCode.c_str(), "Россия"),
                            "", birthday));
  }
}

}  // namespace quorix::emu
