#include "common/game_folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/files.h"
#include "support/printed.h"
#include "support/temp_dir.h"

namespace {

// A file system of folders: some read-only, some paths plain files.
struct FakeFiles {
  std::set<std::string> dirs, read_only, files, made;

  bool Is_Dir(const std::string& path) const { return dirs.count(path) > 0; }
  int Make(const std::string& path) {
    std::string sofar;
    size_t at = 0;
    while (at != std::string::npos) {
      at = path.find('/', at + 1);
      std::string part = path.substr(0, at);
      if (files.count(part)) return 0;
      if (!dirs.count(part)) {
        if (read_only.count(sofar)) return 0;
        dirs.insert(part);
        made.insert(part);
      }
      sofar = part;
    }
    return !read_only.count(path);
  }
  // A probe of these folders for a program at `program` started in `cwd`.
  FolderProbe Probe(const char* cwd, const char* program, const char* home) {
    FolderProbe probe;
    probe.cwd = cwd;
    probe.program = program;
    probe.home = home;
    probe.is_dir = [this](const std::string& p) { return Is_Dir(p) ? 1 : 0; };
    probe.same_dir = [](const std::string& a, const std::string& b) { return a == b ? 1 : 0; };
    probe.make_dir = [this](const std::string& p) { return Make(p); };
    return probe;
  }
};

// Each case runs in /tmp/w, a folder without GFX.
struct FolderCase {
  const char* name;
  const char *home, *xdg_config, *xdg_data;
  const char* account;
  std::set<std::string> dirs, read_only, files;
  const char *config, *user;  // "" when no folder can be used
  std::vector<const char*> report_words;  // one report line containing each, in order
};

const char* const kOut = nullptr;
const char* const kConfig = "/home/pat/.config/vantorello";
const char* const kUser = "/home/pat/.local/share/vantorello";

TEST(GameFolders, ChoosesAFolderOrSaysWhichOneFailed) {
  const std::set<std::string> kSystem = {"/", "/home", "/home/pat", "/usr", "/tmp", "/tmp/w"};
  auto with = [&](std::set<std::string> more) {
    more.insert(kSystem.begin(), kSystem.end());
    return more;
  };
  const std::vector<FolderCase> cases = {
      {"defaults below HOME", "/home/pat", kOut, kOut, "/home/pat", with({}), {}, {}, kConfig, kUser, {}},
      {"XDG folders, made with their parents", "/home/pat", "/tmp/x/conf", "/tmp/x/data", "/home/pat", with({}), {}, {},
       "/tmp/x/conf/vantorello", "/tmp/x/data/vantorello", {}},
      {"XDG_CONFIG_HOME names a file", "/home/pat", "/tmp/file", kOut, "/home/pat", with({}), {}, {"/tmp/file"},
       kConfig, kUser, {"/tmp/file/vantorello (XDG_CONFIG_HOME)"}},
      {"relative XDG_DATA_HOME", "/home/pat", kOut, "data", "/home/pat", with({}), {}, {}, kConfig, kUser,
       {"XDG_DATA_HOME is not an absolute"}},
      {"missing HOME: the account's home", "/gone", kOut, kOut, "/home/pat", with({}), {}, {}, kConfig, kUser,
       {"home folder /gone"}},
      {"unset HOME: the account's home", kOut, kOut, kOut, "/home/pat", with({}), {}, {}, kConfig, kUser,
       {"HOME is not set"}},
      {"read-only HOME, read-only account: nothing", "/home/pat", kOut, kOut, "/home/pat", with({}), {"/home/pat"}, {},
       "", "", {kConfig, kUser, "No folder for the settings"}},
      {"read-only XDG data, writable HOME", "/home/pat", kOut, "/ro", "/home/pat", with({"/ro"}), {"/ro"}, {}, kConfig,
       kUser, {"/ro/vantorello (XDG_DATA_HOME)"}},
      {"config fails, data works: still unusable", "/home/pat", "/tmp/file", kOut, "/nope", with({"/home/pat/.config"}),
       {"/home/pat/.config"}, {"/tmp/file"}, "", kUser, {"(XDG_CONFIG_HOME)", kConfig, "No folder for the settings"}},
  };
  for (const FolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFiles fs{c.dirs, c.read_only, c.files, {}};
    FolderProbe probe = fs.Probe("/tmp/w", "/usr/games/vantorello", c.home);
    probe.xdg_config_home = c.xdg_config;
    probe.xdg_data_home = c.xdg_data;
    probe.account_home = c.account;
    GameFolders got = Choose_Game_Folders(probe);
    EXPECT_EQ(got.installed, 1);
    EXPECT_EQ(got.data, "/usr/share/games/vantorello");
    EXPECT_EQ(got.config, c.config);
    EXPECT_EQ(got.user, c.user);
    EXPECT_EQ(got.usable, *c.config && *c.user ? 1 : 0);
    // "Error: Directory /usr/share/games/vantorello not found!" comes first here.
    ASSERT_EQ(got.reports.size(), c.report_words.size() + 1);
    for (size_t i = 0; i < c.report_words.size(); ++i)
      EXPECT_NE(got.reports[i + 1].find(c.report_words[i]), std::string::npos) << got.reports[i + 1];
    // Nothing is made but the chosen folders and their parents.
    for (const std::string& made : fs.made)
      EXPECT_TRUE(std::string(c.config).rfind(made, 0) == 0 || std::string(c.user).rfind(made, 0) == 0 ||
                  std::string(c.xdg_config ? c.xdg_config : "-").rfind(made, 0) == 0 ||
                  std::string(c.xdg_data ? c.xdg_data : "-").rfind(made, 0) == 0)
          << made;
  }
}

TEST(GameFolders, AWorkingDirectoryWithGfxKeepsEverythingThere) {
  struct Case {
    const char* cwd;
    std::set<std::string> dirs;
    const char* program;
    int installed;
    const char* data;
  };
  const std::vector<Case> cases = {
      {"/src/build/run", {"/src/build/run/GFX"}, "/src/build/vantorello", 0, ""},
      {"/src/build/run", {"/src/build/run/GFX", kUser}, "/src/build/vantorello", 0, ""},  // a player as well
      {"/tmp/w", {}, "/tmp/dest/usr/games/vantorello", 1, "/tmp/dest/usr/share/games/vantorello"},
      // The player's folder holds "GFX" after a live update; it is not the game's folder.
      {kUser, {kUser, std::string(kUser) + "/GFX"}, "/usr/games/vantorello", 1, "/usr/share/games/vantorello"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cwd);
    FakeFiles fs{c.dirs, {}, {}, {}};
    fs.dirs.insert({"/home", "/home/pat", c.data});
    GameFolders got = Choose_Game_Folders(fs.Probe(c.cwd, c.program, "/home/pat"));
    EXPECT_EQ(got.installed, c.installed);
    EXPECT_EQ(got.data, c.data);
    EXPECT_TRUE(got.reports.empty()) << got.reports[0];
    if (!c.installed) {
      EXPECT_TRUE(fs.made.empty());
    }
  }
}

TEST(GameFolders, ComparesReleasesPartByPart) {
  struct Case {
    const char *a, *b;
    int sign;
  };
  const Case cases[] = {{"3.98", "3.98", 0},  {"3.99", "3.98", 1}, {"3.100", "3.99", 1}, {"4", "3.98", 1},
                        {"3.9", "3.10", -1}, {"3.98.1", "3.98", 1}, {"", "3.98", -1},   {"3.98", "3.98.0", 0}};
  for (const Case& c : cases) {
    int got = Compare_Releases(c.a, c.b);
    EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " vs " << c.b;
  }
}

// An installed tree and a player's folder on disk: which file each name reads, and what a
// release record older than the program sets aside.
TEST(GameFolders, PlayerCopiesCountOnlyWhileTheirReleaseIsNewer) {
  ScopedTempDir dir;
  GameFolders folders;
  folders.installed = 1;
  folders.data = dir.path() + "/share";
  folders.config = dir.path() + "/config";
  folders.user = dir.path() + "/player";
  Write_File(folders.data + "/GFX/a.bmp", "installed");
  Write_File(folders.data + "/GFX/b.bmp", "installed");
  Write_File(folders.data + "/SFX/s.ogg", "installed");
  Write_File(folders.user + "/GFX/a.bmp", "player's");
  std::filesystem::create_directories(folders.user + "/GFX/b.bmp");  // a folder cannot be read as the picture
  Write_File(folders.user + "/TRK/mine.TRK", "track");
  Use_Game_Folders(folders);

  ASSERT_EQ(Settle_Player_Copies("3.99", "3.98"), 1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Data_Path("GFX/a.bmp"), folders.user + "/GFX/a.bmp");
  EXPECT_EQ(Data_Path("GFX/b.bmp"), folders.data + "/GFX/b.bmp");
  EXPECT_EQ(Data_Path("GFX/b.bmp"), folders.data + "/GFX/b.bmp");  // reported once only
  EXPECT_EQ(Data_Path("SFX/s.ogg"), folders.data + "/SFX/s.ogg");
  // A name with no installed namesake: the player's folder.
  EXPECT_EQ(Data_Path("TRK/mine.TRK"), folders.user + "/TRK/mine.TRK");
  EXPECT_EQ(Data_Path("HighScore.txt"), folders.user + "/HighScore.txt");
  EXPECT_EQ(Config_Path("VantoRello.cfg"), folders.config + "/VantoRello.cfg");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Error: Cannot read " + folders.user + "/GFX/b.bmp, using the installed one.\n");

  // The package brought 4.0 and the player's copies are of 3.99: set aside, with one line.
  std::string said = Printed([] { EXPECT_EQ(Settle_Player_Copies("3.99", "4.0"), 0); });
  EXPECT_EQ(said.find("Moved 2 files"), 0u) << said;
  EXPECT_TRUE(std::filesystem::exists(folders.user + "/replaced-3.99/GFX/a.bmp"));
  EXPECT_FALSE(std::filesystem::exists(folders.user + "/GFX/a.bmp"));
  EXPECT_TRUE(std::filesystem::exists(folders.user + "/TRK/mine.TRK"));
  EXPECT_EQ(Data_Path("GFX/a.bmp"), folders.data + "/GFX/a.bmp");

  // A live update of release 4.1 counts at once; one of an unknown release never does.
  Write_File(folders.user + "/GFX/a.bmp", "newer");
  ASSERT_EQ(Settle_Player_Copies("4.1", "4.0"), 1);
  EXPECT_EQ(Data_Path("GFX/a.bmp"), folders.user + "/GFX/a.bmp");
  EXPECT_NE(Printed([] { EXPECT_EQ(Settle_Player_Copies("", "4.0"), 0); }).find("replaced-unknown"), std::string::npos);

  EXPECT_EQ(Describe_Game_Folders(folders), "VantoRello: data from " + folders.data + ", settings in " +
                                                folders.config + ", player's files in " + folders.user + ".");
  Use_Game_Folders(GameFolders());
  EXPECT_EQ(Data_Path("GFX/a.bmp"), "GFX/a.bmp");
  EXPECT_EQ(Config_Path("VantoRello.cfg"), "VantoRello.cfg");
  EXPECT_EQ(Describe_Game_Folders(GameFolders()), "VantoRello: every file in the working directory.");

  // The real file system's probe makes folders with their parents and knows a folder by any path.
  FolderProbe system = System_Folder_Probe();
  EXPECT_EQ(system.make_dir(dir.path() + "/made/here"), 1);
  EXPECT_EQ(system.same_dir(dir.path() + "/made/here", "made/here"), 1);
  EXPECT_EQ(system.same_dir(dir.path(), "made"), 0);
}

}  // namespace
