#pragma once

#include <array>
#include <string>

namespace quorix::emu {

// The phone's stored data. Texts the phone keeps in UCS2 are held as upper-case UCS2 hex text;
// numbers, dates and times without their quotes; numeric values as decimal text.

struct PhonebookRecord {
  std::string number;
  std::string numberFormat;  // 129 national, 145 international, 128 e-mail
  std::string name;
  std::string numberType;  // 0 work ... 7 mailing list; SIM records carry 8
  std::string voiceLabel;
  std::string melody;  // 0..9 built-in, 255 default, 10 and up files
  std::string field7;
  std::string primary;
  std::string category;
  std::string field10;
  std::string field11;
  std::string field12;
  std::string picture;
  std::string field14;
  std::string field15;
  // District, street, city, region, postal code, country, nickname.
  std::array<std::string, 7> address;
  std::string birthday;  // mm-dd-yyyy
};

struct CategoryRecord {
  std::string name;
  std::string melody;
  std::string field3;
  std::string light;
};

struct DatebookRecord {
  std::string title;
  std::string timed;
  std::string alarm;
  std::string startTime;  // hh:mm
  std::string startDate;  // mm-dd-yyyy
  std::string duration;   // minutes
  std::string alarmTime;
  std::string alarmDate;
  std::string repeat;  // 0 none ... 5 yearly
};

}  // namespace quorix::emu
