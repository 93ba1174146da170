// What quorix-cli identify costs against a phone that never answers: it should wait about five
// seconds in poll() and burn next to no CPU doing so.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "phone-emulator/PtyPhoneServer.h"

extern char** environ;

int main() {
  quorix::emu::EmulatorOptions options;
  options.silent = true;
  quorix::emu::PtyPhoneServer server(options);
  std::string port = server.Start();
  std::string cli = QUORIX_CLI_PATH;
  std::string portOption = "--port";
  std::string command = "identify";
  char* argv[] = {cli.data(), portOption.data(), port.data(), command.data(), nullptr};

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    return 1;
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  std::printf("quorix-cli identify, silent phone: exit %d, wall %.2f s, CPU %.3f s\n",
              WIFEXITED(status) ? WEXITSTATUS(status) : -1, wall, cpu);
  return 0;
}
