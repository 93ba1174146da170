#include "phone-emulator/ModelProfile.h"

namespace quorix::emu {

bool HasFiveHundredRecords(std::string_view model) {
  return model == "C650" || model == "V180" || model == "V220" || model == "C550";
}

ModelProfile ProfileFor(const std::string& name) {
  ModelProfile p;
  p.model = name;
  if (HasFiveHundredRecords(name)) p.phoneRecords = 500;
  if (name == "L6") {
    // As the published L6 transcripts show it.
    p.bands = "\"GSM900\",\"GSM1800\",\"GSM1900\"";
    p.firmware = "R3517_G_0A.63.12R";
    p.memories =
        "(\"ME\",\"SM\",\"MT\",\"ON\",\"DC\",\"MC\",\"RC\",\"EN\",\"AD\",\"QD\",\"SD\",\"FD\")";
    p.phoneRecords = 500;
    p.simNameLength = 15;
    p.lateBanner = true;
  } else if (name == "L7") {
    p.noise = "\xFF\xFF";
  } else if (name == "categories-11") {
    p.model = "V360";
    p.categoryCount = 11;
  } else if (name == "range-from-10") {
    p.model = "V1050";
    p.firstPhoneIndex = 10;
  } else if (name == "late-p2k") {
    // Later than the fixed pause programs make after the switch.
    p.model = "E398";
    p.p2kDelayMs = 12000;
  } else if (name == "quoted-titles") {
    p.model = "E398";
    p.quotedUcs2Titles = true;
  }
  return p;
}

int P2KAppearanceDelayMs(const EmulatorOptions& options) {
  return options.p2kDelayMs.value_or(
      ProfileFor(options.model).p2kDelayMs.value_or(options.usbDelayMs));
}

}  // namespace quorix::emu
