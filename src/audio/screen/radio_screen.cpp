#include "audio/screen/radio_screen.h"

#include <SDL/SDL_mixer.h>

#include "audio/playback/engine_sound.h"
#include "audio/playback/radio.h"
#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"

bool radio_active = false;

namespace {

void Leave() { radio_active = false; }

void Song_Left() {
  if (current_song >= 1) {
    current_song -= 1;
    Change_Song(songs[current_song].file);
  }
}

void Song_Right() {
  if (current_song + 1 < song_count) {
    current_song += 1;
    Change_Song(songs[current_song].file);
  }
}

void Handle_Key(SDLKey key) {
  if (key == mapped.key_select || key == SDLK_ESCAPE || key == SDLK_RETURN || key == SDLK_SPACE) Leave();
  else if (key == mapped.key_accelerate || key == SDLK_UP) Engine_Louder();
  else if (key == mapped.key_brake || key == SDLK_DOWN || key == SDLK_s) Engine_Softer();
  else if (key == mapped.key_left || key == SDLK_LEFT) Song_Left();
  else if (key == mapped.key_right || key == SDLK_RIGHT) Song_Right();
  else if (key == SDLK_F12 || key == SDLK_PRINT) theGame->Take_Screenshot();
}

void Handle_Axis(const SDL_JoyAxisEvent& axis) {
  if (axis.value >= -7999 && axis.value <= 7999) return;
  bool negative = axis.value < 0;
  if (axis.axis == 0) negative ? Song_Left() : Song_Right();
  else if (axis.axis == 1) negative ? Engine_Louder() : Engine_Softer();
}

void Draw_Line(int y, const char* label, const char* value) {
  Draw_Text(75, y, label, 0, 1);
  Draw_Text(150, y, value, 1, 1);
}

void Draw_Radio_Screen() {
  SDL_FillRect(screen, nullptr, 0);
  Draw_Image(0, 0, gfx_radio);
  if (current_song >= 0 && current_song < kSongCount) {
    const Song& song = songs[current_song];
    Draw_Line(140, "Album", song.album);
    Draw_Line(160, "Title", song.title);
    Draw_Line(200, "Len", song.length);
    Draw_Line(220, "Artist", song.artist);
  }
  Draw_Image(470, 140, gfx_artist_girl);
  Draw_Text(75, 300, "Select Songs with Left or Right", 0, 1);
  Draw_Line(260, "Engine", Engine_Level_Word(engine_level));
  Draw_Text(75, 320, "Select Engine Level with Up or Down", 0, 1);
  Draw_Crt_Filter();
  Present_Screen(screen);
}

// A level changed on the radio during a race is heard at once, unless the race has ended
// and its sounds are muted.
void Apply_Engine_Level() {
  if (!theGame->race_finished && !theGame->game_over && Mix_Playing(engine_channel))
    Mix_Volume(engine_channel, 20 - engine_level);
}

}  // namespace

const char* Engine_Level_Word(int level) {
  switch (level) {
    case 0: return "Loud";
    case 5: return "Normal";
    case 10: return "Soft";
    case 15: return "Almost silent";
    case 20: return "Silent";
  }
  return "";
}

void Handle_Radio_Event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: Handle_Key(event.key.keysym.sym); break;
    case SDL_JOYAXISMOTION: Handle_Axis(event.jaxis); break;
    case SDL_JOYBUTTONDOWN: Leave(); break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) Leave();
      break;
  }
}

void Run_Radio_Screen() {
  Init_Radio();
  Change_Song(songs[current_song].file);
  radio_active = true;
  while (radio_active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_RADIO);
    SDL_Event event;
    while (radio_active && Poll_Event(&event)) Handle_Radio_Event(event);
    Draw_Radio_Screen();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 50) SDL_Delay(50 - spent);
  }
  Apply_Engine_Level();
}
