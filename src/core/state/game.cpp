// The game's globals, the wall clock, screenshots and the frame-rate meter.
#include "core/state/game.h"

#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/safe_file.h"

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

double Millis() {
  timeval now;
  gettimeofday(&now, nullptr);
  return static_cast<double>(static_cast<long long>(now.tv_sec) * 1000 + now.tv_usec / 1000);
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
