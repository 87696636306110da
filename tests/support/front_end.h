#pragma once
// A test with the display, the mixer, the game object and the front-end resources, run in a
// fresh directory that sees the generated GFX and SFX trees. Screens are driven through the
// frame hook: `script` runs once per frame of whatever screen is open.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "support/temp_dir.h"

class FrontEndTest : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // Called with the screen id on every frame; frame counts from 1 within the test.
  static std::function<void(int screen_id)> script;
  static int frame;
  // After this many frames the script is abandoned and the screens are left with Escape.
  static int frame_limit;

 private:
  ScopedTempDir* dir_ = nullptr;
};

// Queues a key press and its release, with the modifier keys held.
void Push_Key(SDLKey key, SDLMod mod = KMOD_NONE);
// Queues a joystick axis motion.
void Push_Axis(int axis, int value);
// Queues a joystick button press.
void Push_Button(int button);
// Queues the window-close event.
void Push_Quit();
// Builds a key-down event without queueing it.
SDL_Event Key_Event(SDLKey key, SDLMod mod = KMOD_NONE);
// Builds a joystick axis motion, or a button press or release, without queueing it.
SDL_Event Axis_Event(int axis, int value);
SDL_Event Button_Event(int button, bool down = true);

// One pixel of a 16- or 32-bit surface; of a 32-bit one only the bits its format uses (the
// fourth byte of a display without alpha holds nothing).
inline Uint32 Picture_Pixel(SDL_Surface* picture, int x, int y) {
  SDL_LockSurface(picture);
  Uint8* row = static_cast<Uint8*>(picture->pixels) + y * picture->pitch;
  const SDL_PixelFormat* f = picture->format;
  Uint32 value = f->BytesPerPixel == 2 ? reinterpret_cast<Uint16*>(row)[x]
                                       : reinterpret_cast<Uint32*>(row)[x] & (f->Rmask | f->Gmask | f->Bmask | f->Amask);
  SDL_UnlockSurface(picture);
  return value;
}
// One pixel of the display.
Uint32 Screen_Pixel(int x, int y);

// The first 640x480 pixels of a 32-bit surface, row after row (0 beyond it or for null).
std::vector<uint32_t> Pixels_Of(SDL_Surface* surface);
// Pixels of the screen's rectangle that are not black.
int Lit_Pixels(int x0, int y0, int w, int h);
// Pixels of the screen's rectangle that differ from the same rectangle of the picture file
// drawn at (px, py); -1 when it cannot be loaded.
int Pixels_Off_Picture(const char* path, int px, int py, int x0, int y0, int w, int h);
// 1 when every opaque pixel (of more than ten) of a colour-keyed picture file stands on the
// screen at (x, y).
int Keyed_Picture_Shown(const char* path, int x, int y);
