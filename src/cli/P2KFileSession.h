#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/Shell.h"
#include "link/PhoneConnection.h"
#include "link/p2k/PhoneFiles.h"
#include "link/p2k/TP2KAPI.h"

namespace quorix::cli {

// The phone's files over P2K for one command: the phone is taken to P2K mode for the command's
// whole work (one switch, however many files) and sent back to its modem port after it.
struct P2KFileSession {
  P2KFileSession(TP2KAPI& p2k, PhoneConnection& phone, Shell& shell, Clock& clock)
      : p2k(p2k), phone(phone), shell(shell), clock(clock), files(p2k, shell, stop) {}

  // work gives the failure to print, empty when none; the exit status.
  int Run(std::ostream& err, const std::function<std::string()>& work);

  TP2KAPI& p2k;
  PhoneConnection& phone;
  Shell& shell;
  Clock& clock;
  bool stop = false;
  PhoneFiles files;
};

// What the phone's bytes of a path given by the user are, or why it names no file there.
std::optional<std::string> PhonePath(const std::string& path, std::string& why);

// p2k ls: every file below folder, one a line (with -l its size and attributes first).
int P2KList(P2KFileSession& s, const std::string& folder, bool longForm, std::ostream& out,
            std::ostream& err);
// p2k get: the phone's file to local, written whole or not at all, never through a symbolic link.
int P2KGet(P2KFileSession& s, const std::string& phonePath, const std::string& local,
           std::ostream& err);
// p2k put: a local file to the phone; a file there already is replaced only when forced.
int P2KPut(P2KFileSession& s, const std::string& local, const std::string& phonePath, bool force,
           std::ostream& err);
// p2k rm, mkdir, rmdir.
using P2KPathOperation = bool (PhoneFiles::*)(const std::string&);
int P2KOnPath(P2KFileSession& s, P2KPathOperation operation, const std::string& phonePath,
              std::ostream& err);
// p2k df: each volume and its free bytes.
int P2KFreeSpace(P2KFileSession& s, std::ostream& out, std::ostream& err);
// p2k backup: every file of the phone below folder, keeping the tree; a file there already with
// the phone's size is kept, so a backup that broke off goes on. Names a file system would refuse
// or that would leave the folder are mapped and told; nothing is written outside the folder or
// through a symbolic link.
int P2KBackup(P2KFileSession& s, const std::string& folder, std::ostream& err);

}  // namespace quorix::cli
