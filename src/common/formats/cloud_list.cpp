#include "common/formats/cloud_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const size_t kMaxListedName = 255;

// Copies the next field (up to "|" or the line's end) and moves past it; 0 when none is left.
int Next_Field(const std::string& line, size_t* pos, std::string* field) {
  if (*pos > line.size()) return 0;
  size_t bar = line.find('|', *pos);
  size_t end = bar == std::string::npos ? line.size() : bar;
  *field = line.substr(*pos, end - *pos);
  *pos = bar == std::string::npos ? line.size() + 1 : bar + 1;
  return 1;
}

// Fills the fields the line has; returns 0 when its file name may not be listed.
int Read_Line(const std::string& line, Cloud_Track* track) {
  size_t pos = 0;
  std::string field;
  int listed = 1;
  if (Next_Field(line, &pos, &field)) {
    listed = Is_Safe_Cloud_Name(field.c_str()) && field.size() <= kMaxListedName;
    std::snprintf(track->file_name, sizeof track->file_name, "%s", field.c_str());
  }
  if (Next_Field(line, &pos, &field)) track->track_type = std::strtoul(field.c_str(), nullptr, 0);
  if (Next_Field(line, &pos, &field)) track->sector_count = std::strtoul(field.c_str(), nullptr, 0);
  if (Next_Field(line, &pos, &field)) std::snprintf(track->creator, sizeof track->creator, "%s", field.c_str());
  if (Next_Field(line, &pos, &field)) track->tournament = std::strtoul(field.c_str(), nullptr, 0);
  return listed;
}

std::string Field_Text(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    out.push_back(c < 0x20 || c == 0x7F || c == '|' ? ' ' : *p);
  }
  return out;
}

}  // namespace

int Parse_Cloud_List(const char* text, size_t size, Cloud_Track* tracks, int max_tracks) {
  Cloud_Track current = {};
  int count = 0;
  size_t pos = 0;
  while (pos < size && count < max_tracks) {
    const char* feed = static_cast<const char*>(std::memchr(text + pos, '\n', size - pos));
    size_t len = feed ? static_cast<size_t>(feed - (text + pos)) : size - pos;
    std::string line(text + pos, len);
    line = line.substr(0, line.find('\0'));
    if (Read_Line(line, &current)) tracks[count++] = current;
    pos += len + 1;
  }
  return count;
}

std::string Cloud_List_Line(const char* file_name, int track_type, int sector_count, const char* creator,
                            int tournament) {
  return Field_Text(file_name) + "|" + std::to_string(track_type) + "|" + std::to_string(sector_count) + "|" +
         Field_Text(creator) + "|" + std::to_string(tournament) + "\n";
}

int Is_Safe_Track_File_Name(const char* name) {
  size_t len = std::strlen(name);
  if (len < 1 || len > 64 || name[0] == '.') return 0;
  for (size_t i = 0; i < len; ++i) {
    char c = name[i];
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
              c == '-';
    if (!ok) return 0;
  }
  return 1;
}

int Is_Safe_Cloud_Name(const char* name) {
  size_t len = std::strlen(name);
  if (len < 1 || len > kMaxListedName || name[0] == '.' || std::strstr(name, "..")) return 0;
  for (size_t i = 0; i < len; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return 0;
  }
  return 1;
}
