// The browser screen driven by pushed events: what it draws, its keys, joystick and mouse.
#include <gtest/gtest.h>

#include "common/frame_hook.h"
#include "frontend/menu/main_menu.h"
#include "library/library_fixture.h"
#include "library/track_browser.h"
#include "road/road.h"

namespace {

using TrackBrowserTest = LibraryTest;

void Push_Mouse(int button) {
  SDL_Event event{};
  event.type = event.button.type = SDL_MOUSEBUTTONDOWN;
  event.button.button = static_cast<Uint8>(button);
  SDL_PushEvent(&event);
}

// Pixels off the world map in a rectangle of the screen.
int Off_Map(int x, int y, int w, int h) { return Pixels_Off_Picture("GFX/worldmap.bmp", 0, 0, x, y, w, h); }

}  // namespace

TEST_F(TrackBrowserTest, EmptyTrackDirectoryShowsTheMapAndTheModeOnly) {
  int frames = 0;
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_TRACK_BROWSER);
    ++frames;
    if (frame == 2) {
      EXPECT_GT(Off_Map(5, 5, 40, 16), 20);     // "Mode:"
      EXPECT_GT(Off_Map(50, 5, 180, 16), 50);   // "Local (press 'M' to switch)"
      EXPECT_GT(Off_Map(350, 5, 40, 16), 20);   // the count "0000"
      EXPECT_GT(Off_Map(498, 190, 60, 16), 20);  // map names stand on the map
      EXPECT_EQ(Off_Map(0, 240, 640, 240), 0);  // no track panel
      EXPECT_EQ(Off_Map(480, 0, 160, 24), 0);   // no delete hint
      Push_Key(SDLK_RETURN);                    // nothing to start: the screen stays
    }
    if (frame == 4) Push_Key(SDLK_ESCAPE);
  };
  Run_Track_Browser();
  EXPECT_EQ(frames, 4);
  EXPECT_EQ(trackListCount, 0);
  EXPECT_EQ(customTrack, 0);
  EXPECT_EQ(theGame->road, nullptr);
}

TEST_F(TrackBrowserTest, PanelTrophyDeletionModesJoystickAndMouse) {
  Write_Tournament(3, "TRK/ROUND.TRK");
  int user_type = Write_Sample(1, "TRK/USER.TRK");
  Write_Sample(3, "cloud.TRK");
  ASSERT_EQ(Publish_Track(service.data_dir, "cloud.TRK"), 1);
  const char* user_tile = "GFX/lt_uk.bmp";
  ASSERT_EQ(user_type, 7);
  int step = 0;
  script = [&](int) {
    switch (step++) {
      case 0: Select("ROUND.TRK"); break;
      case 1:
        EXPECT_TRUE(Keyed_Picture_Shown("GFX/icon_pokal.bmp", 13, 313));
        EXPECT_TRUE(Keyed_Picture_Shown("GFX/lt_pin.bmp", 498, 150));  // Hong Kong
        EXPECT_EQ(Off_Map(480, 0, 160, 24), 0);                        // no delete hint
        Push_Key(SDLK_k, KMOD_LSHIFT);
        Push_Key(SDLK_k);
        break;
      case 2:
        EXPECT_EQ(trackListCount, 2);
        Select("USER.TRK");
        break;
      case 3:
        EXPECT_EQ(Pixels_Off_Picture(user_tile, 10, 310, 10, 310, 60, 60), 0);  // tile, no trophy
        EXPECT_TRUE(Keyed_Picture_Shown("GFX/lt_pin.bmp", 262, 75));            // Great Britain
        EXPECT_GT(Off_Map(490, 5, 140, 16), 40);                                 // delete hint
        EXPECT_GT(Off_Map(340, 430, 120, 15), 30);                               // "VRCS-User-Track"
        Push_Key(SDLK_m);
        break;
      case 4:
        EXPECT_EQ(trackListMode, TRACKS_CLOUD);
        EXPECT_EQ(trackListCount, 1);
        EXPECT_EQ(trackListSelection, 1);  // kept within the shorter list
        EXPECT_EQ(Off_Map(480, 0, 160, 24), 0);  // no deletion in the cloud
        Write_Sample(4, "TRK/NEW.TRK");
        Push_Key(SDLK_m);
        break;
      case 5:
        EXPECT_EQ(trackListMode, TRACKS_LOCAL);
        EXPECT_EQ(trackListCount, 3);  // rescanned
        Select("USER.TRK");
        Push_Key(SDLK_k, KMOD_LSHIFT);
        break;
      case 6:
        EXPECT_EQ(trackListCount, 2);
        EXPECT_FALSE(std::filesystem::exists("TRK/USER.TRK"));
        trackListSelection = 1;
        Push_Axis(1, -7999);  // dead zone
        Push_Axis(1, -8000);  // up: next
        Push_Axis(0, 32767);  // right: next, but there is none
        break;
      case 7:
        EXPECT_EQ(trackListSelection, 2);
        Push_Axis(0, -8000);
        break;
      case 8:
        EXPECT_EQ(trackListSelection, 1);
        Push_Mouse(SDL_BUTTON_RIGHT);
        Push_Mouse(SDL_BUTTON_LEFT);
        break;
      default: ADD_FAILURE() << "the left mouse button did not leave";
    }
  };
  Run_Track_Browser();
  EXPECT_EQ(step, 9);
  EXPECT_EQ(customTrack, 0);
}

TEST_F(TrackBrowserTest, MenuEntryOpensTheBrowserAndEnterStartsTheRace) {
  Write_Sample(0, "TRK/USER.TRK");
  Write_File("TRK/BAD.TRK", Read_File("TRK/USER.TRK").substr(0, 427));
  menu_selection = 5;
  int browser_frames = 0;
  script = [&](int screen_id) {
    if (screen_id == SCREEN_MENU && browser_frames == 0) Push_Key(SDLK_RETURN);
    if (screen_id != SCREEN_TRACK_BROWSER) return;
    ++browser_frames;
    if (browser_frames == 1) {
      Select("BAD.TRK");
      Push_Key(SDLK_RETURN);
    } else if (browser_frames == 2) {
      // A file that cannot be raced keeps the browser open with one line about it.
      EXPECT_STREQ(trackListMessage, "VRCS: Track file is cut short!");
      EXPECT_GT(Off_Map(5, 25, 200, 16), 50);
      EXPECT_EQ(theGame->road, nullptr);
      Select("USER.TRK");
      Push_Button(0);
    }
  };
  testing::internal::CaptureStdout();
  Run_Main_Menu();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(browser_frames, 2);
  EXPECT_EQ(customTrack, 1);
  ASSERT_NE(theGame->road, nullptr);
  EXPECT_EQ(theGame->track_type, 3);
}
