#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Process.h"
#include "support/TempDir.h"
#include "support/TerminalClient.h"

extern char** environ;

namespace quorix::emu {
namespace {

namespace fs = std::filesystem;

const std::string kProgram = std::string(QUORIX_BIN_DIR) + "/quorix-phone-emulator";

// The emulator started as scripts/run starts it: in the background, its path read from stdout.
class RunningEmulator {
 public:
  explicit RunningEmulator(std::vector<std::string> args) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    args.insert(args.begin(), kProgram);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, kProgram.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    stdout_ = fdopen(out[0], "r");
    char line[256];
    if (stdout_ && std::fgets(line, sizeof line, stdout_)) firstLine_ = line;
  }
  ~RunningEmulator() {
    if (pid_ > 0) Terminate(SIGKILL);
    if (stdout_) std::fclose(stdout_);
  }

  const std::string& FirstLine() const { return firstLine_; }

  // Sends the signal and returns the exit status.
  int Terminate(int signal) {
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  FILE* stdout_ = nullptr;
  std::string firstLine_;
};

TEST(EmulatorProgramTest, PrintsItsTerminalServesAndStopsOnSignals) {
  const quorix::test::TempDir ports;
  setenv("QUORIX_PUBLISHED_PORTS", ports.path().c_str(), 1);
  for (const int signal : {SIGTERM, SIGINT}) {
    RunningEmulator emulator({"--sample", "--publish", "--model", "V3"});
    const std::string line = emulator.FirstLine();
    ASSERT_EQ(line.rfind("/dev/pts/", 0), 0u) << line;
    ASSERT_EQ(line.back(), '\n');
    const std::string path = line.substr(0, line.size() - 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(ports.path()), fs::directory_iterator()), 1);
    {
      test::TerminalClient client(path);
      client.Send("ATZ\r");
      EXPECT_EQ(client.ReadUntil("OK\r\n"), "ATZ\r\r\nOK\r\n");
      client.Send("AT+CGMM\r\n");
      EXPECT_EQ(client.ReadUntil("OK\r\n"),
                "AT+CGMM\r\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"GSM850\",\"MODEL=V3\"\r\n"
                "\r\nOK\r\n");
    }
    const int status = emulator.Terminate(signal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(fs::is_empty(ports.path())) << "the port leaves the map with the emulator";
  }
  unsetenv("QUORIX_PUBLISHED_PORTS");
}

TEST(EmulatorProgramTest, UsageErrorsAndHelp) {
  const auto help = quorix::test::RunProcess({kProgram, "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--hangup-after N"), std::string::npos);

  const auto bad = quorix::test::RunProcess({kProgram, "--baud", "x"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.out.empty());
  EXPECT_NE(bad.err.find("--baud"), std::string::npos);
}

}  // namespace
}  // namespace quorix::emu
