#include "phonebook/PhonebookLabels.h"

#include "base/Conversion.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "phonebook/FieldText.h"

namespace quorix {

const std::array<std::string, 10>& BuiltInMelodyLabels() {
  static const std::array<std::string, 10> labels = {
      "Silent (0)",     "Vibe-Dot (1)",    "Vibe-Dash (2)", "Vibe-Dot-Dot (3)", "Vibe-Dot-Dash (4)",
      "Vibe-Pulse (5)", "Continental (6)", "Classic (7)",   "Attention (8)",    "Siren (9)"};
  return labels;
}

int BuiltInMelodyDigit(const std::string& label) {
  const auto& labels = BuiltInMelodyLabels();
  for (int d = 0; d < 10; ++d) {
    if (labels[d] == label) return d;
  }
  return -1;
}

std::string EntryDefaultMelodyLabel() {
  return Tr("По умолчанию");
}

const std::string& CategoryDefaultMelodyLabel() {
  static const std::string label = "Default";
  return label;
}

std::string RestoredCategoryMelodyLabel(const std::string& melody) {
  static const char* const labels[10] = {
      N_("Бесшумный"),        N_("Вибро-Точка"), N_("Вибро-Тире"),      N_("Вибро-Точка-Точка"),
      N_("Вибро-Точка-Тире"), N_("Вибро-Пульс"), N_("Континентальный"), N_("Классический"),
      N_("Внимание!"),        N_("Сирена")};
  if (melody.size() == 1 && melody[0] >= '0' && melody[0] <= '9')
    return Tr(labels[melody[0] - '0']);
  if (melody == "255") return CategoryDefaultMelodyLabel();
  return melody;
}

std::array<std::string, 11> LightAlertNames() {
  return {"",
          Tr("Супер (1)"),
          Tr("Пульс (2)"),
          Tr("Ритм (3)"),
          Tr("Мерцание (4)"),
          Tr("Энергия (5)"),
          Tr("Биения (6)"),
          Tr("Мания (7)"),
          Tr("Чужой (8)"),
          Tr("Элементы (9)"),
          Tr("Акустика (10)")};
}

std::string LightAlertLabel(const std::string& light) {
  for (int code = 1; code <= 10; ++code) {
    if (light == std::to_string(code)) return LightAlertNames()[code];
  }
  return "";
}

std::string FileMelodyLabel(const std::string& name, int number) {
  return name + " (" + std::to_string(number) + ")";
}

namespace {

// The built-in or default label of a melody value, or nothing.
const std::string* FixedMelodyLabel(const std::string& melody, const std::string& defaultLabel) {
  if (melody.size() == 1 && melody[0] >= '0' && melody[0] <= '9') {
    return &BuiltInMelodyLabels()[melody[0] - '0'];
  }
  if (melody == "255") return &defaultLabel;
  return nullptr;
}

const std::string* SlotName(const PhonebookTables& tables, int id) {
  const int slot = id - 9;
  if (slot < 1 || slot > kMelodySlots || tables.MelodyFiles[slot].FileName.empty()) return nullptr;
  return &tables.MelodyFiles[slot].FileName;
}

}  // namespace

std::string ReadMelodyLabel(const PhonebookTables& tables, const std::string& melody,
                            const std::string& defaultLabel) {
  if (const std::string* fixed = FixedMelodyLabel(melody, defaultLabel)) return *fixed;
  if (melody.empty()) return "";
  const int id = StrToInt(melody);
  if (const std::string* name = SlotName(tables, id)) return FileMelodyLabel(*name, id - 9);
  return melody;
}

std::string EntryMelodyLabel(const PhonebookTables& tables, const std::string& melody) {
  const std::string defaultLabel = EntryDefaultMelodyLabel();
  if (const std::string* fixed = FixedMelodyLabel(melody, defaultLabel)) {
    return *fixed;
  }
  const auto id = NumberIn(melody);
  if (id && *id >= 10 && *id <= 264) {
    if (const std::string* name = SlotName(tables, *id)) return FileMelodyLabel(*name, *id);
  }
  return melody;
}

std::vector<std::string> BuiltInMelodyChoices(const std::string& defaultLabel) {
  std::vector<std::string> choices = {defaultLabel};
  choices.insert(choices.end(), BuiltInMelodyLabels().begin(), BuiltInMelodyLabels().end());
  return choices;
}

}  // namespace quorix
