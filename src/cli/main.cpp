#include <cstring>
#include <iostream>
#include <map>
#include <string>

#include "app/ProgramPaths.h"
#include "app/Settings.h"
#include "base/Translate.h"
#include "cli/CliCommand.h"
#include "cli/CliSettings.h"

namespace {

using quorix::cli::CliContext;

constexpr const char* kUsage =
    "usage: quorix-cli [--settings FILE] [--port PORT] [--bluetooth PORT --bt-wait MS]\n"
    "                  COMMAND [ARGS...]\n"
    "\n"
    "Commands:\n"
    "  ucs2 encode TEXT    print TEXT (UTF-8) as the phone's UCS2 hex text\n"
    "  ucs2 decode HEX     print the phone's UCS2 hex text as UTF-8\n"
    "  ports               list the serial ports; the phone's USB modem port is marked *\n"
    "  identify            connect to the phone and print its model\n"
    "  at CMD...           connect and send each AT command, printing each reply\n"
    "  phonebook read [--phone] [--sim] [--advanced] [--range N] [--sim-capacity N]\n"
    "                 [--save FILE [--save-partial]] [--p2k]\n"
    "                      read the phonebook and print the category list, a blank line and\n"
    "                      the entry list, one tab-separated row a line; --phone and --sim\n"
    "                      choose the memories (either replaces both settings), --advanced\n"
    "                      reads the advanced fields, --range sets the records per request,\n"
    "                      --sim-capacity the SIM's size; --save writes the backup FILE.\n"
    "                      A reading with failures (a reply ending in ERROR or cut short)\n"
    "                      exits 1 with a summary on stderr and does not replace an existing\n"
    "                      FILE unless --save-partial is given;\n"
    "                      --p2k ends the reading with the phone's melody and picture files\n"
    "                      over P2K (as p2k files), shown in the melody cells\n"
    "  phonebook show FILE print a phonebook backup file as phonebook read prints a reading\n"
    "  phonebook write FILE [--clear] [--advanced]\n"
    "                      restore the backup FILE and upload every row of it to the phone;\n"
    "                      --clear empties the phone's memory first, --advanced writes the\n"
    "                      advanced fields; one summary line on stderr\n"
    "  phonebook clear [--yes]\n"
    "                      delete every category and entry of the selected memory in the\n"
    "                      phone, after asking on the terminal unless --yes is given\n"
    "  phonebook export VCF [--from BACKUP | READ OPTIONS]\n"
    "                      write the contacts of the phone (read as phonebook read reads,\n"
    "                      taking its options) or of the backup file BACKUP to VCF as vCard 3.0,\n"
    "                      one contact for the entries of one name\n"
    "  phonebook import VCF [--save FILE [--from BACKUP]] [--advanced]\n"
    "                      add the contacts of the vCard file VCF (2.1, 3.0 or 4.0) to the free\n"
    "                      rows of the phone's memory and upload them; with --save, offline:\n"
    "                      add them to BACKUP (or to an empty phonebook) and write the backup\n"
    "                      FILE. What cannot go to the phone is listed on stderr\n"
    "  datebook read [--save FILE [--save-partial]]\n"
    "                      read the datebook and print one tab-separated row a record: its\n"
    "                      number, the description and the eight other fields as the phone\n"
    "                      sends them; --save writes the backup FILE, which a reading with\n"
    "                      failures leaves as it was unless --save-partial is given\n"
    "  datebook show FILE  print a datebook backup file as datebook read prints a reading\n"
    "  datebook write FILE write the records of a datebook backup file into the phone\n"
    "  datebook export ICS [--from BACKUP]\n"
    "                      write the datebook of the phone, or of the backup file BACKUP, to ICS\n"
    "                      as iCalendar\n"
    "  datebook import ICS [--save FILE [--from BACKUP]]\n"
    "                      add the events of the iCalendar file ICS to the free records of the\n"
    "                      phone's datebook and write them into it; with --save, offline: add\n"
    "                      them to BACKUP (or to an empty datebook) and write the backup FILE.\n"
    "                      What the phone cannot hold is listed on stderr\n"
    "  sms read [--save FILE [--save-partial]] [--phonebook BACKUP]\n"
    "                      read every text message of the phone (its memory and the SIM) and\n"
    "                      print them by conversation; --save writes the message backup FILE,\n"
    "                      which a reading with failures leaves as it was unless\n"
    "                      --save-partial is given; --phonebook names the numbers from a\n"
    "                      phonebook backup\n"
    "  sms show FILE [--phonebook BACKUP]\n"
    "                      print a message backup file as sms read prints a reading\n"
    "  sms export FILE --format android-xml|text [--from BACKUP] [--phonebook BACKUP]\n"
    "                      write the messages of the phone, or of the backup file BACKUP, to\n"
    "                      FILE as the XML Android's SMS backup apps restore, or as plain text\n"
    "  p2k files           switch the phone on its USB modem port (marked * by ports) to P2K\n"
    "                      mode, print its melody and picture files (name, a tab and the\n"
    "                      attribute value a line) and switch it back to its modem port\n"
    "  p2k delete-tonedb [--yes]\n"
    "                      delete /a/mobile/audio/MyToneDB.db over P2K and restart the phone;\n"
    "                      asks first on a terminal, --yes answers for a script\n"
    "  p2k ls [PATH] [-l]  print every file below PATH (/a/ by default) on the phone, one a\n"
    "                      line; -l puts its size and attributes first\n"
    "  p2k get PHONE_PATH [LOCAL]\n"
    "                      copy a file of the phone to LOCAL (its own name in the current\n"
    "                      folder by default), written whole or not at all\n"
    "  p2k put LOCAL PHONE_PATH [--force]\n"
    "                      copy a file to the phone; --force replaces a file there\n"
    "  p2k rm PHONE_PATH | p2k mkdir PHONE_PATH | p2k rmdir PHONE_PATH\n"
    "                      delete a file, make or remove a folder on the phone\n"
    "  p2k df              print each volume of the phone and its free bytes\n"
    "  p2k backup DIR      copy every file of the phone into DIR keeping its folders; files\n"
    "                      there already with the phone's size are kept, so a backup that\n"
    "                      broke off goes on; names no file system takes are mapped and told\n"
    "\n"
    "Options:\n"
    "  --settings FILE     read the settings from FILE instead of the program's velkor.ini\n"
    "  --port PORT         serial port of the phone (COM4, /dev/ttyACM0, ...)\n"
    "  --bluetooth PORT    use this Bluetooth serial port instead\n"
    "  --bt-wait MS        wait this long after opening the Bluetooth port\n"
    "  -h, --help          show this help\n"
    "  --version           show the version\n"
    "\n"
    "Settings not given as options come from the settings file (section System):\n"
    "velkor.ini in $XDG_CONFIG_HOME/quorix/ or ~/.config/quorix/ for an installed program,\n"
    "beside it in a build folder.\n"
    "Exit status: 0 on success, 1 when the phone or a file fails, 2 on a usage error.\n";

using Handler = int (*)(CliContext&);

const std::map<std::string, Handler>& Commands() {
  static const std::map<std::string, Handler> commands = {
      {"at", quorix::cli::AtCommand},
      {"datebook", quorix::cli::DatebookCommand},
      {"identify", quorix::cli::IdentifyCommand},
      {"p2k", quorix::cli::P2KCommand},
      {"phonebook", quorix::cli::PhonebookCommand},
      {"ports", quorix::cli::PortsCommand},
      {"sms", quorix::cli::SmsCommand},
      {"ucs2", quorix::cli::Ucs2Command},
  };
  return commands;
}

int UsageFailure(const std::string& message) {
  std::cerr << "quorix-cli: " << message << "\n\n" << kUsage;
  return quorix::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  CliContext ctx{{}, {}, {}, {}, {}, std::cout, std::cerr};
  std::string command;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (command.empty()) {
      if (word == "-h" || word == "--help") {
        std::cout << kUsage;
        return quorix::cli::kExitOk;
      }
      if (word == "--version") {
        std::cout << "quorix-cli " QUORIX_VERSION "\n";
        return quorix::cli::kExitOk;
      }
      std::string* option = nullptr;
      if (word == "--port") option = &ctx.port;
      if (word == "--bluetooth") option = &ctx.bluetoothPort;
      if (word == "--bt-wait") option = &ctx.bluetoothWaitMs;
      if (word == "--settings") option = &ctx.settingsPath;
      if (option) {
        if (i + 1 >= argc) return UsageFailure(word + " needs a value");
        *option = argv[++i];
        continue;
      }
      if (word.rfind("-", 0) == 0) return UsageFailure("unknown option '" + word + "'");
      command = word;
      continue;
    }
    ctx.args.push_back(word);
  }
  if (command.empty()) return UsageFailure("no command given");
  const auto found = Commands().find(command);
  if (found == Commands().end()) return UsageFailure("unknown command '" + command + "'");
  // The messages follow the language of the settings in use, else the user's locale; the usage
  // text stays English.
  quorix::SetUpTranslations(quorix::LocaleDirectory(quorix::ProgramDirectory()),
                            quorix::ReadLanguageSetting(quorix::cli::CliSettingsPath(ctx)));
  try {
    return found->second(ctx);
  } catch (const quorix::cli::UsageError& e) {
    return UsageFailure(e.what());
  } catch (const std::exception& e) {
    std::cerr << "quorix-cli: " << e.what() << '\n';
    return quorix::cli::kExitFailure;
  }
}
