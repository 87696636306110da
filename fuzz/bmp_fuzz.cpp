// The front end's BMP loading: a broken picture gives a null handle, a good one a whole surface.
#include <SDL/SDL.h>

#include "frontend/graphics/menu_graphics.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Silence_Standard_Output();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Write_Fuzz_File("fuzz.bmp", data, size);
  SDL_Surface* picture = Load_Sprites("fuzz.bmp", 1);
  if (!picture) return 0;
  if (picture->w <= 0 || picture->h <= 0 || !picture->pixels) __builtin_trap();
  const uint8_t* pixels = static_cast<const uint8_t*>(picture->pixels);
  unsigned sum = 0;
  for (int y = 0; y < picture->h; ++y) sum += pixels[y * picture->pitch + picture->w * picture->format->BytesPerPixel - 1];
  volatile unsigned keep = sum;
  (void)keep;
  SDL_FreeSurface(picture);
  return 0;
}
