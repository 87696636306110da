// The update list comes from the web server: every line is skipped or gives a name and a
// checksum that survive being written into a list and read back, and the name rule never
// passes a name that could climb out of the game's directory. Nothing here touches the file
// system (the containment check on real paths is the update_target target).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/formats/update_list.h"
#include "fuzz_file.h"

namespace {

// A name the rule accepts is relative, and none of its parts is empty, "." or "..".
void Check_Safe_Name(const std::string& name) {
  if (name.empty() || name[0] == '/' || name.size() > 200) std::abort();
  size_t start = 0;
  for (;;) {
    size_t end = name.find('/', start);
    std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == ".." || part.find_first_of("\\:") != std::string::npos) std::abort();
    if (end == std::string::npos) return;
    start = end + 1;
  }
}

void Check_Line(const std::string& line) {
  std::string name;
  uint32_t crc = 0;
  if (!Parse_Update_List_Line(line.c_str(), &name, &crc)) return;
  if (name.find('|') != std::string::npos) std::abort();
  if (Is_Safe_Update_Name(name)) Check_Safe_Name(name);
  std::string again = Update_List_Line(name.c_str(), crc), name2;
  uint32_t crc2 = 0;
  if (!Parse_Update_List_Line(again.c_str(), &name2, &crc2) || name2 != name || crc2 != crc) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  For_Each_Line(data, size, Check_Line);
  return 0;
}
