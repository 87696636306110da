// The tournament: its track files, the round order, the round screens and the books of the
// main loop, played through the real main loop with pushed events.
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/frame_hook.h"
#include "core/loop/startup.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/player_name.h"
#include "frontend/menu/main_menu.h"
#include "frontend/screens/settings_screen.h"
#include "library/library_fixture.h"
#include "library/tournament.h"
#include "library/tournament_rounds.h"
#include "online/leaderboard.h"
#include "road/road.h"
#include "seed.h"
#include "support/files.h"

namespace {

namespace fs = std::filesystem;

using TournamentTest = LibraryTest;

SDL_Surface* Copy_Screen() { return SDL_ConvertSurface(screen, screen->format, screen->flags); }

int Pixels_Differing(SDL_Surface* a, SDL_Surface* b) {
  int differing = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) differing += Picture_Pixel(a, x, y) != Picture_Pixel(b, x, y);
  return differing;
}

// The round screen as its layout draws it: pictures, then each text shadowed.
void Draw_Round_Screen_Model(const char* picture_path, const char* const texts[4]) {
  SDL_Surface* background = Load_Sprites("GFX/bg_tournament.bmp", 0);
  SDL_Surface* picture = Load_Sprites(picture_path, 0);
  Draw_Image(0, 0, background);
  Draw_Image(117, 111, picture);
  const int ys[4] = {20, 60, 399, 439};
  for (int i = 0; i < 4 && texts; ++i) {
    Draw_Text(-1, ys[i] + 1, texts[i], 6, 5);
    Draw_Text(-2, ys[i], texts[i], 4, 5);
  }
  Draw_Crt_Filter();
  SDL_FreeSurface(background);
  SDL_FreeSurface(picture);
}

}  // namespace

TEST(TournamentRounds, PlayedInTheOrderOneThreeTwoFourToTwelve) {
  std::vector<int> visited;
  for (int round = 1; round != 0; round = Next_Tournament_Round(round)) visited.push_back(round);
  EXPECT_EQ(visited, (std::vector<int>{1, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Next_Tournament_Round(0), 0);
  EXPECT_EQ(Next_Tournament_Round(13), 13);
  EXPECT_STREQ(Tournament_Round_Of(13).track_file, "GFX/TT_FL.TRK");
  EXPECT_STREQ(Tournament_Round_Of(12).track_file, "GFX/TT_CH.TRK");
}

TEST(TournamentTracks, BuildWritesTwelveRatedRoundsAndTheCloudSamplesByteForByte) {
  ASSERT_EQ(Allocate_Track_Sectors(), 1);
  static TrackSector sectors[kTrackMaxSectors];
  for (int round = 1; round <= kTournamentRounds; ++round) {
    SCOPED_TRACE(round);
    std::string bytes = Read_File(fs::path(VR_TEST_RUN_DIR) / Tournament_Round_Of(round).track_file);
    TrackHeader header;
    int count = 0;
    ASSERT_EQ(Parse_Track_File(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &header, sectors,
                               &count),
              TRACK_OK);
    EXPECT_EQ(header.track_type, round);
    EXPECT_EQ(header.tournament, 1);
    EXPECT_STREQ(header.creator, kTournamentCreator);
    EXPECT_GE(count, 100);
    // Regenerated here, in another process than the build's, it gives the same bytes.
    ASSERT_EQ(Make_Tournament_Track(round), 1);
    std::vector<unsigned char> again = Serialise_Track_File(trackHeader, trackSectors, trackSectorCount);
    EXPECT_TRUE(std::string(again.begin(), again.end()) == bytes);
  }
  EXPECT_EQ(Make_Tournament_Track(13), 0);

  ScopedTempDir dir;
  Service service;
  ASSERT_EQ(service.Open(dir.path() + "/data"), 1);
  ASSERT_EQ(Seed_Service(service, VR_TEST_RUN_DIR), 1);
  std::string list = Build_Cloud_List(service.data_dir);
  for (int i = 0; i < kSampleTracks; ++i) {
    const char* name = nullptr;
    ASSERT_EQ(Make_Sample_Track(i, &name), 1);
    EXPECT_EQ(trackHeader.tournament, 0);
    EXPECT_NE(list.find(std::string(name) + "|"), std::string::npos) << name;
  }
  EXPECT_NE(list.find("TT_FY.TRK|9|"), std::string::npos);
}

// Each round screen against its layout's model: the language, the round, whether its track loaded.
TEST_F(TournamentTest, RoundScreensShowTheirPictureAndTexts) {
  const struct {
    int language, round, track_ready;
    SDLKey key;
    const char* picture;
    const char* texts[4];
  } cases[] = {
      {1, 9, 1, SDLK_SPACE, "GFX/tournament_FY.bmp",
       {"n\xC3\xA4" "chste Strecke", "M\xC3\xA4rchenwald", "Du musst mindestens", "Platz 10 schaffen!"}},
      {0, 1, 1, SDLK_5, "GFX/tournament_FL.bmp",
       {"next course", "Florida, US", "You need to finish with", "place 10 or better!"}},
      {1, 1, 0, SDLK_ESCAPE, "GFX/tournament_FL.bmp",
       {"n\xC3\xA4" "chste Strecke", "Florida, USA", "Die Strecke ist defekt.", "Das Turnier endet hier."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.texts[2]);
    theGame->language = c.language;
    theGame->tournament_round = c.round;
    SDL_Surface* shown = nullptr;
    bool music = false;
    int frames = 0;
    script = [&](int screen_id) {
      ASSERT_EQ(screen_id, SCREEN_TOURNAMENT_INTRO);
      if (++frames == 2) {
        shown = Copy_Screen();
        music = Mix_PlayingMusic();
        Push_Key(c.key);
      }
    };
    Run_Tournament_Intro(c.track_ready);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(music);
    Draw_Round_Screen_Model(c.picture, c.texts);
    EXPECT_EQ(Pixels_Differing(screen, shown), 0);
    Draw_Round_Screen_Model(c.picture, nullptr);
    EXPECT_GT(Pixels_Differing(screen, shown), 2000);  // the texts are there
    SDL_FreeSurface(shown);
  }
}

// Start the tournament from the menu; round 1 ends 10th, round 3 ends 11th. Then a second
// tournament whose first race is lost on the timer in 5th place.
TEST_F(TournamentTest, MainLoopQualifiesAtTenAndDisqualifiesAtElevenOrATimeOut) {
  ASSERT_EQ(Set_Player_Name("Anna Berg"), 1);
  menu_selection = 11;
  game_mode = 1;
  frame_limit = 400;
  std::vector<int> intro_rounds;
  std::vector<int> points_after_round;
  int tournaments_started = 0, disqualified = 0, races = 0;
  bool quit_pushed = false;
  script = [&](int screen_id) {
    Game& game = *theGame;
    switch (screen_id) {
      case SCREEN_MENU:
        if (tournaments_started == disqualified && tournaments_started < 2) {
          ++tournaments_started;
          Push_Key(SDLK_RETURN);
        } else if (tournaments_started == 2 && !quit_pushed) {
          quit_pushed = true;
          Push_Key(SDLK_5);
        }
        break;
      case SCREEN_TOURNAMENT_INTRO:
        intro_rounds.push_back(game.tournament_round);
        Push_Key(SDLK_SPACE);
        break;
      case SCREEN_RACE:
        if (game.intro_running) {
          EXPECT_NE(game.road, nullptr);
          EXPECT_EQ(game.track_type, game.tournament_round);
          Push_Key(SDLK_ESCAPE);  // ends the fly-in only
          break;
        }
        ++races;
        game.lap_times[0] = 60000 + races;
        if (races == 3) {
          game.game_over = 1;
          game.place = 5;
          Push_Button(mapped.joy_select);
        } else {
          game.race_finished = 1;
          game.place = races == 1 ? 10 : 11;
          Push_Key(SDLK_SPACE);
        }
        break;
      case SCREEN_DISQUALIFIED:
        ++disqualified;
        points_after_round.push_back(game.tournament_points);
        Push_Key(SDLK_SPACE);
        break;
      default: ADD_FAILURE() << "screen " << screen_id;
    }
  };
  testing::internal::CaptureStdout();
  Main_Loop();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(quitRequested, 1);
  EXPECT_EQ(intro_rounds, (std::vector<int>{1, 3, 1}));
  EXPECT_EQ(races, 3);
  EXPECT_EQ(disqualified, 2);
  EXPECT_EQ(points_after_round, (std::vector<int>{60001, 0}));
  EXPECT_EQ(service.store.Count("rounds"), 1);
  EXPECT_EQ(service.store.Count("tournaments"), 0);
  EXPECT_EQ(theGame->tournament_active, 0);
  EXPECT_EQ(theGame->tournament_round, 1);
  EXPECT_EQ(theGame->road, nullptr);
}

// Twelve rounds finished in first place: each round is sent, the points add up, and after the
// last the total is sent and the leaderboard shows it before the ending.
TEST_F(TournamentTest, TwelveRoundsSubmitTheTotalAndShowTheLeaderboardThenTheEnding) {
  ASSERT_EQ(Set_Player_Name("Anna Berg"), 1);
  Game& game = *theGame;
  game.tournament_active = 1;
  game.tournament_round = 1;
  game.race_finished = 1;
  game.place = 1;
  std::vector<int> screens;
  script = [&](int screen_id) {
    if (screen_id == SCREEN_LEADERBOARD) {
      EXPECT_STREQ(leaderboard[0].name, "Anna Berg");
      EXPECT_EQ(leaderboard[0].platform, 3);
      EXPECT_EQ(leaderboard[0].score, 12 * 70000 + 78);
    }
    screens.push_back(screen_id);
    Push_Key(SDLK_ESCAPE);
  };
  for (int race = 0; race < 12 && game.tournament_active; ++race) {
    game.lap_times[0] = 70000 + game.tournament_round;
    Finish_Tournament_Round();
  }
  EXPECT_EQ(game.tournament_points, 12 * 70000 + 78);
  EXPECT_EQ(screens, (std::vector<int>{SCREEN_LEADERBOARD, SCREEN_ENDING}));
  EXPECT_EQ(game.tournament_active, 0);
  EXPECT_EQ(game.tournament_round, 1);
  EXPECT_EQ(service.store.Count("rounds"), 12);
  EXPECT_EQ(service.store.Count("tournaments"), 1);
}

TEST_F(TournamentTest, BrokenRoundTrackEndsTheTournamentWithoutARace) {
  // A GFX tree of its own whose first round track is damaged.
  fs::remove("GFX");
  fs::create_directory("GFX");
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(VR_TEST_RUN_DIR) / "GFX"))
    fs::create_symlink(entry.path(), fs::path("GFX") / entry.path().filename());
  fs::remove("GFX/TT_FL.TRK");
  Write_File("GFX/TT_FL.TRK", Read_File(std::string(VR_TEST_RUN_DIR) + "/GFX/TT_FL.TRK").substr(0, 2000));

  menu_selection = 11;
  game_mode = 1;
  int menus = 0, intros = 0, intro_frames = 0;
  SDL_Surface* shown = nullptr;
  script = [&](int screen_id) {
    if (screen_id == SCREEN_MENU && menus++ == 0) Push_Key(SDLK_RETURN);
    else if (screen_id == SCREEN_MENU && intros == 1) Push_Key(SDLK_6);
    else if (screen_id == SCREEN_TOURNAMENT_INTRO && ++intro_frames == 2) {
      ++intros;  // the first frame has been drawn
      shown = Copy_Screen();
      Push_Key(SDLK_SPACE);
    } else if (screen_id != SCREEN_MENU && screen_id != SCREEN_TOURNAMENT_INTRO) ADD_FAILURE() << "screen " << screen_id;
  };
  testing::internal::CaptureStdout();
  Main_Loop();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Error Loading Tournament Track!\n"), std::string::npos);
  EXPECT_EQ(intros, 1);
  EXPECT_EQ(theGame->tournament_active, 0);
  EXPECT_EQ(theGame->tournament_round, 1);
  EXPECT_EQ(theGame->road, nullptr);
  ASSERT_NE(shown, nullptr);
  const char* const failed[4] = {"next course", "Florida, US", "This course cannot be loaded.",
                                 "The tournament ends here."};
  Draw_Round_Screen_Model("GFX/tournament_FL.bmp", failed);
  EXPECT_EQ(Pixels_Differing(screen, shown), 0);
  SDL_FreeSurface(shown);
}
