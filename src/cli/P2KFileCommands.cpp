#include <algorithm>
#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliLink.h"
#include "cli/CliP2K.h"
#include "cli/P2KFileSession.h"
#include "link/p2k/PhoneFiles.h"

namespace quorix::cli {

namespace {

// Checks a phone path on the command line, so that a wrong one is a usage error.
void PhonePathArgument(const std::string& command, const std::string& path) {
  std::string why;
  if (!PhonePath(path, why)) throw UsageError(command + ": " + why);
}

// The command's own serial and P2K links.
struct CliSession {
  explicit CliSession(CliContext& ctx)
      : link(ctx), p2k(link), files(p2k.p2k, link.phone, link.shell, link.clock) {}
  CliLink link;
  CliP2K p2k;
  P2KFileSession files;
};

std::vector<std::string> Words(const CliContext& ctx, const std::string& command,
                               const std::vector<std::string>& flags, std::vector<bool>& given) {
  std::vector<std::string> words;
  given.assign(flags.size(), false);
  for (size_t i = 1; i < ctx.args.size(); ++i) {
    const auto flag = std::find(flags.begin(), flags.end(), ctx.args[i]);
    if (flag != flags.end()) {
      given[flag - flags.begin()] = true;
    } else if (ctx.args[i].rfind("-", 0) == 0) {
      throw UsageError(command + ": unknown option '" + ctx.args[i] + "'");
    } else {
      words.push_back(ctx.args[i]);
    }
  }
  return words;
}

int ListCommand(CliContext& ctx) {
  std::vector<bool> flags;
  const auto words = Words(ctx, "p2k ls", {"-l"}, flags);
  if (words.size() > 1) throw UsageError("p2k ls: unexpected '" + words[1] + "'");
  CliSession s(ctx);
  return P2KList(s.files, words.empty() ? "/a/" : words[0], flags[0], ctx.out, ctx.err);
}

int GetCommand(CliContext& ctx) {
  std::vector<bool> flags;
  const auto words = Words(ctx, "p2k get", {}, flags);
  if (words.empty() || words.size() > 2) throw UsageError("p2k get PHONE_PATH [LOCAL]");
  PhonePathArgument("p2k get", words[0]);
  // Without LOCAL: the file's own name, made safe, in the current folder.
  const std::string safe = p2k::SafeLocalPath(words[0]).path;
  CliSession s(ctx);
  return P2KGet(s.files, words[0], words.size() == 2 ? words[1] : safe.substr(safe.rfind('/') + 1),
                ctx.err);
}

int PutCommand(CliContext& ctx) {
  std::vector<bool> flags;
  const auto words = Words(ctx, "p2k put", {"--force"}, flags);
  if (words.size() != 2) throw UsageError("p2k put LOCAL PHONE_PATH [--force]");
  PhonePathArgument("p2k put", words[1]);
  CliSession s(ctx);
  return P2KPut(s.files, words[0], words[1], flags[0], ctx.err);
}

int PathCommand(CliContext& ctx, const std::string& name, P2KPathOperation operation) {
  std::vector<bool> flags;
  const auto words = Words(ctx, "p2k " + name, {}, flags);
  if (words.size() != 1) throw UsageError("p2k " + name + " PHONE_PATH");
  PhonePathArgument("p2k " + name, words[0]);
  CliSession s(ctx);
  return P2KOnPath(s.files, operation, words[0], ctx.err);
}

int FreeSpaceCommand(CliContext& ctx) {
  std::vector<bool> flags;
  if (!Words(ctx, "p2k df", {}, flags).empty()) throw UsageError("p2k df takes no arguments");
  CliSession s(ctx);
  return P2KFreeSpace(s.files, ctx.out, ctx.err);
}

int BackupCommand(CliContext& ctx) {
  std::vector<bool> flags;
  const auto words = Words(ctx, "p2k backup", {}, flags);
  if (words.size() != 1) throw UsageError("p2k backup DIR");
  CliSession s(ctx);
  return P2KBackup(s.files, words[0], ctx.err);
}

}  // namespace

int P2KFileCommand(CliContext& ctx) {
  const std::string& name = ctx.args[0];
  if (name == "ls") return ListCommand(ctx);
  if (name == "get") return GetCommand(ctx);
  if (name == "put") return PutCommand(ctx);
  if (name == "rm") return PathCommand(ctx, "rm", &PhoneFiles::Delete);
  if (name == "mkdir") return PathCommand(ctx, "mkdir", &PhoneFiles::MakeDirectory);
  if (name == "rmdir") return PathCommand(ctx, "rmdir", &PhoneFiles::RemoveDirectory);
  if (name == "df") return FreeSpaceCommand(ctx);
  if (name == "backup") return BackupCommand(ctx);
  return -1;
}

}  // namespace quorix::cli
