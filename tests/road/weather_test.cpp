#include "road/weather.h"

#include "audio/audio_fixture.h"

namespace {

// A 16-bit display and the mixer.
class Weather : public AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE), nullptr);
  }
};

TEST_F(Weather, PiecesFallWrapAndRestartOnTheTopRowAfterDriftingOff) {
  for (Drop& d : rain) d = {320, 0, 12};
  rain[1] = {100, 470, 4};
  draw_rain();
  EXPECT_EQ(rain[0].y, 48);
  EXPECT_TRUE(rain[0].x == 319 || rain[0].x == 321);
  EXPECT_EQ(rain[1].y, 0);  // 486 is past the bottom
  for (Flake& f : snowflakes) f = {-4, 100};
  draw_snowflakes();
  int restarted = 0;
  for (const Flake& f : snowflakes) {
    bool drifted_off = f.y == 0 && f.x >= 0 && f.x < 640;
    restarted += drifted_off;
    EXPECT_TRUE(drifted_off || (f.x == -3 && f.y == 104));
  }
  EXPECT_GT(restarted, 0);
}

TEST_F(Weather, SeaplaneCrossesIn107FramesWithItsSoundLooping) {
  sample_seaplane = Chunk(silence);
  while (!plane_active) draw_seaplane();  // a 1-in-150 chance per frame
  EXPECT_EQ(plane_x, 640);
  int channel = seaplane_channel, frames = 0;
  ASSERT_TRUE(channel >= 0 && Mix_Playing(channel));
  for (; plane_active; ++frames) draw_seaplane();
  EXPECT_EQ(frames, 107);
  EXPECT_FALSE(Mix_Playing(channel));
}

}  // namespace
