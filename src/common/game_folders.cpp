// Where the game reads its data and keeps the player's files, and which copy of a data file it reads.
#include "common/game_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Finds the player's folders: an XDG variable first, then below the home folder (HOME, or
// the user database's entry when HOME fails). Each folder that fails adds one report line.
struct Chooser {
  Chooser(const FolderProbe& p, std::vector<std::string>& r) : probe(p), reports(r) {}
  const FolderProbe& probe;
  std::vector<std::string>& reports;
  bool homes_known = false;
  std::vector<std::string> homes;

  const std::vector<std::string>& Homes() {
    if (homes_known) return homes;
    homes_known = true;
    const char* home = probe.home;
    if (!home || !*home)
      reports.push_back("Error: HOME is not set.");
    else if (home[0] != '/' || !probe.is_dir(home))
      reports.push_back(std::string("Error: Cannot use the home folder ") + home + ": it is not a folder.");
    else
      homes.push_back(home);
    const std::string& account = probe.account_home;
    if (!account.empty() && account[0] == '/' && probe.is_dir(account) &&
        (homes.empty() || !probe.same_dir(homes[0], account)))
      homes.push_back(account);
    return homes;
  }

  // The first usable folder, made if missing; empty when there is none.
  std::string Folder(const char* xdg, const char* xdg_name, const char* below_home, const char* what) {
    if (xdg && *xdg) {
      std::string dir = std::string(xdg) + "/vantorello";
      if (xdg[0] != '/')
        reports.push_back(std::string("Error: ") + xdg_name + " is not an absolute path, ignored: " + xdg);
      else if (probe.make_dir(dir))
        return dir;
      else
        reports.push_back("Error: Cannot use the folder " + dir + " (" + xdg_name + ") for the " + what + ".");
    }
    for (const std::string& home : Homes()) {
      std::string dir = home + "/" + below_home + "/vantorello";
      if (probe.make_dir(dir)) return dir;
      reports.push_back("Error: Cannot use the folder " + dir + " for the " + what + ".");
    }
    return "";
  }
};

// The player's data folder as the defaults name it, without making anything.
std::string Default_Player_Data(const FolderProbe& probe) {
  const char* xdg = probe.xdg_data_home;
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/vantorello";
  if (probe.home && probe.home[0] == '/') return std::string(probe.home) + "/.local/share/vantorello";
  return "";
}

// A working directory with "GFX" is the game's own folder, unless it is the player's data
// folder, which holds "GFX" once a live update has put pictures there.
bool Runs_In_Working_Directory(const FolderProbe& probe) {
  if (!probe.is_dir(probe.cwd + "/GFX")) return false;
  std::string player = Default_Player_Data(probe);
  return player.empty() || !probe.is_dir(player) || !probe.same_dir(probe.cwd, player);
}

int Is_Dir(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int Same_Dir(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int Make_Dir(const std::string& path) {
  std::error_code error;
  fs::create_directories(path, error);
  return Is_Dir(path) && access(path.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

FolderProbe System_Folder_Probe() {
  FolderProbe probe;
  std::error_code error;
  probe.cwd = fs::current_path(error).string();
  probe.program = fs::read_symlink("/proc/self/exe", error).string();
  probe.home = std::getenv("HOME");
  probe.xdg_config_home = std::getenv("XDG_CONFIG_HOME");
  probe.xdg_data_home = std::getenv("XDG_DATA_HOME");
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) probe.account_home = entry->pw_dir;
  probe.is_dir = Is_Dir;
  probe.same_dir = Same_Dir;
  probe.make_dir = Make_Dir;
  return probe;
}

GameFolders Choose_Game_Folders(const FolderProbe& probe) {
  GameFolders folders;
  if (Runs_In_Working_Directory(probe)) return folders;
  folders.installed = 1;
  folders.data = (fs::path(probe.program).parent_path() / "../share/games/vantorello").lexically_normal().string();
  if (!probe.is_dir(folders.data)) folders.reports.push_back("Error: Directory " + folders.data + " not found!");
  Chooser chooser(probe, folders.reports);
  folders.config = chooser.Folder(probe.xdg_config_home, "XDG_CONFIG_HOME", ".config", "settings");
  folders.user = chooser.Folder(probe.xdg_data_home, "XDG_DATA_HOME", ".local/share", "player's files");
  if (folders.config.empty() || folders.user.empty()) {
    folders.usable = 0;
    folders.reports.push_back(std::string("Error: No folder for the ") +
                              (folders.config.empty() ? "settings" : "player's files") + " can be used.");
  }
  return folders;
}

std::string Describe_Game_Folders(const GameFolders& folders) {
  if (!folders.installed) return "VantoRello: every file in the working directory.";
  return "VantoRello: data from " + folders.data + ", settings in " + folders.config + ", player's files in " +
         folders.user + ".";
}

int Compare_Releases(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    unsigned long x = 0, y = 0;
    while (i < a.size() && a[i] != '.') x = x * 10 + (a[i] >= '0' && a[i] <= '9' ? a[i] - '0' : 0), ++i;
    while (j < b.size() && b[j] != '.') y = y * 10 + (b[j] >= '0' && b[j] <= '9' ? b[j] - '0' : 0), ++j;
    if (x != y) return x < y ? -1 : 1;
    ++i, ++j;
  }
  return 0;
}

namespace {
GameFolders current;
int player_copies_count = 0;
std::vector<std::string> unreadable_reported;

// Something by that name exists, even a dangling link.
bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool Readable_File(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  struct stat st;
  bool regular = fstat(fileno(file), &st) == 0 && S_ISREG(st.st_mode);
  std::fclose(file);
  return regular;
}

}  // namespace

void Use_Game_Folders(const GameFolders& folders) {
  current = folders;
  player_copies_count = 0;
  unreadable_reported.clear();
}

const GameFolders& Game_Folders() { return current; }

std::string Data_Path(const char* name) {
  if (!current.installed || name[0] == '/') return name;
  std::string copy = current.user + "/" + name, installed = current.data + "/" + name;
  bool has_installed = Exists(installed);
  if (Exists(copy) && (player_copies_count || !has_installed)) {
    if (Readable_File(copy) || !has_installed) return copy;
    bool reported = false;
    for (const std::string& seen : unreadable_reported) reported = reported || seen == name;
    if (!reported) {
      unreadable_reported.push_back(name);
      std::printf("Error: Cannot read %s, using the installed one.\n", copy.c_str());
    }
  }
  return has_installed ? installed : copy;
}

std::string Config_Path(const char* name) {
  return current.installed ? current.config + "/" + name : std::string(name);
}

int Settle_Player_Copies(const std::string& recorded, const std::string& program_release) {
  player_copies_count = 0;
  if (!current.installed) return 0;
  if (!recorded.empty() && Compare_Releases(recorded, program_release) > 0) return player_copies_count = 1;
  const fs::path aside = fs::path(current.user) / ("replaced-" + (recorded.empty() ? "unknown" : recorded));
  int moved = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(current.data, error), end; !error && it != end; it.increment(error)) {
    if (it->is_directory()) continue;
    fs::path name = it->path().lexically_relative(current.data);
    fs::path copy = fs::path(current.user) / name;
    if (!Exists(copy)) continue;
    std::error_code failed;
    fs::create_directories((aside / name).parent_path(), failed);
    fs::rename(copy, aside / name, failed);
    moved += !failed;
  }
  if (moved)
    std::printf("Moved %d files of the live update (release %s) aside into %s: the installed release %s is at least as new.\n",
                moved, recorded.empty() ? "unknown" : recorded.c_str(), aside.c_str(), program_release.c_str());
  return 0;
}
