#include "link/PublishedPortsFolder.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "link/SerialPortMap.h"
#include "link/p2k/PublishedP2KBackend.h"
#include "support/PtyLine.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteBytes;

constexpr uid_t kNobody = 65534;

// A folder as the emulated phone leaves it: a port file naming a terminal and a P2K socket.
struct Published {
  explicit Published(const std::string& path) : dir(path) {
    mkdir(dir.c_str(), 0700);
    WriteBytes(dir + "/emulator-1", pty.SlavePath() + "\n");
    mkdir((dir + "/p2k").c_str(), 0755);
    socketPath = dir + "/p2k/emulator-1";
    fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  ~Published() { close(fd); }

  // Whether the program takes the terminal for the phone's modem and the socket for its P2K.
  bool PortTaken() const {
    for (const SerialPort& port : ReadSerialPortMap({"/quorix/no/sysfs", dir})) {
      if (port.portName == pty.SlavePath() && port.usbModem) return true;
    }
    return false;
  }
  bool P2KTaken() const { return !PublishedP2KBackend(dir).Interfaces()->empty(); }

  std::string dir;
  test::PtyLine pty;
  std::string socketPath;
  int fd = -1;
};

TEST(PublishedPortsFolderTest, OnlyTheUsersOwnClosedFolderIsTrusted) {
  TempDir tmp;
  Published own(tmp.File("own"));
  EXPECT_TRUE(CheckPublishedPorts(own.dir).usable);
  EXPECT_EQ(CheckPublishedPorts(own.dir).problem, "");
  EXPECT_TRUE(own.PortTaken());
  EXPECT_TRUE(own.P2KTaken());

  const PublishedPortsTrust missing = CheckPublishedPorts(tmp.File("none"));
  EXPECT_FALSE(missing.usable);
  EXPECT_EQ(missing.problem, "") << "nothing published is nothing to warn of";

  Published open(tmp.File("open"));
  chmod(open.dir.c_str(), 0777);
  EXPECT_NE(CheckPublishedPorts(open.dir).problem.find("открыта для группы"), std::string::npos);
  EXPECT_FALSE(open.PortTaken());
  EXPECT_FALSE(open.P2KTaken());

  fs::create_directory_symlink(own.dir, tmp.File("link"));
  const PublishedPortsTrust link = CheckPublishedPorts(tmp.File("link"));
  EXPECT_NE(link.problem.find("символическая ссылка"), std::string::npos) << link.problem;
  EXPECT_TRUE(ReadSerialPortMap({"/quorix/no/sysfs", tmp.File("link")}).empty());

  if (geteuid() != 0) GTEST_SKIP() << "another user's files need root to make";
  Published foreign(tmp.File("foreign"));
  ASSERT_EQ(chown(foreign.dir.c_str(), kNobody, kNobody), 0);
  EXPECT_NE(CheckPublishedPorts(foreign.dir).problem.find("другому пользователю"),
            std::string::npos);
  EXPECT_FALSE(foreign.PortTaken());

  Published foreignPort(tmp.File("foreign-port"));
  ASSERT_EQ(chown((foreignPort.dir + "/emulator-1").c_str(), kNobody, kNobody), 0);
  EXPECT_NE(CheckPublishedPorts(foreignPort.dir).problem.find("/emulator-1"), std::string::npos);
  EXPECT_FALSE(foreignPort.PortTaken());

  Published foreignSocket(tmp.File("foreign-socket"));
  ASSERT_EQ(chown(foreignSocket.socketPath.c_str(), kNobody, kNobody), 0);
  EXPECT_FALSE(foreignSocket.P2KTaken());
  EXPECT_FALSE(foreignSocket.PortTaken());
}

TEST(PublishedPortsFolderTest, TheDefaultFolderIsPerUser) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string runtime = saved ? saved : "";
  unsetenv("QUORIX_PUBLISHED_PORTS");
  setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
  EXPECT_EQ(DefaultPublishedPortsDir(), "/run/user/1234/quorix-published-ports");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(DefaultPublishedPortsDir(), "/tmp/quorix-published-ports-" + std::to_string(getuid()));
  setenv("QUORIX_PUBLISHED_PORTS", "/somewhere/mine", 1);
  EXPECT_EQ(DefaultPublishedPortsDir(), "/somewhere/mine");
  unsetenv("QUORIX_PUBLISHED_PORTS");
  if (saved) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

}  // namespace
}  // namespace quorix
