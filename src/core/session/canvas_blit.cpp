#include "core/session/canvas_blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Truncating colour reduction into the target's 16-bit format, as SDL's own blit does.
struct Packing {
  uint32_t r_loss, r_shift, g_loss, g_shift, b_loss, b_shift;
};

void Pack_Row(const uint32_t* src, uint16_t* dst, int count, const Packing& p) {
  for (int x = 0; x < count; ++x) {
    uint32_t c = src[x];
    dst[x] = static_cast<uint16_t>(((((c >> 16) & 0xFF) >> p.r_loss) << p.r_shift) |
                                   ((((c >> 8) & 0xFF) >> p.g_loss) << p.g_shift) |
                                   (((c & 0xFF) >> p.b_loss) << p.b_shift));
  }
}

// The common 5-6-5 display with constant shifts, which the compiler vectorises.
void Pack_Row_565(const uint32_t* src, uint16_t* dst, int count) {
  for (int x = 0; x < count; ++x) {
    uint32_t c = src[x];
    dst[x] = static_cast<uint16_t>(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F));
  }
}

// A 32-bit display with 8-bit channels in another order: the bytes move to the target's places.
void Swizzle_Row(const uint32_t* src, uint32_t* dst, int count, uint32_t r_shift, uint32_t g_shift, uint32_t b_shift) {
  for (int x = 0; x < count; ++x) {
    uint32_t c = src[x];
    dst[x] = ((c >> 16) & 0xFF) << r_shift | ((c >> 8) & 0xFF) << g_shift | (c & 0xFF) << b_shift;
  }
}

bool Canvas_Source(const SDL_PixelFormat* s) {
  return s->BitsPerPixel == 32 && s->Rmask == 0x00FF0000 && s->Gmask == 0x0000FF00 && s->Bmask == 0x000000FF;
}

bool Packed_16(const SDL_PixelFormat* t) { return t->BitsPerPixel == 16 && t->BytesPerPixel == 2 && !t->palette; }

bool Bytes_32(const SDL_PixelFormat* t) {
  return t->BytesPerPixel == 4 && !t->palette && t->Rloss == 0 && t->Gloss == 0 && t->Bloss == 0 &&
         t->Rshift % 8 == 0 && t->Gshift % 8 == 0 && t->Bshift % 8 == 0;
}

}  // namespace

SDL_Surface* Wrap_Canvas(uint32_t* pixels, int width, int height) {
  return SDL_CreateRGBSurfaceFrom(pixels, width, height, 32, width * 4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
}

void Blit_Canvas(SDL_Surface* source, SDL_Surface* target) {
  if (!source || !target) return;
  const SDL_PixelFormat* f = target->format;
  const bool to_16 = Packed_16(f), to_32 = Bytes_32(f);
  if (!Canvas_Source(source->format) || (!to_16 && !to_32)) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    return;
  }
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) < 0) return;
  Packing p = {f->Rloss, f->Rshift, f->Gloss, f->Gshift, f->Bloss, f->Bshift};
  bool is_565 = f->Rmask == 0xF800 && f->Gmask == 0x07E0 && f->Bmask == 0x001F;
  // The canvas's fourth byte lands in the target's unused one, which nothing reads.
  bool is_xrgb = f->Rmask == 0xFF0000 && f->Gmask == 0xFF00 && f->Bmask == 0xFF && f->Amask == 0;
  SDL_Rect clip = target->clip_rect;
  int right = std::min<int>(source->w, clip.x + clip.w), bottom = std::min<int>(source->h, clip.y + clip.h);
  for (int y = clip.y; y < bottom; ++y) {
    if (right <= clip.x) break;
    const uint32_t* src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(source->pixels) + y * source->pitch) + clip.x;
    uint8_t* row = static_cast<uint8_t*>(target->pixels) + y * target->pitch;
    const int count = right - clip.x;
    if (to_32) {
      uint32_t* dst = reinterpret_cast<uint32_t*>(row) + clip.x;
      if (is_xrgb) std::memcpy(dst, src, static_cast<size_t>(count) * 4);
      else Swizzle_Row(src, dst, count, f->Rshift, f->Gshift, f->Bshift);
    } else if (is_565) {
      Pack_Row_565(src, reinterpret_cast<uint16_t*>(row) + clip.x, count);
    } else {
      Pack_Row(src, reinterpret_cast<uint16_t*>(row) + clip.x, count, p);
    }
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}
