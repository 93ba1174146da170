#include "app/SettingsLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/ProgramPaths.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
namespace fs = std::filesystem;

// Where a user who may not write the program's folder keeps the settings. Root may write any
// folder, so as root the lookup runs in a child process that has become the user nobody.
SettingsLocation LocateWithoutWriteAccess(const TempDir& root, const std::string& program,
                                          const std::string& xdg, const std::string& home) {
  fs::permissions(root.path(),
                  fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
  if (::geteuid() != 0) return LocateSettings(PlacesOf(program, xdg, home));
  int pipeEnds[2];
  EXPECT_EQ(::pipe(pipeEnds), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    const SettingsPlaces places = PlacesOf(program, xdg, home);
    if (places.programDirectoryWritable) ::_exit(4);
    const SettingsLocation found = LocateSettings(places);
    const std::string reply = found.file + '\n' + found.firstRunFile;
    ::_exit(::write(pipeEnds[1], reply.data(), reply.size()) == ssize_t(reply.size()) ? 0 : 5);
  }
  ::close(pipeEnds[1]);
  std::string reply;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) reply.append(buffer, n);
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
  const auto cut = reply.find('\n');
  if (cut == std::string::npos) return {};
  return {reply.substr(0, cut), reply.substr(cut + 1)};
}

TEST(SettingsLocationTest, ABuildFolderKeepsTheSettingsBesideThePrograms) {
  TempDir build;
  WriteBytes(build.File("velkor.ini"), "[System]\n");
  const SettingsLocation found = LocateSettings(PlacesOf(build.path(), "/elsewhere", "/home/u"));
  EXPECT_EQ(found.file, build.File("velkor.ini"));
  EXPECT_EQ(found.firstRunFile, "");
  EXPECT_EQ(SettingsFileToRead(found), build.File("velkor.ini"));
  CreateSettingsOnFirstStart(found);
  EXPECT_FALSE(fs::exists("/elsewhere"));
}

TEST(SettingsLocationTest, AnInstalledProgramCopiesTheShippedFileIntoTheUsersFolderOnce) {
  TempDir prefix;
  fs::create_directories(prefix.File("bin"));
  fs::create_directories(prefix.File("share/quorix"));
  WriteBytes(prefix.File("share/quorix/velkor.ini"), "[System]\r\nRange=10\r\n");
  const std::string bin = prefix.File("bin");
  EXPECT_EQ(ShippedDirectory(bin), prefix.File("share/quorix"));

  // Its folder is writable here, yet an installed program keeps nothing beside itself.
  const SettingsLocation found = LocateSettings(PlacesOf(bin, prefix.File("cfg"), "/home/u"));
  EXPECT_EQ(found.file, prefix.File("cfg/quorix/velkor.ini"));
  EXPECT_EQ(found.firstRunFile, prefix.File("share/quorix/velkor.ini"));
  EXPECT_EQ(SettingsFileToRead(found), found.firstRunFile);
  CreateSettingsOnFirstStart(found);
  EXPECT_EQ(ReadBytes(found.file), "[System]\r\nRange=10\r\n");
  EXPECT_EQ(SettingsFileToRead(found), found.file);
  WriteBytes(found.file, "[System]\r\nRange=50\r\n");
  CreateSettingsOnFirstStart(found);
  EXPECT_EQ(ReadBytes(found.file), "[System]\r\nRange=50\r\n");

  // Without $XDG_CONFIG_HOME, or with a relative one, the default folder under $HOME.
  EXPECT_EQ(LocateSettings(PlacesOf(bin, "", prefix.path())).file,
            prefix.File(".config/quorix/velkor.ini"));
  EXPECT_EQ(LocateSettings(PlacesOf(bin, "cfg", prefix.path())).file,
            prefix.File(".config/quorix/velkor.ini"));

  // A folder that cannot be made is named in the error.
  WriteBytes(prefix.File("plain"), "");
  const SettingsLocation blocked{prefix.File("plain/quorix/velkor.ini"), found.firstRunFile};
  EXPECT_THROW(CreateSettingsOnFirstStart(blocked), std::runtime_error);
}

TEST(SettingsLocationTest, AReadOnlyProgramFolderSendsTheSettingsToTheUsersFolder) {
  TempDir root;
  const std::string program = root.File("program");
  fs::create_directories(program);
  WriteBytes(program + "/velkor.ini", "[System]\r\n");

  SettingsLocation found = LocateWithoutWriteAccess(root, program, root.File("cfg"), "/home/u");
  EXPECT_EQ(found.file, root.File("cfg/quorix/velkor.ini"));
  EXPECT_EQ(found.firstRunFile, program + "/velkor.ini");
  found = LocateWithoutWriteAccess(root, program, "", root.File("home"));
  EXPECT_EQ(found.file, root.File("home/.config/quorix/velkor.ini"));
  EXPECT_EQ(found.firstRunFile, program + "/velkor.ini");
  CreateSettingsOnFirstStart(found);
  EXPECT_EQ(ReadBytes(found.file), "[System]\r\n");
  fs::permissions(program, fs::perms::owner_all);
}

}  // namespace
}  // namespace quorix
