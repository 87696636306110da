// The display settings file: reading, writing, and the window-size rule.
#include "frontend/graphics/display_settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/game_folders.h"
#include "common/safe_file.h"

const char* const kDisplaySettingsFile = "VantoRello.display";
DisplaySettings display;

namespace {

constexpr size_t kMaxFileSize = 4096;  // the file is a few short lines; more is not read
constexpr size_t kMaxLine = 100;
const char* const kSizeNames[kWindowSizeMax + 1] = {"Auto", "1x", "2x", "3x", "4x"};

int Size_From_Name(const char* value) {
  for (int i = 0; i <= kWindowSizeMax; ++i)
    if (!std::strcmp(value, kSizeNames[i])) return i;
  return -1;
}

int Flag_From_Name(const char* value, const char* off, const char* on) {
  if (!std::strcmp(value, off)) return 0;
  if (!std::strcmp(value, on)) return 1;
  return -1;
}

// One line without its end; lines that are not exactly "Name=Value" are ignored.
void Take_Line(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  size_t equals = line.find('=');
  if (equals == std::string::npos || line.find('\0') != std::string::npos) return;
  const std::string name = line.substr(0, equals);
  const char* value = line.c_str() + equals + 1;
  int v;
  if (name == "Window Size" && (v = Size_From_Name(value)) >= 0) display.window_size = v;
  else if (name == "Scaling" && (v = Flag_From_Name(value, "Nearest", "Smooth")) >= 0) display.smooth = v;
  else if (name == "Pad Mapping" && (v = Flag_From_Name(value, "Device", "Controller")) >= 0)
    display.pad_layout_mapped = v;
}

}  // namespace

int Load_Display_Settings() {
  display = DisplaySettings{};
  FILE* file = std::fopen(Config_Path(kDisplaySettingsFile).c_str(), "rb");
  if (!file) return 0;
  char bytes[kMaxFileSize];
  size_t size = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  std::string text(bytes, size);
  for (size_t at = 0; at < text.size();) {
    size_t end = std::min(text.find('\n', at), text.size());
    if (end - at <= kMaxLine) Take_Line(text.substr(at, end - at));
    at = end + 1;
  }
  return 1;
}

int Save_Display_Settings() {
  std::string text = "Window Size=";
  text += Window_Size_Name(display.window_size);
  text += display.smooth ? "\nScaling=Smooth\n" : "\nScaling=Nearest\n";
  text += display.pad_layout_mapped ? "Pad Mapping=Controller\n" : "Pad Mapping=Device\n";
  return Write_File_Atomic(Config_Path(kDisplaySettingsFile).c_str(), text.data(), text.size());
}

int Window_Scale_For(int desktop_w, int desktop_h, int window_size) {
  if (window_size >= 1 && window_size <= kWindowSizeMax) return window_size;
  if (desktop_w <= 0 || desktop_h <= 0) return 1;
  // 90 % of the desktop in whole multiples, in integers: n * 640 <= w * 9 / 10.
  int across = desktop_w * 9 / (640 * 10);
  int down = desktop_h * 9 / (480 * 10);
  return std::max(1, std::min(across, down));
}

const char* Window_Size_Name(int window_size) {
  return window_size >= 0 && window_size <= kWindowSizeMax ? kSizeNames[window_size] : kSizeNames[0];
}
