#include "core/game.h"

#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/safe_file.h"

#include "core/exhibition.h"
#include "frontend/config.h"
#include "road/bitmap_font.h"
#include "road/camera.h"
#include "road/road.h"
#include "road/sky.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/particles.h"

Game* theGame = nullptr;
SDL_Surface* screen = nullptr;
SDL_Surface* canvasSurface = nullptr;
SDL_Joystick* joystick = nullptr;
uint8_t hasJoystick = 0;
uint8_t customTrack = 0;
uint8_t quitRequested = 0;
uint8_t exhibitionMode = 0;
int frameCounter = 0;
int fpsMarkTime = 0, fpsInterval = 0, nowTime = 0;

namespace {
// Registered before main runs, so at exit it runs after Shut_Down (registered later).
void Destroy_Game() {
  delete theGame;
  theGame = nullptr;
}
const int destroy_registered = std::atexit(Destroy_Game);
}  // namespace

double Millis() {
  timeval now;
  gettimeofday(&now, nullptr);
  return static_cast<double>(static_cast<long long>(now.tv_sec) * 1000 + now.tv_usec / 1000);
}

Game::Game() {
  (void)destroy_registered;
  language = settings.language;
  Fill_Exhibition_Captions();
  small_font = new BitmapFont("GFX/VantoRelloFont12.png", 12, 16);
  big_font = new BitmapFont("GFX/VantoRelloFont60.png", 51, 69);
  lap_times.resize(5);
  canvas = new Canvas(640, 480);
  camera = new Camera(320.0f, 144.0f, view_depth);
  sky = new Sky(640, 480);  // its pictures come with the vehicle sprites
  smoke_sprite = new sprite("GFX/tsmoke2.png", 4, 4, 1.0f);
  smoke_sprite->no_shadow();
  smoke_left = new particler::Emitter(camera);
  smoke_right = new particler::Emitter(camera);
}

Game::~Game() {
  delete road;
  Free_Object_Sprites();
  for (sprite* set : vehicle_sprites) delete set;
  for (sprite* car : car_models) delete car;
  delete smoke_right;
  delete smoke_left;
  delete smoke_sprite;
  delete sky;
  delete big_font;
  delete small_font;
  delete camera;
  delete canvas;
}

void Game::Set_View_Size(int width, int height) {
  canvas->resize(width, height);
  view_depth = 36.0f * width / 100.0f;
  if (selected_car >= 0 && selected_car < 20 && car_models[selected_car])
    car_models[selected_car]->z = static_cast<int>(160.0 * view_depth / 100.0);
  camera->depth = view_depth;
  camera->centre_x = 0.5f * width;
  camera->centre_y = 0.3f * height;
  sky->set_size(width, height);
  if (road) road->setup(width, height, 250, 100);
}

namespace {
// Encodes the display as a BMP in memory and writes it through a temporary file, so a full
// disk never leaves a broken picture behind.
void Save_Screen_Bmp(const char* name) {
  if (!screen) return;
  size_t bound = 4096 + static_cast<size_t>(screen->h) * (static_cast<size_t>(screen->w) * 4 + 4);
  std::vector<unsigned char> bytes(bound);
  SDL_RWops* memory = SDL_RWFromMem(bytes.data(), static_cast<int>(bound));
  if (!memory) return;
  int ok = SDL_SaveBMP_RW(screen, memory, 0) == 0;
  long size = SDL_RWtell(memory);
  SDL_RWclose(memory);
  if (ok && size > 0) Write_File_Atomic(name, bytes.data(), static_cast<size_t>(size));
}
}  // namespace

void Game::Take_Screenshot() {
  // Skips numbers already on disk so earlier screenshots are never overwritten.
  while (screenshot_count < 99) {
    ++screenshot_count;
    char name[32];
    std::snprintf(name, sizeof name, "Screenshot-%02d.bmp", screenshot_count);
    if (access(name, F_OK) == 0) continue;
    Save_Screen_Bmp(name);
    return;
  }
}

void Game::Measure_Frame_Rate() {
  // The clock's integer part wraps into 32 bits; only differences are used.
  Measure_Frame_Rate_At(static_cast<int>(static_cast<uint32_t>(static_cast<long long>(Millis()))));
}

void Game::Measure_Frame_Rate_At(int now) {
  nowTime = now;
  if (frameCounter == 20) {
    // Unsigned, so the difference stays right when the clock passes 2^31 or wraps.
    fpsInterval = static_cast<int>(static_cast<uint32_t>(nowTime) - static_cast<uint32_t>(fpsMarkTime));
    fpsMarkTime = nowTime;
    float v = fpsInterval != 0 ? 20000.0f / fpsInterval * 3.0f : 0.0f;
    fps_value = (v >= 1.0f && v <= 200.0f) ? v : 0.0f;
    frameCounter = 1;
  } else {
    frameCounter += 1;
  }
}
