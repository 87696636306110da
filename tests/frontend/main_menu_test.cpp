// The main menu: the cursor on its grid, the entries that act in place, its keys, and frames drawn only on change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/menu/main_menu.h"
#include "frontend/screens/settings_screen.h"
#include "support/files.h"
#include "support/front_end.h"

namespace {

class MainMenuTest : public FrontEndTest {
 public:
  void SetUp() override {
    FrontEndTest::SetUp();
    menu_selection = 11;
    game_mode = 0;
    menu_active = true;
  }
  void TearDown() override {
    menu_selection = 11;
    game_mode = 0;
    FrontEndTest::TearDown();
  }
  void Press(SDLKey key) { Handle_Menu_Event(Key_Event(key)); }
  void Axis(int axis, int value) { Handle_Menu_Event(Axis_Event(axis, value)); }
};

TEST_F(MainMenuTest, CursorStaysInsideTheGrid) {
  Press(SDLK_UP);
  EXPECT_EQ(menu_selection, 8);
  Press(SDLK_DOWN);
  Press(SDLK_DOWN);
  EXPECT_EQ(menu_selection, 11);  // 11 is not less than 10
  Press(SDLK_RIGHT);
  Press(SDLK_RIGHT);
  EXPECT_EQ(menu_selection, 12);
  menu_selection = 1;
  Press(SDLK_LEFT);
  Press(SDLK_UP);
  EXPECT_EQ(menu_selection, 1);
  Axis(0, 7999);
  Axis(1, -8000);
  EXPECT_EQ(menu_selection, 1);
  Axis(0, 8000);
  EXPECT_EQ(menu_selection, 2);
  Axis(1, 8000);
  EXPECT_EQ(menu_selection, 5);
  Axis(2, 30000);
  Press(static_cast<SDLKey>(mapped.key_brake));
  EXPECT_EQ(menu_selection, 8);
}

TEST_F(MainMenuTest, EntriesThatActInPlaceCycleTheirValues) {
  Game& game = *theGame;
  menu_selection = 12;
  int car = game.selected_car;
  for (int i = 0; i < 19; ++i) Activate_Menu_Entry();
  EXPECT_EQ(game.selected_car, car);
  menu_selection = 4;
  for (int expected : {1, 2, 3, 0}) {
    Activate_Menu_Entry();
    EXPECT_EQ(game.difficulty, expected);
  }
  menu_selection = 8;
  for (int expected : {1, 2, 0}) {
    Activate_Menu_Entry();
    EXPECT_EQ(game_mode, expected);
  }
  menu_selection = 10;
  game.builtin_track = 0;
  Activate_Menu_Entry();
  EXPECT_EQ(game.builtin_track, 2);
  Activate_Menu_Entry();
  EXPECT_EQ(game.builtin_track, 1);
  for (int entry : {0, 9, 13}) {  // only a sound, or nothing at all
    menu_selection = entry;
    Activate_Menu_Entry();
  }
  EXPECT_EQ(game.builtin_track, 1);
  EXPECT_EQ(game.difficulty, 0);
  EXPECT_TRUE(menu_active);
}

TEST_F(MainMenuTest, StartGameInMultiplayerModeStartsASingleRace) {
  customTrack = 1;
  theGame->tournament_active = 1;
  game_mode = 2;
  Start_Game();
  EXPECT_FALSE(menu_active);
  EXPECT_EQ(customTrack, 0);
  EXPECT_EQ(theGame->tournament_active, 0);
  EXPECT_EQ(theGame->tournament_round, 1);
}

TEST_F(MainMenuTest, MappedKeysComeBeforeTheFixedQuitAndExhibitionKeys) {
  Press(SDLK_k);
  EXPECT_EQ(exhibitionMode, 1);
  EXPECT_FALSE(menu_active);
  exhibitionMode = 0;
  mapped.key_accelerate = SDLK_k;
  mapped.key_select = SDLK_5;
  Press(SDLK_k);
  EXPECT_EQ(menu_selection, 8);
  Press(SDLK_5);  // activates the game mode instead of quitting
  EXPECT_EQ(game_mode, 1);
  EXPECT_EQ(exhibitionMode, 0);
  EXPECT_EQ(quitRequested, 0);
  Press(SDLK_6);
  EXPECT_EQ(quitRequested, 1);
}

// A frame that would look like the last one is not drawn again; a blink of the cursor, an
// event or a changed setting draws the menu anew.
TEST_F(MainMenuTest, UnchangedFramesAreNotDrawnAgain) {
  Uint16 marked = 0;
  auto mark = [&] {
    Uint16* corner = static_cast<Uint16*>(screen->pixels);
    corner[0] ^= 0xFFFF;
    marked = corner[0];
  };
  auto still_marked = [&] { return static_cast<Uint16*>(screen->pixels)[0] == marked; };
  cursor_frame_count = 0;
  script = [&](int screen_id) {
    if (screen_id != SCREEN_MENU) return;
    switch (frame) {
      case 4: mark(); break;
      case 6:  // frames 4 and 5 changed nothing; the cursor blinks on frame 6
        EXPECT_TRUE(still_marked());
        break;
      case 7:
        EXPECT_FALSE(still_marked());
        mark();
        Push_Key(SDLK_RIGHT);
        break;
      case 8:
        EXPECT_FALSE(still_marked());
        mark();
        theGame->selected_car = theGame->selected_car % 19 + 1;
        break;
      case 9:
        EXPECT_FALSE(still_marked());
        Push_Key(SDLK_ESCAPE);
        break;
    }
  };
  Run_Main_Menu();
  EXPECT_GE(frame, 9);
}

TEST_F(MainMenuTest, CursorFrameAlternatesEveryThirdFrame) {
  cursor_frame_count = 0;
  cursor_phase = 0;
  std::vector<int> phases;
  for (int i = 0; i < 6; ++i) {
    Draw_Main_Menu();
    phases.push_back(cursor_phase);
  }
  EXPECT_EQ(phases, (std::vector<int>{0, 0, 1, 1, 1, 0}));
}

TEST_F(MainMenuTest, MenuRunsOnPushedEventsAndTheFKeyIsNotSaved) {
  script = [&](int screen_id) {
    if (screen_id == SCREEN_MENU && frame == 1) {
      Push_Key(SDLK_f);
      Push_Key(SDLK_UP);
    } else if (screen_id == SCREEN_MENU && frame == 2) {
      EXPECT_EQ(fullscreenFlag, 1);
      menu_selection = 1;
      Push_Key(SDLK_RETURN);
    } else if (screen_id == SCREEN_SETTINGS) {
      Push_Key(SDLK_ESCAPE);
    } else if (screen_id == SCREEN_MENU) {
      Push_Quit();  // the window closes
    }
  };
  Run_Main_Menu();
  EXPECT_EQ(quitRequested, 1);
  std::string bytes = Read_File(kConfigFileName);
  ASSERT_EQ(bytes.size(), 74u);
  EXPECT_EQ(bytes[4], 0);  // the record still says window
  EXPECT_EQ(settings.fullscreen, 0);
  EXPECT_EQ(fullscreenFlag, 1);
  EXPECT_NE(screen->flags & SDL_FULLSCREEN, 0u);
}

}  // namespace
