#include "sms/SmsFileWrite.h"

#include <system_error>

#include "base/AtomicFile.h"
#include "base/Translate.h"

namespace quorix::sms {

void WriteSmsFile(const std::string& path, std::string_view text) {
  try {
    WriteFileAtomically(path, text);
  } catch (const std::system_error& e) {
    throw SmsFileError(Tr("Не удалось записать файл ") + path + ": " + e.code().message());
  }
}

}  // namespace quorix::sms
