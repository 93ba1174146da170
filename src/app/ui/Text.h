#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "codec/CodePage.h"

namespace quorix::ui {

// The core speaks code page 1251, widgets speak Unicode: every text crosses here.
inline QString FromAnsi(std::string_view cp1251) {
  return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

inline std::string ToAnsi(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

}  // namespace quorix::ui
