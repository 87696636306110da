#include <gtest/gtest.h>

#include <SDL/SDL_mixer.h>

#include <filesystem>

#include "audio/playback/engine_sound.h"
#include "audio/playback/radio.h"
#include "audio/screen/radio_screen.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "support/front_end.h"

namespace {

using RadioTest = FrontEndTest;

TEST_F(RadioTest, ScreenStopsAtTheEndsWhileNextAndPreviousWrap) {
  Init_Radio();
  current_song = 0;
  Handle_Radio_Event(Key_Event(SDLK_LEFT));
  EXPECT_EQ(current_song, 0);
  current_song = 18;
  Handle_Radio_Event(Key_Event(SDLK_RIGHT));
  EXPECT_EQ(current_song, 18);
  Next_Song();
  EXPECT_EQ(current_song, 0);
  Previous_Song();
  EXPECT_EQ(current_song, 18);
  current_song = 1;
  Previous_Song();
  EXPECT_EQ(current_song, 0);
  Handle_Radio_Event(Key_Event(static_cast<SDLKey>(mapped.key_right)));
  EXPECT_EQ(current_song, 1);
}

TEST_F(RadioTest, EngineLevelStaysBetweenLoudAndSilent) {
  engine_level = 5;
  Engine_Louder();
  EXPECT_EQ(engine_level, 0);
  Engine_Louder();
  EXPECT_EQ(engine_level, 0);
  for (int i = 0; i < 6; ++i) Handle_Radio_Event(Key_Event(SDLK_s));
  EXPECT_EQ(engine_level, 20);
  EXPECT_STREQ(Engine_Level_Word(engine_level), "Silent");
  Handle_Radio_Event(Key_Event(SDLK_UP));
  EXPECT_STREQ(Engine_Level_Word(engine_level), "Almost silent");
  engine_level = 5;
}

TEST_F(RadioTest, DefaultSongFollowsTrackTournamentAndCustomTrack) {
  theGame->builtin_track = 2;
  Init_Radio();
  EXPECT_STREQ(songs[current_song].title, "[ 3 ] Winter Breeze in Germany");
  theGame->builtin_track = 1;
  Init_Radio();
  EXPECT_EQ(current_song, 14);
  customTrack = 1;
  theGame->track_type = 4;
  Init_Radio();
  EXPECT_EQ(current_song, 9);
  theGame->track_type = 8;  // no song of its own
  Init_Radio();
  EXPECT_EQ(current_song, 14);
  customTrack = 0;
  theGame->tournament_active = 1;
  theGame->tournament_round = 12;
  Init_Radio();
  EXPECT_EQ(current_song, 18);
  Play_Song(3);
  EXPECT_EQ(current_song, 18);
}

TEST_F(RadioTest, ScreenOpensOnTheTrackSongAndLeavesWithTheChoice) {
  theGame->builtin_track = 2;
  engine_level = 5;
  int seen_at_start = -1;
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_RADIO);
    if (frame == 1) {
      seen_at_start = current_song;
      Push_Key(SDLK_RIGHT);
      Push_Key(static_cast<SDLKey>(mapped.key_accelerate));
    } else if (frame == 2) {
      Push_Axis(0, 7999);  // dead zone
      Push_Axis(1, 8000);
      Push_Axis(1, 8000);
    } else if (frame == 3) {
      Push_Key(SDLK_RETURN);
      Push_Key(SDLK_RIGHT);  // left for the next screen
    }
  };
  Run_Radio_Screen();
  EXPECT_EQ(seen_at_start, 2);
  EXPECT_EQ(current_song, 3);
  EXPECT_EQ(engine_level, 10);
  EXPECT_EQ(frame, 3);
  if (std::filesystem::exists("SFX/song09.ogg")) {
    EXPECT_EQ(Mix_PlayingMusic(), 1);  // plays on into the race
  }
  SDL_Event pending;
  EXPECT_EQ(SDL_PollEvent(&pending), 1);  // the key-up of Return
  engine_level = 5;
}

}  // namespace
