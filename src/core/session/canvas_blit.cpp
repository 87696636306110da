#include "core/session/canvas_blit.h"

#include <algorithm>
#include <cstdint>

namespace {

// Truncating colour reduction into the target's 16-bit format, as SDL's own blit does.
struct Packing {
  uint32_t r_loss, r_shift, g_loss, g_shift, b_loss, b_shift;
};

void Pack_Row(const uint32_t* src, uint16_t* dst, int count, const Packing& p) {
  for (int x = 0; x < count; ++x) {
    uint32_t c = src[x];
    dst[x] = static_cast<uint16_t>((((c & 0xFF) >> p.r_loss) << p.r_shift) |
                                   ((((c >> 8) & 0xFF) >> p.g_loss) << p.g_shift) |
                                   ((((c >> 16) & 0xFF) >> p.b_loss) << p.b_shift));
  }
}

// The common 5-6-5 display with constant shifts, which the compiler vectorises.
void Pack_Row_565(const uint32_t* src, uint16_t* dst, int count) {
  for (int x = 0; x < count; ++x) {
    uint32_t c = src[x];
    dst[x] = static_cast<uint16_t>(((c & 0xF8) << 8) | ((c >> 5) & 0x07E0) | ((c >> 19) & 0x001F));
  }
}

bool Plain_Pair(const SDL_Surface* source, const SDL_Surface* target) {
  const SDL_PixelFormat* s = source->format;
  const SDL_PixelFormat* t = target->format;
  return s->BitsPerPixel == 32 && s->Rmask == 0x000000FF && s->Gmask == 0x0000FF00 && s->Bmask == 0x00FF0000 &&
         t->BitsPerPixel == 16 && t->BytesPerPixel == 2 && !t->palette;
}

}  // namespace

void Blit_Canvas(SDL_Surface* source, SDL_Surface* target) {
  if (!source || !target) return;
  if (!Plain_Pair(source, target)) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    return;
  }
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) < 0) return;
  const SDL_PixelFormat* f = target->format;
  Packing p = {f->Rloss, f->Rshift, f->Gloss, f->Gshift, f->Bloss, f->Bshift};
  bool is_565 = f->Rmask == 0xF800 && f->Gmask == 0x07E0 && f->Bmask == 0x001F;
  SDL_Rect clip = target->clip_rect;
  int right = std::min<int>(source->w, clip.x + clip.w), bottom = std::min<int>(source->h, clip.y + clip.h);
  for (int y = clip.y; y < bottom; ++y) {
    const uint32_t* src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(source->pixels) + y * source->pitch);
    uint16_t* dst = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(target->pixels) + y * target->pitch);
    if (right <= clip.x) break;
    if (is_565)
      Pack_Row_565(src + clip.x, dst + clip.x, right - clip.x);
    else
      Pack_Row(src + clip.x, dst + clip.x, right - clip.x, p);
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}
