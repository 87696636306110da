#include "online/live_update.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/formats/file_crc.h"
#include "common/formats/update_list.h"
#include "frontend/graphics/player_name.h"
#include "online/network.h"
#include "online/player_query.h"
#include "online/program_swap.h"
#include "online/update_screen.h"

namespace fs = std::filesystem;

const char* const kGameVersion = "3.98";

int update_status = 0;
bool update_finished = false;
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

void Step(const char* word, const std::string& name) {
  update_step = word;
  update_file = name;
  Show_Update_Step();
}

// The list's entry for the program: compared with the running program, which only the swap
// script replaces.
int Update_Program(uint32_t listed_crc) {
  std::string program = Program_File();
  if (program.empty()) {
    std::printf("Error: Cannot find the program file to update!\n");
    return UPDATE_FILES_DONE;
  }
  if (File_Crc(program.c_str()) == listed_crc) return UPDATE_FILES_DONE;
  Step("Updating", kProgramListName);
  Send_Update_Log();
  return Prepare_Program_Update(listed_crc) ? UPDATE_PROGRAM_READY : UPDATE_FILES_DONE;
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
  return version != kGameVersion;
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
  std::error_code error;
  fs::create_directories(fs::path(name).parent_path(), error);
  std::string part = name + ".download";
  if (!Http_Get(Request_Path(name).c_str(), part.c_str()) || File_Crc(part.c_str()) != listed_crc ||
      std::rename(part.c_str(), name.c_str()) != 0) {
    std::remove(part.c_str());
    std::printf("Error downloading %s!\n", Printable(name).c_str());
    return 0;
  }
  return 1;
}

int Update_Files() {
  if (!Http_Get(kUpdateListRequest, kUpdateListFile)) return UPDATE_FILES_DONE;
  std::string list;
  if (!Read_Text_File(kUpdateListFile, &list)) {
    std::printf("ERROR: Cannot read VantoRello.ver!\n");
    return UPDATE_FILES_DONE;
  }
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\n', start);
    end = end == std::string::npos ? list.size() : end + 1;
    std::string line = list.substr(start, end - start), name;
    start = end;
    uint32_t crc = 0;
    if (!Parse_Update_List_Line(line.c_str(), &name, &crc)) continue;
    if (name == kProgramListName) {
      Step("Checking", name);
      if (Update_Program(crc) == UPDATE_PROGRAM_READY) return UPDATE_PROGRAM_READY;
      continue;
    }
    if (!Update_Target_Allowed(name)) continue;
    Step("Checking", name);
    uint32_t local = File_Crc(name.c_str());
    if (local != 0 && local == crc) continue;
    Step("Updating", name);
    Download_Update_File(name, crc);
  }
  return UPDATE_FILES_DONE;
}
