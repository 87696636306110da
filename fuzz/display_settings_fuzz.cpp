// "VantoRello.display": any file gives display settings in their ranges that survive a save
// and a second load unchanged.
#include "frontend/graphics/display_settings.h"
#include "fuzz_file.h"

namespace {
bool Same(const DisplaySettings& a, const DisplaySettings& b) {
  return a.window_size == b.window_size && a.smooth == b.smooth && a.pad_layout_mapped == b.pad_layout_mapped;
}
bool In_Range(const DisplaySettings& d) {
  return d.window_size >= kWindowAuto && d.window_size <= kWindowSizeMax && (d.smooth == 0 || d.smooth == 1) &&
         (d.pad_layout_mapped == 0 || d.pad_layout_mapped == 1);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Write_Fuzz_File(kDisplaySettingsFile, data, size);
  if (!Load_Display_Settings()) __builtin_trap();
  const DisplaySettings first = display;
  if (!In_Range(first)) __builtin_trap();
  const int scale = Window_Scale_For(1920, 1080, first.window_size);
  if (scale < 1 || scale > kWindowSizeMax) __builtin_trap();
  if (!Save_Display_Settings()) __builtin_trap();
  if (!Load_Display_Settings() || !Same(first, display)) __builtin_trap();
  return 0;
}
