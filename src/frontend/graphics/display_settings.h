#pragma once
// The display settings file "VantoRello.display" beside "VantoRello.cfg": window size,
// scaling and the pad layout, one "Name=Value" line each.

constexpr int kWindowAuto = 0;      // window_size: 0 Auto, else 1..4 times 640x480
constexpr int kWindowSizeMax = 4;

struct DisplaySettings {
  int window_size = kWindowAuto;
  int smooth = 0;           // 1 scales with bilinear filtering, 0 nearest (crisp)
  int pad_layout_mapped = 0;  // 1 when the saved joystick mapping was made in the controller layout
};

extern const char* const kDisplaySettingsFile;  // "VantoRello.display"
extern DisplaySettings display;

// Resets to the defaults, then takes every well-formed line of the file; anything else is
// ignored. Returns 1 when the file was read.
int Load_Display_Settings();
// Writes the file atomically. Returns 1 on success.
int Save_Display_Settings();

// The window scale for a desktop of w x h: the chosen size, or for Auto the largest whole
// multiple of 640x480 within 90 % of the desktop, at least 1 (also when the size is unknown).
int Window_Scale_For(int desktop_w, int desktop_h, int window_size);
// "Auto", "1x" .. "4x".
const char* Window_Size_Name(int window_size);
