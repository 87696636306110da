#include "frontend/screens/present_screen.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

namespace {

// SDL 2's types and values as its headers define them. SDL 1.2's headers are the ones this
// program includes, so SDL 2 is reached through the library sdl12-compat has loaded.
struct Sdl2Window;
struct Sdl2Renderer;
struct Sdl2Texture;
struct Sdl2Format {
  Uint32 format;
};
struct Sdl2Surface {  // the leading fields of SDL_Surface
  Uint32 flags;
  Sdl2Format* format;
  int w, h, pitch;
  void* pixels;
};
struct Sdl2RendererName {  // the leading field of SDL_RendererInfo, with room for the rest
  const char* name;
  Uint32 rest[24];
};
const Uint32 kXrgb8888 = 0x16161804;  // SDL_PIXELFORMAT_RGB888
const int kStreaming = 1;             // SDL_TEXTUREACCESS_STREAMING
const int kNearest = 0, kLinear = 1;  // SDL_ScaleModeNearest, SDL_ScaleModeLinear
const Uint32 kMaxWindowId = 64;

struct Sdl2 {
  Sdl2Window* (*window_from_id)(Uint32);
  Sdl2Renderer* (*renderer_of)(Sdl2Window*);
  int (*renderer_info)(Sdl2Renderer*, Sdl2RendererName*);
  Sdl2Surface* (*window_surface)(Sdl2Window*);
  int (*update_window_surface)(Sdl2Window*);
  Sdl2Texture* (*create_texture)(Sdl2Renderer*, Uint32, int, int, int);
  void (*destroy_texture)(Sdl2Texture*);
  int (*set_scale_mode)(Sdl2Texture*, int);
  int (*update_texture)(Sdl2Texture*, const void*, const void*, int);
  int (*clear)(Sdl2Renderer*);
  int (*copy)(Sdl2Renderer*, Sdl2Texture*, const void*, const void*);
  void (*present)(Sdl2Renderer*);
};

struct Presenter {
  bool looked_up = false, usable = false;
  Sdl2 sdl2{};
  Uint32 window_id = 1;
  Sdl2Window* window = nullptr;
  Sdl2Renderer* renderer = nullptr;
  bool software = false;
  Sdl2Texture* texture = nullptr;
  int clears_left = 0;               // frames that still clear the bars around the picture
  Sdl2Surface* cleared_on = nullptr;  // the window surface they were cleared on
};
Presenter presenter;

template <typename F>
bool Find(void* library, const char* name, F& f) {
  f = reinterpret_cast<F>(dlsym(library, name));
  return f != nullptr;
}

bool Look_Up_Sdl2(Sdl2& s) {
  void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
  if (!library) return false;
  bool found = Find(library, "SDL_GetWindowFromID", s.window_from_id) && Find(library, "SDL_GetRenderer", s.renderer_of) &&
               Find(library, "SDL_GetRendererInfo", s.renderer_info) &&
               Find(library, "SDL_GetWindowSurface", s.window_surface) &&
               Find(library, "SDL_UpdateWindowSurface", s.update_window_surface) &&
               Find(library, "SDL_CreateTexture", s.create_texture) && Find(library, "SDL_DestroyTexture", s.destroy_texture) &&
               Find(library, "SDL_SetTextureScaleMode", s.set_scale_mode) &&
               Find(library, "SDL_UpdateTexture", s.update_texture) && Find(library, "SDL_RenderClear", s.clear) &&
               Find(library, "SDL_RenderCopy", s.copy) && Find(library, "SDL_RenderPresent", s.present);
  dlclose(library);  // sdl12-compat keeps it loaded
  return found;
}

bool Xrgb(const SDL_Surface* s) {
  const SDL_PixelFormat* f = s->format;
  return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000 && f->Gmask == 0x0000FF00 && f->Bmask == 0x000000FF;
}

// sdl12-compat's window and renderer: the one window SDL 2 has, numbered from 1 up as
// video modes change.
bool Find_Window(Presenter& p) {
  for (Uint32 id = p.window_id; id < kMaxWindowId; ++id) {
    if (Sdl2Window* window = p.sdl2.window_from_id(id)) {
      p.window_id = id;
      p.window = window;
      p.renderer = p.sdl2.renderer_of(window);
      Sdl2RendererName info{};
      p.software = p.renderer && p.sdl2.renderer_info(p.renderer, &info) == 0 && info.name &&
                   std::strcmp(info.name, "software") == 0;
      return p.renderer != nullptr;
    }
  }
  return false;
}

bool Ready(Presenter& p, const SDL_Surface* surface) {
  if (!p.looked_up) {
    p.looked_up = true;
    p.usable = Look_Up_Sdl2(p.sdl2);
  }
  if (!p.usable || surface != SDL_GetVideoSurface() || !Xrgb(surface)) return false;
  return p.renderer || Find_Window(p);
}

// The scaling sdl12-compat was started with (Prepare_Presentation sets it from the settings).
bool Smooth_Scaling() {
  const char* method = std::getenv("SDL12COMPAT_SCALE_METHOD");
  return method && std::strcmp(method, "linear") == 0;
}

void Copy_Rows(const SDL_Surface* from, void* to, int to_pitch) {
  const size_t row = static_cast<size_t>(from->w) * 4;
  for (int y = 0; y < from->h; ++y)
    std::memcpy(static_cast<char*>(to) + static_cast<size_t>(y) * to_pitch,
                static_cast<const char*>(from->pixels) + static_cast<size_t>(y) * from->pitch, row);
}

// A software renderer drawing into an unscaled window: the rows go straight into the
// window's own surface.
bool Present_Unscaled(Presenter& p, const SDL_Surface* surface) {
  if (!p.software) return false;
  Sdl2Surface* target = p.sdl2.window_surface(p.window);
  if (!target || target->w != surface->w || target->h != surface->h || !target->format ||
      target->format->format != kXrgb8888)
    return false;
  Copy_Rows(surface, target->pixels, target->pitch);
  return p.sdl2.update_window_surface(p.window) == 0;
}

// Any other renderer or size: one texture in the screen's format, scaled by the renderer.
bool Present_Texture(Presenter& p, const SDL_Surface* surface) {
  if (!p.texture) {
    p.texture = p.sdl2.create_texture(p.renderer, kXrgb8888, kStreaming, surface->w, surface->h);
    if (p.texture) p.sdl2.set_scale_mode(p.texture, Smooth_Scaling() ? kLinear : kNearest);
    p.clears_left = 2;
  }
  // A software renderer draws into the window's own surface, where the black bars stay
  // until the window gets a new one; any other renderer starts each frame on an undefined
  // back buffer.
  if (p.software) {
    Sdl2Surface* target = p.sdl2.window_surface(p.window);
    if (target != p.cleared_on) p.clears_left = 2;
    p.cleared_on = target;
  }
  const bool clear = !p.software || p.clears_left > 0;
  if (p.clears_left > 0) --p.clears_left;
  if (!p.texture || p.sdl2.update_texture(p.texture, nullptr, surface->pixels, surface->pitch) < 0 ||
      (clear && p.sdl2.clear(p.renderer) < 0) || p.sdl2.copy(p.renderer, p.texture, nullptr, nullptr) < 0)
    return false;
  p.sdl2.present(p.renderer);
  return true;
}

}  // namespace

void Present_Screen(SDL_Surface* surface) {
  Presenter& p = presenter;
  if (surface && Ready(p, surface) && (Present_Unscaled(p, surface) || Present_Texture(p, surface))) return;
  SDL_Flip(surface);
}

void Forget_Presentation() {
  Presenter& p = presenter;
  if (p.texture) p.sdl2.destroy_texture(p.texture);
  p.texture = nullptr;
  p.renderer = nullptr;
  p.cleared_on = nullptr;
  p.window = nullptr;
}
