#include "frontend/graphics/player_name.h"

#include <cstdio>
#include <cstring>
#include <random>

#include "common/game_folders.h"
#include "common/safe_file.h"

const char* const kPlayerNameFile = "VantoRello.name";

namespace {
char current[kPlayerNameMax + 1];
bool loaded = false;

void Use(const char* name) {
  std::strncpy(current, name, kPlayerNameMax);
  current[kPlayerNameMax] = '\0';
  loaded = true;
}

// The first line of the name file without its line end; false when there is none.
bool Read_Name_File(char* out, size_t size) {
  FILE* file = std::fopen(Config_Path(kPlayerNameFile).c_str(), "rb");
  if (!file) return false;
  bool ok = std::fgets(out, static_cast<int>(size), file) != nullptr;
  std::fclose(file);
  if (ok) out[std::strcspn(out, "\r\n")] = '\0';
  return ok;
}

// "Driver" and four random digits, so that new players do not share one leaderboard row.
// Drawn from the system's entropy, not rand(), whose sequence the races use.
void Make_Default_Name(char* out, size_t size) {
  std::random_device source;
  std::snprintf(out, size, "Driver%04u", static_cast<unsigned>(source() % 10000));
}
}  // namespace

int Player_Name_Char_Allowed(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' ||
         c == '_' || c == '.';
}

int Valid_Player_Name(const char* name) {
  if (!name) return 0;
  size_t n = strnlen(name, kPlayerNameMax + 1);
  if (n < static_cast<size_t>(kPlayerNameMin) || n > static_cast<size_t>(kPlayerNameMax)) return 0;
  if (name[0] == ' ' || name[n - 1] == ' ') return 0;
  for (size_t i = 0; i < n; ++i)
    if (!Player_Name_Char_Allowed(static_cast<unsigned char>(name[i]))) return 0;
  return 1;
}

const char* Player_Name() {
  if (loaded) return current;
  char line[256];
  if (Read_Name_File(line, sizeof line) && Valid_Player_Name(line)) {
    Use(line);
  } else {
    // The first start: the new name is saved at once, so it stays this player's.
    Make_Default_Name(line, sizeof line);
    Set_Player_Name(line);
  }
  return current;
}

int Is_Default_Player_Name(const char* name) {
  if (std::strncmp(name, "Driver", 6) != 0 || std::strlen(name) != 10) return 0;
  for (int i = 6; i < 10; ++i)
    if (name[i] < '0' || name[i] > '9') return 0;
  return 1;
}

int Set_Player_Name(const char* name) {
  if (!Valid_Player_Name(name)) return 0;
  Use(name);
  char text[kPlayerNameMax + 2];
  int size = std::snprintf(text, sizeof text, "%s\n", name);
  return Write_File_Atomic(Config_Path(kPlayerNameFile).c_str(), text, static_cast<size_t>(size));
}

void Reload_Player_Name() { loaded = false; }
