#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorix::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the phone or a file failed
constexpr int kExitUsage = 2;

// Thrown by a command whose words are off; main prints it with the usage and exits 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What every command gets: its own words and the global options.
struct CliContext {
  std::vector<std::string> args;  // the words after the command name
  std::string port;               // --port, empty when not given
  std::string bluetoothPort;      // --bluetooth
  std::string bluetoothWaitMs;    // --bt-wait
  std::string settingsPath;       // --settings, empty for the program's velkor.ini
  std::ostream& out;
  std::ostream& err;
};

int Ucs2Command(CliContext& ctx);
int PortsCommand(CliContext& ctx);
int IdentifyCommand(CliContext& ctx);
int AtCommand(CliContext& ctx);
int PhonebookCommand(CliContext& ctx);
int DatebookCommand(CliContext& ctx);
// sms read | sms show FILE | sms export FILE --format android-xml|text
int SmsCommand(CliContext& ctx);
// p2k files | p2k delete-tonedb [--yes]
int P2KCommand(CliContext& ctx);
// The phone's files over P2K (ls, get, put, rm, mkdir, rmdir, df, backup); -1 when args[0] names
// none of them.
int P2KFileCommand(CliContext& ctx);

}  // namespace quorix::cli
