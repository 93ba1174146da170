#include "app/ConsoleLog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Shell.h"

namespace quorix {
namespace {

TEST(ConsoleLogTest, SplitsRepliesIntoLogLines) {
  EXPECT_EQ(LogLinesOf(""), std::vector<std::string>{""});
  EXPECT_EQ(LogLinesOf("ATZ\r\r\nOK\r"), (std::vector<std::string>{"ATZ", "", "OK"}));
  EXPECT_EQ(LogLinesOf("a\nb\r\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(LogLinesOf("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(ConsoleLogTest, SavesEveryLineWithCrLfAndReplacesTheFile) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("quorix-consolelog-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto path = (dir / "LogMemo.txt").string();
  SaveLogFile(path, {"Log", "ATZ", "", "OK", "\xcf\xf0\xe8"});
  EXPECT_EQ(ReadFile(path), "Log\r\nATZ\r\n\r\nOK\r\n\xcf\xf0\xe8\r\n");
  SaveLogFile(path, {"Log"});
  EXPECT_EQ(ReadFile(path), "Log\r\n");

  const auto missing = (dir / "no-such-dir" / "LogMemo.txt").string();
  try {
    SaveLogFile(missing, {"Log"});
    FAIL() << "writing into a missing folder succeeded";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + missing + "\". ", 0), 0u)
        << error.what();
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorix
