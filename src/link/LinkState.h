#pragma once

#include <string>

namespace quorix {

struct LinkState {
  bool PhoneConnected = false;
  std::string PhoneModel;  // the text after the last "=" of the AT+CGMM reply
};

}  // namespace quorix
