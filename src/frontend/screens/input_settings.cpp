#include "frontend/screens/input_settings.h"

#include <SDL/SDL.h>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/display_settings.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"

int input_step = 0;

namespace {

constexpr Uint32 kFrameMs = 50;
constexpr int kAxisBeyond = 8000;
constexpr int kNoInput = -2;

SDL_Surface* background = nullptr;
SDL_Surface* joy_pictures[5] = {};
const char* const kJoyPictureFiles[5] = {"GFX/joyball.bmp", "GFX/JoyBtnRed.bmp", "GFX/JoyBtnBlue.bmp",
                                         "GFX/JoyBtnGreen.bmp", "GFX/JoyBtnYellow.bmp"};

void Wait_Out_Frame(Uint32 frame_start) {
  Uint32 spent = SDL_GetTicks() - frame_start;
  if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
}

void Present() {
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Draw_Input_Menu() {
  Draw_Image(0, 0, background);
  Draw_Text(-1, 80, "=== Press LEFT to map keys ===", 5, 3);
  Draw_Text(-1, 90, "=== Press RIGHT to map joystick ===", 5, 3);
  Draw_Text(-1, 100, "=== Press DOWN to cancel and return ===", 5, 3);
  Present();
}

// The input menu's fixed keys; returns 0 when the menu is to be left.
int Handle_Menu_Key(SDLKey key) {
  switch (key) {
    case SDLK_LEFT:
    case SDLK_a: Map_Keys(); break;
    case SDLK_RIGHT:
    case SDLK_d: Map_Joystick(); break;
    case SDLK_DOWN:
    case SDLK_s:
    case SDLK_ESCAPE: return 0;
    case SDLK_F12: theGame->Take_Screenshot(); break;
    default: break;
  }
  return 1;
}

bool Takes_Axis_For_Key_Step(int step) { return step >= 1 && step <= 4; }
bool Takes_Button_For_Key_Step(int step) { return step >= 5 && step <= 8; }
bool Takes_Button_For_Joystick_Step(int step) { return step == 20 || step == 21 || (step >= 24 && step <= 27); }
bool Takes_Axis_For_Joystick_Step(int step) { return step >= 20 && step <= 23; }

// The input a key prompt takes from one event, or kNoInput.
int Key_Step_Input(int step, const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: return event.key.keysym.sym;
    case SDL_JOYBUTTONDOWN:
      if (Takes_Button_For_Key_Step(step)) return event.jbutton.button;
      break;
    case SDL_JOYAXISMOTION:
      if (Takes_Axis_For_Key_Step(step)) {
        SDL_Delay(150);  // let the stick settle before the next prompt reads it
        return kJoystickAxis;
      }
      break;
  }
  return kNoInput;
}

// The input a joystick prompt takes from one event, or kNoInput.
int Joystick_Step_Input(int step, const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: return kMappingAborted;
    case SDL_JOYBUTTONDOWN:
      if (Takes_Button_For_Joystick_Step(step)) return event.jbutton.button;
      break;
    case SDL_JOYAXISMOTION:
      if (Takes_Axis_For_Joystick_Step(step) && (event.jaxis.value < -kAxisBeyond || event.jaxis.value > kAxisBeyond))
        return kJoystickAxis;
      break;
  }
  return kNoInput;
}

// Prompts until an event gives an input; the last input of a frame counts.
int Run_Prompt(int step, int (*input_of)(int, const SDL_Event&)) {
  input_step = step;
  int result = kNoInput;
  while (result == kNoInput) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_INPUT_SETTINGS);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      int input = input_of(step, event);
      if (input != kNoInput) result = input;
    }
    Draw_Input_Prompt(step);
    Wait_Out_Frame(start);
  }
  input_step = 0;
  return result;
}

void Load_Pictures() {
  background = Load_Sprites("GFX/bg_inputcfg.bmp", 0);
  for (int i = 0; i < 5; ++i) joy_pictures[i] = Load_Sprites(kJoyPictureFiles[i], 1);
}

void Free_Pictures() {
  SDL_FreeSurface(background);
  background = nullptr;
  for (SDL_Surface*& picture : joy_pictures) {
    SDL_FreeSurface(picture);
    picture = nullptr;
  }
}

// The joystick run lights the stick for the axis steps and a button for the button steps.
void Draw_Joystick_Hint(int step) {
  if (step >= 20 && step <= 23) Draw_Image(503, 228, joy_pictures[0]);
  else if (step >= 24 && step <= 27) Draw_Image(498, 343, joy_pictures[step - 23]);
}

}  // namespace

const char* Input_Prompt_Title(int step) {
  if (step >= 1 && step <= 8) return "=== Press key for ===";
  if (step >= 20 && step <= 27) return "=== Press Joystick for ===";
  return "";
}

const char* Input_Prompt_Function(int step) {
  static const char* const keys[8] = {"ACCELERATE", "BREAKING",  "TURN LEFT", "TURN RIGHT",
                                      "SELECT",     "CANCEL",    "VRCS PLUS", "VRCS MINUS"};
  static const char* const joystick[8] = {"ACCELERATE", "BREAKING", "LEFT",      "RIGHT",
                                          "SELECT",     "CANCEL",   "VRCS PLUS", "VRCS MINUS"};
  if (step >= 1 && step <= 8) return keys[step - 1];
  if (step >= 20 && step <= 27) return joystick[step - 20];
  return "";
}

void Draw_Input_Prompt(int step) {
  Draw_Image(0, 0, background);
  Draw_Joystick_Hint(step);
  Draw_Text(-1, 80, Input_Prompt_Title(step), 5, 3);
  Draw_Text(-1, 100, Input_Prompt_Function(step), 5, 3);
  Present();
}

int Wait_For_Key(int step) { return Run_Prompt(step, Key_Step_Input); }

int Wait_For_Joystick(int step) {
  SDL_Event stale;
  while (SDL_PollEvent(&stale)) {
  }
  return Run_Prompt(step, Joystick_Step_Input);
}

void Map_Keys() {
  int keys[8];
  for (int i = 0; i < 8; ++i) keys[i] = Wait_For_Key(kFirstKeyStep + i);
  mapped.key_accelerate = keys[0];
  mapped.key_brake = keys[1];
  mapped.key_left = keys[2];
  mapped.key_right = keys[3];
  mapped.key_select = keys[4];
  mapped.key_cancel = keys[5];
  mapped.key_vrcs_plus = keys[6];
  mapped.key_vrcs_minus = keys[7];
  Save_Config();
}

int Map_Joystick() {
  int controls[8];
  for (int i = 0; i < 8; ++i) {
    controls[i] = Wait_For_Joystick(kFirstJoystickStep + i);
    if (controls[i] == kMappingAborted) return 0;
    if (i < 4) SDL_Delay(500);
  }
  mapped.joy_accelerate = controls[0];
  mapped.joy_brake = controls[1];
  mapped.joy_left = controls[2];
  mapped.joy_right = controls[3];
  mapped.joy_select = controls[4];
  mapped.joy_cancel = controls[5];
  mapped.joy_vrcs_plus = controls[6];
  mapped.joy_vrcs_minus = controls[7];
  Save_Config();
  // A mapping made in the pad layout needs that layout again at the next start.
  display.pad_layout_mapped = padLayout;
  Save_Display_Settings();
  return 1;
}

void Run_Input_Settings() {
  Load_Pictures();
  input_step = 0;
  int active = 1;
  while (active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_INPUT_SETTINGS);
    SDL_Event event;
    while (active && Poll_Event(&event))
      if (event.type == SDL_KEYDOWN) active = Handle_Menu_Key(event.key.keysym.sym);
    if (active) Draw_Input_Menu();
    Wait_Out_Frame(start);
  }
  Free_Pictures();
}
