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

TEST_F(BuiltinFixture, FloridaTrackAndNothingForOtherValues) {
  game->builtin_track = 3;
  game->Build_Builtin_Track();
  EXPECT_EQ(game->road, nullptr);
  game->builtin_track = 1;
  game->road = new road::Road(game->camera);  // a road from an earlier track is replaced
  road::Road* old = game->road;
  game->Build_Builtin_Track();
  road::Road& r = *game->road;
  EXPECT_NE(&r, old);
  EXPECT_EQ(game->sky->current, game->sky->pictures[2]);  // cloudy
  EXPECT_EQ(r.layout->count(), 28u);
  EXPECT_EQ(r.layout->total, 3310);
  EXPECT_EQ(r.track_length(), (3210 - 121) * 100);
  EXPECT_EQ(r.lateral, 350);
  EXPECT_EQ(r.vehicles, &game->vehicles);
  ASSERT_EQ(r.C0->count(), 1u);
  EXPECT_NE(r.C0->object(0), nullptr);
  EXPECT_EQ(r.R3->object(0), game->Object_Sprite(400));
  EXPECT_EQ(r.L1->count(), 14u);
  EXPECT_EQ(r.L1->object(13), nullptr);  // the closing gap
  EXPECT_EQ(r.L1->sectors[13].period, 0);
  EXPECT_EQ(r.R2->object(22), game->Object_Sprite(451));
}

TEST_F(BuiltinFixture, BavariaTrackHasNoGroundTextures) {
  game->builtin_track = 2;
  game->Build_Builtin_Track();
  road::Road& r = *game->road;
  EXPECT_EQ(game->sky->current, game->sky->pictures[1]);  // alps
  EXPECT_EQ(r.layout->count(), 15u);
  EXPECT_EQ(r.layout->total, 1900);
  EXPECT_EQ(r.C0->count(), 0u);
  EXPECT_EQ(r.C1->count(), 0u);
  EXPECT_EQ(r.L3->object(0), game->Object_Sprite(401));
  EXPECT_EQ(r.R2->object(5), game->Object_Sprite(31));
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
