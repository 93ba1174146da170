#pragma once

#include <QString>
#include <ostream>

// Failed comparisons of Qt texts print the text itself.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
