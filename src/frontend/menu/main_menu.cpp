#include "frontend/menu/main_menu.h"

#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/input_settings.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"
#include "frontend/screens/video_mode.h"
#include "library/track_browser.h"
#include "online/leaderboard.h"
#include "online/update_screen.h"
#include "track/constructor_screen.h"

bool menu_active = true;
int menu_selection = 11;
int cursor_frame_count = 0;
int cursor_phase = 0;
int game_mode = 0;
int gearbox = 0;

namespace {

struct Label {
  int x, y;
  const char* text;
};

// Labels of entries 1..7, 11 and 4 by language; the others depend on a setting.
struct Entry_Label {
  int entry;
  Label english, german;
};
const Entry_Label kLabels[] = {
    {1, {30, 89, "Driver License"}, {30, 89, "Einstellungen"}},
    {3, {470, 89, "Best Drivers"}, {467, 89, "Beste Fahrer"}},
    {2, {265, 89, "Live Update"}, {243, 89, "Aktualisierung"}},
    {5, {240, 189, "Quindral cloud"}, {240, 189, "Quindral cloud"}},
    {6, {460, 189, "Input Settings"}, {482, 189, "Steuerung"}},
    {7, {40, 289, "Constructor"}, {40, 289, "Streckenbau"}},
    {11, {260, 389, "Start Game"}, {265, 389, "Spielstart"}},
    {4, {50, 189, "Difficulty"}, {32, 189, "Schwierigkeit"}},
};
const Label kModeLabels[2][3] = {
    {{250, 289, "Singleplayer"}, {258, 289, "Tournament"}, {255, 289, "Multiplayer"}},
    {{250, 289, "Einzelspieler"}, {258, 289, "Tournament"}, {243, 289, "Netzwerkspiel"}},
};
const Label kCarLabel[2] = {{480, 389, "Select Car"}, {465, 389, "DEIN FAHRZEUG"}};
const Label kAutomaticLabel[2] = {{480, 289, "Automatic"}, {485, 289, "Automatik"}};

void Draw_Label(const Label& label) { Draw_Text(label.x, label.y, label.text, 2, 1); }

bool German() { return theGame && theGame->language == 1; }

void Quit() {
  menu_active = false;
  quitRequested = 1;
}

void Move_Up() {
  if (menu_selection > 3) menu_selection -= 3;
}
void Move_Down() {
  if (menu_selection < 10) menu_selection += 3;
}
void Move_Left() {
  if (menu_selection > 1) menu_selection -= 1;
}
void Move_Right() {
  if (menu_selection <= 11) menu_selection += 1;
}

void Handle_Key(SDLKey key) {
  if (key == SDLK_ESCAPE) Quit();
  else if (key == mapped.key_accelerate) Move_Up();
  else if (key == mapped.key_brake) Move_Down();
  else if (key == mapped.key_left) Move_Left();
  else if (key == mapped.key_right) Move_Right();
  else if (key == mapped.key_select) Activate_Menu_Entry();
  else if (key == SDLK_UP) Move_Up();
  else if (key == SDLK_DOWN) Move_Down();
  else if (key == SDLK_LEFT) Move_Left();
  else if (key == SDLK_RIGHT) Move_Right();
  else if (key == SDLK_RETURN || key == SDLK_SPACE || key == SDLK_0 || key == SDLK_1 || key == SDLK_2 ||
           key == SDLK_3 || key == SDLK_7 || key == SDLK_8 || key == SDLK_9)
    Activate_Menu_Entry();
  else if (key == SDLK_4 || key == SDLK_5 || key == SDLK_6) Quit();
  else if (key == SDLK_k) {
    exhibitionMode = 1;
    menu_active = false;
  } else if (key == SDLK_f) Toggle_Fullscreen();
  else if (key == SDLK_F12 || key == SDLK_PRINT) theGame->Take_Screenshot();
}

void Handle_Axis(const SDL_JoyAxisEvent& axis) {
  if (axis.value >= -7999 && axis.value <= 7999) return;
  bool negative = axis.value < 0;
  if (axis.axis == 0) negative ? Move_Left() : Move_Right();
  else if (axis.axis == 1) negative ? Move_Up() : Move_Down();
}

SDL_Surface* Difficulty_Picture(int difficulty) {
  switch (difficulty) {
    case 0: return gfx_diff_easy;
    case 1: return gfx_diff_normal;
    case 2: return gfx_diff_hard;
    case 3: return gfx_diff_expert;
  }
  return nullptr;
}

SDL_Surface* Mode_Picture(int mode) {
  switch (mode) {
    case 0: return gfx_icon_splayer;
    case 1: return gfx_icon_tournament;
    case 2: return gfx_icon_mplayer;
  }
  return nullptr;
}

void Advance_Cursor() {
  if (++cursor_frame_count >= 3) {
    cursor_frame_count = 0;
    cursor_phase ^= 1;
  }
}

void Draw_Cursor() { Draw_Grid_Cursor(menu_selection, cursor_phase ? gfx_selector2 : gfx_selector); }

// Everything the menu picture depends on. A frame that would look like the last one drawn
// is neither drawn nor presented again.
struct MenuLook {
  int selection, phase, car, difficulty, track, mode, gear, language, joystick, crt;
  SDL_Surface* display;
  bool operator==(const MenuLook& o) const {
    return selection == o.selection && phase == o.phase && car == o.car && difficulty == o.difficulty &&
           track == o.track && mode == o.mode && gear == o.gear && language == o.language &&
           joystick == o.joystick && crt == o.crt && display == o.display;
  }
};

MenuLook Current_Look() {
  const Game& game = *theGame;
  return {menu_selection, cursor_phase, game.selected_car, game.difficulty, game.builtin_track, game_mode,
          gearbox, game.language, hasJoystick, crtFilterFlag, screen};
}

void Paint_Main_Menu();

}  // namespace

void Start_Game() {
  customTrack = 0;
  theGame->tournament_round = 1;
  theGame->tournament_active = 0;
  if (game_mode == 1) {
    theGame->tournament_active = 1;
    customTrack = 1;
    theGame->tournament_points = 0;
  }
  menu_active = false;
}

void Toggle_Fullscreen() {
  int want = fullscreenFlag ? 0 : 1;
  if (Switch_Video_Mode(want)) fullscreenFlag = static_cast<uint8_t>(want);
}

void Activate_Menu_Entry() {
  Game& game = *theGame;
  switch (menu_selection) {
    case 1: Run_Settings_Screen(); break;
    case 4: game.difficulty = game.difficulty >= 3 ? 0 : game.difficulty + 1; break;
    case 8: game_mode = game_mode >= 2 ? 0 : game_mode + 1; break;
    case 10: game.builtin_track = game.builtin_track <= 1 ? 2 : 1; break;
    case 6: Run_Input_Settings(); break;
    case 11: Start_Game(); break;
    case 12: game.selected_car = game.selected_car >= 19 ? 1 : game.selected_car + 1; break;
    case 3:
      Run_Leaderboard_Screen();
      Play_Menu_Music();
      break;
    case 2: Run_Live_Update(); break;
    case 5:
      Run_Track_Browser();
      if (customTrack) menu_active = false;
      break;
    case 7:
      Run_Constructor();
      if (customTrack) menu_active = false;
      break;
    case 9: Play_Soon(); break;
  }
}

void Handle_Menu_Event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      // A pad's Back is no way out of the game: only the keyboard's Escape quits here.
      if (event.key.which == kPadKeyboard && event.key.keysym.sym == SDLK_ESCAPE) break;
      Handle_Key(event.key.keysym.sym);
      break;
    case SDL_JOYAXISMOTION: Handle_Axis(event.jaxis); break;
    case SDL_JOYBUTTONDOWN: Activate_Menu_Entry(); break;
    case SDL_QUIT: Quit(); break;
  }
}

void Draw_Main_Menu() {
  Advance_Cursor();
  Paint_Main_Menu();
}

namespace {
void Paint_Main_Menu() {
  const Game& game = *theGame;
  int lang = German() ? 1 : 0;
  SDL_FillRect(screen, nullptr, 0);
  Draw_Image(0, 0, gfx_game_menu);
  Draw_Image(0, 72, gfx_menu_mask);

  Draw_Grid_Picture(11, gfx_select_start);
  Draw_Grid_Picture(2, gfx_icon_live_update);
  Draw_Grid_Picture(1, gfx_icon_license);
  Draw_Grid_Picture(5, gfx_select_world);
  Draw_Grid_Picture(3, gfx_icon_leader);
  Draw_Grid_Picture(7, gfx_icon_vrcs);
  Draw_Grid_Picture(6, hasJoystick ? gfx_icon_input_joy : gfx_icon_input_key);
  Draw_Grid_Picture(8, Mode_Picture(game_mode));

  Draw_Cursor();

  Draw_Grid_Picture(12, Car_Picture(game.selected_car));
  Draw_Grid_Picture(4, Difficulty_Picture(game.difficulty));

  Draw_Label(kCarLabel[lang]);
  Draw_Grid_Picture(10, gfx_scenario[game.builtin_track == 2 ? 1 : 0]);
  Draw_Text(40, 389, game.builtin_track == 2 ? "Bavaria GER" : "Florida USA", 2, 1);
  for (const Entry_Label& label : kLabels) Draw_Label(lang ? label.german : label.english);
  if (game_mode >= 0 && game_mode <= 2) Draw_Label(kModeLabels[lang][game_mode]);
  if (gearbox == 0) {
    Draw_Grid_Picture(9, gfx_icon_automatic);
    Draw_Label(kAutomaticLabel[lang]);
  }

  Draw_Crt_Filter();
  Present_Screen(screen);
}
}  // namespace

void Run_Main_Menu() {
  menu_active = true;
  customTrack = 0;
  Play_Menu_Music();
  bool drawn = false;
  MenuLook last_drawn = {};
  while (menu_active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_MENU);
    // Events after the one that ended the menu are left for the next screen.
    // Any event may have changed the picture or run another screen over it: draw anew then.
    SDL_Event event;
    while (menu_active && Poll_Event(&event)) {
      Handle_Menu_Event(event);
      drawn = false;
    }
    Advance_Cursor();
    MenuLook look = Current_Look();
    if (!drawn || !(look == last_drawn)) {
      Paint_Main_Menu();
      last_drawn = look;
      drawn = true;
    }
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 50) SDL_Delay(50 - spent);
  }
  Stop_Music();
}
