#include "phone-emulator/EmulatorOptions.h"

#include <charconv>
#include <optional>

namespace quorix::emu {

namespace {

// Longer than any program waits for the P2K device.
constexpr long long kMaxP2KDelayMs = 120000;
// More than the flash of any phone of the kind.
constexpr long long kMaxP2KCapacity = 64 << 20;

std::optional<long long> ParseCount(const std::string& text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 0) return std::nullopt;
  return value;
}

}  // namespace

const char* EmulatorUsage() {
  return "Usage: quorix-phone-emulator [options]\n"
         "Serves an emulated Motorola phone on a pseudo-terminal and prints its path.\n"
         "\n"
         "  --model NAME          phone model (default E398; C650, V180, V220, C550 have\n"
         "                        500 phone records, the others 1000), or a profile:\n"
         "                        L6             the L6 of the captures: 500 records, SIM\n"
         "                                       names of 15 characters, late +MBAN\n"
         "                        L7             an SLVR L7: FF FF before every echo\n"
         "                        categories-11  a V360 with 11 categories\n"
         "                        range-from-10  a V1050 whose records run from 10\n"
         "                        quoted-titles  an E398 that quotes UCS2 datebook titles\n"
         "                        late-p2k       an E398 whose P2K device appears 12 s\n"
         "                                       after AT+MODE=8\n"
         "  --sim-capacity N      SIM records (default 250)\n"
         "  --sample              start with a sample phonebook, categories, datebook and\n"
         "                        text messages\n"
         "  --fill N              add N generated entries to the phone memory\n"
         "  --baud N              pace the output as a line of N bit/s\n"
         "  --log FILE            write a transcript of every exchange\n"
         "  --publish             list the port as a USB modem for Quorix\n"
         "  --silent              never answer\n"
         "  --hangup-after N      drop the line after sending N bytes\n"
         "  --error-on PREFIX     answer ERROR to commands beginning with PREFIX (repeatable)\n"
         "  --reply-delay MS      wait MS milliseconds before each reply\n"
         "  --delay-on PREFIX     wait --reply-delay only before the replies to commands\n"
         "                        beginning with PREFIX (repeatable)\n"
         "  --garbage-on PREFIX   put line noise into the replies to commands beginning with\n"
         "                        PREFIX (repeatable)\n"
         "  --endless-on PREFIX   never end the replies to commands beginning with PREFIX:\n"
         "                        record lines follow one another for ever (repeatable)\n"
         "  --usb-delay MS        time off the bus when changing USB mode (default 2500)\n"
         "  --p2k-delay MS        time from AT+MODE=8 until the P2K device appears (default:\n"
         "                        the model's, else --usb-delay; at most 120000)\n"
         "  --no-p2k              answer AT+MODE=8 but never come up in P2K mode\n"
         "  --p2k-never-ready     take P2K commands but never get a reply ready\n"
         "  --p2k-unplug-at N     be unplugged when the Nth P2K command arrives\n"
         "  --p2k-capacity BYTES  room in the phone's file system (default 4194304, at most\n"
         "                        67108864)\n"
         "  --help                show this text\n";
}

ParsedEmulatorOptions ParseEmulatorOptions(const std::vector<std::string>& args) {
  ParsedEmulatorOptions result;
  EmulatorOptions& o = result.options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.help = true;
      continue;
    }
    if (arg == "--sample") {
      o.sample = true;
      continue;
    }
    if (arg == "--publish") {
      o.publish = true;
      continue;
    }
    if (arg == "--silent") {
      o.silent = true;
      continue;
    }
    if (arg == "--no-p2k") {
      o.noP2K = true;
      continue;
    }
    if (arg == "--p2k-never-ready") {
      o.p2kNeverReady = true;
      continue;
    }
    const bool takesValue = arg == "--model" || arg == "--sim-capacity" || arg == "--fill" ||
                            arg == "--baud" || arg == "--log" || arg == "--hangup-after" ||
                            arg == "--error-on" || arg == "--reply-delay" || arg == "--usb-delay" ||
                            arg == "--p2k-delay" || arg == "--p2k-unplug-at" ||
                            arg == "--p2k-capacity" || arg == "--garbage-on" ||
                            arg == "--endless-on" || arg == "--delay-on";
    if (!takesValue) {
      result.error = "unknown option: " + arg;
      return result;
    }
    if (i + 1 >= args.size()) {
      result.error = arg + " needs a value";
      return result;
    }
    const std::string& value = args[++i];
    if (arg == "--model") {
      if (value.empty()) {
        result.error = "--model needs a name";
        return result;
      }
      o.model = value;
    } else if (arg == "--log") {
      o.logPath = value;
    } else if (arg == "--error-on") {
      if (value.empty()) {
        result.error = "--error-on needs a command prefix";
        return result;
      }
      o.errorOn.push_back(value);
    } else if (arg == "--garbage-on" || arg == "--endless-on" || arg == "--delay-on") {
      if (value.empty()) {
        result.error = arg + " needs a command prefix";
        return result;
      }
      (arg == "--garbage-on"   ? o.garbageOn
       : arg == "--endless-on" ? o.endlessOn
                               : o.delayOn)
          .push_back(value);
    } else {
      const auto number = ParseCount(value);
      const long long limit = arg == "--hangup-after" ? (1LL << 40) : 1000000000LL;
      if (!number || *number > limit) {
        result.error = arg + " needs a whole number, not '" + value + "'";
        return result;
      }
      if (arg == "--sim-capacity") {
        if (*number > 250) {
          result.error = "--sim-capacity is at most 250";
          return result;
        }
        o.simCapacity = static_cast<int>(*number);
      } else if (arg == "--fill") {
        o.fill = static_cast<int>(*number);
      } else if (arg == "--baud") {
        if (*number == 0) {
          result.error = "--baud needs a positive speed";
          return result;
        }
        o.baud = static_cast<int>(*number);
      } else if (arg == "--hangup-after") {
        o.hangupAfter = *number;
      } else if (arg == "--usb-delay") {
        o.usbDelayMs = static_cast<int>(*number);
      } else if (arg == "--p2k-delay") {
        if (*number > kMaxP2KDelayMs) {
          result.error = "--p2k-delay is at most " + std::to_string(kMaxP2KDelayMs);
          return result;
        }
        o.p2kDelayMs = static_cast<int>(*number);
      } else if (arg == "--p2k-unplug-at") {
        if (*number == 0) {
          result.error = "--p2k-unplug-at counts from 1";
          return result;
        }
        o.p2kUnplugAt = static_cast<int>(*number);
      } else if (arg == "--p2k-capacity") {
        if (*number > kMaxP2KCapacity) {
          result.error = "--p2k-capacity is at most " + std::to_string(kMaxP2KCapacity);
          return result;
        }
        o.p2kCapacity = static_cast<uint32_t>(*number);
      } else {
        o.replyDelayMs = static_cast<int>(*number);
      }
    }
  }
  return result;
}

}  // namespace quorix::emu
