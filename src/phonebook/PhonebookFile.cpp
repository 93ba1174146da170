#include "phonebook/PhonebookFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include "base/AtomicFile.h"
#include "base/BackupLine.h"
#include "base/Clock.h"
#include "base/Conversion.h"
#include "base/Shell.h"
#include "base/TextLines.h"
#include "base/Translate.h"
#include "codec/FileText.h"
#include "codec/Ucs2.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/EntryList.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhonebookLabels.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

namespace {

const std::string kAdvancedMode = "Advanced Phonebook: Yes";
const std::string kBasicMode = "Advanced Phonebook: No";
constexpr int kShortLine = 20;
// Far longer than any line the program writes.
constexpr size_t kLongestLine = 64 * 1024;

const std::string& ColumnHeaderLine() {
  static const std::string line = std::string(
      "Ячейка;\"Номер\";Страна(Код);Имя;Тип(0);Голос.Метка(0);Мелодия(255);Unk1(0);Основной(1);"
      "Категория(1);Unk2(255);Unk3(255);Unk4(0);Картинка();Unk5(0);Unk6(0);Region1;Street;Town;"
      "Region2;Code;Country");
  return line;
}

const std::string& ColumnHeaderMark() {
  static const std::string mark = std::string("Яч");
  return mark;
}

// The fields the phone keeps as UCS2 text; the file holds them as text.
bool IsTextField(int field) {
  return field == EntryName || field == EntryPicture ||
         (field >= EntryDistrict && field <= EntryNickname);
}

std::string SystemError(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

const std::string& PhonebookFileHeader() {
  static const std::string header = "Motorola phonebook file, it was created with Quorix ";
  return header;
}

std::string PhonebookFileText(const PhonebookSession& app, const std::string& dateTime) {
  const PhonebookState& pb = app.phonebook;
  std::string text = PhonebookFileHeader() + dateTime + "\r\n";
  text += (app.settings.AdvancedPhoneBook ? kAdvancedMode : kBasicMode) + "\r\n";
  for (int c = 1; c <= kCategoryRows; ++c) {
    const CategoryRow& row = pb.Categories[c];
    // The backup holds the book as the user sees it: what was removed stays out.
    if (row[CategoryName].empty() || row[CategoryMark] == kMarkRemoved) continue;
    text += std::to_string(c) + ";" + BackupTextField(DecodeUcs2Hex(row[CategoryName])) + ";" +
            row[CategoryMelody] + ";" + row[CategoryField3] + ";" + row[CategoryLight] + "\r\n";
  }
  text += ColumnHeaderLine() + "\r\n";
  for (int i = 1; i <= kEntryRows; ++i) {
    const EntryRow& row = pb.PhonebookEntries[i];
    if (!EntryIsUsed(pb, i)) continue;
    std::string line = std::to_string(i) + ";'" + WithoutEnds(row[EntryNumber]);
    for (int field = EntryNumberFormat; field <= EntryBirthday; ++field) {
      line += ";" + (IsTextField(field) ? BackupTextField(DecodeUcs2Hex(row[field])) : row[field]);
    }
    text += line + "\r\n";
  }
  return text;
}

bool SavePhonebookFile(const PhonebookSession& app, Clock& clock, const std::string& path) {
  try {
    const EncodedFileText file = EncodeFileText(PhonebookFileText(app, LocalDateTime(clock)));
    WriteFileAtomically(path, file.bytes);
    return file.utf8;
  } catch (const std::system_error& e) {
    throw PhonebookFileError(CannotWriteText(path, e));
  }
}

namespace {

// The number before the first ";" and the index just after that ";".
int LeadingNumber(const std::string& line, size_t& rest) {
  const size_t separator = line.find(';');
  rest = separator == std::string::npos ? line.size() : separator + 1;
  return StrToInt(line.substr(0, separator));
}

void RestoreCategoryLine(PhonebookState& pb, const std::string& line) {
  size_t p = 0;
  const int number = LeadingNumber(line, p);
  if (number < 1 || number > kCategoryRows) {
    throw PhonebookFileError("category number " + std::to_string(number) + " outside 1..30");
  }
  // A ";" or a CR moves on to the next field; the fifth field's separator ends the line.
  std::vector<std::string> values = SplitBackupLine(
      std::string_view(line).substr(p), 4, [](size_t k) { return k == 0; }, '\r');
  values.resize(4);
  // A number the file repeats replaces its row: the last line wins.
  CategoryRow& row = pb.Categories[number];
  row[CategoryName] = EncodeUcs2Hex(values[0]);
  row[CategoryMelody] = values[1];
  row[CategoryField3] = values[2];
  row[CategoryLight] = values[3];
  row[CategoryMark] = kMarkChanged;
  const std::string name = DecodeUcs2Hex(row[CategoryName]);
  ShowCategoryRow(pb, number, name,
                  {name, RestoredCategoryMelodyLabel(row[CategoryMelody]),
                   LightAlertLabel(row[CategoryLight])});
}

std::string RestoredMelodyLabel(const std::string& melody) {
  if (melody.size() == 1 && melody[0] >= '0' && melody[0] <= '9') {
    return BuiltInMelodyLabels()[melody[0] - '0'];
  }
  return melody == "255" ? EntryDefaultMelodyLabel() : melody;
}

bool RestoreEntryLine(PhonebookSession& app, const std::string& line, bool advanced) {
  PhonebookState& pb = app.phonebook;
  if (static_cast<int>(line.size()) <= kShortLine) return false;
  size_t p = 0;
  const int index = LeadingNumber(line, p);
  if (index < 1 || index > kEntryRows) {
    throw PhonebookFileError("row number " + std::to_string(index) + " outside 1..1250");
  }
  const int lastField = advanced ? EntryBirthday : EntryField15;
  EntryRow read;
  const std::vector<std::string> fields =
      SplitBackupLine(std::string_view(line).substr(p), lastField - EntryNumber + 1,
                      [](size_t k) { return IsTextField(EntryNumber + static_cast<int>(k)); });
  for (size_t k = 0; k < fields.size(); ++k) read[EntryNumber + k] = fields[k];
  const int type = StrToInt(read[EntryNumberType]);
  const int category = StrToInt(read[EntryCategory]);
  if (category < 1 || category > kCategoryRows) {
    throw PhonebookFileError("category number " + std::to_string(category) + " outside 1..30");
  }

  EntryRow& entry = pb.PhonebookEntries[index];
  for (int f = EntryNumber; f <= lastField; ++f) entry[f] = read[f];
  // The apostrophe keeps spreadsheets from taking the number for a formula; a spreadsheet that
  // saves the file again drops it, and then no digit may go with it.
  const std::string& number = read[EntryNumber];
  entry[EntryNumber] = "\"" + (number.rfind('\'', 0) == 0 ? number.substr(1) : number) + "\"";
  entry[EntryName] = EncodeUcs2Hex(read[EntryName]);
  entry[EntryPicture] = EncodeUcs2Hex(read[EntryPicture]);
  entry[EntryMark] = kMarkChanged;

  ListRow row;
  row.Caption = std::to_string(index);
  row.Cells[NameCell] = read[EntryName];
  row.Cells[NumberCell] = WithoutEnds(entry[EntryNumber]);
  row.Cells[TypeCell] = NumberTypeLabel(pb, type, index);
  row.TypeIcon = TypeIconFor(std::to_string(type));
  row.Cells[MelodyCell] = RestoredMelodyLabel(entry[EntryMelody]);
  row.Cells[CategoryCell] = DecodeUcs2Hex(pb.Categories[category][CategoryName]);
  row.Cells[PictureCell] = read[EntryPicture];
  row.Cells[PrimaryCell] = PrimaryCellText(entry[EntryPrimary]);
  if (advanced) {
    for (int k = 0; k < 7; ++k) {
      // Shown as a reading shows it, so that "UK" or "CA" keep their cell.
      entry[EntryDistrict + k] = EncodeUcs2Hex(read[EntryDistrict + k]);
      row.Cells[DistrictCell + k] = AdvancedCellText(entry[EntryDistrict + k]);
    }
    row.Cells[BirthdayCell] = BirthdayCellText(entry[EntryBirthday]);
  }
  ShowEntryRow(pb, row);
  if (advanced) ++pb.ReadCount;
  return true;
}

struct RestoreCount {
  int categories = 0;
  int entries = 0;
  int skipped = 0;
};

// A file that gave less than it held, or no entry at all, is told plainly: an upload after it
// may empty the phone.
void TellRestoreCount(Shell& shell, const RestoreCount& count) {
  const std::string told = Tr("Восстановлено категорий: ") + std::to_string(count.categories) +
                           Tr(", записей: ") + std::to_string(count.entries) +
                           Tr(". Пропущено строк: ") + std::to_string(count.skipped) + ".";
  if (count.entries > 0 && count.skipped == 0) {
    shell.SetStatus(1, told);
    shell.Notify(told);
    return;
  }
  std::string why = count.entries == 0 ? Tr("В файле нет ни одной записи справочника.")
                                       : Tr("Пропущенные строки слишком коротки для записи.");
  shell.Message(WarningCaption(),
                told + "\n\n" + why + Tr(" Проверьте файл, прежде чем загружать его в телефон."),
                MessageIcon::Warning);
}

std::string WithLine(size_t number, const std::string& what) {
  return "Line " + std::to_string(number) + ": " + what;
}

}  // namespace

bool ParseEntryLine(PhonebookSession& app, const std::string& line) {
  return RestoreEntryLine(app, line, false);
}

bool ParseAdvancedEntryLine(PhonebookSession& app, Shell& shell, const std::string& line) {
  const bool taken = RestoreEntryLine(app, line, true);
  shell.ProcessEvents();
  return taken;
}

void RestorePhonebookFile(PhonebookSession& app, Shell& shell, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw PhonebookFileError(SystemError("Cannot open", path));
  std::vector<std::string> lines;
  try {
    lines = ReadTextLines(in, kLongestLine);
  } catch (const LineTooLongError& e) {
    throw PhonebookFileError(WithLine(e.Line, e.what()));
  }
  if (in.bad()) throw PhonebookFileError(SystemError("Cannot read", path));
  DecodeFileLines(lines);
  const auto lineAt = [&lines](size_t k) { return k < lines.size() ? lines[k] : std::string(); };

  const std::string& header = PhonebookFileHeader();
  if (lineAt(0).compare(0, header.size(), header) != 0) {
    throw PhonebookFileError("Invalid file type or bad file size. Please open another file!");
  }
  const bool advanced = lineAt(1) == kAdvancedMode;

  // The whole file is read into a copy first: a file that fails half way changes nothing.
  PhonebookSession staged = app;
  staged.settings.AdvancedPhoneBook = advanced;
  PhonebookState& pb = staged.phonebook;
  pb.LV.clear();
  pb.Tr.clear();
  pb.LVCat.clear();
  EmptyPhonebookTables(pb);
  pb.Popup.AssignCategory.clear();
  pb.EntryEditorLists.ComboBox2.clear();
  pb.SelectedItemIndex = -1;
  pb.SelectedCategoryIndex = -1;
  pb.SelectedTreeNode = -1;
  pb.LastReading = {};

  size_t k = 2;
  RestoreCount count;
  try {
    // Without a column header line the end of the file reads as an empty, malformed line.
    for (; lineAt(k).compare(0, ColumnHeaderMark().size(), ColumnHeaderMark()) != 0; ++k) {
      RestoreCategoryLine(pb, lineAt(k));
      ++count.categories;
    }
    for (++k; k < lines.size(); ++k) {
      const bool taken = advanced ? ParseAdvancedEntryLine(staged, shell, lines[k])
                                  : ParseEntryLine(staged, lines[k]);
      ++(taken ? count.entries : count.skipped);
      ++pb.ExpectedCount;
    }
  } catch (const ConversionError& e) {
    throw PhonebookFileError(WithLine(k + 1, e.what()));
  } catch (const PhonebookFileError& e) {
    throw PhonebookFileError(WithLine(k + 1, e.what()));
  }
  RebuildCategoryTree(pb);

  app.phonebook = std::move(pb);
  app.settings.AdvancedPhoneBook = advanced;
  app.RestoredFromFile = true;
  app.DataModified = true;
  shell.SetTitle("Quorix (" + path + ")");
  TellRestoreCount(shell, count);
}

}  // namespace quorix
