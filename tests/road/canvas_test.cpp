#include "road/canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "road/image.h"

// The canvases here are small but at least 128 bytes, so their pixel blocks are exactly
// their size and the sanitizer build catches any write past the last pixel.
namespace {

const uint32_t kBack = 0x11223344;

uint32_t& At(Canvas& c, int x, int y) { return c.data()[y * c.width + x]; }

void Clear(Canvas& c, uint32_t colour = kBack) {
  for (int i = 0; i < c.width * c.height; ++i) c.data()[i] = colour;
}

// A 32-bit picture whose pixel (x, y) is filled by f.
template <typename F>
image Picture(int w, int h, F f) {
  image img(w, h, 32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) reinterpret_cast<uint32_t*>(img.row(y))[x] = f(x, y);
  return img;
}

// Opaque and distinct for every pixel: A = 255, R = x + 1, G = y + 1.
uint32_t Marked(int x, int y) { return 0xFF000000u | ((y + 1) << 8) | (x + 1); }

uint32_t& Src(image& img, int x, int y) { return reinterpret_cast<uint32_t*>(img.row(y))[x]; }

// Pixels that changed from the background, as a count.
int Changed(Canvas& c) {
  int n = 0;
  for (int i = 0; i < c.width * c.height; ++i) n += c.data()[i] != kBack;
  return n;
}

}  // namespace

TEST(Canvas, ResizeKeepsPixelsAtTheSameSizeAndZeroesOtherwise) {
  Canvas c(16, 8);
  EXPECT_EQ(c.pixels->pitch, 64u);
  EXPECT_EQ(c.pixels->bits_per_pixel, 32u);
  Clear(c);
  c.resize(16, 8);
  EXPECT_EQ(At(c, 15, 7), kBack);
  c.resize(20, 10);
  EXPECT_EQ(c.width, 20);
  EXPECT_EQ(c.height, 10);
  EXPECT_EQ(c.pixels->pixels.count, 800u);
  for (int i = 0; i < 200; ++i) ASSERT_EQ(c.data()[i], 0u);
}

// Every clipped fill against a per-pixel model, over rectangles crossing each edge and corner.
TEST(Canvas, FillRectAndFillSpanClipAtEveryEdge) {
  Canvas c(16, 8);
  const uint32_t colour = 0xFFABCDEF;
  for (int x = -20; x <= 20; x += 3)
    for (int y = -10; y <= 10; y += 3)
      for (int w : {0, 1, 5, 17, 40})
        for (int h : {0, 1, 4, 9, 30}) {
          Clear(c);
          c.fill_rect(x, y, w, h, colour);
          for (int py = 0; py < 8; ++py)
            for (int px = 0; px < 16; ++px) {
              bool inside = px >= x && px < x + w && py >= y && py < y + h;
              ASSERT_EQ(At(c, px, py), inside ? colour : kBack) << x << "," << y << " " << w << "x" << h;
            }
        }
  Clear(c);
  c.fill_rect(-100, -100, 1000, 1000, colour);
  EXPECT_EQ(At(c, 15, 7), colour);
  EXPECT_EQ(Changed(c), 16 * 8);

  for (int x = -20; x <= 20; ++x)
    for (int w = -20; w <= 20; ++w)
      for (int row : {-1, 0, 7, 8}) {
        Clear(c);
        c.fill_span(x, w, row, colour);
        int a = w >= 1 ? x : x + w - 1, b = w >= 1 ? x + w - 1 : x;  // w < 1 runs to x
        for (int py = 0; py < 8; ++py)
          for (int px = 0; px < 16; ++px)
            ASSERT_EQ(At(c, px, py), py == row && px >= a && px <= b ? colour : kBack) << x << " " << w;
      }
  Clear(c);
  c.fill_span(5, 0, 2, colour);  // a zero width fills x - 1 and x
  EXPECT_EQ(At(c, 4, 2), colour);
  EXPECT_EQ(At(c, 5, 2), colour);
  EXPECT_EQ(Changed(c), 2);
}

TEST(Canvas, DarkenSpanHalvesEveryByteInEitherOrderAndClips) {
  Canvas c(16, 8);
  Clear(c, 0xFF817F02);
  c.darken_span(20, -3, 3);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(At(c, x, 3), 0x7F403F01u);
  EXPECT_EQ(At(c, 0, 2), 0xFF817F02u);
  EXPECT_EQ(At(c, 0, 4), 0xFF817F02u);
  c.darken_span(2, 4, 5);
  EXPECT_EQ(At(c, 1, 5), 0xFF817F02u);
  EXPECT_EQ(At(c, 2, 5), 0x7F403F01u);
  EXPECT_EQ(At(c, 4, 5), 0x7F403F01u);
  EXPECT_EQ(At(c, 5, 5), 0xFF817F02u);
  c.darken_span(0, 15, -1);
  c.darken_span(0, 15, 8);
  c.darken_span(16, 30, 1);
  EXPECT_EQ(At(c, 15, 1), 0xFF817F02u);
}

// The unscaled blits against a per-pixel model, for positions and source rectangles that
// cross every edge of the canvas and of the source picture.
TEST(Canvas, UnscaledBlitsClipToCanvasAndSource) {
  Canvas c(16, 8);
  image src = Picture(8, 6, Marked);
  Src(src, 1, 1) = 0xFE0000FF;  // A = 254: only the scaled and keyed forms draw it
  Src(src, 2, 1) = 0x80000000;  // R = 0: not drawn by the keyed form
  Src(src, 3, 1) = 0x000000FF;  // A = 0: drawn by copy only
  for (int mode = 0; mode < 3; ++mode)
    for (int dx = -10; dx <= 17; dx += 3)
      for (int dy = -7; dy <= 9; dy += 2)
        for (int sx : {-3, 0, 2, 7})
          for (int sy : {-2, 0, 3})
            for (int w : {3, 8, 12}) {
              Clear(c);
              int h = w / 2;
              if (mode == 0) c.blit(&src, sx, sy, w, h, dx, dy);
              if (mode == 1) c.blit_keyed(&src, sx, sy, w, h, dx, dy);
              if (mode == 2) c.copy(&src, dx, dy);
              for (int py = 0; py < 8; ++py)
                for (int px = 0; px < 16; ++px) {
                  int ix = mode == 2 ? px - dx : sx + px - dx, iy = mode == 2 ? py - dy : sy + py - dy;
                  bool in_rect = mode == 2 || (px >= dx && px < dx + w && py >= dy && py < dy + h);
                  bool in_src = ix >= 0 && ix < 8 && iy >= 0 && iy < 6;
                  uint32_t p = in_src ? Src(src, ix, iy) : 0;
                  bool shows = mode == 0 ? (p >> 24) == 255 : mode == 1 ? (p >> 24) != 0 && (p & 0xFF) != 0 : true;
                  uint32_t want = in_rect && in_src && shows ? p : kBack;
                  ASSERT_EQ(At(c, px, py), want) << mode << ": " << sx << "," << sy << " -> " << dx << "," << dy;
                }
            }
}

TEST(Canvas, ScaledBlitClipsAndStepsInFixedPoint) {
  Canvas c(16, 8);
  image src = Picture(8, 6, Marked);
  Src(src, 0, 0) = 0xFE0000FF;  // A = 254 is opaque here
  Src(src, 1, 0) = 0x00FFFFFF;  // A = 0 is not
  for (int x = -30; x <= 17; x += 4)
    for (int y = -20; y <= 9; y += 3)
      for (int w : {1, 5, 8, 19, 33})
        for (int h : {1, 6, 13}) {
          Clear(c);
          c.blit_scaled(&src, x, y, w, h);
          int du = 8 * 1024 / w, dv = 6 * 1024 / h;
          for (int py = 0; py < 8; ++py)
            for (int px = 0; px < 16; ++px) {
              bool inside = px >= x && px < x + w && py >= y && py < y + h;
              uint32_t p = inside ? Src(src, ((px - x) * du) >> 10, ((py - y) * dv) >> 10) : 0;
              ASSERT_EQ(At(c, px, py), inside && p > 0xFFFFFF ? p : kBack) << x << "," << y << " " << w << "x" << h << " at " << px << "," << py;
            }
        }

  // The truncated 22.10 step falls behind the exact ratio: 7 columns over 3000 pixels step by
  // 2/1024 instead of 7/3000, so the last pixel still shows column 5, not 6.
  image strip = Picture(7, 32, Marked);
  Clear(c);
  c.blit_scaled(&strip, -2984, 0, 3000, 8);
  EXPECT_EQ(At(c, 15, 0) & 0xFF, 6u);  // R = column + 1
  EXPECT_EQ(At(c, 0, 0) & 0xFF, 6u);
  c.blit_scaled(&strip, 0, 0, 0, 8);  // zero size draws nothing
  c.blit_scaled(nullptr, 0, 0, 5, 5);
}

TEST(Canvas, AdditiveBlitSaturatesMirrorsAndClearsTheFourthByte) {
  Canvas c(16, 8);
  image white = Picture(8, 4, [](int, int) { return 0xFFFFFFFFu; });
  Clear(c);
  c.blit_additive(&white, -4, -2, 40, 20);
  for (int i = 0; i < 16 * 8; ++i) ASSERT_EQ(c.data()[i], 0x00FFFFFFu);

  image picture = Picture(8, 4, [](int x, int y) { return 0xFF000000u | (y * 40 << 8) | (x * 30); });
  Clear(c, 0xFF000000);
  c.blit_additive(&picture, 2, 1, 8, 4);
  EXPECT_EQ(At(c, 2, 1), 0x00000000u);
  EXPECT_EQ(At(c, 9, 4), 0x000078D2u);
  EXPECT_EQ(At(c, 1, 1), 0xFF000000u);

  Clear(c, 0x00405060);
  c.blit_additive(&picture, 0, 0, 8, 4);
  EXPECT_EQ(At(c, 7, 3), 0x0040C8FFu);  // R saturates: 0x60 + 210

  // A negative width mirrors: the first column shows the last source column.
  Clear(c, 0);
  c.blit_additive(&picture, 4, 0, -8, 4);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(At(c, 4 + x, 0) & 0xFF, (7u - x) * 30) << x;
  EXPECT_EQ(At(c, 3, 0), 0u);
  EXPECT_EQ(At(c, 12, 0), 0u);

  // Mirrored and enlarged: sampling stays inside the picture at its left end.
  image narrow = Picture(2, 64, [](int x, int) { return 0xFF000000u | (x ? 100 : 10); });
  Clear(c, 0);
  c.blit_additive(&narrow, 0, 0, -3, 8);
  EXPECT_EQ(At(c, 0, 0), 100u);
  EXPECT_EQ(At(c, 1, 0), 10u);
  EXPECT_EQ(At(c, 2, 0), 10u);
  // Mirrored with the left part clipped off.
  Clear(c, 0);
  c.blit_additive(&picture, -2, 0, -8, 4);
  EXPECT_EQ(At(c, 0, 0) & 0xFF, 5u * 30);
}

TEST(Canvas, TrapezoidStepsEdgesAndTextureInFixedPoint) {
  Canvas c(16, 8);
  image tex = Picture(4, 8, Marked);
  // A rectangle from column 2 to 10, rows 0 to 4 (the near row 4 is left out).
  Clear(c);
  c.textured_trapezoid(&tex, 2 << 10, 10 << 10, 0, 2 << 10, 10 << 10, 4 << 10);
  // du = 3 * 1024 / 8 = 384, dv = 8 * 1024 / 5 = 1638.
  const int columns[8] = {0, 0, 0, 1, 1, 1, 2, 2};
  const int rows[4] = {0, 1, 3, 4};
  for (int r = 0; r < 4; ++r)
    for (int i = 0; i < 8; ++i) ASSERT_EQ(At(c, 2 + i, r), Marked(columns[i], rows[r])) << r << "," << i;
  EXPECT_EQ(At(c, 1, 0), kBack);
  EXPECT_EQ(At(c, 10, 0), kBack);  // the right edge pixel itself is not written
  EXPECT_EQ(Changed(c), 32);

  // Swapped pairs give the same picture.
  Canvas d(16, 8);
  Clear(d);
  d.textured_trapezoid(&tex, 10 << 10, 2 << 10, 0, 10 << 10, 2 << 10, 4 << 10);
  for (int i = 0; i < 16 * 8; ++i) ASSERT_EQ(d.data()[i], c.data()[i]);

  // Height 1: its only row is the near row, so nothing.
  Clear(c);
  c.textured_trapezoid(&tex, 0, 8 << 10, 3 << 10, 0, 8 << 10, 3 << 10);
  EXPECT_EQ(Changed(c), 0);
}

TEST(Canvas, TrapezoidAboveTheTopStartsAtRowZeroWithInterpolatedEdges) {
  Canvas c(16, 8);
  image tex = Picture(4, 8, Marked);
  Clear(c);
  // Far row -2, near row 6: h = 9, dl = 8 * 1024 / 9 = 910, dv = 8 * 1024 / 9 = 910.
  c.textured_trapezoid(&tex, 0, 12 << 10, -2 * 1024, 8 << 10, 12 << 10, 6 << 10);
  int left0 = 2 * 910;  // row 0 is two steps below the far row
  EXPECT_EQ(At(c, (left0 >> 10) - 1, 0), kBack);
  int span = ((12 << 10) - left0) >> 10;
  int du = 3 * 1024 / span;
  EXPECT_EQ(At(c, left0 >> 10, 0), Marked(0, (2 * 910) >> 10));
  EXPECT_EQ(At(c, 11, 0), Marked((du * (11 - (left0 >> 10))) >> 10, 1));
  // Rows run to the one above the near row.
  EXPECT_NE(At(c, 11, 5), kBack);
  EXPECT_EQ(At(c, 11, 6), kBack);

  // Off to the left and to the right: the texture column follows the clipped edge.
  Clear(c);
  c.textured_trapezoid(&tex, -8 * 1024, 30 << 10, 0, -8 * 1024, 30 << 10, 2 << 10);
  int du_wide = 3 * 1024 / 38;
  EXPECT_EQ(At(c, 0, 0), Marked((8 * du_wide) >> 10, 0));
  EXPECT_NE(At(c, 14, 0), kBack);
  EXPECT_EQ(At(c, 15, 0), kBack);  // the last column is never written by a trapezoid
}

// Random and extreme arguments never write outside the canvas or read outside the source
// (checked by the sanitizer build) and never overflow.
TEST(Canvas, RandomArgumentsStayInsideTheCanvas) {
  Canvas c(24, 16);
  image src = Picture(8, 8, Marked);
  image odd(5, 7, 32, 32);  // padded rows
  std::srand(7);
  auto any = [](int range) { return std::rand() % (2 * range + 1) - range; };
  const int huge[] = {-2147483647 - 1, -1000000000, -70000, 0, 70000, 1000000000, 2147483647};
  for (int round = 0; round < 20000; ++round) {
    bool extreme = round % 4 == 0;
    auto pick = [&](int range) { return extreme ? huge[std::rand() % 7] : any(range); };
    const image* img = round % 3 ? &src : &odd;
    switch (round % 7) {
      case 0: c.fill_rect(pick(40), pick(40), pick(60), pick(60), 1); break;
      case 1: c.fill_span(pick(40), pick(60), pick(20), 2); break;
      case 2: c.darken_span(pick(40), pick(40), pick(20)); break;
      case 3: c.blit(img, pick(10), pick(10), pick(30), pick(30), pick(40), pick(40)); break;
      case 4: c.blit_scaled(img, pick(40), pick(40), pick(80), pick(80)); break;
      case 5: c.blit_additive(img, pick(40), pick(40), pick(80), pick(80)); break;
      case 6:
        c.textured_trapezoid(img, pick(40 << 10), pick(40 << 10), pick(30 << 10), pick(40 << 10), pick(40 << 10),
                             pick(30 << 10));
        break;
    }
  }
  SUCCEED();
}
