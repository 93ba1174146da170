#include "phonebook/PhonebookLabels.h"

#include "base/Conversion.h"
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

const std::string& EntryDefaultMelodyLabel() {
  static const std::string label = std::string("По умолчанию");
  return label;
}

const std::string& CategoryDefaultMelodyLabel() {
  static const std::string label = "Default";
  return label;
}

std::string RestoredCategoryMelodyLabel(const std::string& melody) {
  static const std::array<std::string, 10> labels = {
      std::string("Бесшумный"),        std::string("Вибро-Точка"),
      std::string("Вибро-Тире"),       std::string("Вибро-Точка-Точка"),
      std::string("Вибро-Точка-Тире"), std::string("Вибро-Пульс"),
      std::string("Континентальный"),  std::string("Классический"),
      std::string("Внимание!"),        std::string("Сирена")};
  if (melody.size() == 1 && melody[0] >= '0' && melody[0] <= '9') return labels[melody[0] - '0'];
  if (melody == "255") return CategoryDefaultMelodyLabel();
  return melody;
}

const std::array<std::string, 11>& LightAlertNames() {
  static const std::array<std::string, 11> names = {"",
                                                    std::string("Супер (1)"),
                                                    std::string("Пульс (2)"),
                                                    std::string("Ритм (3)"),
                                                    std::string("Мерцание (4)"),
                                                    std::string("Энергия (5)"),
                                                    std::string("Биения (6)"),
                                                    std::string("Мания (7)"),
                                                    std::string("Чужой (8)"),
                                                    std::string("Элементы (9)"),
                                                    std::string("Акустика (10)")};
  return names;
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
  if (const std::string* fixed = FixedMelodyLabel(melody, EntryDefaultMelodyLabel())) {
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
