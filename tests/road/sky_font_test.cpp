#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../../tools/roadview/road_view.h"
#include "road/bitmap_font.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/sky.h"
#include "support/printed.h"
#include "support/temp_dir.h"

namespace {

// A sky picture whose column x carries x in its first two bytes and row y in the third.
sprite* Column_Picture(int w, int h) {
  image img(w, h, 32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = img.row(y) + 4 * x;
      p[0] = x & 255, p[1] = x >> 8, p[2] = static_cast<unsigned char>(y), p[3] = 0;  // opaque copy ignores alpha
    }
  sprite* s = new sprite(&img, 0, 3, 1.0f);
  s->no_shadow();
  return s;
}

struct SkyFixture : ::testing::Test {
  Canvas canvas{640, 480};
  Sky sky{640, 480};
  void Use(int w, int h) {
    delete sky.pictures[2];
    sky.pictures[2] = Column_Picture(w, h);
    sky.set_horizon(0);
    ASSERT_EQ(sky.current, sky.pictures[2]);
  }
  // Picture column shown at screen column x of row y, or -1 for untouched pixels.
  int Column(int x, int y) {
    uint32_t p = canvas.data()[y * 640 + x];
    if (p == 0xDEADBEEFu) return -1;
    return static_cast<int>(p & 255) | static_cast<int>((p >> 8) & 255) << 8;
  }
  void Draw(float scroll, int horizon) {
    canvas.fill_rect(0, 0, 640, 480, 0xDEADBEEFu);
    sky.scroll = scroll;
    sky.horizon_row = horizon;
    sky.draw(&canvas);
  }
};

TEST_F(SkyFixture, WrapsTheWidePictureAround) {
  Use(1024, 200);
  Draw(-10.0f, 150);  // one copy at -10
  EXPECT_EQ(Column(0, 100), 10);
  EXPECT_EQ(Column(639, 100), 649);
  Draw(700.0f, 150);  // copies at -324 and 700
  EXPECT_EQ(Column(0, 100), 324);
  EXPECT_EQ(Column(639, 100), 963);
  Draw(-700.5f, 150);  // trunc -700: copies at 324 and -700
  EXPECT_EQ(Column(0, 100), 700);
  EXPECT_EQ(Column(323, 100), 1023);
  EXPECT_EQ(Column(324, 100), 0);
  Use(400, 200);
  Draw(0.0f, 150);  // narrower than the screen: copies at 400 and 0
  EXPECT_EQ(Column(399, 100), 399);
  EXPECT_EQ(Column(639, 100), 239);
}

TEST_F(SkyFixture, BottomFollowsTheHorizonAndClampsToThePicture) {
  Use(1024, 200);
  Draw(0.0f, 150);  // picture rows 50..199 on screen rows 0..149
  EXPECT_EQ(canvas.data()[5] >> 16 & 255, 50u);
  EXPECT_EQ(canvas.data()[149 * 640 + 5] >> 16 & 255, 199u);
  EXPECT_EQ(Column(5, 150), -1);
  Draw(0.0f, 400);  // clamped to 199: the top row lies above the screen, no gap opens
  EXPECT_EQ(canvas.data()[5] >> 16 & 255, 1u);
  EXPECT_EQ(canvas.data()[198 * 640 + 5] >> 16 & 255, 199u);
  EXPECT_EQ(Column(5, 199), -1);
}

TEST_F(SkyFixture, UnknownHorizonFallsBackToTheCloudySky) {
  sky.pictures[2] = Column_Picture(8, 8);
  sky.set_horizon(1);
  EXPECT_EQ(sky.current, sky.pictures[1]);
  EXPECT_EQ(Printed([&] { sky.set_horizon(12); }), "Unknow horizon type!\n");
  EXPECT_EQ(sky.current, sky.pictures[2]);
  sky.set_size(800, 600);
  EXPECT_EQ(sky.horizon_row, 300);
  sky.current = nullptr;
  sky.draw(&canvas);  // nothing to draw, no crash
}

// A glyph sheet whose cells are filled with their character code in the red byte.
void Write_Sheet(const char* path, int w, int h, int cw, int ch) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * h, 0);
  int x = 0, y = 0;
  for (int c = 32; c <= 127; ++c) {
    if (x + cw + 1 > w) x = 0, y += ch + 1;
    if (y + ch > h) break;
    for (int j = 0; j < ch; ++j)
      for (int i = 0; i < cw; ++i) px[static_cast<size_t>(y + j) * w + x + i] = Pixel_Word(c, 1, 0, 255);
    x += cw + 1;
  }
  ASSERT_EQ(roadview::Write_Png(path, px.data(), w, h, true), 1);
}

TEST(BitmapFont, LaysOutCellsInRowsWithAGap) {
  ScopedTempDir dir;
  Write_Sheet("wide.png", 1248, 17, 12, 16);
  BitmapFont wide("wide.png", 12, 16);
  EXPECT_EQ(wide.glyph_x['A'], (65 - 32) * 13);
  EXPECT_EQ(wide.glyph_x[127], 95 * 13);
  EXPECT_EQ(wide.glyph_y[127], 0);
  Write_Sheet("narrow.png", 130, 100, 12, 16);  // ten cells a row
  BitmapFont narrow("narrow.png", 12, 16);
  EXPECT_EQ(narrow.glyph_x[42], 0);
  EXPECT_EQ(narrow.glyph_y[42], 17);
  EXPECT_EQ(narrow.glyph_x[81], 9 * 13);
  EXPECT_EQ(narrow.glyph_y[81], 4 * 17);
  EXPECT_EQ(narrow.glyph_x[82], 0);  // a sixth row would run past the sheet: not laid out
  EXPECT_EQ(narrow.glyph_y[82], 0);
  EXPECT_EQ(narrow.glyph_x[31], 0);
}

TEST(BitmapFont, DrawsAlignedTextWithOverlappingCells) {
  ScopedTempDir dir;
  Write_Sheet("font.png", 1248, 17, 12, 16);
  BitmapFont font("font.png", 12, 16);
  Canvas canvas(640, 480);
  auto at = [&](int x, int y) { return canvas.data()[y * 640 + x] >> 16 & 255; };  // R
  font.draw_text(&canvas, 100, 50, 0, 0, "A");  // centred: cell at (96, 42)
  EXPECT_EQ(at(96, 42), 'A');
  EXPECT_EQ(at(107, 57), 'A');
  EXPECT_EQ(at(95, 42), 0u);
  EXPECT_EQ(at(96, 41), 0u);
  EXPECT_EQ(at(108, 50), 0u);
  canvas.fill_rect(0, 0, 640, 480, 0);
  font.draw_text(&canvas, 10, 100, -1, 1, "A B");  // starts at x, bottom on y
  EXPECT_EQ(at(10, 84), 'A');
  EXPECT_EQ(at(18, 84), 'A');  // the space draws nothing, A's cell shows through the overlap
  EXPECT_EQ(at(25, 84), 0u);
  EXPECT_EQ(at(26, 84), 'B');
  EXPECT_EQ(at(26, 83), 0u);
  canvas.fill_rect(0, 0, 640, 480, 0);
  font.draw_text(&canvas, 200, 200, 1, -1, "\x80Z");  // ends at x, top on y; byte 128 is skipped
  EXPECT_EQ(at(200 - 16 + 8, 200), 'Z');
  EXPECT_EQ(at(200 - 16, 200), 0u);
  canvas.fill_rect(0, 0, 640, 480, 0);
  font.draw_text(&canvas, 100, 50, 0, 0, "");
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) ASSERT_EQ(canvas.data()[y * 640 + x], 0u);
}

}  // namespace
