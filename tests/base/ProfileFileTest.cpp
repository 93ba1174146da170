#include "base/ProfileFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "codec/CodePage.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

size_t FileCount(const std::string& dir) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
  return count;
}

// As a Windows program leaves it: CR LF, blanks around "=", quotes, other case, Cyrillic in 1251.
std::string ForeignFile() {
  return "; written on Windows\r\n"
         "[system]\r\n"
         "comport = \"COM7\"\r\n"
         "BaudRate='57600'\r\n"
         "BCom=\"COM3\r\n"
         "Range=20\r\n"
         "Range=70\r\n"
         "SIM=\r\n"
         "\r\n"
         "[ NumberTypes ]\r\n"
         "Work=" +
         Utf8ToCp1251("Рабочий") + "\r\nHome = " + Utf8ToCp1251("Домашний") +
         " \r\nNote=" + std::string(3000, 'x') + "\r\n";
}

TEST(ProfileFileTest, ReadsAFileOfAnotherWriterAsWindowsDoes) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  WriteBytes(ini, ForeignFile());

  EXPECT_EQ(ReadSetting(ini, "System", "ComPort"), "COM7");
  EXPECT_EQ(ReadSetting(ini, "System", "BaudRate"), "57600");
  EXPECT_EQ(ReadSetting(ini, "System", "BCom"), "\"COM3");  // unmatched quote stays
  EXPECT_EQ(ReadSetting(ini, "System", "Range"), "20");     // first of a repeated key
  EXPECT_EQ(ReadSetting(ini, "System", "SIM"), "");
  EXPECT_EQ(ReadSetting(ini, "NumberTypes", "Work"), std::string("Рабочий"));
  EXPECT_EQ(ReadSetting(ini, "NumberTypes", "Home"), std::string("Домашний"));
  EXPECT_EQ(ReadSetting(ini, "NumberTypes", "Note"), std::string(kMaxSettingLength, 'x'));

  EXPECT_EQ(ReadSetting(ini, "System", "Bluetooth"), kSettingNotFound);
  EXPECT_EQ(ReadSetting(ini, "Window", "Height"), kSettingNotFound);
  EXPECT_EQ(ReadSetting(dir.File("absent.ini"), "System", "ComPort"), kSettingNotFound);
  EXPECT_EQ(ReadSetting(dir.path(), "System", "ComPort"), kSettingNotFound);

  // Plain LF files read the same.
  std::string lf = ForeignFile();
  std::erase(lf, '\r');
  WriteBytes(ini, lf);
  EXPECT_EQ(ReadSetting(ini, "System", "ComPort"), "COM7");
  EXPECT_EQ(ReadSetting(ini, "NumberTypes", "Home"), std::string("Домашний"));
}

TEST(ProfileFileTest, WritingOneKeyKeepsTheRestOfTheFile) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  WriteBytes(ini, ForeignFile());
  ::chmod(ini.c_str(), 0640);

  WriteSetting(ini, "System", "ComPort", std::string("COM9 ёж"));
  WriteSetting(ini, "Window", "Top", "97");

  EXPECT_EQ(ReadSetting(ini, "System", "ComPort"), std::string("COM9 ёж"));
  EXPECT_EQ(ReadSetting(ini, "Window", "Top"), "97");
  EXPECT_EQ(ReadSetting(ini, "System", "BaudRate"), "57600");
  EXPECT_EQ(ReadSetting(ini, "NumberTypes", "Work"), std::string("Рабочий"));
  EXPECT_EQ(ReadSetting(ini, "NumberTypes", "Note"), std::string(kMaxSettingLength, 'x'));
  const std::string bytes = ReadBytes(ini);
  EXPECT_NE(bytes.find("; written on Windows"), std::string::npos);
  EXPECT_NE(bytes.find("ComPort=" + Utf8ToCp1251("COM9 ёж") + "\r\n"), std::string::npos);
  for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    ASSERT_GT(i, 0u);
    EXPECT_EQ(bytes[i - 1], '\r') << "bare line feed at " << i;
  }
  struct stat st {};
  ASSERT_EQ(::stat(ini.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(FileCount(dir.path()), 1u) << "a temporary file was left";

  // A value cannot smuggle in keys of its own.
  WriteSetting(ini, "System", "SIM", "250\r\nAutoConnect=1");
  EXPECT_EQ(ReadSetting(ini, "System", "SIM"), "250");
  EXPECT_EQ(ReadSetting(ini, "System", "AutoConnect"), kSettingNotFound);

  // A new file, a link to the real file.
  const std::string fresh = dir.File("fresh.ini");
  WriteSetting(fresh, "Visual_Columns", "Col1", "30");
  EXPECT_EQ(ReadBytes(fresh), "[Visual_Columns]\r\nCol1=30\r\n");
  const std::string link = dir.File("link.ini");
  std::filesystem::create_symlink(fresh, link);
  WriteSetting(link, "Visual_Columns", "Col2", "100");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadSetting(fresh, "Visual_Columns", "Col2"), "100");
}

TEST(ProfileFileTest, AFailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  WriteBytes(ini, ForeignFile());
  const std::string before = ReadBytes(ini);

  // A file size limit makes the write run out of room half way, even for root.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = before.size();
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  try {
    WriteSetting(ini, "System", "Padding", std::string(1000, 'p'));
  } catch (const std::runtime_error& e) {
    error = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(error, "Unable to write to " + ini);
  EXPECT_EQ(ReadBytes(ini), before);
  EXPECT_EQ(FileCount(dir.path()), 1u) << "a temporary file was left";

  // A directory that is a file: nothing can be written there.
  const std::string blocked = ini + "/velkor.ini";
  EXPECT_THROW(
      {
        try {
          WriteSetting(blocked, "System", "ComPort", "COM4");
        } catch (const std::runtime_error& e) {
          EXPECT_EQ(std::string(e.what()), "Unable to write to " + blocked);
          throw;
        }
      },
      std::runtime_error);
  EXPECT_EQ(ReadBytes(ini), before);
}

}  // namespace
}  // namespace quorix
