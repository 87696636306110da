#include "online/live_update.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/formats/file_crc.h"
#include "common/formats/update_list.h"
#include "common/game_folders.h"
#include "common/safe_file.h"
#include "frontend/graphics/player_name.h"
#include "online/network.h"
#include "online/player_query.h"
#include "online/program_swap.h"
#include "online/update_screen.h"

namespace fs = std::filesystem;

const char* const kGameVersion = "3.98";

const char* const kInstalledVersionFile = "installed.ver";

int update_status = 0;
bool update_finished = false;
int update_result = 0;
bool update_cancel_requested = false;
int update_failures = 0;
bool update_program_left = false;
const char* update_step = "";
std::string update_file;

namespace {

const size_t kListLimit = 1 << 20;

// Reads a small downloaded text file; 0 when it cannot be opened.
int Read_Text_File(const char* path, std::string* text) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return 0;
  char block[4096];
  size_t got;
  while (text->size() < kListLimit && (got = std::fread(block, 1, sizeof block, file)) > 0) text->append(block, got);
  std::fclose(file);
  return 1;
}

// The name with control characters shown as "?", for report lines.
std::string Printable(const std::string& name) {
  std::string shown = name.substr(0, 200);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return shown;
}

bool Lies_Inside(const fs::path& path, const fs::path& dir) {
  auto inner = path.begin();
  for (auto part = dir.begin(); part != dir.end(); ++part, ++inner)
    if (inner == path.end() || *inner != *part) return false;
  return true;
}

// Where the listed name would be written, with every existing directory resolved; empty
// when that cannot be told.
fs::path Resolved_Target(const std::string& name) {
  std::error_code error;
  fs::path listed(name);
  fs::path dir = fs::weakly_canonical(fs::current_path(error) / listed.parent_path(), error);
  if (error) return fs::path();
  return dir / listed.filename();
}

// Shows the step (reading the screen's events); false when the player cancelled.
bool Step(const char* word, const std::string& name) {
  update_step = word;
  update_file = name;
  Show_Update_Step();
  return !update_cancel_requested;
}

// The first line of a small text file without its line end; "" when there is none.
std::string First_Line(const char* path) {
  std::string text;
  if (!Read_Text_File(path, &text)) return "";
  return text.substr(0, text.find_first_of("\r\n"));
}

// The release the list belongs to, from the service's version file; "" when unknown.
std::string Release_Version() {
  std::string text, version;
  if (!Http_Get(kVersionFileName, kVersionFileName) || !Read_Text_File(kVersionFileName, &text) ||
      !Read_Version_File(text.data(), text.size(), &version))
    return "";
  return version;
}

void Note_Installed_Version(const std::string& version) {
  if (version.empty()) return;
  std::string line = version + "\n";
  Write_File_Atomic(kInstalledVersionFile, line.data(), line.size());
}

// The folders below the game's directory that must be made for `file`, made; the ones made
// are returned so that a failed download can take them away again.
std::vector<fs::path> Make_Folders(const fs::path& file) {
  std::vector<fs::path> made;
  std::error_code error;
  for (fs::path dir = file.parent_path(); !dir.empty() && !fs::exists(dir, error); dir = dir.parent_path())
    made.push_back(dir);
  fs::create_directories(file.parent_path(), error);
  return made;  // deepest first
}

void Remove_Folders(const std::vector<fs::path>& made) {
  std::error_code error;
  for (const fs::path& dir : made) fs::remove(dir, error);  // only while empty
}

// The list's entry for the program: compared with the running program, which only the swap
// script replaces.
int Update_Program(uint32_t listed_crc) {
  std::string program = Program_File();
  if (program.empty()) {
    std::printf("Error: Cannot find the program file to update!\n");
    return UPDATE_INCOMPLETE;
  }
  if (File_Crc(program.c_str()) == listed_crc) return UPDATE_FILES_DONE;
  if (Game_Folders().installed) {
    // An installed program belongs to the system's packages, which bring its updates.
    std::printf("Program updates come with the system's packages: the listed program is not downloaded.\n");
    update_program_left = true;
    return UPDATE_FILES_DONE;
  }
  if (!Step("Updating", kProgramListName)) return UPDATE_CANCELLED;
  Send_Update_Log();
  if (!Prepare_Program_Update(listed_crc)) return UPDATE_INCOMPLETE;
  Read_Update_Events();
  if (update_cancel_requested) {
    Drop_Program_Update();
    return UPDATE_CANCELLED;
  }
  return UPDATE_PROGRAM_READY;
}

// One listed file other than the program: UPDATE_FILES_DONE when it is up to date.
int Update_One_File(const std::string& name, uint32_t crc) {
  if (!Update_Target_Allowed(name)) return UPDATE_INCOMPLETE;
  if (!Step("Checking", name)) return UPDATE_CANCELLED;
  uint32_t local = File_Crc(Data_Path(name.c_str()).c_str());
  if (local != 0 && local == crc) return UPDATE_FILES_DONE;
  if (!Step("Updating", name)) return UPDATE_CANCELLED;
  return Download_Update_File(name, crc) ? UPDATE_FILES_DONE : UPDATE_INCOMPLETE;
}

}  // namespace

bool Check_For_Update() {
  int status = Init_Network();
  if (status != 0) {
    if (status != 1) Close_Network();
    return false;
  }
  int downloaded = Http_Get(kVersionFileName, kVersionFileName);
  Close_Network();
  std::string text, version;
  if (!downloaded || !Read_Text_File(kVersionFileName, &text)) return false;
  if (!Read_Version_File(text.data(), text.size(), &version)) {
    std::printf("Error wrong Update Version File!\n");
    return false;
  }
  return version != kGameVersion && version != Installed_Version();
}

void Send_Update_Log() {
  char player[128], resource[1024];
  if (!Player_Query_Value(Player_Name(), "", 1, player, sizeof player)) return;
  std::snprintf(resource, sizeof resource, "updatelog.php?player=%s&os=%s", player, "3");
  Http_Get(resource, "");
}

bool Prepare_Program_Update(uint32_t listed_crc) {
  if (!Http_Get(kProgramRequest, kProgramUpdateFile) || File_Crc(kProgramUpdateFile) != listed_crc) {
    std::remove(kProgramUpdateFile);
    std::printf("Error downloading VantoRello Update!\n");
    return false;
  }
  if (!Write_Swap_Script(Program_File())) {
    std::printf("Error creating update script!\n");
    return false;
  }
  return true;
}

int Update_Target_Allowed(const std::string& name) {
  if (!Is_Safe_Update_Name(name)) {
    std::printf("Error: Refused the file name '%s' of the update list!\n", Printable(name).c_str());
    return 0;
  }
  std::error_code error;
  fs::path game = fs::canonical(fs::current_path(error), error);
  fs::path target = Resolved_Target(name);
  fs::path program = fs::weakly_canonical(Program_File(), error);
  if (game.empty() || target.empty() || !Lies_Inside(target, game) || target == game || target == program) {
    std::printf("Error: Refused '%s' of the update list: it is not a game file!\n", Printable(name).c_str());
    return 0;
  }
  return 1;
}

int Download_Update_File(const std::string& name, uint32_t listed_crc) {
  std::vector<fs::path> made = Make_Folders(name);
  std::string part = name + ".download";
  if (!Http_Get(Request_Path(name).c_str(), part.c_str()) || File_Crc(part.c_str()) != listed_crc ||
      std::rename(part.c_str(), name.c_str()) != 0) {
    std::remove(part.c_str());
    Remove_Folders(made);
    std::printf("Error downloading %s!\n", Printable(name).c_str());
    return 0;
  }
  return 1;
}

std::string Installed_Version() { return First_Line(kInstalledVersionFile); }

void Drop_Program_Update() {
  std::remove(kProgramUpdateFile);
  std::remove(kSwapScriptFile);
}

int Update_Files() {
  update_cancel_requested = false;
  update_program_left = false;
  update_failures = 0;
  if (!Http_Get(kUpdateListRequest, kUpdateListFile))
    return http_last_connected ? UPDATE_NO_LIST : UPDATE_NO_CONNECTION;
  std::string list;
  if (!Read_Text_File(kUpdateListFile, &list)) {
    std::printf("ERROR: Cannot read VantoRello.ver!\n");
    return UPDATE_NO_LIST;
  }
  std::string release = Release_Version();
  int listed = 0;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\n', start);
    end = end == std::string::npos ? list.size() : end + 1;
    std::string line = list.substr(start, end - start), name;
    start = end;
    uint32_t crc = 0;
    if (!Parse_Update_List_Line(line.c_str(), &name, &crc)) continue;
    ++listed;
    int result = UPDATE_FILES_DONE;
    if (name != kProgramListName) {
      result = Update_One_File(name, crc);
    } else if (Step("Checking", name)) {
      result = Update_Program(crc);
    } else {
      result = UPDATE_CANCELLED;
    }
    if (result == UPDATE_PROGRAM_READY || result == UPDATE_CANCELLED) return result;
    if (result == UPDATE_INCOMPLETE) ++update_failures;
  }
  if (listed == 0) return UPDATE_EMPTY_LIST;
  if (update_failures > 0) return UPDATE_INCOMPLETE;
  Note_Installed_Version(release);
  if (!release.empty()) Settle_Player_Copies(release, kGameVersion);
  return UPDATE_FILES_DONE;
}
