#include "phonebook/PhonebookFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "PhonebookFixture.h"
#include "base/Clock.h"
#include "base/Conversion.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/EntryList.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

namespace fs = std::filesystem;
using test::FileSizeLimit;
using test::ReadBytes;
using test::WriteBytes;

std::string A(const std::string& utf8) {
  return Utf8ToCp1251(utf8);
}

const std::string kHeader = "Motorola phonebook file, it was created with Quorix ";
const std::string kColumnsText =
    "Ячейка;\"Номер\";Страна(Код);Имя;Тип(0);Голос.Метка(0);Мелодия(255);Unk1(0);Основной(1);"
    "Категория(1);Unk2(255);Unk3(255);Unk4(0);Картинка();Unk5(0);Unk6(0);Region1;Street;Town;"
    "Region2;Code;Country";
const std::string kColumns = A(kColumnsText);

std::string File(const std::string& mode, const std::vector<std::string>& body) {
  std::string text = kHeader + "08.12.2026 10:00:00\r\n" + mode + "\r\n";
  for (const std::string& line : body) text += line + "\r\n";
  return text;
}

struct FileFixture : PhonebookFixture {
  test::TempDir folder;
  VirtualClock clock;
  fs::path Path(const std::string& name) const { return fs::path(folder.path()) / name; }
  void Restore(const fs::path& file) {
    shell.openAnswers.push_back(file.string());
    ToolButton12Click(*app, shell);
  }
};

TEST(PhonebookFileTest, EmptyPhonebookIsThreeLines) {
  FileFixture f;
  EXPECT_EQ(PhonebookFileHeader(), kHeader);
  EXPECT_EQ(PhonebookFileText(*f.app, "X"),
            kHeader + "X\r\nAdvanced Phonebook: No\r\n" + kColumnsText + "\r\n");
  f.app->settings.AdvancedPhoneBook = true;
  SavePhonebookFile(*f.app, f.clock, f.Path("empty.csv").string());
  const std::string saved = ReadBytes(f.Path("empty.csv"));
  ASSERT_EQ(saved.compare(0, kHeader.size(), kHeader), 0);
  const size_t dateEnd = saved.find("\r\n");
  EXPECT_EQ(saved.substr(dateEnd), "\r\nAdvanced Phonebook: Yes\r\n" + kColumns + "\r\n");
  EXPECT_GT(dateEnd, kHeader.size());  // the date and time follow the header
  EXPECT_EQ(saved.substr(kHeader.size(), dateEnd - kHeader.size()), LocalDateTime(f.clock));
  EXPECT_EQ(std::distance(fs::directory_iterator(f.folder.path()), fs::directory_iterator()), 1)
      << "no temporary file is left";
}

TEST(PhonebookFileTest, RemovedEntriesAndCategoriesStayOutOfTheBackup) {
  FileFixture f;
  f.Category(1, "General");
  f.Category(2, "Gone")[CategoryMark] = "Del";
  f.Entry(1, "111", "Kept");
  f.Entry(2, "222", "Gone")[EntryMark] = "Del";
  const std::string text = PhonebookFileText(*f.app, "X");
  EXPECT_NE(text.find("\r\n1;General;"), std::string::npos);
  EXPECT_NE(text.find("\r\n1;'111;"), std::string::npos);
  EXPECT_EQ(text.find("Gone"), std::string::npos);
}

TEST(PhonebookFileTest, SaveThenRestoreGivesTheSameTables) {
  FileFixture f;
  f.app->settings.AdvancedPhoneBook = true;
  f.app->link.PhoneConnected = true;
  f.Category(1, "Общие", "255", "0");
  f.Category(3, "Работа", "5", "4")[CategoryField3] = "7";
  f.Entry(1, "+79001234567", "Анна", "0", "1", "1");
  EntryRow& e5 = f.Entry(5, "555", "", "3", "3", "12");
  e5[EntryPicture] = Hex("/a/mobile/picture/cat.jpg");
  e5[EntryDistrict] = Hex("Центр");
  e5[EntryCountry] = Hex("RU");
  e5[EntryNickname] = Hex("Кот");
  e5[EntryBirthday] = "\"01-02-1990\"";
  f.Entry(700, "700", "Seven", "7", "1");
  f.Entry(1250, "1250", "Last", "6", "3")[EntryBirthday] = "\"\"";
  f.pb.PhonebookEntries[1250][EntryMark] = "1";
  const PhonebookTables saved = f.pb;

  f.shell.saveAnswers.push_back(f.Path("book.csv").string());
  ToolButton11Click(*f.app, f.shell, f.clock);
  ASSERT_TRUE(f.shell.messages.empty()) << f.shell.messages[0].text;
  const std::string text = ReadBytes(f.Path("book.csv"));
  EXPECT_NE(text.find(A("\r\n3;Работа;5;7;4\r\n")), std::string::npos);
  EXPECT_NE(text.find(A("\r\n1;'+79001234567;129;Анна;0;0;1;0;1;1;255;255;0;;0;0;;;;;;;;\r\n")),
            std::string::npos);
  EXPECT_NE(text.find(A("\r\n5;'555;129;;3;0;12;0;1;3;255;255;0;/a/mobile/picture/cat.jpg;0;0;"
                        "Центр;;;;;RU;Кот;\"01-02-1990\"\r\n")),
            std::string::npos);
  EXPECT_NE(text.find("\r\n700;'700;"), std::string::npos);
  EXPECT_NE(text.find("\r\n1250;'1250;"), std::string::npos);

  FileFixture g;
  g.pb.ExpectedCount = 10;
  g.Restore(f.Path("book.csv"));
  ASSERT_TRUE(g.shell.messages.empty()) << g.shell.messages[0].text;
  for (int i = 1; i <= kEntryRows; ++i) {
    for (int field = EntryNumber; field <= EntryBirthday; ++field) {
      ASSERT_EQ(g.pb.PhonebookEntries[i][field], saved.PhonebookEntries[i][field])
          << "row " << i << " field " << field;
    }
    ASSERT_EQ(g.pb.PhonebookEntries[i][EntryMark],
              saved.PhonebookEntries[i][EntryNumber].empty() ? "" : "1");
  }
  for (int c = 1; c <= kCategoryRows; ++c) {
    for (int field = CategoryName; field <= CategoryLight; ++field) {
      ASSERT_EQ(g.pb.Categories[c][field], saved.Categories[c][field]) << c;
    }
  }
  EXPECT_EQ(g.pb.Categories[3][CategoryMark], "1");
  EXPECT_TRUE(g.app->settings.AdvancedPhoneBook);
  EXPECT_TRUE(g.app->RestoredFromFile);
  EXPECT_TRUE(g.app->DataModified);
  EXPECT_EQ(g.shell.title, "Quorix (" + f.Path("book.csv").string() + ")");
  EXPECT_EQ(g.pb.ExpectedCount, 14);
  EXPECT_EQ(g.pb.ReadCount, 4);

  ASSERT_EQ(g.pb.LVCat.size(), 2u);
  EXPECT_EQ(std::string(g.pb.LVCat[1].Cells[0]), "Работа");
  EXPECT_EQ(std::string(g.pb.LVCat[1].Cells[1]), "Вибро-Пульс");
  EXPECT_EQ(std::string(g.pb.LVCat[1].Cells[2]), "Мерцание (4)");
  EXPECT_EQ(g.pb.LVCat[0].Cells[1], "Default");
  ASSERT_EQ(g.pb.LV.size(), 4u);
  EXPECT_EQ(g.pb.LV[0].Cells[TypeCell], "Work");
  const ListRow& r5 = g.pb.LV[1];
  EXPECT_EQ(r5.Cells[MelodyCell], "12");
  EXPECT_EQ(std::string(r5.Cells[DistrictCell]), "Центр");
  EXPECT_EQ(r5.Cells[CountryCell], "RU") << "a short value keeps its cell, as after a reading";
  EXPECT_EQ(r5.Cells[StreetCell], "");
  EXPECT_EQ(std::string(r5.Cells[NicknameCell]), "Кот");
  EXPECT_EQ(r5.Cells[BirthdayCell], "01-02-1990");
  EXPECT_EQ(g.pb.LV[2].Cells[TypeCell], "Subscribe");
  EXPECT_EQ(g.pb.Tr.size(), 2u);
  EXPECT_EQ(g.pb.PhonebookEntries[5][EntryTreeIndex], "4");

  // In basic mode the address fields are not read back.
  FileFixture h;
  std::string basic = text;
  basic.replace(basic.find("Advanced Phonebook: Yes"), 23, "Advanced Phonebook: yes");
  WriteBytes(h.Path("basic.csv"), basic);
  h.app->settings.AdvancedPhoneBook = true;
  h.Restore(h.Path("basic.csv"));
  ASSERT_TRUE(h.shell.messages.empty());
  EXPECT_FALSE(h.app->settings.AdvancedPhoneBook);
  EXPECT_EQ(h.pb.PhonebookEntries[5][EntryPicture], Hex("/a/mobile/picture/cat.jpg"));
  EXPECT_EQ(h.pb.PhonebookEntries[5][EntryField15], "0");
  EXPECT_EQ(h.pb.PhonebookEntries[5][EntryDistrict], "");
  EXPECT_EQ(h.pb.PhonebookEntries[5][EntryBirthday], "");
  EXPECT_EQ(h.pb.LV[1].Cells[DistrictCell], "");
  EXPECT_EQ(h.pb.ReadCount, 0);
}

// Every alphabet, and the separator and the quote inside texts, come back from the file as
// they went in; a book that the code page can hold is written in it, as always.
TEST(PhonebookFileTest, EveryCharacterAndEverySeparatorInATextSurvive) {
  FileFixture f;
  f.app->settings.AdvancedPhoneBook = true;
  f.Category(1, "Общие");
  f.Category(2, "Друзья; №1");
  f.Entry(1, "+380440000038", "Київ Їжак", "3", "2");
  f.Entry(2, "2", "Кафе; бар \"Ромашка\"");
  f.Entry(3, "3", "\"Ёлка\" №5")[EntryNickname] = Hex("a;b;;c");
  f.Entry(4, "4", "Ελένη 李小龍 Łódź Müller")[EntryPicture] = Hex("/a/mobile/picture/x;y.jpg");
  const PhonebookTables saved = f.pb;
  EXPECT_TRUE(SavePhonebookFile(*f.app, f.clock, f.Path("all.csv").string()));
  const std::string bytes = ReadBytes(f.Path("all.csv"));
  EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF" + kHeader, 0), 0u) << "UTF-8 behind a byte order mark";
  EXPECT_NE(bytes.find("\r\n2;\"Друзья; №1\";"), std::string::npos);
  EXPECT_NE(bytes.find(";\"Кафе; бар \"\"Ромашка\"\"\";"), std::string::npos);

  FileFixture g;
  g.Restore(f.Path("all.csv"));
  ASSERT_TRUE(g.shell.messages.empty()) << g.shell.messages[0].text;
  for (int i = 1; i <= 4; ++i) {
    for (int field = EntryNumber; field <= EntryBirthday; ++field) {
      EXPECT_EQ(g.pb.PhonebookEntries[i][field], saved.PhonebookEntries[i][field]) << i;
    }
  }
  EXPECT_EQ(g.pb.Categories[2][CategoryName], saved.Categories[2][CategoryName]);
  EXPECT_EQ(g.pb.LV[0].Cells[NameCell], "Київ Їжак");

  // Only Russian (Ukrainian letters included): code page 1251, and the file of older copies, a
  // field that merely starts with a quote among them, reads as it stands.
  f.pb.PhonebookEntries[4] = {};
  EXPECT_FALSE(SavePhonebookFile(*f.app, f.clock, f.Path("ru.csv").string()));
  EXPECT_NE(ReadBytes(f.Path("ru.csv")).find(A("Київ Їжак")), std::string::npos);
  WriteBytes(f.Path("old.csv"), File("Advanced Phonebook: No",
                                     {A("1;Ёлки;255;0;0"), kColumns,
                                      A("7;'555;129;\"Ромашка\";3;0;255;0;1;1;255;255;0;;0;0")}));
  FileFixture h;
  h.Restore(f.Path("old.csv"));
  ASSERT_TRUE(h.shell.messages.empty()) << h.shell.messages[0].text;
  EXPECT_EQ(h.pb.PhonebookEntries[7][EntryName], Hex("\"Ромашка\""));
  EXPECT_EQ(h.pb.Categories[1][CategoryName], "0401043B043A0438") << "Ё at its true code";
}

TEST(PhonebookFileTest, HeaderIsCheckedOverItsFiftyTwoCharacters) {
  FileFixture f;
  f.Entry(2, "2");
  RebuildEntryList(f.pb, kEntryRows);
  const std::string body = "\r\nAdvanced Phonebook: No\r\n" + kColumns + "\r\n";
  WriteBytes(f.Path("ok.csv"), kHeader + body);  // nothing after the header is fine
  WriteBytes(f.Path("short.csv"), kHeader.substr(0, 51) + body);
  WriteBytes(f.Path("other.csv"), "motorola" + kHeader.substr(8) + "x" + body);
  for (const char* bad : {"short.csv", "other.csv"}) {
    f.shell.messages.clear();
    f.Restore(f.Path(bad));
    ASSERT_EQ(f.shell.messages.size(), 1u);
    EXPECT_EQ(f.shell.messages[0].caption, "ERROR");
    EXPECT_EQ(f.shell.messages[0].text,
              "Invalid file type or bad file size. Please open another file!");
    EXPECT_EQ(f.shell.messages[0].icon, MessageIcon::Error);
  }
  EXPECT_EQ(f.pb.LV.size(), 1u);
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryNumber], "\"2\"");
  EXPECT_FALSE(f.app->RestoredFromFile);
  EXPECT_FALSE(f.app->DataModified);
  EXPECT_EQ(f.shell.title, "");

  f.shell.messages.clear();
  f.Restore(f.Path("ok.csv"));
  ASSERT_EQ(f.shell.messages.size(), 1u) << "a book of no entry is told plainly";
  EXPECT_EQ(f.shell.messages[0].text,
            "Восстановлено категорий: 0, записей: 0. Пропущено строк: 0.\n\nВ файле нет ни одной "
            "записи справочника. Проверьте файл, прежде чем загружать его в телефон.");
  f.shell.messages.clear();
  EXPECT_TRUE(f.pb.LV.empty());
  WriteBytes(f.Path("damaged.csv"),
             File("Advanced Phonebook: No",
                  {"1;A;255;0;0", kColumns, "3;'33;129;;1;0;255;0;1;1;255;255;0;;0;0", "4;'4;1"}));
  f.shell.yesNoAnswers = {true};
  f.Restore(f.Path("damaged.csv"));
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(f.shell.messages[0].text.rfind(
                "Восстановлено категорий: 1, записей: 1. Пропущено строк: 1.\n\nПропущенные", 0),
            0u);
  f.shell.messages.clear();
  EXPECT_EQ(f.pb.LV.size(), 1u);
  f.shell.yesNoAnswers = {true};
  f.Restore(f.Path("ok.csv"));
  f.shell.messages.clear();
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryNumber], "");

  // Changes not yet uploaded are dropped only when the user says so.
  ASSERT_TRUE(f.app->DataModified);
  const size_t choices = f.shell.fileChoices.size();
  f.Restore(f.Path("missing.csv"));
  EXPECT_EQ(f.shell.fileChoices.size(), choices) << "No: no file is asked for";
  EXPECT_EQ(std::string(f.shell.calls.back()),
            "AskYesNo|Внимание!|Изменения, не загруженные в телефон, будут потеряны. Продолжить?");
  f.shell.yesNoAnswers.push_back(true);
  f.Restore(f.Path("missing.csv"));
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(f.shell.messages[0].text.rfind("Cannot open", 0), 0u);
}

TEST(PhonebookFileTest, RestoreStopsAtAMalformedLineKeepingTheLinesBefore) {
  FileFixture f;
  f.Entry(900, "900")[EntryMark] = "Del";  // a whole row, even above LastIndex, is emptied
  f.pb.PhonebookEntries[900][EntryDistrict] = "0041";
  WriteBytes(f.Path("bad.csv"),
             File("Advanced Phonebook: No", {"1;General;255;0;0", kColumns, "short;line",
                                             "2;'22;129;Two;1;0;255;0;1;1;255;255;0;;0;0",
                                             "3;'33;129;Three;1;0;255;0;1;;255;255;0;;0;0",
                                             "4;'44;129;Four;1;0;255;0;1;1;255;255;0;;0;0"}));
  f.Entry(5, "55", "Kept");
  RebuildEntryList(f.pb, kEntryRows);
  f.pb.ExpectedCount = 1;
  const AppState before = *f.app;
  f.Restore(f.Path("bad.csv"));
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(f.shell.messages[0].caption, "ERROR");
  EXPECT_EQ(f.shell.messages[0].text, "Line 7: '' is not a valid integer value");
  // The file is checked whole before anything is replaced: the tables stay as they were.
  for (int i = 1; i <= kEntryRows; ++i) {
    ASSERT_EQ(f.pb.PhonebookEntries[i].fields, before.phonebook.PhonebookEntries[i].fields) << i;
  }
  EXPECT_EQ(f.pb.LV.size(), 2u);
  EXPECT_EQ(f.pb.ExpectedCount, 1);
  EXPECT_FALSE(f.app->RestoredFromFile);
  EXPECT_FALSE(f.app->DataModified);
  EXPECT_EQ(f.shell.title, "");

  // The same file without its bad line restores whole rows, even above LastIndex.
  WriteBytes(f.Path("good.csv"),
             File("Advanced Phonebook: No", {"1;General;255;0;0", kColumns, "short;line",
                                             "2;'22;129;Two;1;0;255;0;1;1;255;255;0;;0;0"}));
  f.Restore(f.Path("good.csv"));
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryNumber], "\"22\"");
  EXPECT_EQ(f.pb.PhonebookEntries[5][EntryNumber], "");
  EXPECT_EQ(f.pb.PhonebookEntries[900][EntryNumber], "");
  EXPECT_EQ(f.pb.PhonebookEntries[900][EntryMark], "");
  EXPECT_EQ(f.pb.PhonebookEntries[900][EntryDistrict], "");
  EXPECT_EQ(f.pb.ExpectedCount, 3);  // the short line counts too
  EXPECT_TRUE(f.app->RestoredFromFile);

  struct Case {
    std::string line, message;
  };
  for (const Case& c :
       {Case{"1251;'1;129;X;1;0;255;0;1;1;255;255;0;;0;0",
             "Line 5: row number 1251 outside 1..1250"},
        Case{"x;'1;129;X;1;0;255;0;1;1;255;255;0;;0;0", "Line 5: 'x' is not a valid integer value"},
        Case{"5;'1;129;X;mobile;0;255;0;1;1;255;255;0;;0;0",
             "Line 5: 'mobile' is not a valid integer value"},
        Case{"5;'1;129;X;1;0;255;0;1;31;255;255;0;;0;0",
             "Line 5: category number 31 outside 1..30"}}) {
    FileFixture g;
    WriteBytes(g.Path("bad.csv"),
               File("Advanced Phonebook: No", {"1;A;255;0;0", kColumns, c.line}));
    g.Restore(g.Path("bad.csv"));
    ASSERT_EQ(g.shell.messages.size(), 1u);
    EXPECT_EQ(g.shell.messages[0].text, c.message);
    EXPECT_TRUE(g.pb.LVCat.empty());
  }

  // Without a column header line the end of the file is a malformed category line.
  FileFixture h;
  WriteBytes(h.Path("nohead.csv"), File("Advanced Phonebook: No", {"1;A;255;0;0", "2;B;1;0;3"}));
  h.Restore(h.Path("nohead.csv"));
  ASSERT_EQ(h.shell.messages.size(), 1u);
  EXPECT_EQ(h.shell.messages[0].text, "Line 5: '' is not a valid integer value");
  EXPECT_TRUE(h.pb.LVCat.empty());
  FileFixture k;
  WriteBytes(k.Path("cat.csv"), File("Advanced Phonebook: No", {"31;A;255;0;0", kColumns}));
  k.Restore(k.Path("cat.csv"));
  EXPECT_EQ(k.shell.messages.at(0).text, "Line 3: category number 31 outside 1..30");
}

TEST(PhonebookFileTest, ARepeatedNumberReplacesItsRowAndOverlongLinesAreRefused) {
  FileFixture f;
  std::vector<std::string> body;
  for (int i = 0; i < 20000; ++i) body.push_back("1;C" + std::to_string(i % 7) + ";255;0;0");
  body.push_back(kColumns);
  body.push_back("2;'22;129;Two;1;0;255;0;1;1;255;255;0;;0;0");
  body.push_back("2;'23;129;Three;1;0;255;0;1;1;255;255;0;;0;0");
  WriteBytes(f.Path("repeated.csv"), File("Advanced Phonebook: No", body));
  f.Restore(f.Path("repeated.csv"));
  ASSERT_TRUE(f.shell.messages.empty());
  EXPECT_EQ(f.pb.Categories[1][CategoryName], Hex("C" + std::to_string(19999 % 7)));
  EXPECT_EQ(f.pb.LVCat.size(), 1u);
  EXPECT_EQ(f.pb.Popup.AssignCategory.size(), 1u);
  EXPECT_EQ(f.pb.EntryEditorLists.ComboBox2.size(), 1u);
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryNumber], "\"23\"");
  ASSERT_EQ(f.pb.LV.size(), 1u);
  EXPECT_EQ(f.pb.LV[0].Cells[NameCell], "Three");

  // A file without line breaks (or a device that never ends) is refused at its first line.
  WriteBytes(f.Path("endless.csv"), std::string(100000, 'x'));
  f.shell.yesNoAnswers.push_back(true);
  f.Restore(f.Path("endless.csv"));
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(f.shell.messages[0].text, "Line 1: longer than 65536 characters");
  EXPECT_EQ(f.pb.LV.size(), 1u);
}

TEST(PhonebookFileTest, RestoringTwiceKeepsOneChoicePerCategory) {
  FileFixture f;
  WriteBytes(f.Path("two.csv"),
             File("Advanced Phonebook: No", {"1;A;255;0;0", A("2;Друзья;3;0;0"), kColumns}));
  f.Restore(f.Path("two.csv"));
  f.shell.yesNoAnswers = {true};  // the first restore's changes may go
  f.Restore(f.Path("two.csv"));
  ASSERT_EQ(f.shell.messages.size(), 2u) << "no entry in either";
  ASSERT_EQ(f.pb.Popup.AssignCategory.size(), 2u);
  EXPECT_EQ(std::string(f.pb.Popup.AssignCategory[1].Caption), "Друзья");
  EXPECT_EQ(f.pb.Popup.AssignCategory[1].Tag, 2);
  EXPECT_EQ(f.pb.EntryEditorLists.ComboBox2.size(), 2u);
  EXPECT_EQ(f.pb.LVCat.size(), 2u);
  EXPECT_EQ(std::string(f.pb.LVCat[1].Cells[1]), "Вибро-Точка-Точка");
  EXPECT_EQ(f.pb.Categories[2][CategoryName], Hex("Друзья"));
}

TEST(PhonebookFileTest, ParsersTakeFifteenOrTwentyThreeFields) {
  FileFixture f;
  f.Category(1, "A");
  const std::string line =
      "7;'123;145;Bob;2;0;255;0;0;1;255;255;0;/p.jpg;0;0;Dist;St;Town;Reg;12345;Land;Nick;"
      "\"05-06-2001\";extra";
  ParseEntryLine(*f.app, line);
  const EntryRow& row = f.pb.PhonebookEntries[7];
  EXPECT_EQ(row[EntryNumber], "\"123\"");
  EXPECT_EQ(row[EntryNumberFormat], "145");
  EXPECT_EQ(row[EntryName], Hex("Bob"));
  EXPECT_EQ(row[EntryPrimary], "0");
  EXPECT_EQ(row[EntryPicture], Hex("/p.jpg"));
  EXPECT_EQ(row[EntryField15], "0");
  EXPECT_EQ(row[EntryDistrict], "");
  EXPECT_EQ(f.pb.LV.back().Cells[PrimaryCell], "No");
  EXPECT_EQ(f.pb.LV.back().Cells[TypeCell], "Main");
  ParseAdvancedEntryLine(*f.app, f.shell, line);
  EXPECT_EQ(row[EntryDistrict], Hex("Dist"));
  EXPECT_EQ(row[EntryPostalCode], Hex("12345"));
  EXPECT_EQ(row[EntryNickname], Hex("Nick"));
  EXPECT_EQ(row[EntryBirthday], "\"05-06-2001\"");
  EXPECT_EQ(f.pb.LV.back().Cells[BirthdayCell], "05-06-2001");
  EXPECT_EQ(f.pb.ReadCount, 1);
  EXPECT_EQ(f.shell.processEventsCount, 1);
  ParseEntryLine(*f.app, "6;+7123;145;Re-saved;2;0;255;0;0;1;255;255;0;;0;0");
  EXPECT_EQ(f.pb.PhonebookEntries[6][EntryNumber], "\"+7123\"");  // no apostrophe to drop
  ParseEntryLine(*f.app, "8;'1;1;;1;0;255;0");                    // 20 characters or fewer: ignored
  EXPECT_EQ(f.pb.PhonebookEntries[8][EntryNumber], "");
  EXPECT_THROW(ParseEntryLine(*f.app, "9;'1;129;X;T;0;255;0;1;1;255;255;0;;0;0"), ConversionError);
  EXPECT_EQ(f.pb.PhonebookEntries[9][EntryNumber], "");
}

TEST(PhonebookFileTest, CommandsAskForTheFileAndReportFailures) {
  FileFixture f;
  ToolButton11Click(*f.app, f.shell, f.clock);  // nothing loaded
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(std::string(f.shell.messages[0].caption), "Внимание!");
  EXPECT_EQ(std::string(f.shell.messages[0].text),
            "Справочник пуст: прочитайте его из телефона или восстановите из файла.");
  EXPECT_TRUE(f.shell.fileChoices.empty());

  // What is loaded is saved with no phone connected.
  f.Entry(1, "111", "Old");
  // A name outside code page 1251 reaches the file system as it was chosen.
  const fs::path target = f.Path("копия 日本.csv");
  f.shell.saveAnswers.push_back(target.string());
  ToolButton11Click(*f.app, f.shell, f.clock);
  ASSERT_EQ(f.shell.fileChoices.size(), 1u);
  EXPECT_EQ(f.shell.fileChoices[0].title, "Save As");
  EXPECT_EQ(f.shell.fileChoices[0].filter, "Excel File (*.csv)|*.csv|Text File (*.txt)|*.txt");
  EXPECT_EQ(f.shell.fileChoices[0].defaultExtension, "csv");
  EXPECT_EQ(f.shell.fileChoices[0].initialDirectory, fs::current_path().string());
  const std::string before = ReadBytes(target);
  ASSERT_NE(before.find("1;'111;"), std::string::npos);

  // Tables of a reading with failures replace an existing backup only when the user says so.
  f.Entry(2, "222", "New");
  f.pb.LastReading.Exchanges.Failed = 3;
  f.pb.LastReading.RecordsReported = 30;
  for (const bool yes : {false, true}) {
    f.shell.yesNoAnswers.push_back(yes);
    f.shell.saveAnswers.push_back(target.string());
    const size_t asked = f.shell.calls.size();
    ToolButton11Click(*f.app, f.shell, f.clock);
    EXPECT_EQ(std::string(f.shell.calls.at(asked + 1))
                  .rfind("AskYesNo|Внимание!|Справочник прочитан не полностью: "
                         "прочитано 0 из 30 записей. Заменить файл ",
                         0),
              0u)
        << std::string(f.shell.calls.back());
    EXPECT_EQ(ReadBytes(target) == before, !yes);
  }
  WriteBytes(target, before);
  f.pb.LastReading = {};

  // Failed saves: report, and the earlier backup stays as it was. A file size limit makes the
  // write fail even for root.
  WriteBytes(f.Path("plain"), "x");
  for (const fs::path& bad : {target, f.Path("missing") / "b.csv", f.Path("plain") / "b.csv"}) {
    f.shell.messages.clear();
    f.shell.saveAnswers.push_back(bad.string());
    {
      const FileSizeLimit limit(bad == target ? 64 : RLIM_INFINITY);
      ToolButton11Click(*f.app, f.shell, f.clock);
    }
    ASSERT_EQ(f.shell.messages.size(), 1u) << bad;
    EXPECT_EQ(f.shell.messages[0].caption, "ERROR");
    EXPECT_EQ(f.shell.messages[0].text.rfind("Cannot write " + bad.string() + ": ", 0), 0u)
        << f.shell.messages[0].text;
  }
  EXPECT_EQ(ReadBytes(target), before);
  EXPECT_FALSE(fs::exists(f.Path("missing")));

  // Cancelled dialogs: nothing written; the restore only rebuilds the tree.
  f.shell.messages.clear();
  f.shell.saveAnswers.push_back(std::nullopt);
  ToolButton11Click(*f.app, f.shell, f.clock);
  f.Category(1, "A");
  f.shell.openAnswers.push_back(std::string());
  ToolButton12Click(*f.app, f.shell);
  EXPECT_EQ(f.shell.fileChoices.back().title, "Open Phonebook file");
  EXPECT_EQ(f.pb.Tr.size(), 1u);
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryNumber], "\"222\"");
  EXPECT_FALSE(f.app->RestoredFromFile);
  EXPECT_TRUE(f.shell.messages.empty());
}

}  // namespace
}  // namespace quorix
