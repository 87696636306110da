#include "frontend/screens/intro.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "support/front_end.h"

namespace {

using IntroTest = FrontEndTest;

// The first and last row in which two pictures differ; (-1, -1) when none does.
std::pair<int, int> Differing_Rows(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  int first = -1, last = -1;
  for (int i = 0; i < 640 * 480; ++i)
    if (a[i] != b[i]) {
      if (first < 0) first = i / 640;
      last = i / 640;
    }
  return {first, last};
}

// Draws the intro as it stands `elapsed` milliseconds after its start.
std::vector<uint32_t> Intro_At(int elapsed) {
  intro_start = static_cast<int>(static_cast<uint32_t>(Intro_Clock()) - static_cast<uint32_t>(elapsed));
  Draw_Intro_Frame();
  return Pixels_Of(screen);
}

TEST_F(IntroTest, PhasesAndFlashesFollowTheElapsedTime) {
  ASSERT_EQ(screen->format->BitsPerPixel, 32);
  const std::vector<uint32_t> logo1 = Pixels_Of(gfx_intro_logo1);
  const std::vector<uint32_t> logo2 = Pixels_Of(gfx_intro_logo2);
  const std::vector<uint32_t> credits = Pixels_Of(gfx_vantorello256);
  ASSERT_NE(Differing_Rows(logo1, logo2).first, -1);
  // Every edge of the six flash windows, and the gaps between them.
  for (int t : {0, 500, 800, 1500, 1800, 2600, 3500, 3800, 4500, 4800, 5600, 6500, 6800, 7500, 7800, 8000})
    EXPECT_EQ(Intro_At(t), logo1) << t << " ms";
  for (int t : {501, 799, 1501, 1799, 3501, 3799, 4501, 4799, 6501, 6799, 7501, 7799})
    EXPECT_EQ(Intro_At(t), logo2) << t << " ms";
  EXPECT_EQ(Intro_At(8001), credits);
  EXPECT_EQ(Intro_At(8500), credits);
  // The first label appears at 8501 on row 150; the second beta tester's name comes last at row 410.
  auto [label_from, label_to] = Differing_Rows(Intro_At(8501), credits);
  EXPECT_GE(label_from, 150);
  EXPECT_LT(label_to, 150 + 40);
  auto [last_from, last_to] = Differing_Rows(Intro_At(12501), Intro_At(12500));
  EXPECT_GE(last_from, 410);
  EXPECT_LT(last_to, 410 + 40);
  EXPECT_EQ(Intro_At(14000), Intro_At(13000));
  // The title: the picture with the version and the player's name along its bottom edge.
  const std::vector<uint32_t> title = Intro_At(14001);
  auto [text_from, text_to] = Differing_Rows(title, Pixels_Of(gfx_gametitle));
  EXPECT_GE(text_from, 448);
  EXPECT_LT(text_to, 480);
  EXPECT_NE(title[100 * 640 + 320], 0);  // not a black screen
  EXPECT_EQ(Intro_At(60000), title);
}

TEST_F(IntroTest, AKeyInTheFirstSecondEndsItAndFreesItsPictures) {
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_INTRO);
    if (frame == 1) {
      Push_Key(SDLK_x);  // not an ending key
      Push_Key(SDLK_F12);
    } else if (frame == 3) {
      Push_Key(SDLK_ESCAPE);
    }
  };
  Run_Intro();
  EXPECT_EQ(frame, 3);
  EXPECT_LT(intro_elapsed, 1000);
  EXPECT_EQ(theGame->screenshot_count, 1);
  EXPECT_EQ(gfx_intro_logo1, nullptr);
  EXPECT_EQ(gfx_intro_logo2, nullptr);
  EXPECT_EQ(gfx_gametitle, nullptr);
  EXPECT_NE(gfx_vantorello256, nullptr);  // the menus still use it
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(IntroTest, EndingInputsIncludeTheMappedKeysAndTheLeftButtonOnly) {
  mapped.key_select = SDLK_q;
  mapped.key_cancel = SDLK_TAB;
  for (SDLKey key : {SDLK_q, SDLK_TAB, SDLK_ESCAPE, SDLK_5, SDLK_SPACE}) EXPECT_EQ(Ends_Title_Screen(Key_Event(key)), 1);
  for (SDLKey key : {SDLK_RETURN, SDLK_F12, SDLK_BACKSPACE}) EXPECT_EQ(Ends_Title_Screen(Key_Event(key)), 0);
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_RIGHT;
  EXPECT_EQ(Ends_Title_Screen(click), 0);
  click.button.button = SDL_BUTTON_LEFT;
  EXPECT_EQ(Ends_Title_Screen(click), 1);
}

}  // namespace
