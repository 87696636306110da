#include "frontend/screens/settings_screen.h"

#include <cstdio>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/display_settings.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/graphics/player_name.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/text_entry.h"
#include "frontend/screens/video_mode.h"
#include "road/weather.h"

int settings_row = 0;
bool settings_active = false;

namespace {

SDL_Surface* background = nullptr;
SDL_Surface* plate = nullptr;

void Row_Up() {
  if (settings_row >= 1) settings_row -= 1;
}
void Row_Down() {
  if (settings_row < kSaveRow) settings_row += 1;
}
void Leave() { settings_active = false; }

void Handle_Key(SDLKey key) {
  if (key == mapped.key_accelerate || key == mapped.key_left || key == SDLK_UP || key == SDLK_LEFT) Row_Up();
  else if (key == mapped.key_brake || key == mapped.key_right || key == SDLK_DOWN || key == SDLK_RIGHT) Row_Down();
  else if (key == mapped.key_select || key == SDLK_SPACE || key == SDLK_RETURN) Apply_Setting();
  else if (key == mapped.key_cancel || key == SDLK_ESCAPE) Leave();
  else if (key == SDLK_F12 || key == SDLK_PRINT) theGame->Take_Screenshot();
}

// The text twice, black one pixel below the grey, centred.
void Draw_Shadowed(int y, const char* text) {
  Draw_Text(-1, y + 1, text, 2, 4);
  Draw_Text(-1, y, text, 6, 4);
}

void Draw_Row(int row, const char* value) {
  Draw_Image(0, 0, background);
  Draw_Image(145, 60, plate);
  Draw_Shadowed(90, Settings_Heading(row));
  Draw_Shadowed(120, value);
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Draw_Settings_Screen() { Draw_Row(settings_row, Settings_Value(settings_row)); }

void Draw_Name_Entry(const char* shown) { Draw_Row(kNameRow, shown); }

// Types a new player's name; Escape keeps the old one.
void Enter_Player_Name() {
  char name[kPlayerNameMax + 1];
  std::snprintf(name, sizeof name, "%s", Player_Name());
  Text_Entry entry = {name, sizeof name, Player_Name_Char_Allowed, Valid_Player_Name, Draw_Name_Entry};
  if (Run_Text_Entry(entry)) Set_Player_Name(name);
}

// Auto, 1x .. 4x and round; a window takes the new size at once.
void Next_Window_Size() {
  display.window_size = display.window_size >= kWindowSizeMax ? kWindowAuto : display.window_size + 1;
  windowScaleOverride = 0;
  if (!(screen->flags & SDL_FULLSCREEN)) Switch_Video_Mode(0);
}

}  // namespace

const char* Settings_Heading(int row) {
  static const char* const headings[kSaveRow + 1] = {"Language",    "Screenmode", "Filtermode", "Driver Name",
                                                     "Window Size", "Scaling",    "Save Config"};
  return row >= 0 && row <= kSaveRow ? headings[row] : "";
}

const char* Settings_Value(int row) {
  bool german = settings.language == 1;
  switch (row) {
    case 0: return german ? "Deutsch" : "English";
    case 1:
      if (settings.fullscreen) return german ? "Vollbild" : "Fullscreen";
      return german ? "im Fenster" : "Window";
    case 2:
      if (settings.crt_filter) return "CRT Monitor 1084";
      return german ? "Kein Filter" : "None";
    case kWindowSizeRow: return Window_Size_Name(display.window_size);
    case kScalingRow:
      if (display.smooth) return german ? "Weich (ab Neustart)" : "Smooth (next start)";
      return german ? "Scharf (ab Neustart)" : "Sharp (next start)";
    case kNameRow: return Player_Name();
    case kSaveRow: return "and exit";
  }
  return "";
}

void Apply_Setting() {
  switch (settings_row) {
    case 0:
      settings.language = settings.language >= 1 ? 0 : settings.language + 1;
      theGame->language = settings.language;
      break;
    case 1: {
      int want = settings.fullscreen ? 0 : 1;
      if (Switch_Video_Mode(want)) {
        settings.fullscreen = static_cast<uint8_t>(want);
        fullscreenFlag = settings.fullscreen;
      }
      break;
    }
    case 2:
      settings.crt_filter = settings.crt_filter ? 0 : 1;
      crtFilterFlag = settings.crt_filter;
      break;
    case kWindowSizeRow: Next_Window_Size(); break;
    case kScalingRow: display.smooth = display.smooth ? 0 : 1; break;  // read by SDL at start-up
    case kNameRow: Enter_Player_Name(); break;
    case kSaveRow: Leave(); break;
  }
}

void Handle_Settings_Event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: Handle_Key(event.key.keysym.sym); break;
    case SDL_JOYAXISMOTION:
      if (event.jaxis.axis == 1 && event.jaxis.value <= -8000) Row_Up();
      else if (event.jaxis.axis == 1 && event.jaxis.value >= 8000) Row_Down();
      break;
    case SDL_JOYBUTTONDOWN: Apply_Setting(); break;
  }
}

void Run_Settings_Screen() {
  background = Load_Sprites("GFX/bg_config.bmp", 0);
  plate = Load_Sprites("GFX/aluplate.bmp", 0);
  settings_row = 0;
  settings_active = true;
  while (settings_active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_SETTINGS);
    SDL_Event event;
    while (settings_active && Poll_Event(&event)) Handle_Settings_Event(event);
    Draw_Settings_Screen();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 50) SDL_Delay(50 - spent);
  }
  Save_Config();
  Save_Display_Settings();
  SDL_FreeSurface(background);
  SDL_FreeSurface(plate);
  background = plate = nullptr;
}

void Draw_Crt_Filter() {
  if (crtFilterFlag) draw_scanlines();
}
