// The fault matrix: every long operation against an emulated phone that fails in each way a real
// one can, end to end over a pseudo-terminal. For every case: does the operation end within its
// bound, does the user hear of the failure, can the program connect again afterwards, are the
// tables consistent (what was read stays, unwritten rows keep their marks) and is a backup on
// disk either the old one byte for byte or a whole new one.
// Usage: bench_fault_matrix [OPERATION] [MODEL], MODEL one of the emulated phone's models (E398
// when not given).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "datebook/DatebookReader.h"
#include "datebook/DatebookWriter.h"
#include "link/AtReply.h"
#include "link/PhoneConnection.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "phonebook/PhoneFileReading.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookReader.h"
#include "phonebook/PhonebookWriter.h"
#include "support/EmulatedP2K.h"
#include "support/EmulatedPhoneSettings.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"
#include "support/Transcript.h"

namespace {

using quorix::AppState;
using quorix::emu::EmulatorOptions;
using quorix::emu::PtyPhoneServer;

constexpr double kBoundSeconds = 60;

// The emulated phone's sample book in the model the run was asked for.
EmulatorOptions SampleOptions(const std::string& model, const quorix::test::TempDir& dir) {
  EmulatorOptions options;
  options.model = model;
  options.sample = true;
  options.logPath = dir.File("phone.log");
  return options;
}

struct Fault {
  std::string name;
  std::function<void(EmulatorOptions&)> apply;
};

struct Outcome {
  bool told = false;        // the user was told of a failure (or nothing failed)
  bool consistent = false;  // the tables as the operation left them make sense
  bool filesIntact = true;  // the backup on disk is the old one or a whole new one
};

// A message box or a popup reached the user.
bool Told(const quorix::test::RecordingShell& shell) {
  return !shell.messages.empty() || !shell.notices.empty();
}

// The program's side of one case: state, shell, clock and connection, on the phone's terminal.
struct Program {
  AppState state;
  quorix::test::RecordingShell shell;
  quorix::test::SkippingClock clock;
  quorix::PhoneConnection phone{state.settings, state.link, shell, clock};

  explicit Program(const std::string& port) {
    quorix::test::UseEmulatedPhone(state, port);
    shell.onProcessEvents = [this](int) { phone.Com().PollTick(); };
  }
  bool Told() const { return ::Told(shell); }
};

struct Operation {
  std::string name;
  std::string mainCommand;  // the command the operation repeats: noise, an endless or late reply
  std::function<void(Program&)> prepare;
  std::function<Outcome(Program&, const quorix::test::TempDir&)> run;
};

// Every row of the list is a used entry and the list holds what the reading counted.
bool ListedAsRead(const quorix::PhonebookState& pb) {
  bool listed = true;
  for (const quorix::ListRow& row : pb.LV) {
    listed = listed && quorix::EntryIsUsed(pb, std::stoi(row.Caption));
  }
  return listed && pb.ReadCount == static_cast<int>(pb.LV.size());
}

void MarkRows(AppState& state) {
  for (int i = 1; i <= 20; ++i) {
    quorix::EntryRow& row = state.phonebook.PhonebookEntries[i];
    row = {};
    row[quorix::EntryNumber] = "\"+7916000" + std::to_string(1000 + i) + "\"";
    row[quorix::EntryNumberFormat] = "145";
    row[quorix::EntryNumberType] = "3";
    row[quorix::EntryMelody] = "255";
    row[quorix::EntryPrimary] = "1";
    row[quorix::EntryCategory] = "1";
    row[quorix::EntryMark] = quorix::kMarkChanged;
  }
  state.DataModified = true;
}

std::vector<Operation> Operations(const quorix::DatebookTable& datebook) {
  std::vector<Operation> operations;
  operations.push_back({"phonebook reading", "AT+MPBR", [](Program&) {},
                        [](Program& p, const quorix::test::TempDir& dir) {
                          const std::string backup = dir.File("old.csv");
                          quorix::test::WriteBytes(backup, "an earlier backup\r\n");
                          const auto outcome = quorix::ReadPhonebook(p.state, p.shell, p.phone);
                          quorix::ReportPhonebookReading(p.shell, outcome);
                          // The backup command over the old file: a reading with failures asks, and
                          // the shell says No.
                          p.state.link.PhoneConnected = true;
                          p.shell.saveAnswers.push_back(backup);
                          quorix::ToolButton11Click(p.state, p.shell, p.clock);
                          const quorix::PhonebookState& pb = p.state.phonebook;
                          Outcome o;
                          o.told = !outcome.HadFailures() || p.Told();
                          o.consistent = ListedAsRead(pb);
                          const std::string text = quorix::test::ReadBytes(backup);
                          if (outcome.HadFailures()) {
                            o.filesIntact = text == "an earlier backup\r\n";
                          } else {
                            AppState restored;
                            quorix::test::RecordingShell quiet;
                            try {
                              quorix::RestorePhonebookFile(restored, quiet, backup);
                              o.filesIntact = restored.phonebook.LV.size() == pb.LV.size();
                            } catch (const std::exception&) {
                              o.filesIntact = false;
                            }
                          }
                          return o;
                        }});
  operations.push_back(
      {"phonebook upload", "AT+MPBW", [](Program& p) { MarkRows(p.state); },
       [](Program& p, const quorix::test::TempDir&) {
         const auto outcome = quorix::UploadPhonebook(p.state, p.shell, p.phone, p.clock);
         quorix::ReportUpload(p.state, p.shell, outcome);
         Outcome o;
         o.told = !outcome.HadErrors() || p.Told();
         o.consistent = p.state.DataModified == (quorix::PendingChanges(p.state.phonebook) > 0) &&
                        outcome.Written + quorix::PendingChanges(p.state.phonebook) == 20;
         return o;
       }});
  operations.push_back({"phonebook full clear", "AT+MPBW", [](Program&) {},
                        [](Program& p, const quorix::test::TempDir&) {
                          quorix::PhonebookWriteOutcome outcome;
                          quorix::ClearPhoneMemory(p.state, p.shell, p.phone, p.clock, outcome);
                          p.shell.ProgressClose();
                          Outcome o;
                          o.told = !outcome.HadErrors() || p.Told();
                          o.consistent = p.state.phonebook.LV.empty();
                          return o;
                        }});
  operations.push_back({"datebook reading", "AT+MDBR", [](Program&) {},
                        [](Program& p, const quorix::test::TempDir&) {
                          const auto outcome = quorix::ReadDatebook(p.state, p.shell, p.phone);
                          quorix::ReportDatebookReading(p.shell, outcome);
                          Outcome o;
                          o.told = !outcome.HadFailures() || p.Told();
                          o.consistent =
                              quorix::UsedDatebookRecords(p.state.datebook.DatebookRecords) ==
                              outcome.RecordsRead;
                          return o;
                        }});
  operations.push_back({"datebook restore", "AT+MDBW",
                        [datebook](Program& p) { p.state.datebook.DatebookRecords = datebook; },
                        [datebook](Program& p, const quorix::test::TempDir&) {
                          const auto outcome =
                              quorix::WriteDatebookToPhone(p.state, p.shell, p.phone, p.clock);
                          quorix::ReportDatebookRestore(p.shell, p.state, outcome);
                          Outcome o;
                          o.told = !outcome.HadFailures() || p.Told();
                          o.consistent = p.state.datebook.DatebookRecords == datebook &&
                                         p.state.UploadHadErrors ==
                                             (outcome.FailedWrites > 0 || outcome.PhoneSilent);
                          return o;
                        }});
  return operations;
}

struct CaseResult {
  bool ended = false;
  double seconds = 0;
  bool told = false;
  bool usable = false;
  bool consistent = false;
  bool filesIntact = false;
  bool Clean() const { return ended && told && usable && consistent && filesIntact; }
};

// Still usable: the same program connects to a healthy phone and talks to it.
bool UsableAfterwards(quorix::PhoneConnection& phone, AppState& state) {
  PtyPhoneServer healthy(EmulatorOptions{});
  phone.ToolButton2Click();
  state.settings.ComPort = healthy.Start();
  phone.ConnectPhone();
  std::string reply;
  phone.SendATCommand("AT", reply);
  return state.link.PhoneConnected && quorix::ReplyComplete(reply);
}

CaseResult Result(std::chrono::steady_clock::time_point start, const Outcome& outcome) {
  CaseResult result;
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.ended = result.seconds < kBoundSeconds;
  result.told = outcome.told;
  result.consistent = outcome.consistent;
  result.filesIntact = outcome.filesIntact;
  return result;
}

CaseResult RunCase(const Operation& operation, const Fault& fault, const std::string& model) {
  quorix::test::TempDir dir;
  EmulatorOptions options = SampleOptions(model, dir);
  fault.apply(options);
  PtyPhoneServer server(options);
  Program program(server.Start());
  const auto start = std::chrono::steady_clock::now();
  program.phone.ConnectPhone();
  Outcome outcome;
  if (program.state.link.PhoneConnected) {
    // Only what the operation tells counts, not the popup of the connect.
    program.shell.notices.clear();
    operation.prepare(program);
    outcome = operation.run(program, dir);
  } else {
    // The command asks for a connection first; nothing else runs.
    outcome.told = program.Told();
    outcome.consistent = true;
  }
  CaseResult result = Result(start, outcome);
  result.usable = UsableAfterwards(program.phone, program.state);
  return result;
}

// What the operation sends and how many bytes the phone answers, from a clean run.
struct Profile {
  std::vector<std::string> commandKinds;  // up to the "=", each once
  long long bytes = 0;                    // the phone's bytes over the operation
};

Profile Measure(const Operation& operation, const std::string& model) {
  quorix::test::TempDir dir;
  const EmulatorOptions options = SampleOptions(model, dir);
  PtyPhoneServer server(options);
  Program program(server.Start());
  program.phone.ConnectPhone();
  const long long before = server.BytesSent();
  operation.prepare(program);
  operation.run(program, dir);
  Profile profile;
  profile.bytes = server.BytesSent() - before;
  std::set<std::string> seen;
  const auto sent = quorix::test::ReceivedCommands(options.logPath);
  for (size_t i = 2; i < sent.size(); ++i) {  // after the connect's ATZ and AT+CGMM
    const std::string kind = sent[i].substr(0, sent[i].find('=') + 1);
    if (kind == "ATZ" || kind.empty()) continue;  // the connect's own command
    if (seen.insert(kind).second) profile.commandKinds.push_back(kind);
  }
  return profile;
}

std::vector<Fault> Faults(const Operation& operation, const Profile& profile,
                          long long connectBytes) {
  std::vector<Fault> faults;
  faults.push_back({"silent from the start", [](EmulatorOptions& o) { o.silent = true; }});
  for (int k = 0; k < 10; ++k) {
    const long long at = connectBytes + profile.bytes * (2 * k + 1) / 20;
    faults.push_back({"hang-up at " + std::to_string(10 * k + 5) + "%",
                      [at](EmulatorOptions& o) { o.hangupAfter = at; }});
  }
  for (const std::string& kind : profile.commandKinds) {
    faults.push_back({"ERROR to " + kind, [kind](EmulatorOptions& o) { o.errorOn = {kind}; }});
  }
  const std::string main = operation.mainCommand;
  faults.push_back({"noise in " + main, [main](EmulatorOptions& o) { o.garbageOn = {main}; }});
  faults.push_back({"endless " + main, [main](EmulatorOptions& o) { o.endlessOn = {main}; }});
  faults.push_back({"late " + main + " (6 s)", [main](EmulatorOptions& o) {
                      o.delayOn = {main};
                      o.replyDelayMs = 6000;
                    }});
  return faults;
}

long long ConnectBytes() {
  EmulatorOptions options;
  options.sample = true;
  PtyPhoneServer server(options);
  Program program(server.Start());
  program.phone.ConnectPhone();
  return server.BytesSent();
}

quorix::DatebookTable SampleDatebook() {
  EmulatorOptions options;
  options.sample = true;
  PtyPhoneServer server(options);
  Program program(server.Start());
  program.phone.ConnectPhone();
  quorix::ReadDatebook(program.state, program.shell, program.phone);
  return program.state.datebook.DatebookRecords;
}

// The P2K listing: a reading with the P2K step on, the phone on its published modem port. Its
// pauses stand for the real switches (see EmulatedP2K); its faults are the P2K ones.
struct P2KProgram : quorix::test::EmulatedP2K {
  explicit P2KProgram(const EmulatorOptions& options) : EmulatedP2K(options) {
    state.settings.FromPHONE = true;
    state.settings.Range = "50";
    state.settings.P2K = true;
    // A device that never comes is given up after the switch's own pause; real time here only
    // waits for the emulated bus.
    switchGuard = std::chrono::seconds(3);
  }
  quorix::PhoneFileLinks links{p2k, phone, clock};
};

// The rows of the file list that came are filled from the first on, with no gap.
bool FilesAsListed(const quorix::PhonebookState& pb) {
  bool ended = false;
  for (size_t i = 1; i < pb.PhoneFileList.size(); ++i) {
    const bool empty = pb.PhoneFileList[i].FileName.empty();
    if (!empty && ended) return false;
    ended = ended || empty;
  }
  return true;
}

CaseResult RunP2KCase(const Fault& fault) {
  EmulatorOptions options;
  fault.apply(options);
  P2KProgram program(options);
  const auto start = std::chrono::steady_clock::now();
  Outcome outcome;
  outcome.told = true;
  outcome.consistent = true;
  if (program.phone.ConnectPhone() == quorix::ConnectOutcome::Connected) {
    program.shell.notices.clear();
    const auto reading =
        quorix::ReadPhonebook(program.state, program.shell, program.phone, &program.links);
    quorix::ReportPhonebookReading(program.shell, reading);
    const bool failed =
        reading.HadFailures() || reading.PhoneFilesIncomplete || reading.PhoneNotBack;
    outcome.told = !failed || Told(program.shell);
    outcome.consistent =
        ListedAsRead(program.state.phonebook) && FilesAsListed(program.state.phonebook);
  } else {
    outcome.told = Told(program.shell);
  }
  CaseResult result = Result(start, outcome);
  result.usable = UsableAfterwards(program.phone, program.state);
  return result;
}

// A clean P2K listing: its P2K commands, counted in the phone's transcript, and the serial bytes
// of the reading before its P2K step and of the step itself.
struct P2KProfile {
  int commands = 0;
  long long before = 0;
  long long stepBytes = 0;
};

P2KProfile MeasureP2K() {
  const auto bytes = [](bool withStep, int* commands) {
    P2KProgram program(EmulatorOptions{});
    program.state.settings.P2K = withStep;
    program.phone.ConnectPhone();
    quorix::ReadPhonebook(program.state, program.shell, program.phone, &program.links);
    if (commands != nullptr) *commands = program.InTranscript("command ");
    return program.server.BytesSent();
  };
  P2KProfile profile;
  profile.before = bytes(false, nullptr);
  profile.stepBytes = bytes(true, &profile.commands) - profile.before;
  return profile;
}

// The faults of every operation over the P2K step's serial part, then the P2K device's own.
std::vector<Fault> P2KFaults(const P2KProfile& profile) {
  const Operation step{"P2K listing", "AT+MODE=", {}, {}};
  std::vector<Fault> faults = Faults(step, {{"AT+MODE="}, profile.stepBytes}, profile.before);
  faults.push_back({"never in P2K mode", [](EmulatorOptions& o) { o.noP2K = true; }});
  faults.push_back({"P2K reply never ready", [](EmulatorOptions& o) { o.p2kNeverReady = true; }});
  for (int n = 1; n <= profile.commands; ++n) {
    faults.push_back({"unplug at P2K command " + std::to_string(n),
                      [n](EmulatorOptions& o) { o.p2kUnplugAt = n; }});
  }
  return faults;
}

const char* Mark(bool yes) {
  return yes ? "yes" : "NO";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  const std::string model = argc > 2 ? argv[2] : "E398";
  const long long connectBytes = ConnectBytes();
  const quorix::DatebookTable datebook = SampleDatebook();
  std::printf("%-22s %-24s %7s %6s %6s %6s %10s %6s\n", "operation", "fault", "seconds", "ended",
              "told", "usable", "consistent", "files");
  int cases = 0;
  int clean = 0;
  std::map<std::string, double> longest;
  const auto count = [&](const std::string& name, const Fault& fault, const CaseResult& r) {
    ++cases;
    clean += r.Clean();
    longest[name] = std::max(longest[name], r.seconds);
    std::printf("%-22s %-24s %7.2f %6s %6s %6s %10s %6s\n", name.c_str(), fault.name.c_str(),
                r.seconds, Mark(r.ended), Mark(r.told), Mark(r.usable), Mark(r.consistent),
                Mark(r.filesIntact));
    std::fflush(stdout);
  };
  for (const Operation& operation : Operations(datebook)) {
    if (!only.empty() && operation.name.find(only) == std::string::npos) continue;
    const Profile profile = Measure(operation, model);
    for (const Fault& fault : Faults(operation, profile, connectBytes)) {
      count(operation.name, fault, RunCase(operation, fault, model));
    }
  }
  const std::string p2kName = "P2K listing";
  if (only.empty() || p2kName.find(only) != std::string::npos) {
    for (const Fault& fault : P2KFaults(MeasureP2K())) {
      const CaseResult r = RunP2KCase(fault);
      count(p2kName, fault, r);
    }
  }
  std::printf("\n%d faults tried, %d ended cleanly; the longest case of each operation:\n", cases,
              clean);
  for (const auto& [name, seconds] : longest) {
    std::printf("  %-22s %6.2f s (bound %.0f s)\n", name.c_str(), seconds, kBoundSeconds);
  }
  std::printf(
      "ended: within the bound; told: a failure reached the user (message or popup); usable:\n"
      "the same program connects to a healthy phone afterwards; consistent: what was read\n"
      "stays, unwritten rows keep their marks; files: the old backup byte for byte or a whole\n"
      "new one. Pauses are skipped, waits for the phone are real.\n");
  return clean == cases ? 0 : 1;
}
