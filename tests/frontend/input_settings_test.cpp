#include "frontend/screens/input_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/menu/main_menu.h"
#include "support/files.h"
#include "support/front_end.h"

namespace {

using InputSettingsTest = FrontEndTest;

std::vector<unsigned char> Config_Bytes() {
  std::string bytes = Read_File(kConfigFileName);
  return {bytes.begin(), bytes.end()};
}

int32_t Slot(const std::vector<unsigned char>& bytes, int offset) {
  return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                              uint32_t(bytes[offset + 3]) << 24);
}

// Frames of each prompt step, counted while the screen runs.
struct StepFrames {
  std::map<int, int> frames;
  int Seen(int step) { return ++frames[step]; }
};

TEST_F(InputSettingsTest, KeyRunStoresTheEightInputsInStepOrderAndSavesAtOnce) {
  StepFrames steps;
  bool saved_before_leaving = false;
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_INPUT_SETTINGS);
    int step = input_step;
    int seen = steps.Seen(step);
    if (step == 0) {
      if (seen == 1) Push_Key(SDLK_LEFT);
      else {
        saved_before_leaving = Config_Bytes().size() == 74;
        Push_Key(SDLK_DOWN);
      }
      return;
    }
    if (seen > 1) return;
    switch (step) {
      case 1: Push_Key(SDLK_i); break;
      case 2: Push_Button(2); Push_Axis(0, 7999); break;  // an axis: the button does not count here
      case 3: Push_Axis(1, -32768); break;
      case 4: Push_Key(SDLK_a); Push_Key(SDLK_l); break;  // the last key of the frame counts
      case 5: Push_Axis(0, 20000); Push_Key(SDLK_ESCAPE); break;  // every key, Escape too
      case 6: Push_Button(7); break;
      case 7: Push_Key(SDLK_KP_PLUS); break;
      case 8: Push_Key(SDLK_F12); break;
    }
  };
  Run_Input_Settings();

  for (int step = 1; step <= 8; ++step) EXPECT_EQ(steps.frames[step], 1) << "step " << step;
  EXPECT_TRUE(saved_before_leaving);
  std::vector<unsigned char> bytes = Config_Bytes();
  ASSERT_EQ(bytes.size(), 74u);
  const int32_t expected[8] = {SDLK_i, kJoystickAxis, kJoystickAxis, SDLK_l, SDLK_ESCAPE, 7, SDLK_KP_PLUS, SDLK_F12};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Slot(bytes, 6 + 4 * i), expected[i]) << "key slot " << i;
  EXPECT_EQ(mapped.key_select, SDLK_ESCAPE);
  EXPECT_EQ(mapped.key_vrcs_minus, SDLK_F12);
  EXPECT_EQ(Slot(bytes, 38), 251);  // the joystick keeps its defaults
  EXPECT_EQ(theGame->screenshot_count, 0);  // F12 was an answer, not a screenshot
}

TEST_F(InputSettingsTest, JoystickRunTakesButtonsAndAxesBeyondTheDeadZone) {
  StepFrames steps;
  script = [&](int) {
    int step = input_step;
    int seen = steps.Seen(step);
    if (step == 0) {
      if (seen == 1) {
        Push_Key(SDLK_d);
        Push_Key(SDLK_x);  // already queued when the run starts: discarded
      } else {
        Push_Key(SDLK_s);
      }
      return;
    }
    if (seen == 1) {
      switch (step) {
        case 20: Push_Button(4); break;
        case 21: Push_Axis(1, 8000); break;  // not beyond 8000
        case 22: Push_Button(1); Push_Axis(0, -8001); break;
        case 23: Push_Axis(0, 8001); break;
        case 24: Push_Axis(0, 30000); Push_Button(0); break;
        default: Push_Button(step - 15); break;  // 25..27: buttons 10..12
      }
    } else if (seen == 2 && step == 21) {
      Push_Button(9);
    }
  };
  Run_Input_Settings();

  EXPECT_EQ(steps.frames[21], 2);
  std::vector<unsigned char> bytes = Config_Bytes();
  ASSERT_EQ(bytes.size(), 74u);
  const int32_t expected[8] = {4, 9, kJoystickAxis, kJoystickAxis, 0, 10, 11, 12};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Slot(bytes, 38 + 4 * i), expected[i]) << "joystick slot " << i;
  EXPECT_EQ(Slot(bytes, 6), 119);  // the keys keep theirs
}

TEST_F(InputSettingsTest, AKeyAbortsTheJoystickRunAndNothingIsStoredOrSaved) {
  ASSERT_EQ(Save_Config(), 1);
  const std::vector<unsigned char> file_before = Config_Bytes();
  mapped.key_select = SDLK_q;  // changed since the save: stays unsaved
  const MappedInputs before = mapped;
  for (int abort_step : {22, 27}) {
    script = [&](int) {
      if (input_step == abort_step) Push_Key(SDLK_q);
      else if (input_step <= 23) Push_Axis(0, -9000);
      else Push_Button(5);
    };
    EXPECT_EQ(Map_Joystick(), 0) << abort_step;
    EXPECT_EQ(std::memcmp(&mapped, &before, sizeof before), 0) << abort_step;
    EXPECT_EQ(Config_Bytes(), file_before) << abort_step;
  }
}

// Whether each row differs between two pictures.
std::vector<bool> Differing_Rows(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  std::vector<bool> rows(480, false);
  for (int i = 0; i < 640 * 480; ++i)
    if (a[i] != b[i]) rows[i / 640] = true;
  return rows;
}

// 1 when some row in [from, to) differs and none outside the given bands does.
bool Differs_Only_In(const std::vector<bool>& rows, std::vector<std::pair<int, int>> bands) {
  bool any = false;
  for (int y = 0; y < 480; ++y) {
    bool inside = false;
    for (auto [from, to] : bands) inside = inside || (y >= from && y < to);
    if (rows[y] && !inside) return false;
    any = any || rows[y];
  }
  return any;
}

TEST_F(InputSettingsTest, PromptsDrawTheirTwoLinesAndTheJoystickHint) {
  std::map<int, std::vector<uint32_t>> shown;
  script = [&](int) {
    if (input_step != 0 || frame != 1) return;
    for (int step : {1, 2, 20, 21, 24, 25, 99}) {
      Draw_Input_Prompt(step);
      shown[step] = Pixels_Of(screen);
    }
    Push_Key(SDLK_ESCAPE);
  };
  menu_selection = 6;  // the main menu's entry opens the screen
  Activate_Menu_Entry();
  menu_selection = 11;
  ASSERT_EQ(shown.size(), 7u);
  EXPECT_FALSE(std::filesystem::exists(kConfigFileName));  // leaving alone saves nothing
  const std::pair<int, int> title{80, 100}, function{100, 140}, stick{228, 260}, button{343, 367};
  EXPECT_TRUE(Differs_Only_In(Differing_Rows(shown[1], shown[2]), {function}));
  EXPECT_TRUE(Differs_Only_In(Differing_Rows(shown[20], shown[21]), {function}));
  EXPECT_TRUE(Differs_Only_In(Differing_Rows(shown[2], shown[21]), {title, stick}));
  EXPECT_TRUE(Differs_Only_In(Differing_Rows(shown[24], shown[25]), {function, button}));
  EXPECT_TRUE(Differs_Only_In(Differing_Rows(shown[99], shown[1]), {title, function}));
  EXPECT_NE(shown[99][0], 0);  // the background picture, not a black screen
  EXPECT_STREQ(Input_Prompt_Function(22), "LEFT");
  EXPECT_STREQ(Input_Prompt_Function(3), "TURN LEFT");
}

}  // namespace
