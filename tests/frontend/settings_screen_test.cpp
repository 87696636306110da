// The settings screen: its words, its rows, and the settings and name files it writes.
#include <gtest/gtest.h>

#include <string>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/player_name.h"
#include "frontend/screens/settings_screen.h"
#include "frontend/screens/text_entry.h"
#include "support/files.h"
#include "support/front_end.h"

namespace {

using SettingsScreenTest = FrontEndTest;

TEST_F(SettingsScreenTest, GermanWordsAndSavedChangesThroughTheScreen) {
  settings.language = 1;
  ASSERT_EQ(Save_Config(), 1);
  Load_Config();
  theGame->language = settings.language;
  std::string seen[4];
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_SETTINGS);
    switch (frame) {
      case 1: Push_Key(SDLK_UP); Push_Key(SDLK_DOWN); break;   // up at row 0 does nothing
      case 2: seen[0] = Settings_Value(settings_row); Push_Key(SDLK_RETURN); break;
      case 3:
        seen[1] = Settings_Value(settings_row);
        EXPECT_EQ(fullscreenFlag, 1);
        EXPECT_NE(screen->flags & SDL_FULLSCREEN, 0u);
        Push_Button(3);  // back to the window
        break;
      case 4: Push_Key(SDLK_SPACE); Push_Key(SDLK_SPACE); break;
      case 5: Push_Key(SDLK_RIGHT); Push_Key(SDLK_RETURN); break;
      case 6: seen[2] = Settings_Value(settings_row); EXPECT_EQ(crtFilterFlag, 1); Push_Axis(1, -8000); break;
      case 7:
        EXPECT_EQ(settings_row, 1);
        Push_Key(SDLK_UP);
        Push_Key(SDLK_RETURN);  // language back to English
        break;
      case 8: seen[3] = Settings_Value(0); Push_Key(SDLK_ESCAPE); break;
    }
  };
  Run_Settings_Screen();
  EXPECT_EQ(seen[0], "im Fenster");
  EXPECT_EQ(seen[1], "Vollbild");
  EXPECT_EQ(seen[2], "CRT Monitor 1084");
  EXPECT_EQ(seen[3], "English");
  EXPECT_EQ(theGame->language, 0);
  EXPECT_EQ(fullscreenFlag, 0);

  Load_Config();  // what Escape saved
  EXPECT_EQ(settings.language, 0);
  EXPECT_EQ(settings.crt_filter, 1);
  EXPECT_EQ(settings.fullscreen, 0);
  EXPECT_EQ(crtFilterFlag, 1);
}

TEST_F(SettingsScreenTest, RowsStopAtTheirEndsAndTheLastRowLeaves) {
  script = [&](int) {
    if (frame == 1) {
      for (int i = 0; i < kSaveRow + 2; ++i) Push_Key(static_cast<SDLKey>(mapped.key_brake));
    } else if (frame == 2) {
      EXPECT_EQ(settings_row, kSaveRow);
      EXPECT_STREQ(Settings_Heading(kSaveRow), "Save Config");
      EXPECT_STREQ(Settings_Value(kSaveRow), "and exit");
      Push_Key(static_cast<SDLKey>(mapped.key_select));
    }
  };
  Run_Settings_Screen();
  EXPECT_EQ(frame, 2);
  Load_Config();
  EXPECT_EQ(settings.version, 4);  // written on leaving
}

// The driver's name typed on its row: allowed characters only, Return keeps a valid name,
// Escape cancels, and the name file follows.
TEST_F(SettingsScreenTest, TheDriverNameTakesAllowedCharactersKeepsAValidNameAndEscapeCancels) {
  Reload_Player_Name();
  ASSERT_EQ(Set_Player_Name("Old Name"), 1);
  int step = 0;
  std::string shown_rows[2];
  script = [&](int screen_id) {
    if (screen_id == SCREEN_SETTINGS) {
      if (step == 0) {
        Push_Key(SDLK_DOWN), Push_Key(SDLK_DOWN), Push_Key(SDLK_DOWN), Push_Key(SDLK_RETURN);
        step = 1;
      } else if (step == 3) {
        shown_rows[0] = Settings_Heading(settings_row);
        shown_rows[1] = Settings_Value(settings_row);
        Push_Key(SDLK_RETURN);
        step = 4;
      } else if (step == 5) {
        Push_Key(SDLK_ESCAPE);
        step = 6;
      }
      return;
    }
    ASSERT_EQ(screen_id, SCREEN_TEXT_ENTRY);
    if (step == 1) {
      for (int i = 0; i < 8; ++i) Push_Key(SDLK_BACKSPACE);
      Push_Key(SDLK_a), Push_Key(SDLK_b), Push_Key(SDLK_RETURN);  // too short: typing goes on
      step = 2;
    } else if (step == 2) {
      Push_Key(SDLK_j, KMOD_LSHIFT), Push_Key(SDLK_SLASH), Push_Key(SDLK_MINUS), Push_Key(SDLK_x);
      for (int i = 0; i < 50; ++i) Push_Key(SDLK_z);  // stops at 40 characters
      Push_Key(SDLK_RETURN);
      step = 3;
    } else if (step == 4) {
      Push_Key(SDLK_q), Push_Key(SDLK_ESCAPE);
      step = 5;
    }
  };
  Run_Settings_Screen();
  EXPECT_EQ(step, 6);
  const std::string expected = "abJ-x" + std::string(35, 'z');
  EXPECT_EQ(shown_rows[0], "Driver Name");
  EXPECT_EQ(shown_rows[1], expected);
  EXPECT_EQ(std::string(Player_Name()), expected);
  EXPECT_EQ(Read_File(kPlayerNameFile), expected + "\n");
  Reload_Player_Name();
}

}  // namespace
