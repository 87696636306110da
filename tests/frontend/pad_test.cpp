// Game pads: the D-pad and Back as keys, the layout's buttons reaching the driving inputs
// with and without a saved mapping, and every screen left with pad events only.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "audio/screen/radio_screen.h"
#include "common/frame_hook.h"
#include "core/loop/race_loop.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/pad.h"
#include "frontend/menu/main_menu.h"
#include "frontend/screens/ending.h"
#include "frontend/screens/input_settings.h"
#include "frontend/screens/intro.h"
#include "frontend/screens/settings_screen.h"
#include "frontend/screens/text_entry.h"
#include "library/tournament.h"
#include "library/track_browser.h"
#include "online/update_screen.h"
#include "support/front_end.h"

namespace {

SDL_Event Hat(Uint8 value) {
  SDL_Event e{};
  e.type = e.jhat.type = SDL_JOYHATMOTION;
  e.jhat.value = value;
  return e;
}

void Push(SDL_Event e) { SDL_PushEvent(&e); }
void Press(int button) { Push(Button_Event(button, true)), Push(Button_Event(button, false)); }

// What a screen sees, one word an event: "+UP" a pad key down, "-UP" up, "b3" a button.
std::string Seen() {
  std::string seen;
  SDL_Event e;
  while (Poll_Event(&e)) {
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
      EXPECT_EQ(e.key.which, kPadKeyboard);
      seen += (e.type == SDL_KEYDOWN ? "+" : "-") + std::string(SDL_GetKeyName(e.key.keysym.sym)) + " ";
    } else if (e.type == SDL_JOYBUTTONDOWN) {
      seen += "b" + std::to_string(e.jbutton.button) + " ";
    } else if (e.type == SDL_JOYBUTTONUP) {
      seen += "/b" + std::to_string(e.jbutton.button) + " ";
    }
  }
  return seen;
}

class PadTest : public FrontEndTest {
 public:
  void SetUp() override {
    FrontEndTest::SetUp();
    Reset_Pad_State();
  }
  void TearDown() override {
    padLayout = 0;
    Reset_Pad_State();
    FrontEndTest::TearDown();
  }
  void Use_Layout() {
    padLayout = 1;
    Use_Pad_Layout_Inputs(mapped);
  }
};

TEST_F(PadTest, DpadAndBackBecomeKeysOnlyWhereTheyAreKnown) {
  struct Case {
    int layout;
    std::vector<SDL_Event> events;
    const char* seen;
  } cases[] = {
      {1, {Button_Event(kPadDown, true), Button_Event(kPadDown, false)}, "+down -down "},
      {1, {Button_Event(kPadLeft, true), Button_Event(kPadRight, true)}, "+left +right "},
      {1, {Button_Event(kPadBack, true), Button_Event(kPadBack, false)}, "+escape -escape "},
      {1, {Button_Event(kPadSouth, true), Button_Event(kPadStart, true), Button_Event(kPadStart, false)}, "b0 b6 /b6 "},
      {0, {Button_Event(kPadDown, true), Button_Event(kPadBack, true)}, "b12 b4 "},  // a device's own numbers
      {0, {Hat(SDL_HAT_UP), Hat(SDL_HAT_RIGHTUP), Hat(SDL_HAT_LEFTDOWN), Hat(SDL_HAT_CENTERED)},
       "+up +right -up -right +down +left -down -left "},
      {1, {Hat(SDL_HAT_RIGHT), Hat(SDL_HAT_RIGHT), Hat(SDL_HAT_CENTERED)}, "+right -right "},
  };
  for (const Case& c : cases) {
    padLayout = static_cast<uint8_t>(c.layout);
    Reset_Pad_State();
    for (const SDL_Event& e : c.events) Push(e);
    EXPECT_EQ(Seen(), c.seen) << "layout " << c.layout;
  }
}

// The unmapped layout is written as "no mapping"; a saved mapping stays itself.
TEST_F(PadTest, LayoutAssignmentsAreNotSavedAsAMapping) {
  Use_Layout();
  EXPECT_FALSE(Joystick_Mapping_Saved(Default_Inputs()));
  ASSERT_EQ(Save_Config(), 1);
  Load_Config();
  EXPECT_FALSE(Joystick_Mapping_Saved(mapped));
  Use_Pad_Layout_Inputs(mapped);  // as the start-up does
  mapped.joy_select = 2;
  ASSERT_EQ(Save_Config(), 1);
  Load_Config();
  EXPECT_TRUE(Joystick_Mapping_Saved(mapped));
  EXPECT_EQ(mapped.joy_select, 2);
  EXPECT_EQ(mapped.joy_accelerate, kPadSouth);
}

TEST_F(PadTest, ButtonsHatAndStickReachTheDrivingInputsWithAndWithoutAMapping) {
  Game& game = *theGame;
  auto drive = [&](std::vector<SDL_Event> events) {
    for (const SDL_Event& e : events) Push(e);
    SDL_Event e;
    int keep = 1;
    while (Poll_Event(&e)) keep &= Handle_Race_Event(e);
    return std::to_string(game.input_up) + std::to_string(game.input_down) + std::to_string(game.input_left) +
           std::to_string(game.input_right) + (keep ? "" : " leaves");
  };
  Use_Layout();  // no mapping saved: South accelerates, East brakes
  EXPECT_EQ(drive({Button_Event(kPadSouth, true)}), "1000");
  EXPECT_EQ(drive({Button_Event(kPadEast, true)}), "0100");
  EXPECT_EQ(drive({Button_Event(kPadEast, false), Button_Event(kPadLeft, true)}), "0010");
  EXPECT_EQ(drive({Button_Event(kPadLeft, false), Hat(SDL_HAT_RIGHT)}), "0001");
  EXPECT_EQ(drive({Hat(SDL_HAT_CENTERED), Axis_Event(0, -20000)}), "0010");
  EXPECT_EQ(drive({Axis_Event(1, -8000)}), "1010");
  EXPECT_EQ(drive({Axis_Event(1, 7999)}), "0010");  // the dead zone: both off
  EXPECT_EQ(drive({Button_Event(kPadStart, true)}), "0010");  // racing: Start does nothing
  game.race_finished = 1;
  EXPECT_EQ(drive({Button_Event(kPadSouth, true)}), "1010");
  EXPECT_EQ(drive({Button_Event(kPadStart, true)}), "1010 leaves");
  game.race_finished = 0;

  // A saved mapping of a device without the layout: its own numbers, the hat still steers.
  padLayout = 0;
  mapped = Default_Inputs();
  mapped.joy_accelerate = 7;
  mapped.joy_brake = 2;
  game.input_up = game.input_down = game.input_left = game.input_right = 0;
  EXPECT_EQ(drive({Button_Event(kPadSouth, true)}), "0000");
  EXPECT_EQ(drive({Button_Event(7, true)}), "1000");
  EXPECT_EQ(drive({Button_Event(2, true), Hat(SDL_HAT_LEFT)}), "0110");
  game.game_over = 1;
  EXPECT_EQ(drive({Button_Event(9, true)}), "0110 leaves");  // any other button leaves a lost race
  game.game_over = 0;
}

// Each screen is opened and must end by pad events alone (the fixture would press the
// keyboard's Escape after the frame limit and fail the test).
TEST_F(PadTest, EveryScreenIsLeftWithPadEventsOnly) {
  Use_Layout();
  char name[41] = "Pad Player";
  Text_Entry entry = {name, sizeof name, [](int) { return 1; }, [](const char*) { return 1; },
                      [](const char*) { SDL_Flip(screen); }};
  struct Case {
    const char* name;
    std::function<void()> run;
    std::vector<int> buttons;  // pressed in the screen's first frame
  } cases[] = {
      {"main menu", [] { menu_selection = 11; game_mode = 0; Run_Main_Menu(); }, {kPadBack, kPadStart}},
      {"settings", Run_Settings_Screen, {kPadDown, kPadDown, kPadDown, kPadDown, kPadDown, kPadDown, kPadStart}},
      {"input settings", Run_Input_Settings, {kPadBack}},
      {"name entry, Back", [&] { Run_Text_Entry(entry); }, {kPadBack}},
      {"name entry, Start", [&] { EXPECT_EQ(Run_Text_Entry(entry), 1); }, {kPadStart}},
      {"radio", Run_Radio_Screen, {kPadSouth}},
      {"track browser", Run_Track_Browser, {kPadBack}},
      {"intro", Run_Intro, {kPadStart}},
      {"tournament round", [] { Run_Tournament_Intro(); }, {kPadStart}},
      {"disqualified", Run_Disqualified_Screen, {kPadStart}},
      {"update notice", Run_Update_Notice, {kPadBack}},
  };
  for (const Case& c : cases) {
    frame = 0;
    frame_limit = 200;
    int first_screen = 0;
    script = [&](int screen_id) {
      if (first_screen == 0) first_screen = screen_id;
      if (screen_id == first_screen && frame == 2)
        for (int b : c.buttons) Press(b);
    };
    quitRequested = 0;
    c.run();
    EXPECT_LT(frame, frame_limit) << c.name;
    EXPECT_EQ(quitRequested, 0) << c.name;
  }
}

}  // namespace
