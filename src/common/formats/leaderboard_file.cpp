#include "common/formats/leaderboard_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

const char* const kDefaultDriverNames[kLeaderboardSize] = {
    "Mara Velling", "Tobi Kranz",   "Ilka Sund",     "Rocco Brandt", "Jin Aoyama",
    "Femke Dool",   "Otto Rasmus",  "Lena Voss",     "Pavel Hruby",  "Sanne Kuipers",
    "Dario Fenn",   "Greta Holm",   "Nils Ekberg",   "Yara Santos",  "Kai Lindqvist",
};

int32_t Default_Driver_Score(int k) { return 141000 - 10000 * k; }

namespace {

const char kMarker[] = "#VantoRello";
const size_t kLinePiece = 254;  // what fgets reads into a 255-byte buffer

struct Line {
  const char* text;
  size_t size;  // including the line feed when there is one
};

std::vector<Line> Split_Lines(const char* text, size_t size) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < size) {
    size_t len = 0;
    while (pos + len < size && len < kLinePiece) {
      ++len;
      if (text[pos + len - 1] == '\n') break;
    }
    lines.push_back({text + pos, len});
    pos += len;
  }
  return lines;
}

bool Has_Marker(const Line& line) {
  size_t n = sizeof kMarker - 1;
  return line.size >= n && std::memcmp(line.text, kMarker, n) == 0;
}

// The line as a C string would hold it: up to the line feed or a NUL byte.
std::string Line_Text(const Line& line) {
  size_t len = 0;
  while (len < line.size && line.text[len] != '\n' && line.text[len] != '\0') ++len;
  return std::string(line.text, len);
}

void Read_Name(const Line& line, Leaderboard_Entry* entry) {
  std::string name = Line_Text(line);
  entry->platform = 0;
  if (!name.empty() && name[0] >= '0' && name[0] <= '9') {
    int digit = name[0] - '0';
    entry->platform = digit >= 1 && digit <= 8 ? digit : 0;
    name.erase(0, 1);
  }
  for (char& c : name)
    if (c == '_') c = ' ';
  std::snprintf(entry->name, sizeof entry->name, "%s", name.c_str());
}

int32_t Read_Score(const Line& line) {
  std::string text = Line_Text(line);
  errno = 0;
  long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

void Append_Name(std::string* out, const std::string& player) {
  for (char c : player) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) continue;
    out->push_back(c == ' ' ? '_' : c);
  }
  out->push_back('\n');
}

}  // namespace

int Parse_Leaderboard(const char* text, size_t size, Leaderboard_Entry entries[kLeaderboardSize]) {
  std::vector<Line> lines = Split_Lines(text, size);
  if (lines.empty() || !Has_Marker(lines[0])) return LEADERBOARD_BAD_FIRST_MARKER;
  if (lines.size() < 32) return LEADERBOARD_BAD_LINE_COUNT;
  if (!Has_Marker(lines[31])) return LEADERBOARD_BAD_LAST_MARKER;
  if (lines.size() > 32) return LEADERBOARD_BAD_LINE_COUNT;
  for (int k = 0; k < kLeaderboardSize; ++k) {
    Read_Name(lines[1 + k], &entries[k]);
    entries[k].score = Read_Score(lines[16 + k]);
  }
  return LEADERBOARD_OK;
}

std::string Write_Leaderboard(const Leaderboard_Row* rows, int count) {
  std::string out = "#VantoRello online leaderboard\n";
  for (int k = 0; k < kLeaderboardSize; ++k)
    Append_Name(&out, k < count ? rows[k].player : kDefaultDriverNames[k - count]);
  // Made-up drivers follow the slowest real result, 1 s and then 10 s apart.
  int64_t slowest = count > 0 ? rows[count - 1].score : 0;
  for (int k = 0; k < kLeaderboardSize; ++k) {
    int64_t score = k < count ? rows[k].score : slowest + 1000 + 10000 * (k - count);
    out += std::to_string(score < INT32_MAX ? score : INT32_MAX) + "\n";
  }
  out += "#VantoRello\n";
  return out;
}

void Format_Score_Time(long score, char* out, size_t out_size) {
  long minutes = score / 60000;
  long seconds = (score % 60000) / 1000;
  long hundredths = (score - 60000 * minutes - 1000 * seconds) / 10;
  std::snprintf(out, out_size, "%02i:%02i\".%02i", static_cast<int>(minutes), static_cast<int>(seconds),
                static_cast<int>(hundredths));
}
