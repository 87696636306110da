#include "core/loop/exhibition.h"

#include <cstdio>

#include "audio/playback/engine_sound.h"
#include "audio/playback/radio.h"
#include "common/frame_hook.h"
#include "core/session/canvas_blit.h"
#include "core/session/hud.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "road/canvas.h"
#include "road/road.h"
#include "road/weather.h"
#include "track/generator.h"

SDL_Surface* exhibitionSurface = nullptr;

namespace {

constexpr Uint32 kFrameMs = 50;
constexpr int kBandLeft = 250;
constexpr int kBandRight = 350;
constexpr int kLookAhead = 699;

struct Rotation_Step {
  int track_type, song;
};
// By exhibition_round after it is advanced: 1, 2, then 0.
const Rotation_Step kRotation[3] = {{8, 0}, {7, 13}, {3, 4}};

// Handles one event; returns 0 when the viewer ends the visit.
int Handle_Exhibition_Event(Game& game, const SDL_Event& event) {
  if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_DOWN) game.input_down = 0;
  if (event.type == SDL_JOYBUTTONDOWN) return 0;  // a pad ends the visit as Return does
  if (event.type != SDL_KEYDOWN) return 1;
  switch (event.key.keysym.sym) {
    case SDLK_UP: game.input_up = 1; break;
    case SDLK_DOWN: game.input_down = 1; break;
    case SDLK_RIGHT: game.input_right = 1; break;
    case SDLK_LEFT: game.input_left = 1; break;
    case SDLK_PAGEUP: Next_Song(); break;
    case SDLK_PAGEDOWN: Previous_Song(); break;
    case SDLK_F12:
    case SDLK_PRINT: game.Take_Screenshot(); break;
    case SDLK_ESCAPE:
    case SDLK_RETURN:
    case SDLK_SPACE: return 0;
    default: break;
  }
  return 1;
}

// The track type of a rotation step (exhibition_round after it is advanced).
int Rotation_Type(int round) { return round >= 0 && round < 3 ? kRotation[round].track_type : 8; }

}  // namespace

void Fill_Exhibition_Captions() {
  static const char* const lines[5] = {"VANTO RELLO", "DEMO DRIVE", "PRESS ENTER", "AND RACE!", "HAVE FUN"};
  for (int i = 0; i < 5; ++i) std::snprintf(exhibitionCaptions[i], sizeof exhibitionCaptions[i], "%s", lines[i]);
}

void Build_Exhibition_Track(int track_type) {
  Game& game = *theGame;
  game.track_type = track_type;
  Exhibition_Defaults(track_type);
  game.Generate_Track();
  if (game.road) game.Sectors_To_Road_Objects();
  for (const Rotation_Step& step : kRotation)
    if (step.track_type == track_type) Play_Song(step.song);
}

void Exhibition_Autopilot() {
  Game& game = *theGame;
  const int lateral = game.road->lateral;
  game.input_left = game.input_right = 0;
  if (lateral > kBandRight) game.input_right = 1;
  else if (lateral < kBandLeft) game.input_left = 1;
  const int position = game.road->position;
  for (uint32_t i = 0; i < game.vehicles.count; ++i) {
    const vehicle* v = game.vehicles[i];
    if (v->speed > 1.0f && v->z > position && v->z <= position + kLookAhead &&
        game.Near_Player_Lane(static_cast<int>(i)))
      game.input_right = 1;
  }
  game.input_up = 1;
}

void Game::Exhibition_Frame() {
  Exhibition_Autopilot();
  Race_Frame();
  SDL_BlitSurface(exhibitionSurface, nullptr, screen, nullptr);
  if (weather == 2) {
    draw_rain();
    draw_lightning();
  }
  Draw_Speed_Needle();
  Draw_Hud_Icons();
  Draw_Progress_Bar();
  Draw_Gear_Display();
  if (crtFilterFlag) draw_scanlines();
  Present_Screen(screen);
}

void Game::Exhibition_Loop() {
  exhibition_captions = 1;
  exhibition_round = exhibition_round + 1 >= 3 ? 0 : exhibition_round + 1;
  Build_Exhibition_Track(Rotation_Type(exhibition_round));
  Set_View_Size(640, 480);
  // Made after the canvas has its size, so the wrapper holds the pixels the frames draw into.
  exhibitionSurface = Wrap_Canvas(canvas->data(), canvas->width, canvas->height);
  // A track that could not be generated has no road to drive: the visit ends at once.
  int running = road != nullptr;
  if (running) {
    second_mark = Millis();
    Race_Frame();
  }
  while (running) {
    const Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_EXHIBITION);
    SDL_Event event;
    while (Poll_Event(&event))
      if (!Handle_Exhibition_Event(*this, event)) running = 0;
    Exhibition_Frame();
    const Uint32 spent = SDL_GetTicks() - start;
    if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
  }
  exhibition_captions = 0;
  SDL_FreeSurface(exhibitionSurface);
  exhibitionSurface = nullptr;
}
