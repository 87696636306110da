// The player's name typed on the settings screen: allowed characters only, Return keeps a
// valid name, Escape cancels, and the name file follows.
#include <gtest/gtest.h>

#include <string>

#include "common/frame_hook.h"
#include "frontend/graphics/player_name.h"
#include "frontend/screens/settings_screen.h"
#include "frontend/screens/text_entry.h"
#include "support/files.h"
#include "support/front_end.h"

namespace {

using NameEntryTest = FrontEndTest;

TEST_F(NameEntryTest, ReturnKeepsAValidNameAndEscapeCancels) {
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
