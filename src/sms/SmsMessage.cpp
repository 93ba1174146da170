#include "sms/SmsMessage.h"

namespace quorix::sms {

SmsDirection DirectionOf(int status) {
  switch (status) {
    case 2:
      return SmsDirection::Draft;
    case 3:
      return SmsDirection::Sent;
    default:
      return SmsDirection::Received;
  }
}

}  // namespace quorix::sms
