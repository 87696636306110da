#include <gtest/gtest.h>

#include <string>

#include "core/hud.h"

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
