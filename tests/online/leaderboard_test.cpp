// Scores and the leaderboard screen against the game's web service on 127.0.0.1.
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/player_name.h"
#include "frontend/menu/main_menu.h"
#include "online/leaderboard.h"
#include "online/network.h"
#include "online/scores.h"
#include "support/script_server.h"
#include "support/service_front_end.h"

namespace {

using LeaderboardTest = ServiceFrontEndTest;

// How many pixels of a rectangle differ from the background picture.
int Changed_Pixels(int x0, int y0, int w, int h) { return Pixels_Off_Picture("GFX/HighScore.bmp", 0, 0, x0, y0, w, h); }

}  // namespace

TEST_F(LeaderboardTest, NamesTheQueryRulesRefuseSendNothing) {
  EXPECT_EQ(Send_Round_Result("ab", 1, 1000), 0);
  EXPECT_EQ(Send_Tournament_Result(std::string(41, 'a').c_str(), 1000), 0);
  EXPECT_EQ(Send_Round_Result("a b", 1, 1000), 1);
  EXPECT_EQ(Send_Tournament_Result("Tom & Jerry", 5000), 1);
  EXPECT_EQ(Send_Tournament_Result("J\xC3\xBCrgen #1 100%?", 6000), 1);
  // A line break reaches the service as part of the value, which refuses it.
  EXPECT_EQ(Send_Tournament_Result("Bad\r\nX: 1", 4000), 0);
  EXPECT_EQ(service.store.Count("rounds"), 1);
  EXPECT_EQ(service.store.Count("tournaments"), 2);
  Load_Leaderboard();
  EXPECT_STREQ(leaderboard[0].name, "Tom   Jerry");
  EXPECT_STREQ(leaderboard[1].name, "J\xC3\xBCrgen #1 100%?");
  EXPECT_EQ(leaderboard[1].platform, 3);
}

TEST_F(LeaderboardTest, FallbacksWhenTheFileCannotBeUsed) {
  leaderboard[0].platform = 6;  // platforms keep their values when the defaults stand
  Script_Server wrong([](Script_Server&, int fd, const std::string&) {
    Script_Server::Send_All(fd, Http_Answer(200, "#VantoRello\nonly two lines\n"));
  });
  Point_At(wrong.port());
  testing::internal::CaptureStdout();
  Load_Leaderboard();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Corrupted Online File!\n");
  EXPECT_STREQ(leaderboard[0].name, kDefaultDriverNames[0]);
  EXPECT_EQ(leaderboard[0].platform, 6);
  EXPECT_EQ(leaderboard[14].score, 1000);

  Point_At(Closed_Port());
  Load_Leaderboard();
  for (const Leaderboard_Entry& entry : leaderboard) {
    EXPECT_STREQ(entry.name, "No Internet Connection");
    EXPECT_EQ(entry.score, 100000);
    EXPECT_EQ(entry.platform, 0);
  }
}

TEST_F(LeaderboardTest, ScreenShowsTheTableAndScrollsTheBanner) {
  ASSERT_EQ(Send_Tournament_Result("Anna Berg", 720078), 1);
  int banner_seen = 0;
  bool music_played = false;
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_LEADERBOARD);
    music_played = music_played || Mix_PlayingMusic();
    if (frame == 3) {
      // Two frames drawn: the banner moved twice and the phase flipped back.
      EXPECT_EQ(banner_x, 632);
      EXPECT_EQ(banner_phase, 0);
      EXPECT_TRUE(Keyed_Picture_Shown("GFX/os_win.bmp", 5, 165 - 2));  // entry 1, platform 3
      EXPECT_TRUE(Keyed_Picture_Shown("GFX/os_unk.bmp", 5, 185 - 2));  // a made-up driver
      EXPECT_GT(Changed_Pixels(30, 165, 40, 16), 20);       // "01."
      EXPECT_GT(Changed_Pixels(80, 165, 120, 16), 50);      // the time
      EXPECT_GT(Changed_Pixels(220, 165, 100, 16), 50);     // the name
      EXPECT_GT(Changed_Pixels(200, 15, 240, 30), 100);     // the title
      EXPECT_EQ(Changed_Pixels(400, 420, 200, 40), 0);      // nothing below the last entry's right side
      banner_x = -297;
    }
    if (frame == 4) {
      EXPECT_EQ(banner_x, 640);  // fell below -300 and came back at the right edge
      banner_seen = 1;
      Push_Key(SDLK_5);
    }
  };
  Run_Leaderboard_Screen();
  EXPECT_EQ(banner_seen, 1);
  EXPECT_TRUE(music_played);
  EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(LeaderboardTest, MenuEntryOpensItAndTheMenuMusicComesBack) {
  menu_selection = 3;
  bool opened = false;
  script = [&](int screen_id) {
    if (screen_id == SCREEN_LEADERBOARD) {
      opened = true;
      Push_Key(SDLK_ESCAPE);
    }
  };
  Activate_Menu_Entry();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(Mix_PlayingMusic());
  Mix_HaltMusic();
  menu_selection = 11;
}
