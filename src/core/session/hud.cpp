// The race picture in its fixed order, the head-up texts in the canvas and the gauges on screen.
#include "core/session/hud.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/session/race_session.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "road/bitmap_font.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/road.h"
#include "road/sky.h"
#include "vehicles/race/catalogue.h"

char exhibitionCaptions[5][32] = {};
int timerBlink = 0;
int captionIndex = 0;
int captionSeconds = 0;

namespace {
constexpr int kSmallLine = 16 - 2;  // small font cell height minus 2
constexpr int kLapClockStep = 66;   // milliseconds per frame

void Draw_Small(Game& game, int x, int y, const char* text) {
  if (game.small_font) game.small_font->draw_text(game.canvas, x, y, -1, -1, text);
}

void Draw_Lap_List(Game& game) {
  if (!game.game_over && !game.race_finished && !game.intro_running) game.lap_times[0] += kLapClockStep;
  Draw_Small(game, 532, 80, "LAP:         ");
  int y = 80;
  char text[48];
  for (uint32_t i = 0; i < game.lap_times.count; ++i) {
    if (game.lap_times[i] == 0) continue;
    Format_Lap_Time(text, sizeof text, game.lap_times[i]);
    if (game.small_font) game.small_font->draw_text(game.canvas, game.canvas->width - 3, y, 1, -1, text);
    y += kSmallLine;
  }
}

void Draw_Timer(Game& game) {
  const bool racing = !game.race_finished && !game.intro_running;
  if (racing) Tick_Race_Timer(game, Millis());
  char text[16];
  const char* shown = Timer_Text(text, sizeof text, game.seconds_left, racing);
  if (shown && game.big_font) game.big_font->draw_text(game.canvas, 30, 30, -1, -1, shown);
  if (!racing) return;
  Apply_Time_Out_Rules(game);
  if (!game.exhibition_captions) return;
  if (game.seconds_left != captionSeconds) {
    captionSeconds = game.seconds_left;
    captionIndex = captionIndex >= 3 ? 0 : captionIndex + 1;
  }
  if (game.big_font) game.big_font->draw_text(game.canvas, 320, 290, 0, -1, exhibitionCaptions[captionIndex]);
}

Uint32 Screen_Colour(Uint8 r, Uint8 g, Uint8 b) { return SDL_MapRGB(screen->format, r, g, b); }

// A one-pixel line from (x0, y0) to (x1, y1), both ends included.
void Fill_Line(int x0, int y0, int x1, int y1, Uint32 colour) {
  SDL_Rect rect = {static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 - x0 + 1),
                   static_cast<Uint16>(y1 - y0 + 1)};
  SDL_FillRect(screen, &rect, colour);
}
}  // namespace

void Format_Lap_Time(char* out, size_t size, long ms) {
  std::snprintf(out, size, "      %i'%01i\".%01i", static_cast<int>(ms / 60000), static_cast<int>(ms % 60000 / 1000),
                static_cast<int>(ms % 1000 / 10));
}

const char* Timer_Text(char* out, size_t size, int seconds_left, bool racing) {
  if (!racing) {
    std::snprintf(out, size, "%02d", seconds_left);
    return out;
  }
  if (seconds_left < 1)
    std::snprintf(out, size, "OVER!");
  else
    std::snprintf(out, size, "%02d", seconds_left);
  if (seconds_left < 4) {  // hidden 8 frames, shown 7, in a cycle of 15
    timerBlink += 1;
    if (timerBlink > 14) {
      timerBlink = 0;
      return nullptr;
    }
    if (timerBlink < 8) return nullptr;
  }
  return out;
}

void Game::Draw_Race_Scene() {
  sky->horizon_row = static_cast<int>(road->far_y);
  sky->draw(canvas);
  road->fill_buckets(road->buckets, road->position);
  if (road->draw(*canvas, road->buckets, road->position)) {
    Shift_Lap_Times(*this);
    Setup_Race();
  }
  sprite* car = Player_Car_Sprite(*this);
  if (car) player.Draw_Player_Car(canvas, camera, smoke_left, smoke_right, smoke_sprite, car, car->x, car->y, car->z);
  Draw_Lap_List(*this);

  char text[32];
  Draw_Small(*this, 305, 45, "SCORE");
  std::snprintf(text, sizeof text, "       %i", score);
  Draw_Small(*this, 250, 33, text);
  Draw_Small(*this, 25, canvas->height - 20, "RACE POSITION ");
  Draw_Small(*this, 30, 85, "SECONDS LEFT");
  Draw_Small(*this, 532, 50, "RACE PROGRESS");
  if (!race_finished && vehicle_sprites[SLOT_SPEEDOMETER])
    vehicle_sprites[SLOT_SPEEDOMETER]->draw(canvas, 0, 318, 480, 1.0f);
  std::snprintf(text, sizeof text, "FPS: %02i", static_cast<int>(fps_value));
  Draw_Small(*this, 290, canvas->height - 15, text);
  Draw_Timer(*this);
  std::snprintf(text, sizeof text, "%d", place);
  if (big_font) big_font->draw_text(canvas, 30, 405, -1, -1, text);
}

void Needle_End(float speed, int* ex, int* ey) {
  const int a = static_cast<int>(speed) * 209 / 160 - 15;  // degrees
  const double r = a * 3.14 / 180.0;
  *ex = static_cast<int>(318.0 - std::cos(r) * 80.0);
  *ey = static_cast<int>(445.0 - std::sin(r) * 80.0);
}

int Progress_Marker_X(int position, int track_length) {
  long long p = track_length > 0 ? static_cast<long long>(position) * 100 / track_length : 0;
  if (p < 0) p = 0;
  if (p > 100) p = 100;  // the marker stays inside the frame
  return 535 + static_cast<int>(p);
}

void Draw_Screen_Line(int x0, int y0, int x1, int y1, Uint32 colour) {
  if (!screen) return;
  const double dx = x1 - x0, dy = y1 - y0;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length == 0.0) return;
  const double ux = dx / length, uy = dy / length;
  const int bpp = screen->format->BytesPerPixel;
  Uint8* pixels = static_cast<Uint8*>(screen->pixels);
  double x = x0, y = y0;
  for (int step = 0; step + 1 < length; ++step, x += ux, y += uy) {
    const int px = static_cast<int>(x), py = static_cast<int>(y);
    if (px < 0 || py < 0 || px >= screen->w || py >= screen->h) continue;
    Uint8* at = pixels + py * screen->pitch + px * bpp;
    if (bpp == 2) {
      const Uint16 packed = static_cast<Uint16>(colour);
      std::memcpy(at, &packed, 2);
    } else if (bpp == 4) {
      std::memcpy(at, &colour, 4);
    } else {
      SDL_Rect dot = {static_cast<Sint16>(px), static_cast<Sint16>(py), 1, 1};
      SDL_FillRect(screen, &dot, colour);
    }
  }
}

void Draw_Speed_Needle() {
  if (!screen || theGame->race_finished) return;
  theGame->gauge_speed = theGame->player.speed;
  int ex = 0, ey = 0;
  Needle_End(theGame->player.speed, &ex, &ey);
  const Uint32 red = Screen_Colour(255, 0, 0);
  Draw_Screen_Line(318, 445, ex, ey, red);
  Draw_Screen_Line(319, 445, ex + 1, ey, red);
  Draw_Screen_Line(318, 444, ex, ey - 1, red);
}

void Draw_Hud_Icons() {
  Draw_Image(2, 2, gfx_icon_time);
  Draw_Image(267, 2, gfx_icon_score);
  Draw_Image(470, 2, gfx_icon_road);
  Draw_Image(2, 375, gfx_icon_position);
}

void Draw_Progress_Bar() {
  if (!screen) return;
  const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0), red = SDL_MapRGB(screen->format, 255, 0, 0);
  Fill_Line(534, 36, 637, 36, black);
  Fill_Line(534, 51, 637, 51, black);
  Fill_Line(534, 36, 534, 51, black);
  Fill_Line(636, 36, 636, 51, black);
  const int marker = Progress_Marker_X(theGame->road ? theGame->road->position : 0, theGame->track_length);
  Fill_Line(marker - 1, 37, marker - 1, 51, black);
  Fill_Line(marker, 37, marker, 51, red);
  Fill_Line(marker + 1, 37, marker + 1, 51, black);
}
