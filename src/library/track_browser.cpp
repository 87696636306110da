// The track browser: keys, joystick and mouse, and the world map with the selected track.
#include "library/track_browser.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"
#include "library/track_list.h"

namespace {

constexpr Uint32 kFrameMs = 50;
constexpr int kAxisDeadZone = 7999;

bool browser_active = false;
SDL_Surface* world_map = nullptr;
SDL_Surface* map_pin = nullptr;
SDL_Surface* trophy = nullptr;
SDL_Surface* tiles[12] = {};

const char* const kTileFiles[12] = {
    "GFX/lt_palms.bmp", "GFX/lt_winter.bmp", "GFX/lt_city.bmp", "GFX/lt_desert.bmp",
    "GFX/lt_spain.bmp", "GFX/lt_russia.bmp", "GFX/lt_uk.bmp",   "GFX/lt_hu.bmp",
    "GFX/lt_fy.bmp",    "GFX/lt_ic.bmp",     "GFX/lt_bahamas.bmp", "GFX/lt_swiss.bmp"};

struct Map_Label {
  int x, y;
  const char* name;
};
const Map_Label kMapNames[] = {{498, 190, "Hong Kong"}, {318, 190, "Kairo"},        {87, 190, "Florida"},
                               {288, 125, "Bavaria"},   {255, 155, "Spain"},        {343, 105, "Russia"},
                               {262, 115, "Great Britan"}, {308, 135, "Hungary"}, {108, 210, "Bahamas"}};
// The pin and the scenario's name by track type 1..12.
const Map_Label kPins[12] = {{87, 150, "Florida"},    {288, 85, "Bavaria"},      {498, 150, "Hong Kong"},
                             {318, 150, "Kairo"},      {255, 115, "Spain"},       {343, 65, "Russia"},
                             {262, 75, "Great Britan"}, {308, 95, "Hungary"},     {308, 95, "Fantasy"},
                             {308, 95, "Industry"},    {108, 170, "Bahamas"},     {108, 170, "Swisserland"}};

void Load_Pictures() {
  world_map = Load_Sprites("GFX/worldmap.bmp", 0);
  map_pin = Load_Sprites("GFX/lt_pin.bmp", 1);
  trophy = Load_Sprites("GFX/icon_pokal.bmp", 1);
  for (int i = 0; i < 12; ++i) tiles[i] = Load_Sprites(kTileFiles[i], 0);
}

void Free_Pictures() {
  for (SDL_Surface*& tile : tiles) {
    SDL_FreeSurface(tile);
    tile = nullptr;
  }
  for (SDL_Surface** picture : {&world_map, &map_pin, &trophy}) {
    SDL_FreeSurface(*picture);
    *picture = nullptr;
  }
}

void Select_Next() {
  if (trackListSelection < trackListCount) ++trackListSelection;
}
void Select_Previous() {
  if (trackListSelection > 1) --trackListSelection;
}

void Switch_Mode() {
  if (trackListMode == TRACKS_LOCAL) Load_Cloud_List();
  else Scan_Track_Directory("TRK");
}

// A track that cannot be started leaves the browser open with its message.
void Start_Track() {
  if (theGame->Start_Selected_Track()) browser_active = false;
}

void Handle_Key(const SDL_KeyboardEvent& key) {
  switch (key.keysym.sym) {
    case SDLK_m: Switch_Mode(); break;
    case SDLK_c: Load_Cloud_List(); break;
    case SDLK_k:
      if (key.keysym.mod & KMOD_SHIFT) Delete_Selected_Track();
      break;
    case SDLK_UP:
    case SDLK_RIGHT: Select_Next(); break;
    case SDLK_DOWN:
    case SDLK_LEFT: Select_Previous(); break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE: Start_Track(); break;
    case SDLK_ESCAPE: browser_active = false; break;
    case SDLK_F12:
    case SDLK_PRINT: theGame->Take_Screenshot(); break;
    default: break;
  }
}

void Handle_Axis(const SDL_JoyAxisEvent& axis) {
  if (axis.value >= -kAxisDeadZone && axis.value <= kAxisDeadZone) return;
  bool negative = axis.value < 0;
  if (axis.axis == 1) negative ? Select_Next() : Select_Previous();  // up is negative
  else if (axis.axis == 0) negative ? Select_Previous() : Select_Next();
}

// The label in colour 5 and, 7 pixels per label character plus 4 to its right, the value
// with four digits in colour 1.
void Draw_Value_Line(int x, int y, const char* label, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", value);
  Draw_Text(x, y, label, 5, 3);
  Draw_Text(x + 7 * static_cast<int>(std::strlen(label)) + 4, y, text, 1, 3);
}

void Draw_Mode_Line() {
  Draw_Text(5, 5, "Mode:", 5, 3);
  bool local = trackListMode == TRACKS_LOCAL;
  Draw_Text(50, 5, local ? "Local (press 'M' to switch)" : "Cloud (press 'M' to switch)", 1, 3);
  Draw_Value_Line(250, 5, local ? "Local-Tracks :" : "Cloud-Tracks :", trackListCount);
}

void Draw_Entry_Panel() {
  for (const Map_Label& label : kMapNames) Draw_Text(label.x, label.y, label.name, 6, 3);
  const Track_Entry* entry = Selected_Track();
  if (!entry) return;
  if (entry->track_type >= 1 && entry->track_type <= 12) {
    const Map_Label& pin = kPins[entry->track_type - 1];
    Draw_Image(10, 310, tiles[entry->track_type - 1]);
    Draw_Image(static_cast<Sint16>(pin.x), static_cast<Sint16>(pin.y), map_pin);
    Draw_Text(pin.x, pin.y + 40, pin.name, 5, 3);
  }
  Draw_Text(260, 430, "Tracktype :", 5, 3);
  Draw_Text(260, 445, "Filename  :", 5, 3);
  Draw_Text(340, 445, entry->file_name, 1, 3);
  Draw_Text(260, 460, "Created by:", 5, 3);
  Draw_Text(340, 460, entry->creator, 1, 3);
  Draw_Value_Line(10, 290, "Tracklen:", entry->sector_count);
  if (entry->tournament) {
    Draw_Image(13, 313, trophy);
    Draw_Text(340, 430, "Rated Tournament Track", 3, 3);
  } else {
    Draw_Text(340, 430, "VRCS-User-Track", 1, 3);
    if (trackListMode == TRACKS_LOCAL) {
      Draw_Text(490, 5, "Delete Track:", 5, 3);
      Draw_Text(585, 5, "SHIFT+K", 1, 3);
    }
  }
}

}  // namespace

void Handle_Browser_Event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: Handle_Key(event.key); break;
    case SDL_JOYAXISMOTION: Handle_Axis(event.jaxis); break;
    case SDL_JOYBUTTONDOWN:
      if (event.jbutton.button == mapped.joy_cancel) browser_active = false;  // a pad's way back
      else Start_Track();
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) browser_active = false;
      break;
    case SDL_QUIT: {
      // The menu behind this screen handles the window's close.
      SDL_Event again = event;
      SDL_PushEvent(&again);
      browser_active = false;
      break;
    }
    default: break;
  }
}

void Draw_Track_Browser() {
  Draw_Image(0, 0, world_map);
  Draw_Mode_Line();
  if (trackListMessage[0]) Draw_Text(5, 25, trackListMessage, 3, 3);
  Draw_Entry_Panel();
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Run_Track_Browser() {
  trackListMessage[0] = '\0';
  Scan_Track_Directory("TRK");
  Load_Pictures();
  browser_active = true;
  while (browser_active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_TRACK_BROWSER);
    SDL_Event event;
    while (browser_active && Poll_Event(&event)) Handle_Browser_Event(event);
    if (browser_active) Draw_Track_Browser();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
  }
  Free_Pictures();
}
