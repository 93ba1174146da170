#include "cli/P2KFiles.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/EmulatedP2K.h"
#include "support/Link.h"
#include "support/Process.h"

namespace quorix::test {
namespace {

using Usb = emu::PtyPhoneServer::UsbState;

TEST(P2KFilesTest, ListsTheMelodiesAndPicturesAndLeavesThePhoneOnItsModemPort) {
  EmulatedP2K phone;
  std::ostringstream out, err;
  EXPECT_EQ(cli::ListP2KFiles(phone.p2k, phone.phone, phone.shell, phone.clock, out, err), 0)
      << err.str();
  EXPECT_EQ(out.str(),
            "/a/mobile/audio/Classic.mid\t4\n"
            "/a/mobile/audio/Moscow Nights.mid\t0\n"
            "/a/mobile/audio/Dance.mid\t4\n"
            "/a/mobile/audio/Summer.mp3\t1\n"
            "/a/mobile/audio/Voice note.amr\t1\n"
            "/a/mobile/audio/Chime.amr\t6\n"
            "/a/mobile/audio/Bells.imy\t4\n"
            "/a/mobile/audio/Retro.imy\t3\n"
            "/a/mobile/picture/anna.jpg\t0\n"
            "/a/mobile/picture/Wallpaper.jpg\t4\n"
            "/a/mobile/audio/Мелодия.mid\t0\n");
  EXPECT_EQ(phone.server.State(), Usb::AtMode);
  EXPECT_EQ(phone.p2k.FindModemPort(), phone.port);
  Link<> link(phone.port);  // a serial dialogue runs on real time
  link.phone.ConnectPhone();
  EXPECT_EQ(link.state.link.PhoneModel, "E398") << "identifiable again";
}

TEST(P2KFilesTest, APhoneThatNeverComesUpInP2KModeEndsWithAFailure) {
  emu::EmulatorOptions options;
  options.noP2K = true;
  EmulatedP2K phone(options);
  phone.switchGuard = std::chrono::milliseconds(300);
  std::ostringstream out, err;
  EXPECT_EQ(cli::ListP2KFiles(phone.p2k, phone.phone, phone.shell, phone.clock, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "quorix-cli: no P2K device appeared\n");
  EXPECT_EQ(phone.server.State(), Usb::AtMode);

  const auto usage = RunCli({"p2k", "list"});
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_NE(usage.err.find("p2k: unknown subcommand 'list'"), std::string::npos);
  // The file commands' words are checked before any phone is looked for.
  for (const auto& [args, told] :
       {std::pair<std::vector<std::string>, std::string>{{"p2k", "get"}, "p2k get PHONE_PATH"},
        {{"p2k", "put", "x", "/b/x"}, "a phone path begins with /a/"},
        {{"p2k", "rm", "/a/../x"}, "no empty, . or .. steps"},
        {{"p2k", "ls", "-x"}, "unknown option '-x'"}}) {
    const auto wrong = RunCli(args);
    EXPECT_EQ(wrong.exitCode, 2) << told;
    EXPECT_NE(wrong.err.find(told), std::string::npos) << wrong.err;
  }
  // Nobody on a terminal to answer the question: a script must say --yes.
  const auto unasked = RunCli({"p2k", "delete-tonedb"});
  EXPECT_EQ(unasked.exitCode, 2);
  EXPECT_NE(unasked.err.find("give --yes"), std::string::npos);
}

}  // namespace
}  // namespace quorix::test
