// The race loop: fly-in, race-phase events, and the order of a presented frame.
#include "core/loop/race_loop.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "audio/playback/engine_sound.h"
#include "audio/playback/radio.h"
#include "audio/playback/sound.h"
#include "audio/screen/radio_screen.h"
#include "common/frame_hook.h"
#include "core/session/canvas_blit.h"
#include "core/session/hud.h"
#include "core/session/race_session.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "road/canvas.h"
#include "road/road.h"
#include "road/sky.h"
#include "road/weather.h"
#include "track/track_files.h"

namespace {
constexpr Uint32 kFrameMs = 50;
constexpr Uint32 kFlyInMs = 2000;
constexpr int kFlyInLift = 6000;   // how far moving vehicles wait ahead during the fly-in
constexpr int kAxisDeadZone = 7999;

void Wait_Out_Frame(Uint32 frame_start) {
  const Uint32 spent = SDL_GetTicks() - frame_start;
  if (spent <= kFrameMs - 1) SDL_Delay(kFrameMs - spent);
}

bool Is_Key(SDLKey key, int mapped_key, SDLKey fixed) { return key == mapped_key || key == fixed; }

void Lift_Moving_Vehicles(Game& game, int dz) {
  for (vehicle* v : game.vehicles)
    if (v->speed > 0.0f) v->z += dz;
}

void Key_Down(Game& game, SDLKey key, int& keep_running) {
  if (Is_Key(key, mapped.key_accelerate, SDLK_UP)) game.input_up = 1;
  if (Is_Key(key, mapped.key_brake, SDLK_DOWN)) game.input_down = 1;
  if (Is_Key(key, mapped.key_left, SDLK_LEFT)) game.input_left = 1;
  if (Is_Key(key, mapped.key_right, SDLK_RIGHT)) game.input_right = 1;
  if (Is_Key(key, mapped.key_select, SDLK_SPACE) && game.race_finished) keep_running = 0;
  if (Is_Key(key, mapped.key_cancel, SDLK_ESCAPE)) {
    game.tournament_active = 0;
    keep_running = 0;
  }
  switch (key) {
    case SDLK_END: Run_Radio_Screen(); break;
    case SDLK_PAGEUP: Next_Song(); break;
    case SDLK_PAGEDOWN: Previous_Song(); break;
    case SDLK_F1:
      if (customTrack) game.Save_Track_File("Regular", kQuicksaveAuthor);
      break;
    case SDLK_F12:
    case SDLK_PRINT:
      game.Take_Screenshot();
      break;
    default:
      break;
  }
}

void Key_Up(Game& game, SDLKey key) {
  if (Is_Key(key, mapped.key_accelerate, SDLK_UP)) game.input_up = 0;
  if (Is_Key(key, mapped.key_brake, SDLK_DOWN)) game.input_down = 0;
  if (Is_Key(key, mapped.key_left, SDLK_LEFT)) game.input_left = 0;
  if (Is_Key(key, mapped.key_right, SDLK_RIGHT)) game.input_right = 0;
}

void Axis(Game& game, int axis, int value) {
  uint8_t& plus = axis == 0 ? game.input_right : game.input_down;
  uint8_t& minus = axis == 0 ? game.input_left : game.input_up;
  if (value > kAxisDeadZone) {
    plus = 1;
  } else if (value < -kAxisDeadZone) {
    minus = 1;
  } else {
    plus = 0;
    minus = 0;
  }
}

void Button(Game& game, int button, bool down, int& keep_running) {
  if (button == mapped.joy_accelerate) {
    if (down) game.input_down = 0;
    game.input_up = down ? 1 : 0;
  }
  if (button == mapped.joy_brake) {
    if (down) game.input_up = 0;
    game.input_down = down ? 1 : 0;
  }
  // After the race any other button leaves, so a pad without a saved mapping is not stuck.
  if (down && button != mapped.joy_accelerate && button != mapped.joy_brake && (game.game_over || game.race_finished))
    keep_running = 0;
}

// The end of the fly-in: vehicles back in place, the camera down, the start figures swap.
void End_Fly_In(Game& game) {
  Lift_Moving_Vehicles(game, -kFlyInLift);
  game.road->position = 0;
  game.road->setup(640, 480, 250, 100);
  game.intro_running = 0;
  if (game.vehicles.count >= 2) {
    game.vehicles[1]->z -= kFlyInLift;
    game.vehicles[0]->z = -10;
  }
}

bool Key_Held(const Uint8* keys, int mapped_key, SDLKey fixed) {
  const bool mapped_held = mapped_key > 0 && mapped_key < SDLK_LAST && keys[mapped_key];
  return mapped_held || keys[fixed];
}

bool Button_Held(int button) {
  return joystick && button >= 0 && button < SDL_JoystickNumButtons(joystick) &&
         SDL_JoystickGetButton(joystick, button);
}

// The fly-in swallows key presses, so a key held through it would not count until it was
// pressed again: the driving inputs start from the keys and buttons held right now.
void Take_Held_Inputs(Game& game) {
  const Uint8* keys = SDL_GetKeyState(nullptr);
  game.input_up = Key_Held(keys, mapped.key_accelerate, SDLK_UP);
  game.input_down = Key_Held(keys, mapped.key_brake, SDLK_DOWN);
  game.input_left = Key_Held(keys, mapped.key_left, SDLK_LEFT);
  game.input_right = Key_Held(keys, mapped.key_right, SDLK_RIGHT);
  if (!joystick) return;
  SDL_JoystickUpdate();
  const int across = SDL_JoystickGetAxis(joystick, 0), along = SDL_JoystickGetAxis(joystick, 1);
  const int pad = Pad_Directions_Held();
  if (across > kAxisDeadZone || (pad & SDL_HAT_RIGHT)) game.input_right = 1;
  if (across < -kAxisDeadZone || (pad & SDL_HAT_LEFT)) game.input_left = 1;
  if (along > kAxisDeadZone || (pad & SDL_HAT_DOWN) || Button_Held(mapped.joy_brake)) game.input_down = 1;
  if (along < -kAxisDeadZone || (pad & SDL_HAT_UP) || Button_Held(mapped.joy_accelerate)) game.input_up = 1;
}

// "SPACE", or "SPACE / RETURN" when the continue key is mapped elsewhere; the same for the
// abort key and Escape.
void Key_Names(char* out, size_t size, SDLKey fixed, const char* fixed_name, int mapped_key) {
  std::snprintf(out, size, "%s", fixed_name);
  if (mapped_key <= 0 || mapped_key >= SDLK_LAST || mapped_key == fixed) return;
  const size_t used = std::strlen(out);
  std::snprintf(out + used, size - used, " / %s", SDL_GetKeyName(static_cast<SDLKey>(mapped_key)));
  for (char* c = out + used; *c; ++c) *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
}

// White on a black band, readable over snow and sky alike.
void Draw_Race_End_Hint() {
  char hint[160];
  Race_End_Hint(hint, sizeof hint);
  TTF_Font* font = ttf_fonts[kRaceEndHintFont];
  int w = 0, h = 0;
  if (!hint[0] || !font || TTF_SizeUTF8(font, hint, &w, &h) != 0) return;
  SDL_Rect band = {static_cast<Sint16>(Text_Left(-2, w) - kRaceEndHintPad), static_cast<Sint16>(kRaceEndHintY),
                   static_cast<Uint16>(w + 2 * kRaceEndHintPad), static_cast<Uint16>(h)};
  SDL_FillRect(screen, &band, SDL_MapRGB(screen->format, 0, 0, 0));
  Draw_Text(-2, kRaceEndHintY, hint, 4, kRaceEndHintFont);
}

}  // namespace

void Race_End_Hint(char* out, size_t size) {
  const Game& game = *theGame;
  const bool german = game.language == 1;
  char keys[64];
  if (game.race_finished) {
    Key_Names(keys, sizeof keys, SDLK_SPACE, german ? "LEERTASTE" : "SPACE", mapped.key_select);
    char time[32];
    Format_Lap_Time(time, sizeof time, game.lap_times.count ? game.lap_times[0] : 0);
    const char* t = time + std::strspn(time, " ");
    std::snprintf(out, size, german ? "Platz %d, Zeit %s - weiter mit %s" : "Place %d, time %s - press %s to go on",
                  game.place, t, keys);
  } else if (game.game_over) {
    Key_Names(keys, sizeof keys, SDLK_ESCAPE, "ESC", mapped.key_cancel);
    std::snprintf(out, size, german ? "Zur\xC3\xBC" "ck mit %s" : "Press %s to leave", keys);
  } else if (size) {
    out[0] = '\0';
  }
}

int Handle_Race_Event(const SDL_Event& event) {
  Game& game = *theGame;
  int keep_running = 1;
  switch (event.type) {
    case SDL_KEYDOWN: Key_Down(game, event.key.keysym.sym, keep_running); break;
    case SDL_KEYUP: Key_Up(game, event.key.keysym.sym); break;
    case SDL_JOYAXISMOTION:
      if (event.jaxis.axis <= 1) Axis(game, event.jaxis.axis, event.jaxis.value);
      break;
    case SDL_JOYBUTTONDOWN: Button(game, event.jbutton.button, true, keep_running); break;
    case SDL_JOYBUTTONUP: Button(game, event.jbutton.button, false, keep_running); break;
    default: break;
  }
  return keep_running;
}

void Game::Race_Frame() {
  Measure_Frame_Rate();
  Update_Player();
  Draw_Race_Scene();
}

void Present_Race_Frame() {
  Game& game = *theGame;
  game.Race_Frame();
  Blit_Canvas(canvasSurface, screen);
  Draw_Weather();
  Draw_Speed_Needle();
  Draw_Hud_Icons();
  Draw_Progress_Bar();
  Draw_Gear_Display();
  if (game.game_over) Draw_Image(0, 0, gfx_gameover);
  if (game.race_finished) {
    Draw_Text(130, 310, "RACE FINISHED", 2, 2);
    Draw_Text(131, 309, "RACE FINISHED", 3, 2);
  }
  Draw_Race_End_Hint();
  Score_Tick();
  if (crtFilterFlag) draw_scanlines();
  Present_Screen(screen);
}

void Present_Intro_Frame() {
  theGame->Draw_Race_Scene();
  Blit_Canvas(canvasSurface, screen);
  Draw_Speed_Needle();
  Draw_Hud_Icons();
  if (crtFilterFlag) draw_scanlines();
  Present_Screen(screen);
}

void Game::Race_Loop() {
  const Uint32 start = SDL_GetTicks();
  if (canvasSurface) SDL_FreeSurface(canvasSurface);
  canvasSurface = Wrap_Canvas(canvas->data(), canvas->width, canvas->height);
  intro_running = 1;
  bool flying = true;
  if (vehicles.count >= 2) vehicles[1]->z += kFlyInLift;
  Play_Race_Start();
  Lift_Moving_Vehicles(*this, kFlyInLift);
  int zoom = 400;
  road->position = 0;

  for (;;) {
    const Uint32 frame_start = SDL_GetTicks();
    int keep_running = 1;
    SDL_Event event;
    Call_Frame_Hook(SCREEN_RACE);
    if (flying) {
      bool ended = false;
      while (Poll_Event(&event))
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) ended = true;
      if (frame_start - start > kFlyInMs || ended) {
        End_Fly_In(*this);
        Take_Held_Inputs(*this);
        flying = false;
      } else {
        zoom = zoom - 10 < 100 ? 100 : zoom - 10;
        road->setup(640, 480, 250, zoom);
        sky->set_size(640, 480);
        Present_Intro_Frame();
      }
      Wait_Out_Frame(frame_start);
      continue;
    }
    while (Poll_Event(&event))
      if (!Handle_Race_Event(event)) keep_running = 0;
    Present_Race_Frame();
    Wait_Out_Frame(frame_start);
    if (!keep_running) break;
  }
  if (customTrack) customTrack = 0;
}

void Prepare_First_Frame() {
  theGame->Set_View_Size(640, 480);
  theGame->second_mark = Millis();
  theGame->Race_Frame();
}

void Clear_Race() {
  Game& game = *theGame;
  delete game.road;
  game.road = nullptr;
  game.Free_Object_Sprites();
  Mix_HaltMusic();
  Mix_HaltChannel(-1);
  game.player.speed = 0.0f;
  game.player.accel = 0.0f;
  for (uint32_t i = 0; i < game.lap_times.count; ++i) game.lap_times[i] = 0;
  game.checkpoint_count = game.checkpoints_passed = game.next_checkpoint_z = 0;
  game.place = 0;
  game.input_up = game.input_left = game.input_right = game.input_down = 0;
}
