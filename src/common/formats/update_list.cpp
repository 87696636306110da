#include "common/formats/update_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const kVersionFileName = "version.ver";
const char* const kUpdateListRequest = "VantoRello.w32.ver";
const char* const kUpdateListFile = "VantoRello.ver";
const char* const kProgramRequest = "VantoRello.w32";
const char* const kProgramListName = "vantorello";

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
  size_t digits = std::strspn(bar + 1, "0123456789abcdefABCDEF");
  std::string number = "0x" + std::string(bar + 1, digits);
  *crc = static_cast<uint32_t>(std::strtoull(number.c_str(), nullptr, 16));
  return 1;
}

int Is_Safe_Update_Name(const std::string& name) {
  if (name.empty() || name.size() > 200) return 0;
  size_t start = 0;
  for (;;) {
    size_t end = name.find('/', start);
    std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == "..") return 0;
    for (unsigned char c : part)
      if (c < 32 || c == 127 || c == '\\' || c == ':') return 0;
    if (end == std::string::npos) return 1;
    start = end + 1;
  }
}
