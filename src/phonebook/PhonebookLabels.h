#pragma once

#include <array>
#include <string>
#include <vector>

#include "phonebook/PhonebookTables.h"

namespace quorix {

// "Silent (0)" … "Siren (9)": the built-in melodies 0..9.
const std::array<std::string, 10>& BuiltInMelodyLabels();
// The digit of a built-in melody label, or -1.
int BuiltInMelodyDigit(const std::string& label);

// The default melody (id 255): "По умолчанию" for an entry, "Default" for a category.
std::string EntryDefaultMelodyLabel();
const std::string& CategoryDefaultMelodyLabel();

// The category melody labels a restored file shows: "Бесшумный" … "Сирена", "Default".
std::string RestoredCategoryMelodyLabel(const std::string& melody);

// Light-alert labels by code 0..10; code 0 has none.
std::array<std::string, 11> LightAlertNames();
// The label of a CategoryLight text; empty for "0" and anything without a label.
std::string LightAlertLabel(const std::string& light);

// "name (number)", the label of a melody file.
std::string FileMelodyLabel(const std::string& name, int number);

// The melody cell a reading builds: built-in and default labels, a file melody with its slot
// number, the raw value when the slot is empty. ConversionError for a non-numeric file melody.
std::string ReadMelodyLabel(const PhonebookTables& tables, const std::string& melody,
                            const std::string& defaultLabel);

// The melody cell a rebuild builds: a file melody with its id, the raw value otherwise.
std::string EntryMelodyLabel(const PhonebookTables& tables, const std::string& melody);

// The melody choices of the editors before any file list: the default label, then the built-ins.
std::vector<std::string> BuiltInMelodyChoices(const std::string& defaultLabel);

}  // namespace quorix
