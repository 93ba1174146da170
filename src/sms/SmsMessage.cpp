#include "sms/SmsMessage.h"

#include <algorithm>

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

std::string WhyUndecoded(const SmsMessage& message) {
  std::vector<std::string> problems;
  std::string why;
  for (const SmsPart& part : message.parts) {
    if (part.problem.empty() ||
        std::find(problems.begin(), problems.end(), part.problem) != problems.end())
      continue;
    why += (problems.empty() ? "" : "; ") + part.problem;
    problems.push_back(part.problem);
  }
  return why;
}

}  // namespace quorix::sms
