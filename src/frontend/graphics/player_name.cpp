#include "frontend/graphics/player_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

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
  FILE* file = std::fopen(kPlayerNameFile, "rb");
  if (!file) return false;
  bool ok = std::fgets(out, static_cast<int>(size), file) != nullptr;
  std::fclose(file);
  if (ok) out[std::strcspn(out, "\r\n")] = '\0';
  return ok;
}

const char* Login_Name() {
  const passwd* user = getpwuid(getuid());
  return user && user->pw_name ? user->pw_name : "";
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
  if (Read_Name_File(line, sizeof line) && Valid_Player_Name(line)) Use(line);
  else if (Valid_Player_Name(Login_Name())) Use(Login_Name());
  else Use("Driver");
  return current;
}

int Set_Player_Name(const char* name) {
  if (!Valid_Player_Name(name)) return 0;
  Use(name);
  char text[kPlayerNameMax + 2];
  int size = std::snprintf(text, sizeof text, "%s\n", name);
  return Write_File_Atomic(kPlayerNameFile, text, static_cast<size_t>(size));
}

void Reload_Player_Name() { loaded = false; }
