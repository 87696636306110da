#include "core/loop/exhibition.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/frame_hook.h"
#include "core/session/hud.h"
#include "core/state/game.h"
#include "road/canvas.h"
#include "road/road.h"
#include "support/front_end.h"
#include "track/track_files.h"
#include "track/track_sector.h"

namespace {

class ExhibitionTest : public FrontEndTest {
 public:
  void SetUp() override {
    FrontEndTest::SetUp();
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    theGame->Load_Vehicle_Sprites();
    theGame->Load_Car_Models();
  }
  void TearDown() override {
    Free_Track_Sectors();
    FrontEndTest::TearDown();
  }
};

// Screen pixels that differ from the canvas under them, inside a box clear of the gauges.
int Pixels_Over_The_Picture() {
  const Canvas& canvas = *theGame->canvas;
  SDL_LockSurface(screen);
  int over = 0;
  for (int y = 120; y < 280; ++y)
    for (int x = 120; x < 520; ++x) {
      uint32_t c = canvas.data()[y * canvas.width + x];
      Uint32 expected = SDL_MapRGB(screen->format, (c >> 16) & 0xff, (c >> 8) & 0xff, c & 0xff);
      over += Picture_Pixel(screen, x, y) != expected;
    }
  SDL_UnlockSurface(screen);
  return over;
}

TEST_F(ExhibitionTest, VisitsRotateThroughThreeScenariosWithRainOnTheFirst) {
  struct Visit {
    int track_type, weather, rain_pixels;
  };
  std::vector<Visit> visits;
  for (int visit = 0; visit < 4; ++visit) {
    frame = 0;
    int rain = 0;
    script = [&](int screen_id) {
      ASSERT_EQ(screen_id, SCREEN_EXHIBITION);
      EXPECT_EQ(theGame->exhibition_captions, 1);
      if (frame == 3) {
        rain = Pixels_Over_The_Picture();
        Push_Key(visit == 0 ? SDLK_RETURN : visit == 1 ? SDLK_ESCAPE : SDLK_SPACE);
      }
    };
    theGame->Exhibition_Loop();
    EXPECT_EQ(frame, 3);
    EXPECT_EQ(theGame->exhibition_captions, 0);
    EXPECT_EQ(exhibitionSurface, nullptr);
    visits.push_back({trackHeader.track_type, theGame->weather, rain});
    delete theGame->road;
    theGame->road = nullptr;
  }
  const int types[4] = {7, 3, 8, 7};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(visits[i].track_type, types[i]) << "visit " << i;
  EXPECT_EQ(visits[0].weather, 2);
  EXPECT_GT(visits[0].rain_pixels, 100);  // the rain streaks over the picture
  EXPECT_EQ(visits[1].rain_pixels, 0);
  EXPECT_EQ(visits[2].rain_pixels, 0);
}

TEST_F(ExhibitionTest, AutopilotKeepsItsBandAndDodgesMovingCarsJustAhead) {
  Build_Exhibition_Track(3);
  Game& game = *theGame;
  ASSERT_NE(game.road, nullptr);
  ASSERT_GT(game.vehicles.count, 0u);
  for (vehicle* v : game.vehicles) v->speed = 0.0f;  // nothing ahead is moving
  struct Case {
    int lateral, left, right;
  };
  for (Case c : {Case{351, 0, 1}, Case{350, 0, 0}, Case{250, 0, 0}, Case{249, 1, 0}}) {
    game.road->lateral = c.lateral;
    game.input_left = game.input_right = 1;
    game.input_up = 0;
    Exhibition_Autopilot();
    EXPECT_EQ(game.input_left, c.left) << c.lateral;
    EXPECT_EQ(game.input_right, c.right) << c.lateral;
    EXPECT_EQ(game.input_up, 1);
  }
  // One vehicle in the player's lane, ahead by varying distances.
  game.road->lateral = 200;
  game.road->position = 5000;
  vehicle& car = *game.vehicles[game.vehicles.count - 1];
  car.x = -200.0f;  // the player's lane
  ASSERT_TRUE(game.Near_Player_Lane(static_cast<int>(game.vehicles.count - 1)));
  struct Ahead {
    int dz;
    float speed;
    int right;
  };
  for (Ahead a : {Ahead{1, 2.0f, 1}, Ahead{699, 2.0f, 1}, Ahead{700, 2.0f, 0}, Ahead{0, 2.0f, 0},
                  Ahead{300, 1.0f, 0}}) {
    car.z = 5000 + a.dz;
    car.speed = a.speed;
    Exhibition_Autopilot();
    EXPECT_EQ(game.input_right, a.right) << a.dz << " ahead at " << a.speed;
    EXPECT_EQ(game.input_left, 1);  // still left of the band
  }
  delete game.road;
  game.road = nullptr;
}

// The captions stand in the big font at (320, 290) and change with the race timer.
TEST_F(ExhibitionTest, CaptionsAreDrawnIntoThePictureAndFollowTheTimer) {
  Game& game = *theGame;
  Build_Exhibition_Track(8);
  game.Set_View_Size(640, 480);
  game.second_mark = Millis();
  game.Draw_Race_Scene();
  std::vector<uint32_t> plain(game.canvas->data(), game.canvas->data() + 640 * 480);
  game.exhibition_captions = 1;
  captionSeconds = game.seconds_left;
  const int index = captionIndex;
  game.Draw_Race_Scene();
  EXPECT_EQ(captionIndex, index);
  // Below the sky, which drifts from one drawing to the next.
  int caption_rows = 0, elsewhere = 0;
  for (int y = 200; y < 480; ++y) {
    bool differs = false;
    for (int x = 0; x < 640; ++x) differs = differs || game.canvas->data()[y * 640 + x] != plain[y * 640 + x];
    if (y >= 290 && y < 290 + 69) caption_rows += differs;
    else elsewhere += differs;
  }
  EXPECT_GT(caption_rows, 30);
  EXPECT_EQ(elsewhere, 0);
  game.seconds_left -= 1;
  game.Draw_Race_Scene();
  EXPECT_EQ(captionIndex, (index + 1) % 4);
  game.exhibition_captions = 0;
  delete game.road;
  game.road = nullptr;
}

}  // namespace
