#include <gtest/gtest.h>

#include <string>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/screens/settings_screen.h"
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

}  // namespace
