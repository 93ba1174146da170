#include "base/ConsoleLog.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace quorix {
namespace {

TEST(ConsoleLogTest, SplitsRepliesIntoLogLines) {
  EXPECT_EQ(LogLinesOf(""), std::vector<std::string>{""});
  EXPECT_EQ(LogLinesOf("ATZ\r\r\nOK\r"), (std::vector<std::string>{"ATZ", "", "OK"}));
  EXPECT_EQ(LogLinesOf("a\nb\r\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(LogLinesOf("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
}

TEST(ConsoleLogTest, SavesEveryLineWithCrLfAndReplacesTheFile) {
  test::TempDir dir;
  const auto path = dir.File("LogMemo.txt");
  SaveLogFile(path, {"Log", "ATZ", "", "OK", "При"});
  EXPECT_EQ(test::ReadBytes(path), "Log\r\nATZ\r\n\r\nOK\r\n\xcf\xf0\xe8\r\n");
  // What the code page cannot hold is kept in UTF-8 instead.
  SaveLogFile(path, {"Log", "Ελένη"});
  EXPECT_EQ(test::ReadBytes(path), "\xEF\xBB\xBFLog\r\nΕλένη\r\n");
  SaveLogFile(path, {"Log"});
  EXPECT_EQ(test::ReadBytes(path), "Log\r\n");

  const auto missing = dir.File("no-such-dir/LogMemo.txt");
  try {
    SaveLogFile(missing, {"Log"});
    FAIL() << "writing into a missing folder succeeded";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + missing + "\". ", 0), 0u)
        << error.what();
  }
}

}  // namespace
}  // namespace quorix
