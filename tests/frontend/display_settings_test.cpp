// The display settings file and the window-size rule.
#include <gtest/gtest.h>

#include <string>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/display_settings.h"
#include "frontend/screens/settings_screen.h"
#include "frontend/screens/video_mode.h"
#include "support/files.h"
#include "support/front_end.h"
#include "support/temp_dir.h"

namespace {

TEST(DisplaySettings, WindowScaleForDesktopSizesAndChoices) {
  struct Case {
    int w, h, size, scale;
  } cases[] = {
      {0, 0, kWindowAuto, 1},       {-1, 900, kWindowAuto, 1},   {640, 480, kWindowAuto, 1},
      {1280, 1024, kWindowAuto, 1}, {1366, 768, kWindowAuto, 1}, {1422, 1067, kWindowAuto, 1},
      {1423, 1067, kWindowAuto, 2}, {1920, 1080, kWindowAuto, 2}, {2560, 1440, kWindowAuto, 2},
      {3840, 2160, kWindowAuto, 4}, {3440, 1440, kWindowAuto, 2}, {1080, 1920, kWindowAuto, 1},
      {7680, 4320, kWindowAuto, 8}, {1920, 1080, 1, 1},          {1920, 1080, 4, 4},
      {0, 0, 3, 3},                 {1920, 1080, 9, 2},          {1920, 1080, -2, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Window_Scale_For(c.w, c.h, c.size), c.scale) << c.w << "x" << c.h << " size " << c.size;
}

TEST(DisplaySettings, RoundTripAndDamagedFiles) {
  ScopedTempDir dir;
  EXPECT_EQ(Load_Display_Settings(), 0);  // no file: defaults
  EXPECT_EQ(display.window_size, kWindowAuto);
  display.window_size = 3;
  display.smooth = 1;
  display.pad_layout_mapped = 1;
  ASSERT_EQ(Save_Display_Settings(), 1);
  EXPECT_EQ(Read_File(kDisplaySettingsFile), "Window Size=3x\nScaling=Smooth\nPad Mapping=Controller\n");
  display = DisplaySettings{};
  ASSERT_EQ(Load_Display_Settings(), 1);
  EXPECT_EQ(display.window_size, 3);
  EXPECT_EQ(display.smooth, 1);
  EXPECT_EQ(display.pad_layout_mapped, 1);

  // Each damaged text leaves the defaults (Auto, nearest, device) except where a good line follows.
  struct Case {
    std::string text;
    int window_size, smooth;
  } cases[] = {
      {"", 0, 0},
      {"Window Size=5x\nScaling=blurry\n", 0, 0},
      {"Window Size=2x", 2, 0},                                  // no line end
      {"Window Size=2x\r\nScaling=Smooth\r\n", 2, 1},            // written elsewhere
      {"window size=2x\nWindow Size =2x\nWindow Size=2x \n", 0, 0},
      {"Window Size\n=2x\n\n==\n", 0, 0},
      {std::string("Window Size=2x\0junk\nScaling=Smooth\n", 35), 0, 1},  // a line with a zero byte
      {"Window Size=" + std::string(500, '4') + "\nScaling=Smooth\n", 0, 1},  // an overlong line
      {std::string(300, '\xff') + "Window Size=4x\n", 0, 0},
      {"Window Size=4x\nWindow Size=1x\n", 1, 0},                // the last line counts
  };
  for (const Case& c : cases) {
    Write_File(kDisplaySettingsFile, c.text);
    Load_Display_Settings();
    EXPECT_EQ(display.window_size, c.window_size) << c.text.substr(0, 40);
    EXPECT_EQ(display.smooth, c.smooth) << c.text.substr(0, 40);
  }
}

using WindowSizeScreenTest = FrontEndTest;

// The settings screen steps the size round, re-opens the window at once, turns smooth
// scaling on and saves the display file beside the unchanged 74-byte settings file.
TEST_F(WindowSizeScreenTest, SettingsRowStepsRoundAndIsSaved) {
  display = DisplaySettings{};
  windowScaleOverride = 3;
  std::string shown[6], scaling[2];
  script = [&](int) {
    if (frame == 1) {
      for (int i = 0; i < kWindowSizeRow; ++i) Push_Key(SDLK_DOWN);
    } else if (frame <= 7) {
      shown[frame - 2] = Settings_Value(settings_row);
      const int scales[6] = {3, 1, 2, 3, 4, Window_Scale_For(0, 0, kWindowAuto)};
      EXPECT_EQ(Window_Scale(), scales[frame - 2]);
      EXPECT_NE(screen, nullptr);
      Push_Key(SDLK_RETURN);
    } else if (frame == 8) {
      Push_Key(SDLK_DOWN);
      scaling[0] = Settings_Value(kScalingRow);
      Push_Key(SDLK_RETURN);
    } else if (frame == 9) {
      EXPECT_EQ(settings_row, kScalingRow);
      scaling[1] = Settings_Value(settings_row);
      Push_Key(SDLK_ESCAPE);
    }
  };
  Run_Settings_Screen();
  const std::string expected[6] = {"Auto", "1x", "2x", "3x", "4x", "Auto"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(shown[i], expected[i]);
  EXPECT_EQ(windowScaleOverride, 0);  // the player's choice replaces --scale
  display = DisplaySettings{};
  Load_Display_Settings();
  EXPECT_EQ(display.window_size, 1);  // Auto stepped on once more
  EXPECT_EQ(scaling[0], "Sharp (next start)");
  EXPECT_EQ(scaling[1], "Smooth (next start)");
  EXPECT_EQ(display.smooth, 1);
  EXPECT_EQ(Read_File("VantoRello.cfg").size(), 74u);
}

}  // namespace
