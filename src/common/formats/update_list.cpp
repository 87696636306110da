#include "common/formats/update_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kMarker[] = "#VantoRello";

bool Begins_With_Marker(const std::string& line) { return line.compare(0, sizeof kMarker - 1, kMarker) == 0; }

}  // namespace

std::string Write_Version_File(const char* version) {
  return std::string(kMarker) + "\n" + version + "\n" + kMarker + "\n";
}

int Read_Version_File(const char* text, size_t size, std::string* version) {
  std::string lines[3];
  size_t pos = 0;
  for (int i = 0; i < 3 && pos < size; ++i) {
    size_t end = pos;
    while (end < size && text[end] != '\n') ++end;
    lines[i].assign(text + pos, end - pos);
    pos = end + 1;
  }
  if (!Begins_With_Marker(lines[0]) || !Begins_With_Marker(lines[2])) return 0;
  *version = lines[1].substr(0, lines[1].find_first_of("\r\n"));
  return 1;
}

std::string Update_List_Line(const char* name, uint32_t crc) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08X", crc);
  return std::string(name) + "|" + hex + "\n";
}

int Parse_Update_List_Line(const char* line, std::string* name, uint32_t* crc) {
  size_t len = std::strlen(line);
  const char* bar = std::strchr(line, '|');
  if (len < 3 || !bar) return 0;
  name->assign(line, bar - line);
  std::string digits(bar + 1, line + len - 1 > bar ? line + len - 1 : bar + 1);
  *crc = static_cast<uint32_t>(std::strtoul(("0x" + digits).c_str(), nullptr, 16));
  return 1;
}
