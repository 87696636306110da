#include "support/front_end.h"

#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>

#include <cstring>
#include <filesystem>

#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/screens/video_mode.h"
#include "road/weather.h"

std::function<void(int)> FrontEndTest::script;
int FrontEndTest::frame = 0;
int FrontEndTest::frame_limit = 600;

namespace {

void Run_Script(int screen_id) {
  ++FrontEndTest::frame;
  if (FrontEndTest::frame > FrontEndTest::frame_limit) {
    if (FrontEndTest::frame == FrontEndTest::frame_limit + 1) ADD_FAILURE() << "script did not finish";
    Push_Key(SDLK_ESCAPE);
    return;
  }
  if (FrontEndTest::script) FrontEndTest::script(screen_id);
}

void Link_Tree(const char* name) {
  namespace fs = std::filesystem;
  fs::path source = fs::path(VR_TEST_RUN_DIR) / name;
  std::error_code ignored;
  if (fs::exists(source)) fs::create_directory_symlink(source, name, ignored);
}

}  // namespace

void FrontEndTest::SetUp() {
  dir_ = new ScopedTempDir;
  Link_Tree("GFX");
  Link_Tree("SFX");
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER | SDL_INIT_JOYSTICK), 0);
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0);
  Load_Config();
  screen = Open_Display(0);
  ASSERT_NE(screen, nullptr);
  TTF_Init();
  Load_Sounds();
  Load_Fonts();
  Load_Menu_Graphics();
  init_weather();
  theGame = new Game;
  script = nullptr;
  frame = 0;
  frame_limit = 600;
  frameHook = Run_Script;
}

void FrontEndTest::TearDown() {
  frameHook = nullptr;
  script = nullptr;
  delete theGame;
  theGame = nullptr;
  Free_Menu_Graphics();
  Free_Sounds();
  Mix_CloseAudio();
  Free_Fonts();
  TTF_Quit();
  SDL_Quit();
  screen = nullptr;
  quitRequested = exhibitionMode = customTrack = 0;
  delete dir_;
}

SDL_Event Key_Event(SDLKey key, SDLMod mod) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  event.key.keysym.mod = mod;
  return event;
}

void Push_Key(SDLKey key, SDLMod mod) {
  SDL_Event down = Key_Event(key, mod);
  SDL_PushEvent(&down);
  SDL_Event up = down;
  up.type = up.key.type = SDL_KEYUP;
  up.key.state = SDL_RELEASED;
  SDL_PushEvent(&up);
}

SDL_Event Axis_Event(int axis, int value) {
  SDL_Event event{};
  event.type = event.jaxis.type = SDL_JOYAXISMOTION;
  event.jaxis.axis = static_cast<Uint8>(axis);
  event.jaxis.value = static_cast<Sint16>(value);
  return event;
}

void Push_Axis(int axis, int value) {
  SDL_Event event = Axis_Event(axis, value);
  SDL_PushEvent(&event);
}

SDL_Event Button_Event(int button, bool down) {
  SDL_Event event{};
  event.type = event.jbutton.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  event.jbutton.button = static_cast<Uint8>(button);
  event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  return event;
}

void Push_Button(int button) {
  SDL_Event event = Button_Event(button);
  SDL_PushEvent(&event);
}

void Push_Quit() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

std::vector<uint32_t> Pixels_Of(SDL_Surface* surface) {
  std::vector<uint32_t> pixels(640 * 480, 0);
  if (!surface) return pixels;
  SDL_LockSurface(surface);
  for (int y = 0; y < 480 && y < surface->h; ++y)
    std::memcpy(&pixels[y * 640], static_cast<uint8_t*>(surface->pixels) + y * surface->pitch, 640 * 4);
  SDL_UnlockSurface(surface);
  return pixels;
}

Uint32 Screen_Pixel(int x, int y) { return Picture_Pixel(screen, x, y); }

int Lit_Pixels(int x0, int y0, int w, int h) {
  int lit = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) lit += Screen_Pixel(x, y) != 0;
  return lit;
}

int Pixels_Off_Picture(const char* path, int px, int py, int x0, int y0, int w, int h) {
  SDL_Surface* picture = Load_Sprites(path, 0);
  EXPECT_NE(picture, nullptr) << path;
  if (!picture) return -1;
  int changed = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) changed += Screen_Pixel(x, y) != Picture_Pixel(picture, x - px, y - py);
  SDL_FreeSurface(picture);
  return changed;
}

int Keyed_Picture_Shown(const char* path, int x, int y) {
  SDL_Surface* picture = Load_Sprites(path, 1);
  EXPECT_NE(picture, nullptr) << path;
  if (!picture) return 0;
  int opaque = 0, wrong = 0;
  for (int py = 0; py < picture->h; ++py)
    for (int px = 0; px < picture->w; ++px) {
      Uint32 value = Picture_Pixel(picture, px, py);
      if (value == picture->format->colorkey) continue;
      ++opaque;
      wrong += Screen_Pixel(x + px, y + py) != value;
    }
  SDL_FreeSurface(picture);
  return opaque > 10 && wrong == 0;
}
