#include "road/canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "road/image.h"

// The canvases here are at least 128 bytes, so their pixel blocks are exactly their size
// and the sanitizer build catches any access past the last pixel.
namespace {

const uint32_t kBack = 0x11223344;

uint32_t& At(Canvas& c, int x, int y) { return c.data()[y * c.width + x]; }
void Clear(Canvas& c, uint32_t colour = kBack) { std::fill(c.data(), c.data() + c.width * c.height, colour); }
uint32_t& Src(image& img, int x, int y) { return reinterpret_cast<uint32_t*>(img.row(y))[x]; }

// Opaque and distinct for every pixel: A = 255, R = x + 1, G = y + 1.
uint32_t Marked(int x, int y) { return Pixel_Word(x + 1, y + 1, 0, 255); }

image Picture(int w, int h, uint32_t (*f)(int, int) = Marked) {
  image img(w, h, 32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) Src(img, x, y) = f(x, y);
  return img;
}

int Changed(Canvas& c) { return static_cast<int>(c.width * c.height - std::count(c.data(), c.data() + c.width * c.height, kBack)); }

// Compares every pixel with model(x, y), which gives the expected colour or kBack.
template <typename F>
void Expect_Model(Canvas& c, F model, const char* what) {
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) ASSERT_EQ(At(c, x, y), model(x, y)) << what << " at " << x << "," << y;
}

}  // namespace

TEST(Canvas, ResizeKeepsPixelsOnlyAtTheSameSize) {
  Canvas c(16, 8);
  Clear(c);
  c.resize(16, 8);
  EXPECT_EQ(At(c, 15, 7), kBack);
  c.resize(20, 10);
  EXPECT_EQ(c.pixels->pitch, 80u);
  EXPECT_EQ(At(c, 0, 0), 0u);
}

TEST(Canvas, FillsClipAtEveryEdge) {
  Canvas c(16, 8);
  const uint32_t k = 0xFFABCDEF;
  for (int x = -20; x <= 20; x += 3)
    for (int y = -10; y <= 10; y += 3)
      for (int w : {0, 1, 5, 17, 40})
        for (int h : {0, 1, 4, 9, 30}) {
          Clear(c);
          c.fill_rect(x, y, w, h, k);
          Expect_Model(c, [&](int px, int py) { return px >= x && px < x + w && py >= y && py < y + h ? k : kBack; },
                       "fill_rect");
        }
  for (int x = -20; x <= 20; x += 2)
    for (int w = -20; w <= 20; ++w)
      for (int row : {-1, 0, 7, 8}) {
        Clear(c);
        c.fill_span(x, w, row, k);
        int a = w >= 1 ? x : x + w - 1, b = w >= 1 ? x + w - 1 : x;  // w < 1 runs up to x; 0 fills x - 1, x
        Expect_Model(c, [&](int px, int py) { return py == row && px >= a && px <= b ? k : kBack; }, "fill_span");
      }
  Clear(c, 0xFF817F02);
  c.darken_span(20, -3, 3);
  c.darken_span(0, 15, 8);
  EXPECT_EQ(At(c, 0, 3), 0x7F403F01u);  // every byte halved, the fourth too
  EXPECT_EQ(At(c, 15, 3), 0x7F403F01u);
  EXPECT_EQ(At(c, 0, 4), 0xFF817F02u);
}

// Positions and source rectangles crossing every edge of the canvas and of the picture.
TEST(Canvas, UnscaledBlitsClipToCanvasAndSource) {
  Canvas c(16, 8);
  image src = Picture(8, 6);
  Src(src, 1, 1) = Pixel_Word(255, 0, 0, 254);  // A = 254: the keyed form draws it, blit does not
  Src(src, 2, 1) = Pixel_Word(0, 0, 0, 128);    // R = 0: not keyed
  Src(src, 3, 1) = Pixel_Word(255, 0, 0, 0);    // A = 0: copy only
  for (int mode = 0; mode < 3; ++mode)
    for (int dx = -10; dx <= 17; dx += 3)
      for (int dy = -7; dy <= 9; dy += 2)
        for (int sx : {-3, 0, 2, 7})
          for (int sy : {-2, 0, 3})
            for (int w : {3, 8, 12}) {
              int h = w / 2;
              Clear(c);
              if (mode == 0) c.blit(&src, sx, sy, w, h, dx, dy);
              if (mode == 1) c.blit_keyed(&src, sx, sy, w, h, dx, dy);
              if (mode == 2) c.copy(&src, dx, dy), sx = sy = 0, w = 8, h = 6;
              Expect_Model(c, [&](int px, int py) {
                int ix = sx + px - dx, iy = sy + py - dy;
                bool in = px >= dx && px < dx + w && py >= dy && py < dy + h && ix >= 0 && ix < 8 && iy >= 0 && iy < 6;
                uint32_t p = in ? Src(src, ix, iy) : 0;
                bool shows = mode == 0 ? p >> 24 == 255 : mode == 1 ? p >> 24 && (p & Pixel_Word(255, 0, 0, 0)) : in;
                return in && shows ? p : kBack;
              }, "unscaled");
            }
}

// Drawn where A is not 0: clear borders, a row with nothing, one with a hole, one with only
// its two end pixels, and colour in a pixel whose A is 0.
uint32_t Bordered(int x, int y) {
  static const char* const kRows[6] = {"........", "...#....", ".####.#.", "#......#", "########", ".......#"};
  if (kRows[y][x] == '#') return Marked(x, y) - (x == 7 && y == 5 ? 254u << 24 : 0);  // A = 1 shows too
  return Pixel_Word(x + 1, y + 1, 9, 0);
}

TEST(Canvas, ScaledBlitClipsAndStepsInFixedPoint) {
  Canvas c(16, 8);
  image plain = Picture(8, 6);
  Src(plain, 0, 0) = 0xFE0000FF;  // any A but 0 shows
  Src(plain, 1, 0) = 0x00FFFFFF;
  // With its rows' drawn columns measured, the blit visits only those; the result must not change.
  image bordered = Picture(8, 6, Bordered);
  bordered.find_opaque_columns();
  ASSERT_EQ(bordered.opaque.count, 6u);
  // Mirrored: what the mirror image would show, column 7 - the sampled one.
  for (image* src : {&plain, &bordered})
    for (bool mirrored : {false, true})
      for (int x = -30; x <= 17; x += 4)
        for (int y = -20; y <= 9; y += 3)
          for (int w : {1, 5, 8, 19, 33, 9000})
            for (int h : {1, 6, 13}) {
              Clear(c);
              c.blit_scaled(src, x, y, w, h, mirrored);
              int du = 8 * 1024 / w, dv = 6 * 1024 / h;
              Expect_Model(c, [&](int px, int py) {
                bool in = px >= x && px < x + w && py >= y && py < y + h;
                int column = ((px - x) * du) >> 10;
                uint32_t p = in ? Src(*src, mirrored ? 7 - column : column, ((py - y) * dv) >> 10) : 0;
                return p > 0xFFFFFF ? p : kBack;
              }, src == &plain ? "blit_scaled" : "blit_scaled, measured rows");
            }
  // The truncated step (7 * 1024 / 3000 = 2) falls behind the exact ratio: the last of
  // 3000 columns still shows source column 5, not 6.
  image strip = Picture(7, 32);
  c.blit_scaled(&strip, -2984, 0, 3000, 8);
  EXPECT_EQ(At(c, 15, 0), Marked(5, 0));
}

// A blit told which blits come later leaves out only what they paint over: once they are
// drawn the canvas is the same as without covers. Covers cross every edge of the blit and of
// the canvas, mirrored or not, with rows that are solid, holed and empty.
TEST(Canvas, ScaledBlitLeavesOutWhatLaterBlitsPaintOver) {
  Canvas with(16, 8), without(16, 8);
  image under = Picture(8, 6, Bordered);
  under.find_opaque_columns();
  image solid = Picture(8, 6);
  solid.find_opaque_columns();
  image bordered = Picture(8, 6, Bordered);
  bordered.find_opaque_columns();
  image unmeasured = Picture(8, 6);  // no known solid rows: covers nothing
  int left_out = 0;
  for (bool mirrored : {false, true})
    for (int cx = -14; cx <= 15; cx += 3)
      for (int cy = -9; cy <= 7; cy += 2)
        for (int cw : {4, 11, 24})
          for (int ch : {3, 9}) {
            const ScaledBlit covers[3] = {{&solid, cx, cy, cw, ch, mirrored},
                                          {&bordered, cx + cw - 3, cy - 1, 9, ch + 2, !mirrored},
                                          {&unmeasured, cx - 6, cy + 1, 7, 5, false}};
            Clear(with);
            Clear(without);
            with.blit_scaled(&under, -5, -2, 27, 13, mirrored, covers, 3);
            without.blit_scaled(&under, -5, -2, 27, 13, mirrored);
            left_out += static_cast<int>(std::count(with.data(), with.data() + 128, kBack)) -
                        static_cast<int>(std::count(without.data(), without.data() + 128, kBack));
            for (const ScaledBlit& b : covers) {
              with.blit_scaled(b.img, b.x, b.y, b.w, b.h, b.mirrored);
              without.blit_scaled(b.img, b.x, b.y, b.w, b.h, b.mirrored);
            }
            Expect_Model(with, [&](int px, int py) { return At(without, px, py); }, "covered blit");
          }
  EXPECT_GT(left_out, 1000);  // the covers did spare work
}

TEST(Canvas, AdditiveBlitSaturatesMirrorsAndClearsTheFourthByte) {
  Canvas c(16, 8);
  image white = Picture(8, 4, [](int, int) { return 0xFFFFFFFFu; });
  c.blit_additive(&white, -4, -2, 40, 20);
  EXPECT_EQ(std::count(c.data(), c.data() + 128, 0x00FFFFFFu), 128);

  image ramp = Picture(8, 4, [](int x, int y) { return 0xFF000000u | (y * 40 << 8) | (x * 30); });
  Clear(c, 0xFF000050);
  c.blit_additive(&ramp, 0, 0, 8, 4);
  EXPECT_EQ(At(c, 1, 3), 0x0000786Eu);  // 0x50 + 30, 0 + 120, fourth byte 0
  EXPECT_EQ(At(c, 7, 0), 0x000000FFu);  // 0x50 + 210 saturates
  EXPECT_EQ(At(c, 8, 0), 0xFF000050u);

  Clear(c, 0);
  c.blit_additive(&ramp, 4, 0, -8, 4);  // mirrored: the first column shows the last one
  for (int x = 0; x < 8; ++x) EXPECT_EQ(At(c, 4 + x, 0), (7u - x) * 30);
  Clear(c, 0);
  c.blit_additive(&ramp, -2, 0, -8, 4);
  EXPECT_EQ(At(c, 0, 0), 5u * 30);
  // Mirrored and enlarged, sampling stays inside the picture at its left end.
  image two = Picture(2, 64, [](int x, int) { return x ? 100u : 10u; });
  Clear(c, 0);
  c.blit_additive(&two, 0, 0, -3, 8);
  EXPECT_EQ(At(c, 0, 0), 100u);
  EXPECT_EQ(At(c, 2, 0), 10u);
  Clear(c, 0);
  c.blit_additive(&two, -4, 0, -5, 8);  // du = 409: offset 4 is already past column 0
  EXPECT_EQ(At(c, 0, 0), 10u);
}

TEST(Canvas, TrapezoidStepsEdgesAndTextureInFixedPoint) {
  Canvas c(16, 8), swapped(16, 8);
  image tex = Picture(4, 8);
  // Columns 2..10, rows 0..4: du = 3 * 1024 / 8 = 384, dv = 8 * 1024 / 5 = 1638.
  Clear(c);
  c.textured_trapezoid(&tex, 2 << 10, 10 << 10, 0, 2 << 10, 10 << 10, 4 << 10);
  const int cols[8] = {0, 0, 0, 1, 1, 1, 2, 2}, rows[4] = {0, 1, 3, 4};
  Expect_Model(c, [&](int x, int y) { return x >= 2 && x < 10 && y < 4 ? Marked(cols[x - 2], rows[y]) : kBack; },
               "rectangle");  // neither the right edge column nor the near row is drawn
  Clear(swapped);
  swapped.textured_trapezoid(&tex, 10 << 10, 2 << 10, 0, 10 << 10, 2 << 10, 4 << 10);
  EXPECT_TRUE(std::equal(c.data(), c.data() + 128, swapped.data()));

  // Far row -2, near row 6: h = 9 and dl = dv = 8 * 1024 / 9 = 910, so row 0 is two steps in.
  Clear(c);
  c.textured_trapezoid(&tex, 0, 12 << 10, -2 * 1024, 8 << 10, 12 << 10, 6 << 10);
  EXPECT_EQ(At(c, 0, 0), kBack);
  EXPECT_EQ(At(c, 1, 0), Marked(0, 1));
  EXPECT_EQ(At(c, 11, 0), Marked((3 * 1024 / 10 * 10) >> 10, 1));
  EXPECT_NE(At(c, 11, 5), kBack);
  EXPECT_EQ(At(c, 11, 6), kBack);

  // Cut at the left: the texture column follows the clipped edge; the last column stays.
  Clear(c);
  c.textured_trapezoid(&tex, -8 * 1024, 30 << 10, 0, -8 * 1024, 30 << 10, 2 << 10);
  EXPECT_EQ(At(c, 0, 0), Marked((8 * (3 * 1024 / 38)) >> 10, 0));
  EXPECT_EQ(At(c, 15, 0), kBack);

  // Near row below the canvas: the last canvas row is textured too (rows 4..7 of 4..9).
  Clear(c);
  c.textured_trapezoid(&tex, 0, 8 << 10, 4 << 10, 0, 8 << 10, 9 << 10);
  for (int y = 4; y < 8; ++y) EXPECT_EQ(At(c, 0, y), Marked(0, ((y - 4) * (8 * 1024 / 6)) >> 10)) << y;

  Clear(c);
  c.textured_trapezoid(&tex, 0, 8 << 10, 3 << 10, 0, 8 << 10, 3 << 10);  // height 1: nothing
  EXPECT_EQ(Changed(c), 0);
}

// Random and extreme arguments: no access outside the canvas or the picture (sanitizer
// build) and no overflow.
TEST(Canvas, RandomArgumentsStayInsideTheCanvas) {
  Canvas c(24, 16);
  image src = Picture(8, 8), padded(5, 7, 32, 32);
  std::srand(7);
  const int huge[] = {-2147483647 - 1, -1000000000, -70000, 0, 70000, 1000000000, 2147483647};
  for (int round = 0; round < 20000; ++round) {
    auto pick = [&](int range) { return round % 4 ? std::rand() % (2 * range + 1) - range : huge[std::rand() % 7]; };
    const image* img = round % 3 ? &src : &padded;
    switch (round % 7) {
      case 0: c.fill_rect(pick(40), pick(40), pick(60), pick(60), 1); break;
      case 1: c.fill_span(pick(40), pick(60), pick(20), 2); break;
      case 2: c.darken_span(pick(40), pick(40), pick(20)); break;
      case 3: c.blit(img, pick(10), pick(10), pick(30), pick(30), pick(40), pick(40)); break;
      case 4: c.blit_scaled(img, pick(40), pick(40), pick(80), pick(80)); break;
      case 5: c.blit_additive(img, pick(40), pick(40), pick(80), pick(80)); break;
      case 6: c.textured_trapezoid(img, pick(40960), pick(40960), pick(30720), pick(40960), pick(40960), pick(30720));
    }
  }
}
