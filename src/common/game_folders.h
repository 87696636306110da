#pragma once
// Where the game reads its data and keeps the player's files. A working directory that
// holds "GFX" (the build tree) keeps everything, as it always did; otherwise the game runs
// installed: data beside the program, the player's files in the XDG folders.
#include <functional>
#include <string>
#include <vector>

struct GameFolders {
  int installed = 0;   // 0: every file relative to the working directory
  std::string data;    // installed pictures, sounds and tracks, read only
  std::string config;  // settings and name file
  std::string user;    // tracks, scores, screenshots and downloads; the game's working directory
  std::vector<std::string> reports;  // one line for each folder that could not be used
  int usable = 1;      // 0: no folder for the settings or the player's files
};

// What the choice looks at: the environment (null: unset) and the file system.
struct FolderProbe {
  std::string cwd;
  std::string program;  // the program file, as /proc/self/exe names it
  const char* home = nullptr;
  const char* xdg_config_home = nullptr;
  const char* xdg_data_home = nullptr;
  std::string account_home;  // home folder of the user database entry
  std::function<int(const std::string&)> is_dir;
  std::function<int(const std::string&, const std::string&)> same_dir;
  // Makes the folder with its missing parents; 1 when it is then a folder the game can write.
  std::function<int(const std::string&)> make_dir;
};

// The real environment and file system.
FolderProbe System_Folder_Probe();

GameFolders Choose_Game_Folders(const FolderProbe& probe);

// "Data from ..., settings in ..., player's files in ..." for the start-up line.
std::string Describe_Game_Folders(const GameFolders& folders);

// Compares release numbers such as "3.98" and "3.100" part by part; <0, 0 or >0.
int Compare_Releases(const std::string& a, const std::string& b);

// The folders in use, set once at start-up.
void Use_Game_Folders(const GameFolders& folders);
const GameFolders& Game_Folders();

// The file to read for a data file's name such as "GFX/GameMenu2.bmp": the name itself in the
// build tree; installed, the player's copy from a live update while it belongs to a newer
// release than the program (a copy that cannot be read is passed over with one line), else
// the installed file, or the player's file when nothing is installed by that name.
std::string Data_Path(const char* name);
// The settings file or the name file: in the config folder when installed.
std::string Config_Path(const char* name);

// Installed: `recorded_release` is the release the live update's files in the player's
// folder belong to ("" when unknown). When it is not newer than `program_release`, moves each
// of the player's copies that has an installed namesake into "replaced-<release>" (one line
// says so), so that they never hide the installed files. Returns 1 when the player's copies
// count; called at start-up and after each complete live update.
int Settle_Player_Copies(const std::string& recorded_release, const std::string& program_release);
