// The game's containment check on the names of an update list: no name it lets the update
// write leads out of the game's directory, followed on the real file system (slow; the
// parser alone is the update_list target).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/formats/update_list.h"
#include "fuzz_file.h"
#include "online/live_update.h"

namespace {

void Check_Line(const std::string& line) {
  std::string name;
  uint32_t crc = 0;
  if (!Parse_Update_List_Line(line.c_str(), &name, &crc)) return;
  if (name.find('|') != std::string::npos) std::abort();
  if (!Update_Target_Allowed(name)) return;
  if (!Is_Safe_Update_Name(name) || name[0] == '/') std::abort();
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path game = fs::canonical(fs::current_path(), error);
  fs::path target = fs::weakly_canonical(game / name, error);
  if (target.string().compare(0, game.string().size() + 1, game.string() + "/") != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool silenced = (Silence_Standard_Output(), true);
  (void)silenced;
  For_Each_Line(data, size, Check_Line);
  return 0;
}
