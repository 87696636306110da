#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/loop/exhibition.h"
#include "core/session/hud.h"
#include "road/bitmap_font.h"
#include "road/canvas.h"

namespace {

TEST(Hud, LapTimesPrintHundredthsWithoutPadding) {
  char text[48];
  Format_Lap_Time(text, sizeof text, 65430);
  EXPECT_STREQ(text, "      1'5\".43");
  Format_Lap_Time(text, sizeof text, 65050);
  EXPECT_STREQ(text, "      1'5\".5");
}

TEST(Hud, TimerBlinksBelowFourSecondsAndShowsOver) {
  char text[16];
  for (int i = 0; i < 30; ++i) ASSERT_STREQ(Timer_Text(text, sizeof text, 10, true), "10");
  timerBlink = 0;
  std::string pattern;
  for (int i = 0; i < 30; ++i) {
    const char* shown = Timer_Text(text, sizeof text, 3, true);
    pattern += shown ? shown : ".";
  }
  EXPECT_EQ(pattern.substr(0, 7), ".......");
  EXPECT_EQ(pattern.substr(7, 15), "03030303030303.");  // 7 shown, then 8 hidden again
  const char* over = nullptr;
  for (int i = 0; i < 15 && !over; ++i) over = Timer_Text(text, sizeof text, 0, true);
  EXPECT_STREQ(over, "OVER!");
  for (int i = 0; i < 20; ++i) ASSERT_STREQ(Timer_Text(text, sizeof text, 0, false), "00");  // fly-in, finish
}

TEST(Hud, NeedleAndProgressMarker) {
  int ex = 0, ey = 0;
  Needle_End(80.0f, &ex, &ey);
  EXPECT_EQ(ex, 316);  // almost straight up
  EXPECT_EQ(ey, 365);
  Needle_End(0.0f, &ex, &ey);
  EXPECT_EQ(ex, 240);  // 15 degrees below the left horizontal
  EXPECT_EQ(ey, 465);
  EXPECT_EQ(Progress_Marker_X(154450, 308900), 585);
  EXPECT_EQ(Progress_Marker_X(1000, 0), 535);         // no track length: no division
  EXPECT_EQ(Progress_Marker_X(900000, 308900), 635);  // beyond the track: stays in the bar
  EXPECT_EQ(Progress_Marker_X(-500, 308900), 535);
}

}  // namespace

// Every text of the race picture at its place, with the longest value it can show, keeps
// its ink inside the 640 x 480 picture. Drawn on a larger canvas, offset by (320, 240), so
// that ink beyond the picture's edges is seen rather than clipped.
TEST(Hud, TextsWithTheirLongestValuesFitThePicture) {
  const std::filesystem::path old_dir = std::filesystem::current_path();
  std::filesystem::current_path(VR_TEST_RUN_DIR);
  BitmapFont small("GFX/VantoRelloFont12.png", 12, 16), big("GFX/VantoRelloFont60.png", 51, 69);
  std::filesystem::current_path(old_dir);
  Fill_Exhibition_Captions();
  char lap[48];
  Format_Lap_Time(lap, sizeof lap, 9 * 60000 + 59990);  // 9'59".99
  struct Text {
    const BitmapFont& font;
    int x, y, h_align;
    const char* text;
  };
  const Text texts[] = {
      {small, 532, 80, -1, "LAP:         "},   {small, 637, 80 + 4 * 14, 1, lap},
      {small, 305, 45, -1, "SCORE"},           {small, 250, 33, -1, "       9999999"},
      {small, 25, 460, -1, "RACE POSITION "},  {small, 30, 85, -1, "SECONDS LEFT"},
      {small, 532, 50, -1, "RACE PROGRESS"},   {small, 290, 465, -1, "FPS: 999"},
      {big, 30, 30, -1, "OVER!"},              {big, 30, 30, -1, "99"},
      {big, 30, 405, -1, "21"},
      {big, 320, 290, 0, exhibitionCaptions[0]}, {big, 320, 290, 0, exhibitionCaptions[1]},
      {big, 320, 290, 0, exhibitionCaptions[2]}, {big, 320, 290, 0, exhibitionCaptions[3]},
  };
  Canvas wide(1280, 960);
  for (const Text& t : texts) {
    std::fill(wide.data(), wide.data() + 1280 * 960, 0u);
    t.font.draw_text(&wide, t.x + 320, t.y + 240, t.h_align, -1, t.text);
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
    for (int y = 0; y < 960; ++y)
      for (int x = 0; x < 1280; ++x)
        if (wide.data()[y * 1280 + x]) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    ASSERT_GE(right, 0) << t.text;  // something was drawn
    EXPECT_GE(left, 320) << t.text;
    EXPECT_LE(right, 959) << t.text;
    EXPECT_GE(top, 240) << t.text;
    EXPECT_LE(bottom, 719) << t.text;
  }
}
