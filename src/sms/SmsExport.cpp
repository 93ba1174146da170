#include "sms/SmsExport.h"

#include <filesystem>

#include "base/Translate.h"
#include "codec/Utf8.h"
#include "sms/SmsAndroidXml.h"
#include "sms/SmsConversations.h"
#include "sms/SmsTextExport.h"

namespace quorix::sms {

std::string ExportMessages(const std::string& path, const SmsState& state,
                           const std::function<std::string(const std::string& number)>& nameOf) {
  std::string told = Tr("Сообщения выгружены в ") + path;
  if (!SameTextNoCase(std::filesystem::path(path).extension().string(), ".xml")) {
    SaveSmsTextExport(path, Conversations(state.Messages, nameOf));
    return told;
  }
  const SmsAndroidXml xml = SaveAndroidXml(path, state.Messages, nameOf, state.ReadAt);
  if (xml.undecoded > 0)
    told += Tr("; не распознано: ") + std::to_string(xml.undecoded) + Tr(" (с пометкой в тексте)");
  if (xml.replaced > 0)
    told += Tr("; символов, которых не может быть в XML, заменено: ") +
            std::to_string(xml.replaced) + Tr(" (резервная копия хранит их)");
  return told;
}

}  // namespace quorix::sms
