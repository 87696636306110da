#include <gtest/gtest.h>

#include <memory>

#include "core/state/game.h"
#include "road/road.h"
#include "road/sky.h"
#include "support/temp_dir.h"

namespace {

struct BuiltinFixture : ::testing::Test {
  ScopedTempDir dir;  // no pictures: every sprite is an empty frame
  std::unique_ptr<Game> game;
  void SetUp() override {
    testing::internal::CaptureStdout();
    game.reset(new Game());
  }
  void TearDown() override {
    game.reset();
    testing::internal::GetCapturedStdout();
  }
};

int Sum(const SectorList* list) { return list->total; }

TEST_F(BuiltinFixture, FloridaTrack) {
  game->road = new road::Road(game->camera);  // a road from an earlier track is replaced
  road::Road* old = game->road;
  game->Build_Builtin_Track();
  road::Road& r = *game->road;
  EXPECT_NE(&r, old);
  EXPECT_EQ(game->sky->current, game->sky->pictures[2]);  // cloudy
  EXPECT_EQ(r.layout->count(), 28u);
  EXPECT_EQ(Sum(r.layout), 3310);
  EXPECT_EQ(r.track_length(), (3210 - 121) * 100);
  EXPECT_EQ(r.layout->sectors[13].curve, -150);
  EXPECT_EQ(r.layout->sectors[17].hill, 60);
  EXPECT_EQ(r.lateral, 350);
  EXPECT_EQ(r.vehicles, &game->vehicles);
  EXPECT_EQ(r.kerb_odd.word(), 0xFF0000C8u);
  EXPECT_EQ(r.fog.word(), 0xFF9B96A0u);
  EXPECT_EQ(r.grass_dark.r, 70);  // 80 * 0.885
  ASSERT_EQ(r.C0->count(), 1u);
  EXPECT_NE(r.C0->object(0), nullptr);
  EXPECT_EQ(Sum(r.C1), 3300);
  EXPECT_EQ(Sum(r.L3), 3510);
  EXPECT_EQ(r.R3->object(0), game->Object_Sprite(400));
  EXPECT_EQ(r.L1->count(), 14u);
  EXPECT_EQ(Sum(r.L1), 2270);
  EXPECT_EQ(r.L1->object(13), nullptr);  // the closing gap
  EXPECT_EQ(r.L1->sectors[13].period, 0);
  EXPECT_EQ(r.R1->count(), 27u);
  EXPECT_EQ(r.R1->object(3), game->Object_Sprite(19));
  EXPECT_EQ(r.R2->count(), 23u);
  EXPECT_EQ(r.R2->sectors[5].offset, 1850);
  EXPECT_EQ(r.R2->object(22), game->Object_Sprite(451));
}

TEST_F(BuiltinFixture, BavariaTrackHasNoGroundTextures) {
  game->builtin_track = 2;
  game->Build_Builtin_Track();
  road::Road& r = *game->road;
  EXPECT_EQ(game->sky->current, game->sky->pictures[1]);  // alps
  EXPECT_EQ(r.layout->count(), 15u);
  EXPECT_EQ(Sum(r.layout), 1900);
  EXPECT_EQ(r.layout->sectors[11].curve, -300);
  EXPECT_EQ(r.layout->sectors[11].hill, 200);
  EXPECT_EQ(r.C0->count(), 0u);
  EXPECT_EQ(r.C1->count(), 0u);
  EXPECT_EQ(r.L3->object(0), game->Object_Sprite(401));
  EXPECT_EQ(r.L2->sectors[10].period, 6);
  EXPECT_EQ(r.R2->object(5), game->Object_Sprite(31));
  EXPECT_EQ(r.kerb_odd.word(), 0xFFFAFAFAu);
}

TEST_F(BuiltinFixture, OtherValuesBuildNothing) {
  game->builtin_track = 3;
  game->Build_Builtin_Track();
  EXPECT_EQ(game->road, nullptr);
}

TEST_F(BuiltinFixture, BothTracksDrawAllTheWayRoundWithoutPictures) {
  for (int track = 1; track <= 2; ++track) {
    game->builtin_track = track;
    game->Free_Object_Sprites();
    game->Build_Builtin_Track();
    game->Set_View_Size(640, 480);
    road::Road& r = *game->road;
    int laps = 0;
    for (int p = 0; p <= r.track_length(); p += 977) {
      r.fill_buckets(r.buckets, p);
      laps += r.draw(*game->canvas, r.buckets, p);
    }
    EXPECT_EQ(laps, 0);
    r.fill_buckets(r.buckets, r.track_length());
    EXPECT_TRUE(r.draw(*game->canvas, r.buckets, r.track_length()));
  }
}

}  // namespace
