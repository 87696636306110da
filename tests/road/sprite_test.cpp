#include <gtest/gtest.h>

#include <string>

#include "core/game.h"
#include "road/canvas.h"
#include "road/image.h"
#include "support/temp_dir.h"

namespace {

const uint32_t kGrey = 0x80808080;
const uint32_t kDark = 0x40404040;  // kGrey halved

uint32_t& At(Canvas& c, int x, int y) { return c.data()[y * c.width + x]; }

void Clear(Canvas& c, uint32_t colour = kGrey) {
  for (int i = 0; i < c.width * c.height; ++i) c.data()[i] = colour;
}

image* Solid(int w, int h, uint32_t colour) {
  image* img = new image(w, h, 32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) reinterpret_cast<uint32_t*>(img->row(y))[x] = colour;
  return img;
}

// Bounding box of the pixels that differ from the background; {-1...} when none.
struct Box {
  int left = -1, top = -1, right = -1, bottom = -1, count = 0;
};

Box Changed(Canvas& c, uint32_t back = kGrey) {
  Box b;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      if (At(c, x, y) == back) continue;
      if (b.count++ == 0) b.left = b.right = x, b.top = b.bottom = y;
      b.left = std::min(b.left, x), b.right = std::max(b.right, x);
      b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
    }
  return b;
}

// First and last darkened column of a row; {-1, -1} when the row is untouched.
std::pair<int, int> Dark_Run(Canvas& c, int row) {
  int first = -1, last = -1;
  for (int x = 0; x < c.width; ++x)
    if (At(c, x, row) == kDark) {
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

}  // namespace

TEST(Sprite, AnchorsPlaceTheFrame) {
  Canvas c(640, 480);
  image* frame = Solid(100, 50, 0xFF0000FF);
  struct Case {
    int h, v, left, top;
  } cases[] = {{4, 3, 270, 350}, {1, 4, 220, 375}, {0, 0, 320, 400}, {2, 1, 320, 400}};
  for (const Case& k : cases) {
    sprite s(frame, k.h, k.v, 1.0f);
    s.no_shadow();
    Clear(c);
    s.draw(&c, 0, 320, 400, 1.0f);
    Box b = Changed(c);
    EXPECT_EQ(b.left, k.left) << k.h << "," << k.v;
    EXPECT_EQ(b.top, k.top) << k.h << "," << k.v;
    EXPECT_EQ(b.right, k.left + 99);
    EXPECT_EQ(b.bottom, k.top + 49);
    EXPECT_EQ(b.count, 5000);
  }
  delete frame;
}

TEST(Sprite, FrameIndexIsInTenthsAndSignless) {
  Canvas c(64, 32);
  sprite s(static_cast<const image*>(nullptr), 0, 0, 1.0f);
  s.no_shadow();
  s.add_image(Solid(8, 8, 0xFF000001));
  s.add_image(Solid(8, 8, 0xFF000002));
  EXPECT_EQ(s.frame_count, 3);
  EXPECT_EQ(s.frame_width(0), 0u);  // the empty first frame
  EXPECT_EQ(s.frame_width(2), 8u);
  EXPECT_EQ(s.frame_width(3), 0u);
  for (int n : {25, -25, 20, 29}) {
    Clear(c);
    s.draw(&c, n, 0, 0, 1.0f);
    EXPECT_EQ(At(c, 0, 0), 0xFF000002u) << n;
  }
  Clear(c);
  s.draw(&c, 5, 0, 0, 1.0f);   // frame 0 is empty: nothing, not even a shadow
  s.draw(&c, 30, 0, 0, 1.0f);  // beyond the frames: nothing
  s.draw(nullptr, 10, 0, 0, 1.0f);
  EXPECT_EQ(Changed(c).count, 0);
}

TEST(Sprite, ModeBitsChooseThePrimitive) {
  Canvas c(64, 32);
  image* faint = Solid(8, 4, 0xFE102030);  // A = 254: only the scaled blit shows it
  sprite s(faint, 0, 0, 1.0f);
  s.no_shadow();
  Clear(c);
  s.draw(&c, 0, 2, 2, 1.0f);
  EXPECT_EQ(Changed(c).count, 0);
  s.draw(&c, 0, 2, 2, 2.0f);
  Box b = Changed(c);
  EXPECT_EQ(b.count, 16 * 8);
  EXPECT_EQ(At(c, 2, 2), 0xFE102030u);

  Clear(c);
  s.draw(&c, 0, 2, 2, 2.0f, kDrawCopy);  // unscaled and opaque
  EXPECT_EQ(Changed(c).count, 8 * 4);

  Clear(c, 0xFF000000);
  s.draw(&c, 0, 2, 2, 2.0f, kDrawAdditive);
  EXPECT_EQ(Changed(c, 0xFF000000).count, 16 * 8);
  EXPECT_EQ(At(c, 17, 9), 0x00102030u);

  // The base scale multiplies into the draw scale.
  sprite half(faint, 0, 0, 0.5f);
  half.no_shadow();
  Clear(c);
  half.draw(&c, 0, 0, 0, 2.0f);  // 2 x 0.5 = 1: the unscaled blit, which skips A = 254
  EXPECT_EQ(Changed(c).count, 0);
  half.draw(&c, 0, 0, 0, 1.0f);
  EXPECT_EQ(Changed(c).count, 4 * 2);
  delete faint;
}

TEST(Sprite, MirroredFramesAreBuiltOnceAndCoverLaterFrames) {
  Canvas c(64, 32);
  image* frame = new image(8, 4, 32, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) reinterpret_cast<uint32_t*>(frame->row(y))[x] = 0xFF000000u | (y << 8) | x;
  sprite s(frame, 0, 0, 1.0f);
  s.no_shadow();
  EXPECT_EQ(s.mirrored.count, 0u);
  Clear(c);
  s.draw(&c, 0, 0, 0, 1.0f, kDrawMirrored);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(c, x, y), 0xFF000000u | (y << 8) | (7 - x));
  ASSERT_EQ(s.mirrored.count, 1u);
  image* built = s.mirrored[0];
  s.draw(&c, 0, 0, 0, 1.0f, kDrawMirrored);
  EXPECT_EQ(s.mirrored[0], built);

  s.add_image(Solid(3, 2, 0xFF00FF00));
  Clear(c);
  s.draw(&c, 10, 0, 0, 1.0f, kDrawMirrored);
  EXPECT_EQ(s.mirrored.count, 2u);
  EXPECT_EQ(Changed(c).count, 6);
  delete frame;
}

TEST(Sprite, ObjectShadowIsAHalfDarkEllipseOnTheBottomEdge) {
  Canvas c(640, 480);
  image* clear = Solid(100, 50, 0x00FFFFFF);  // invisible, so only the shadow shows
  sprite s(clear, 0, 0, 1.0f);
  Clear(c);
  s.draw(&c, 0, 100, 100, 1.0f);
  Box b = Changed(c);
  EXPECT_EQ(b.top, 143);  // 14 rows centred on the bottom edge (row 150)
  EXPECT_EQ(b.bottom, 156);
  EXPECT_EQ(Dark_Run(c, 143), std::make_pair(106, 194));  // top row inset by 6 on each side
  EXPECT_EQ(Dark_Run(c, 150), std::make_pair(100, 200));
  EXPECT_EQ(Dark_Run(c, 156), std::make_pair(106, 194));

  // The shadow is drawn first: an opaque sprite covers it.
  image* solid = Solid(100, 50, 0xFF0000FF);
  sprite opaque(solid, 0, 0, 1.0f);
  Clear(c);
  opaque.draw(&c, 0, 100, 100, 1.0f);
  EXPECT_EQ(At(c, 150, 149), 0xFF0000FFu);
  EXPECT_EQ(At(c, 150, 150), kDark);

  Clear(c);
  s.draw(&c, 0, 100, 100, 0.07f);  // 14 x 0.07 < 1: no rows
  s.no_shadow();
  s.draw(&c, 0, 100, 100, 1.0f);
  EXPECT_EQ(Changed(c).count, 0);

  // Huge scales and far-off positions only clip.
  sprite big(clear, 4, 3, 1.0f);
  big.draw(&c, 0, 320, 240, 1e9f);
  big.draw(&c, 0, -2000000000, 2000000000, 3e5f);
  big.draw_car(&c, 0, 320, 240, 1e7f);
  delete clear;
  delete solid;
}

TEST(Sprite, CarShadowIsWiderAndThreeTimesTheScale) {
  Canvas c(640, 480);
  image* clear = Solid(100, 50, 0x00FFFFFF);
  sprite s(clear, 0, 0, 1.0f);
  Clear(c);
  s.draw_car(&c, 0, 100, 100, 1.0f);
  // n = 40 x 3 = 120 and 90 rows, from 60 + 10 rows above the bottom edge.
  Box b = Changed(c);
  EXPECT_EQ(b.top, 80);
  EXPECT_EQ(b.bottom, 169);
  EXPECT_EQ(Dark_Run(c, 80), std::make_pair(144, 154));
  EXPECT_EQ(Dark_Run(c, 140), std::make_pair(99, 199));  // j = 0: the full width, shifted left

  Clear(c);
  s.draw_car(&c, 0, 100, 100, 0.25f);  // 40 x 0.75 = 30 rows minus 30: nothing
  EXPECT_EQ(Changed(c).count, 0);
  delete clear;
}

TEST(Sprite, DrawGroundTruncatesToFixedPointAndHonoursMirroring) {
  image* tex = new image(4, 8, 32, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 4; ++x) reinterpret_cast<uint32_t*>(tex->row(y))[x] = 0xFF000000u | (y << 8) | x;
  image mirrored_tex(*tex);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 4; ++x) reinterpret_cast<uint32_t*>(mirrored_tex.row(y))[x] = 0xFF000000u | (y << 8) | (3 - x);
  sprite s(tex, 4, 3, 2.0f);  // anchors, scale and shadow do not apply
  s.add_image(tex);            // owned from here on as frame 1

  for (int mode : {0, kDrawMirrored}) {
    Canvas got(32, 16), want(32, 16);
    Clear(got);
    Clear(want);
    s.draw_ground(&got, 10, 2.7f, 20.9f, -1.5f, 0.2f, 30.99f, 12.6f, mode);
    want.textured_trapezoid(mode ? &mirrored_tex : tex, 2 << 10, 20 << 10, -1 * 1024, 0, 30 << 10, 12 << 10);
    for (int i = 0; i < 32 * 16; ++i) ASSERT_EQ(got.data()[i], want.data()[i]) << mode << " at " << i;
    EXPECT_GT(Changed(got).count, 100);
  }
  Canvas c(32, 16);
  s.draw_ground(&c, 10, -1e12f, 1e12f, -1e12f, -1e12f, 1e12f, 1e12f);  // clipped, no overflow
  s.draw_ground(&c, 90, 0, 10, 0, 0, 10, 10);                          // no such frame
}

TEST(Sprite, MissingPictureLeavesAnEmptyFrameThatDrawsNothing) {
  ScopedTempDir dir;
  testing::internal::CaptureStdout();
  sprite s("GFX/none.png", 4, 4, 1.0f);
  std::string report = testing::internal::GetCapturedStdout();
  EXPECT_EQ(report, "ASSERT EXCEPT: Failed to open GFX/none.png - image 158\n");
  EXPECT_EQ(s.frame_count, 1);
  EXPECT_EQ(s.frame_width(0), 0u);
  testing::internal::CaptureStdout();
  EXPECT_EQ(s.add_frame("also-missing.png"), 0);
  testing::internal::GetCapturedStdout();
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
  Game game;  // no GFX here: the smoke picture is reported and left empty
  std::string report = testing::internal::GetCapturedStdout();
  EXPECT_NE(report.find("Failed to open GFX/tsmoke2.png - image 158"), std::string::npos);
  ASSERT_NE(game.canvas, nullptr);
  EXPECT_EQ(game.canvas->width, 640);
  EXPECT_EQ(game.canvas->height, 480);
  ASSERT_NE(game.smoke_sprite, nullptr);
  EXPECT_EQ(game.smoke_sprite->h_anchor, 4);
  EXPECT_EQ(game.smoke_sprite->v_anchor, 4);
  EXPECT_EQ(game.smoke_sprite->base_scale, 1.0f);
  EXPECT_EQ(game.smoke_sprite->shadow, 0);

  sprite car(static_cast<const image*>(nullptr), 4, 3, 1.0f);
  game.car_models[game.selected_car] = &car;
  game.Set_View_Size(320, 240);
  EXPECT_EQ(game.canvas->width, 320);
  EXPECT_EQ(car.z, 184);
  game.Set_View_Size(640, 480);
  EXPECT_EQ(game.canvas->height, 480);
  EXPECT_EQ(car.z, 368);
  game.car_models[game.selected_car] = nullptr;
}
