#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/state/game.h"
#include "road/canvas.h"
#include "road/image.h"
#include "support/temp_dir.h"

namespace {

const uint32_t kGrey = 0x80808080;
const uint32_t kDark = 0x40404040;  // kGrey halved

uint32_t& At(Canvas& c, int x, int y) { return c.data()[y * c.width + x]; }
void Clear(Canvas& c, uint32_t colour = kGrey) { std::fill(c.data(), c.data() + c.width * c.height, colour); }

image* Picture(int w, int h, uint32_t colour, bool ramp = false) {
  image* img = new image(w, h, 32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) reinterpret_cast<uint32_t*>(img->row(y))[x] = colour | (ramp ? (y << 8) | x : 0);
  return img;
}

// Bounding box and count of the pixels that differ from the background.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};
Box Changed(Canvas& c, uint32_t back = kGrey) {
  Box b;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      if (At(c, x, y) != back) {
        b.count++;
        b.left = std::min(b.left, x), b.right = std::max(b.right, x);
        b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
      }
  return b;
}

// First and last darkened column of a row.
std::pair<int, int> Dark_Run(Canvas& c, int row) {
  int first = -1, last = -1;
  for (int x = 0; x < c.width; ++x)
    if (At(c, x, row) == kDark) last = x, first = first < 0 ? x : first;
  return {first, last};
}

}  // namespace

TEST(Sprite, AnchorsPlaceTheFrame) {
  Canvas c(640, 480);
  image* frame = Picture(100, 50, 0xFF0000FF);
  const int cases[][4] = {{4, 3, 270, 350}, {1, 4, 220, 375}, {0, 0, 320, 400}, {2, 1, 320, 400}};
  for (const auto& k : cases) {
    sprite s(frame, k[0], k[1], 1.0f);
    s.no_shadow();
    Clear(c);
    s.draw(&c, 0, 320, 400, 1.0f);
    Box b = Changed(c);
    EXPECT_EQ(std::make_pair(b.left, b.top), std::make_pair(k[2], k[3])) << k[0] << "," << k[1];
    EXPECT_EQ(std::make_pair(b.right, b.bottom), std::make_pair(k[2] + 99, k[3] + 49));
    EXPECT_EQ(b.count, 5000);
  }
  delete frame;
}

TEST(Sprite, FramesModesAndScales) {
  Canvas c(64, 32);
  sprite s(static_cast<const image*>(nullptr), 0, 0, 1.0f);  // frame 0 empty
  s.no_shadow();
  s.add_image(Picture(8, 8, 0xFF000001));
  s.add_image(Picture(8, 4, 0xFE102030));  // A = 254: only the scaled blit shows it
  EXPECT_EQ(s.frame_count, 3);
  EXPECT_EQ(s.frame_width(1), 8u);
  EXPECT_EQ(s.frame_width(3), 0u);
  Clear(c);
  s.draw(&c, 5, 0, 0, 1.0f);    // empty frame
  s.draw(&c, 30, 0, 0, 1.0f);   // no such frame
  s.draw(&c, 25, 2, 2, 1.0f);   // frame 2 unscaled: A = 254 is skipped
  s.draw(nullptr, 10, 0, 0, 1.0f);
  EXPECT_EQ(Changed(c).count, 0);
  s.draw(&c, -25, 2, 2, 2.0f);  // frame 2 again, scaled
  EXPECT_EQ(Changed(c).count, 16 * 8);
  EXPECT_EQ(At(c, 17, 9), 0xFE102030u);

  Clear(c);
  s.draw(&c, 20, 2, 2, 2.0f, kDrawCopy);  // unscaled and opaque whatever the scale
  EXPECT_EQ(Changed(c).count, 8 * 4);
  Clear(c, 0xFF000000);
  s.draw(&c, 20, 2, 2, 2.0f, kDrawAdditive);
  EXPECT_EQ(Changed(c, 0xFF000000).count, 16 * 8);
  EXPECT_EQ(At(c, 17, 9), 0x00102030u);

  sprite half(s.frames[2], 0, 0, 0.5f);
  half.no_shadow();
  Clear(c);
  half.draw(&c, 0, 0, 0, 2.0f);  // 2 x 0.5 = 1: the unscaled blit
  EXPECT_EQ(Changed(c).count, 0);
  half.draw(&c, 0, 0, 0, 1.0f);
  EXPECT_EQ(Changed(c).count, 4 * 2);
}

TEST(Sprite, MirroredFramesAreBuiltOnceAndCoverLaterFrames) {
  Canvas c(64, 32);
  image* ramp = Picture(8, 4, 0xFF000000, true);
  sprite s(ramp, 0, 0, 1.0f);
  delete ramp;
  s.no_shadow();
  Clear(c);
  s.draw(&c, 0, 0, 0, 1.0f, kDrawMirrored);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(c, x, y), 0xFF000000u | (y << 8) | (7 - x));
  image* built = s.mirrored[0];
  s.draw(&c, 0, 0, 0, 1.0f, kDrawMirrored);
  EXPECT_EQ(s.mirrored[0], built);
  s.add_image(Picture(3, 2, 0xFF00FF00));
  Clear(c);
  s.draw(&c, 10, 0, 0, 1.0f, kDrawMirrored);
  EXPECT_EQ(s.mirrored.count, 2u);
  EXPECT_EQ(Changed(c).count, 6);
}

TEST(Sprite, ShadowsAreHalfDarkEllipsesAtTheBottomEdge) {
  Canvas c(640, 480);
  image* clear = Picture(100, 50, 0x00FFFFFF);  // invisible: only the shadow shows
  sprite s(clear, 0, 0, 1.0f);
  Clear(c);
  s.draw(&c, 0, 100, 100, 1.0f);  // 14 rows centred on row 150, the top one inset by 6
  Box b = Changed(c);
  EXPECT_EQ(std::make_pair(b.top, b.bottom), std::make_pair(143, 156));
  EXPECT_EQ(Dark_Run(c, 143), std::make_pair(106, 194));
  EXPECT_EQ(Dark_Run(c, 150), std::make_pair(100, 200));
  EXPECT_EQ(Dark_Run(c, 156), std::make_pair(106, 194));

  Clear(c);
  s.draw_car(&c, 0, 100, 100, 1.0f);  // n = 40 x 3 = 120: 90 rows from 70 above the bottom
  b = Changed(c);
  EXPECT_EQ(std::make_pair(b.top, b.bottom), std::make_pair(80, 169));
  EXPECT_EQ(Dark_Run(c, 80), std::make_pair(144, 154));
  EXPECT_EQ(Dark_Run(c, 140), std::make_pair(99, 199));

  // A sprite narrower than the ellipse's insets (a bike, a post) keeps its shadow under it.
  image* narrow = Picture(30, 50, 0x00FFFFFF);
  sprite slim(narrow, 0, 0, 1.0f);
  Clear(c);
  slim.draw_car(&c, 0, 100, 100, 1.0f);
  slim.draw(&c, 0, 300, 100, 1.0f);
  slim.draw(&c, 0, 400, 100, 0.2f);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (At(c, x, y) != kGrey) {
        const int left = x < 250 ? 99 : x < 350 ? 300 : 400;
        ASSERT_GE(x, left) << x << ", " << y;
        ASSERT_LE(x, left + 30) << x << ", " << y;
      }
  delete narrow;

  Clear(c);
  s.draw(&c, 0, 100, 100, 0.07f);      // 14 x 0.07 < 1 row
  s.draw_car(&c, 0, 100, 100, 0.25f);  // 40 x 0.75 - 30 = 0 rows
  sprite big(clear, 4, 3, 1.0f);       // huge scales and far positions only clip
  big.draw(&c, 0, -2000000000, 2000000000, 3e5f);
  big.draw_car(&c, 0, 2000000000, -5, 1e7f);
  EXPECT_EQ(Changed(c).count, 0);
  big.draw(&c, 0, 320, 240, 1e9f);

  image* solid = Picture(100, 50, 0xFF0000FF);
  sprite opaque(solid, 0, 0, 1.0f);  // the shadow goes first, the sprite covers it
  Clear(c);
  opaque.draw(&c, 0, 100, 100, 1.0f);
  EXPECT_EQ(At(c, 150, 149), 0xFF0000FFu);
  EXPECT_EQ(At(c, 150, 150), kDark);
  delete clear;
  delete solid;
}

TEST(Sprite, DrawGroundTruncatesToFixedPointAndHonoursMirroring) {
  sprite s(static_cast<const image*>(nullptr), 4, 3, 2.0f);  // anchors, scale, shadow unused
  image* tex = Picture(4, 8, 0xFF000000, true);
  s.add_image(tex);
  image mirrored(*tex);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 4; ++x) reinterpret_cast<uint32_t*>(mirrored.row(y))[x] = 0xFF000000u | (y << 8) | (3 - x);
  for (int mode : {0, kDrawMirrored}) {
    Canvas got(32, 16), want(32, 16);
    s.draw_ground(&got, 10, 2.7f, 20.9f, -1.5f, 0.2f, 30.99f, 12.6f, mode);
    want.textured_trapezoid(mode ? &mirrored : tex, 2 << 10, 20 << 10, -1024, 0, 30 << 10, 12 << 10);
    EXPECT_TRUE(std::equal(got.data(), got.data() + 512, want.data())) << mode;
    EXPECT_GT(Changed(got, 0).count, 100);
  }
  Canvas c(32, 16);
  s.draw_ground(&c, 10, -1e12f, 1e12f, -1e12f, -1e12f, 1e12f, 1e12f);  // clipped, no overflow
  s.draw_ground(&c, 90, 0, 10, 0, 0, 10, 10);                          // no such frame
}

TEST(Sprite, MissingPictureIsReportedAndDrawsNothing) {
  ScopedTempDir dir;
  testing::internal::CaptureStdout();
  sprite s("GFX/none.png", 4, 4, 1.0f);
  EXPECT_EQ(s.add_frame("also-missing.png"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "ASSERT EXCEPT: Failed to open GFX/none.png - image 158\n"
            "ASSERT EXCEPT: Failed to open also-missing.png - image 158\n");
  EXPECT_EQ(s.frame_count, 2);
  Canvas c(64, 32);
  Clear(c);
  s.draw(&c, 0, 10, 10, 1.0f);
  s.draw_car(&c, 10, 10, 10, 1.0f, kDrawMirrored);
  s.draw_ground(&c, 0, 0, 10, 0, 0, 10, 10);
  EXPECT_EQ(Changed(c).count, 0);
}

TEST(Sprite, GameOwnsCanvasAndSmokeAndSetsTheCarDepth) {
  ScopedTempDir dir;
  testing::internal::CaptureStdout();
  Game game;  // no GFX here: the smoke picture is reported and stays empty
  EXPECT_NE(testing::internal::GetCapturedStdout().find("Failed to open GFX/tsmoke2.png - image 158"), std::string::npos);
  ASSERT_NE(game.smoke_sprite, nullptr);
  sprite car(static_cast<const image*>(nullptr), 4, 3, 1.0f);
  game.car_models[game.selected_car] = &car;
  game.Set_View_Size(320, 240);
  EXPECT_EQ(game.canvas->width, 320);
  EXPECT_EQ(car.z, 184);
  game.Set_View_Size(640, 480);
  EXPECT_EQ(car.z, 368);
  game.car_models[game.selected_car] = nullptr;
}
