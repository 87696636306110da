#include <gtest/gtest.h>

#include "audio/playback/engine_sound.h"
#include "audio/playback/radio.h"
#include "common/frame_hook.h"
#include "core/loop/startup.h"
#include "core/state/game.h"
#include "frontend/menu/main_menu.h"
#include "road/road.h"
#include "support/front_end.h"
#include "track/track_sector.h"

namespace {

// Plays the game through the real main loop: menu, the exhibition (K), menu, radio, race, radio
// from the race, menu, quit.
class MainLoopTest : public FrontEndTest {
 public:
  void SetUp() override {
    FrontEndTest::SetUp();
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    theGame->Load_Vehicle_Sprites();
    theGame->Load_Car_Models();
    menu_selection = 11;
    game_mode = 0;
  }
  void TearDown() override {
    Free_Track_Sectors();
    FrontEndTest::TearDown();
  }
};

struct Walk {
  int step = 0;
  int exhibition_frames = 0;
  bool exhibition_flag_seen = false, exhibition_flag_cleared = false;
  int intro_frames = 0;
  int radio_visits = 0;
  int song_before_race = -1;
  bool raced_with_road = false;
  bool radio_from_race = false;
};

TEST_F(MainLoopTest, MenuExhibitionRadioRaceAndQuit) {
  Walk walk;
  frame_limit = 900;
  script = [&](int screen_id) {
    Game& game = *theGame;
    if (screen_id == SCREEN_MENU) {
      switch (walk.step) {
        case 0: Push_Key(SDLK_k); walk.step = 1; break;
        case 1:
          walk.exhibition_flag_cleared = exhibitionMode == 0;
          Push_Key(SDLK_LEFT);
          Push_Key(SDLK_RETURN);  // Bavaria
          Push_Key(SDLK_RIGHT);
          Push_Key(SDLK_RETURN);  // start
          walk.step = 4;
          break;
        case 7: Push_Key(SDLK_5); walk.step = 8; break;
      }
    } else if (screen_id == SCREEN_EXHIBITION) {
      // The autopilot takes the wheel back every frame; Up and Down are taken over as long as
      // they are held; Enter ends it.
      walk.exhibition_flag_seen = exhibitionMode == 1;
      switch (++walk.exhibition_frames) {
        case 1: game.road->lateral = 300; Push_Key(SDLK_LEFT); Push_Key(SDLK_DOWN); break;
        case 2: {
          EXPECT_EQ(game.input_left, 0);
          EXPECT_EQ(game.input_up, 1);
          EXPECT_EQ(game.input_down, 0);  // pressed and released
          SDL_Event down = Key_Event(SDLK_DOWN);
          SDL_PushEvent(&down);
          break;
        }
        case 3: EXPECT_EQ(game.input_down, 1); Push_Key(SDLK_RETURN); break;
      }
    } else if (screen_id == SCREEN_RADIO) {
      ++walk.radio_visits;
      if (walk.step == 4) {
        walk.song_before_race = current_song;
        Push_Key(SDLK_ESCAPE);
        walk.step = 5;
      } else if (walk.step == 6) {
        walk.radio_from_race = game.road != nullptr;
        Push_Key(SDLK_ESCAPE);
      }
    } else if (screen_id == SCREEN_RACE) {
      if (game.intro_running) ++walk.intro_frames;
      if (game.road) walk.raced_with_road = true;
      if (walk.step == 5 && !game.intro_running) {  // the fly-in has ended by itself
        Push_Key(SDLK_END);
        walk.step = 6;
      } else if (walk.step == 6 && walk.radio_from_race) {
        Push_Key(SDLK_ESCAPE);
        walk.step = 7;
      }
    }
  };
  Main_Loop();

  EXPECT_EQ(walk.step, 8);
  EXPECT_EQ(walk.exhibition_frames, 3);
  EXPECT_TRUE(walk.exhibition_flag_seen);
  EXPECT_TRUE(walk.exhibition_flag_cleared);
  EXPECT_EQ(quitRequested, 1);
  EXPECT_EQ(walk.song_before_race, 2);  // Bavaria's song
  EXPECT_TRUE(walk.radio_from_race);
  EXPECT_EQ(walk.radio_visits, 2);  // not for the exhibition
  EXPECT_TRUE(walk.raced_with_road);
  EXPECT_GT(walk.intro_frames, 1);  // the fly-in ran out by itself

  EXPECT_EQ(theGame->builtin_track, 2);
  EXPECT_EQ(theGame->road, nullptr);  // the race cleared
}

}  // namespace
