#pragma once

#include <string>

#include "codec/CodePage.h"
#include "codec/Ucs2.h"

namespace quorix::test {

// UCS2 hex text of a UTF-8 literal, as the phone holds it.
inline std::string Hex(const std::string& utf8) {
  return EncodeUcs2Hex(utf8);
}

}  // namespace quorix::test
