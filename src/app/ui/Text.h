#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quorix::ui {

// The core's texts are UTF-8; widgets hold QString. Every text crosses here.
inline QString FromCore(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToCore(const QString& text) {
  return text.toStdString();
}

}  // namespace quorix::ui
