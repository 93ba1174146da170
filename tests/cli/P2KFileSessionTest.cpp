#include "cli/P2KFileSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "codec/CodePage.h"
#include "link/p2k/P2KFileCommands.h"
#include "support/EmulatedP2K.h"
#include "support/TempDir.h"

namespace quorix::test {
namespace {

using cli::P2KFileSession;

struct FileSession {
  explicit FileSession(emu::EmulatorOptions options = {})
      : phone(options), session(phone.p2k, phone.phone, phone.shell, phone.clock) {}

  std::string PhoneFile(const std::string& path) const {
    std::string contents;
    bool found = false;
    phone.server.InspectFiles([&](const emu::P2KPhone& p2k) {
      for (const emu::P2KFile& file : p2k.Files()) {
        if (file.path != path) continue;
        contents.assign(file.contents.begin(), file.contents.end());
        found = true;
      }
    });
    return found ? contents : "(none)";
  }

  EmulatedP2K phone;
  P2KFileSession session;
  TempDir dir;
  std::ostringstream err;
};

// Each transfer switches the phone to P2K mode and back; the bytes come back as they went, a
// file already there is not replaced unless forced, and a full phone refuses with nothing left.
TEST(P2KFileSessionTest, PutThenGetGivesTheSameBytes) {
  FileSession f;
  for (const size_t size : {0u, 1u, 0x400u, 0x401u, 1u << 20}) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 7 + size);
    WriteBytes(f.dir.File("in"), data);
    const std::string path = "/a/mobile/picture/t" + std::to_string(size) + ".bin";
    ASSERT_EQ(cli::P2KPut(f.session, f.dir.File("in"), path, false, f.err), 0) << f.err.str();
    ASSERT_EQ(cli::P2KGet(f.session, path, f.dir.File("out"), f.err), 0) << f.err.str();
    EXPECT_EQ(ReadBytes(f.dir.File("out")), data) << size;
  }
  WriteBytes(f.dir.File("in"), "new");
  EXPECT_EQ(cli::P2KPut(f.session, f.dir.File("in"), "/a/mobile/picture/t1.bin", false, f.err), 1);
  EXPECT_NE(f.err.str().find("--force"), std::string::npos);
  EXPECT_EQ(cli::P2KPut(f.session, f.dir.File("in"), "/a/mobile/picture/t1.bin", true, f.err), 0);
  EXPECT_EQ(f.PhoneFile("/a/mobile/picture/t1.bin"), "new");

  // A folder named without its slash is that folder, not every name that begins so.
  std::ostringstream listed;
  ASSERT_EQ(cli::P2KList(f.session, "/a/mobile/pic", false, listed, f.err), 0) << f.err.str();
  EXPECT_EQ(listed.str(), "");
  ASSERT_EQ(cli::P2KList(f.session, "/a/mobile/picture", false, listed, f.err), 0);
  EXPECT_NE(listed.str().find("/a/mobile/picture/t1.bin"), std::string::npos) << listed.str();

  emu::EmulatorOptions small;
  small.p2kCapacity = 20000;
  FileSession full(small);
  WriteBytes(full.dir.File("big"), std::string(30000, 'x'));
  EXPECT_EQ(cli::P2KPut(full.session, full.dir.File("big"), "/a/big.bin", false, full.err), 1);
  EXPECT_NE(full.err.str().find("/a/big.bin: the phone refused a write"), std::string::npos)
      << full.err.str();
  EXPECT_EQ(full.PhoneFile("/a/big.bin"), "(none)") << "the part written is deleted again";
}

// The whole file system byte for byte, twice: the second run keeps what is there. Names that
// would leave the folder are mapped inside it; a symbolic link there is not followed.
TEST(P2KFileSessionTest, BackupCopiesEveryFileAndNeverWritesOutsideTheFolder) {
  FileSession f;
  f.phone.server.ChangeFiles([](emu::P2KPhone& p2k) {
    p2k.PutFile({"/a/../../escaped", 0, 0, {1, 2, 3}});
    p2k.PutFile({"/a/mobile/picture/ctrl\x01.jpg", 0, 0, {4, 5}});
  });
  const std::string root = f.dir.File("backup");
  std::filesystem::create_directories(root + "/a/mobile/audio");
  WriteBytes(f.dir.File("outside"), "keep");
  std::filesystem::create_symlink(f.dir.File("outside"), root + "/a/mobile/audio/Classic.mid");

  EXPECT_EQ(cli::P2KBackup(f.session, root, f.err), 1) << "the linked file is not copied";
  EXPECT_EQ(ReadBytes(f.dir.File("outside")), "keep");
  EXPECT_NE(f.err.str().find("символическая ссылка"), std::string::npos) << f.err.str();
  EXPECT_FALSE(std::filesystem::exists(f.dir.File("escaped")));
  EXPECT_EQ(ReadBytes(root + "/" + p2k::SafeLocalPath("/a/../../escaped").path),
            std::string("\1\2\3"));
  EXPECT_EQ(ReadBytes(root + "/a/mobile/picture/ctrl_.jpg"), std::string("\4\5"));
  f.phone.server.InspectFiles([&](const emu::P2KPhone& p2k) {
    for (const emu::P2KFile& file : p2k.Files()) {
      if (file.path.rfind("/a/mobile/", 0) != 0 || file.path.find("Classic") != std::string::npos ||
          file.path.find('\x01') != std::string::npos) {
        continue;
      }
      const std::string local =
          root + p2k::SafeLocalPath(Cp1251ToUtf8(file.path)).path.insert(0, "/");
      EXPECT_EQ(ReadBytes(local), std::string(file.contents.begin(), file.contents.end()))
          << file.path;
    }
  });

  std::filesystem::remove(root + "/a/mobile/audio/Classic.mid");
  std::ostringstream again;
  EXPECT_EQ(cli::P2KBackup(f.session, root, again), 0) << again.str();
  EXPECT_NE(again.str().find("1 copied"), std::string::npos) << again.str();
}

// A stop between chunks leaves no local file and the phone's file closed; a phone unplugged in
// the middle ends the transfer with that said.
TEST(P2KFileSessionTest, AStopOrAPhoneThatDropsOffLeavesNothingHalfWritten) {
  FileSession f;
  f.phone.server.ChangeFiles([](emu::P2KPhone& p2k) {
    p2k.PutFile({"/a/big.bin", 0, 0, std::vector<uint8_t>(10 * 0x400, 7)});
  });
  int chunks = 0;
  const auto events = f.phone.shell.onProcessEvents;
  f.phone.shell.onProcessEvents = [&](int n) {
    events(n);
    if (f.phone.p2k.DeviceOpen() && ++chunks == 5) f.session.stop = true;
  };
  EXPECT_EQ(cli::P2KGet(f.session, "/a/big.bin", f.dir.File("out"), f.err), 1);
  EXPECT_FALSE(std::filesystem::exists(f.dir.File("out")));
  EXPECT_NE(f.err.str().find("stopped"), std::string::npos) << f.err.str();
  f.session.stop = false;
  f.phone.shell.onProcessEvents = events;
  EXPECT_EQ(cli::P2KGet(f.session, "/a/big.bin", f.dir.File("out"), f.err), 0)
      << "the file was closed: it opens again";

  emu::EmulatorOptions unplug;
  unplug.p2kUnplugAt = 8;  // after the listing and the open: at the first read
  FileSession gone(unplug);
  EXPECT_EQ(
      cli::P2KGet(gone.session, "/a/mobile/audio/Voice note.amr", gone.dir.File("out"), gone.err),
      1);
  EXPECT_FALSE(std::filesystem::exists(gone.dir.File("out")));
  EXPECT_NE(gone.err.str().find("Voice note.amr: the phone"), std::string::npos) << gone.err.str();
}

}  // namespace
}  // namespace quorix::test
