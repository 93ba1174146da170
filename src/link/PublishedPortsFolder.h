#pragma once

#include <string>

namespace quorix {

// The folder where an emulated phone lists its modem ports and P2K sockets. Whatever is in it is
// taken for the user's phone, so it is used only when nobody else can have put anything there.
//
// $QUORIX_PUBLISHED_PORTS, else $XDG_RUNTIME_DIR/quorix-published-ports, else
// /tmp/quorix-published-ports-<uid>.
std::string DefaultPublishedPortsDir();

struct PublishedPortsTrust {
  bool usable = false;
  // Why a folder that is there is not used (UTF-8); empty when it is used or is not there at all.
  std::string problem;
};

// The folder is used when it is a directory (not a link) of the user's own, closed to group and
// others, and everything in it (and in its "p2k" folder) is the user's too.
PublishedPortsTrust CheckPublishedPorts(const std::string& dir);

enum class FolderFault { None, Missing, Link, NotDirectory, OtherOwner, OpenToOthers };

// The check of the folder alone, for the emulator that is about to publish into it.
FolderFault PrivateFolderFault(const std::string& dir);

}  // namespace quorix
