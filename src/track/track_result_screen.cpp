// The result screen after "Build Track": statistics, then cancel, start or save.
#include <cstdio>
#include <cstring>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"
#include "track/constructor_screen.h"
#include "track/track_sector.h"

int result_selection = 2;
bool result_active = false;
bool track_saved_notice = false;

namespace {

constexpr int kAxisDeadZone = 7999;
const int kSelectionX[3] = {0, 210, 420};
unsigned savedSectorsVersion = 0;  // the sectors the saved notice speaks of

void Left() {
  if (result_selection > 1) --result_selection;
}
void Right() {
  if (result_selection < 3) ++result_selection;
}
void Leave(bool keep_track) {
  if (!keep_track) customTrack = 0;
  result_active = false;
}

void Act() {
  switch (result_selection) {
    case 1: Leave(false); break;
    case 2: Leave(true); break;
    case 3:
      if (theGame->Save_Track_File("Regular")) {
        track_saved_notice = true;
        savedSectorsVersion = trackSectorsVersion;
      }
      break;
  }
}

void Handle_Key(SDLKey key) {
  if (key == mapped.key_left) Left();
  else if (key == mapped.key_right) Right();
  else if (key == mapped.key_cancel) Leave(false);
  else if (key == mapped.key_select) Act();
  else if (key == SDLK_LEFT) Left();
  else if (key == SDLK_RIGHT) Right();
  else if (key == SDLK_ESCAPE) Leave(false);
  else if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE) Act();
  else if (key == SDLK_F12 || key == SDLK_PRINT) theGame->Take_Screenshot();
}

// A statistics line: the label in colour 5, the value right after it in colour 1.
void Draw_Count(int x, int y, const char* label, int value) {
  Draw_Text(x, y, label, 5, 3);
  char text[16];
  std::snprintf(text, sizeof text, "%04d", value);
  Draw_Text(x + 7 * static_cast<int>(std::strlen(label)) + 4, y, text, 1, 3);
}

}  // namespace

void Draw_Track_Statistics() {
  const TrackStats& s = trackStats;
  Draw_Text(10, 68, "----------------------------[ physical layout of the track: ]----------------------------", 3, 3);
  Draw_Count(10, 80, "Sectors :", s.sectors);
  Draw_Count(115, 80, "Length  :", s.sectors * 10);
  Draw_Count(220, 80, "L-Turns :", s.left_turns);
  Draw_Count(325, 80, "R-Turns :", s.right_turns);
  Draw_Count(430, 80, "Hills Up:", s.hills_up);
  Draw_Count(535, 80, "Hills Dn:", s.hills_down);
  Draw_Text(10, 92, "-----------------------------------------------------------------------------------------", 3, 3);
  Draw_Text(10, 108, "----[ landscape elements of the track: ]----", 3, 3);
  Draw_Count(10, 120, "Trees   :", s.trees);
  Draw_Count(115, 120, "Bushes  :", s.bushes);
  Draw_Count(220, 120, "Stones  :", s.stones);
  Draw_Text(10, 132, "--------------------------------------------", 3, 3);
  Draw_Text(430, 108, "---[ buildings elements: ]---", 3, 3);
  Draw_Count(430, 120, "Business:", s.business);
  Draw_Count(535, 120, "Houses  :", s.houses);
  Draw_Text(430, 132, "-----------------------------", 3, 3);
  Draw_Text(50, 350, "Hint: If you save tracks here they will be available under menu Quindral Cloud.", 0, 3);
  if (track_saved_notice) Draw_Text(150, 365, "SAVED! Available under menu option Quindral Cloud", 3, 3);
}

void Handle_Track_Result_Event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: Handle_Key(event.key.keysym.sym); break;
    case SDL_JOYAXISMOTION:
      if (event.jaxis.axis == 0 && event.jaxis.value > kAxisDeadZone) Right();
      else if (event.jaxis.axis == 0 && event.jaxis.value < -kAxisDeadZone) Left();
      break;
    case SDL_JOYBUTTONDOWN: Act(); break;
  }
}

void Draw_Track_Result() {
  SDL_FillRect(screen, nullptr, 0);
  Draw_Image(0, 72, gfx_menu_vrcs_info);
  Draw_Image(5, 5, gfx_icon_vrcs);
  if (result_selection >= 1 && result_selection <= 3) Draw_Image(kSelectionX[result_selection - 1], 380, gfx_selector);
  Draw_Image(448, 399, gfx_icon_save);
  Draw_Image(228, 399, gfx_select_start);
  Draw_Image(16, 399, gfx_icon_cancel);
  Draw_Text(260, 389, "Start Game", 2, 1);
  Draw_Text(70, 389, "Cancel", 2, 1);
  Draw_Text(480, 389, "Save Track", 2, 1);
  Draw_Text(180, 10, "(V)anto (R)ello (C)onstruction (S)ystem", 5, 3);
  Draw_Text(335, 25, "...creating new tracks was never that easy", 1, 3);
  Draw_Track_Statistics();
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Run_Track_Result() {
  result_active = true;
  if (savedSectorsVersion != trackSectorsVersion) track_saved_notice = false;  // other sectors now
  while (result_active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_TRACK_RESULT);
    SDL_Event event;
    while (result_active && Poll_Event(&event)) Handle_Track_Result_Event(event);
    if (!result_active) break;
    Draw_Track_Result();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 50) SDL_Delay(50 - spent);
  }
}
