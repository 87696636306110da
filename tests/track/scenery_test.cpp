#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "../../tools/roadview/road_view.h"
#include "core/state/game.h"
#include "road/road.h"
#include "road/sky.h"
#include "support/printed.h"
#include "support/temp_dir.h"
#include "track/scenery.h"

namespace {

// A game object in an empty directory: every picture is missing.
struct SceneryFixture : ::testing::Test {
  ScopedTempDir dir;
  std::unique_ptr<Game> game;
  void SetUp() override {
    Printed([&] { game.reset(new Game()); });
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    trackStats = {};
    generatorParams = GeneratorParams();
  }
  void TearDown() override { Free_Track_Sectors(); }
  // n sectors of 10 segments; `free` says which are free (state 1).
  void Sectors(int n, bool free = true) {
    trackSectorCount = n;
    for (int s = 0; s < n; ++s) trackSectors[s] = {10, free ? 1 : 2, 0, 0, {}, {}, {}, {}, {}, {}, {}, {}};
  }
  int Placed() const {
    int placed = 0;
    for (int s = 0; s < trackSectorCount; ++s) placed += trackSectors[s].state == 2;
    return placed;
  }
};

TEST_F(SceneryFixture, ObjectSpritesFirstLoadWinsAndFreeingClearsAll) {
  EXPECT_EQ(Printed([&] { for (int id : {999, -1}) game->Load_Object_Sprite(id, "GFX/x.png", 4, 3, 1.0f, 1); }),
            "Error: Invalid Sprite ID.\nError: Invalid Sprite ID.\n");
  std::string report = Printed([&] { game->Load_Object_Sprite(210, "GFX/hotel_l.png", 1, 3, 6.0f, 0); });
  EXPECT_NE(report.find("GFX/hotel_l.png"), std::string::npos);  // the missing file is reported
  sprite* hotel = game->Object_Sprite(210);
  ASSERT_NE(hotel, nullptr);
  EXPECT_FLOAT_EQ(hotel->base_scale, 6.0f);
  EXPECT_EQ(hotel->shadow, 0);
  game->Load_Object_Sprite(210, "GFX/other.png", 4, 3, 1.0f, 1);
  EXPECT_EQ(game->Object_Sprite(210), hotel);

  testing::internal::CaptureStdout();
  game->Load_Scenery_Set(2);
  sprite* pillar = game->Object_Sprite(401);
  sprite* sign = game->Object_Sprite(31);
  game->Load_Scenery_Set(8);  // loads 401 and 31 again: the Bavaria sprites stay
  game->Load_Scenery_Set(13);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Error: unknown track type!\n"), std::string::npos);
  EXPECT_EQ(game->Object_Sprite(401), pillar);
  EXPECT_EQ(game->Object_Sprite(31), sign);
  EXPECT_FLOAT_EQ(game->Object_Sprite(24)->base_scale, 2.0f);  // Santa
  EXPECT_EQ(game->Object_Sprite(458)->shadow, 0);               // ground texture
  EXPECT_EQ(game->scenery_sprites.count, 1u + 13u + 10u);       // hotel, Bavaria, Hungary without 401 and 31

  game->Free_Object_Sprites();
  EXPECT_EQ(game->scenery_sprites.count, 0u);
  for (int id = 0; id < kObjectIds; ++id) {
    EXPECT_EQ(game->scenery_cache[id].loaded, 0);
    EXPECT_EQ(game->scenery_cache[id].set, nullptr);
  }
  EXPECT_EQ(game->Object_Sprite(5000), nullptr);
}

// The built-in tracks: Florida with its ground textures and the closing gap of its left
// row, Bavaria without textures; a road from an earlier track is replaced, any other
// value builds nothing, and both draw all the way round without pictures.
TEST_F(SceneryFixture, BuiltinTracksBuildTheirRoadsAndDrawAllTheWayRound) {
  game->builtin_track = 3;
  game->Build_Builtin_Track();
  EXPECT_EQ(game->road, nullptr);
  game->builtin_track = 1;
  game->road = new road::Road(game->camera);
  road::Road* old = game->road;
  game->Build_Builtin_Track();
  road::Road* florida = game->road;
  EXPECT_NE(florida, old);
  EXPECT_EQ(game->sky->current, game->sky->pictures[2]);  // cloudy
  EXPECT_EQ(florida->layout->total, 3310);
  EXPECT_EQ(florida->track_length(), (3210 - 121) * 100);
  EXPECT_EQ(florida->lateral, 350);
  EXPECT_EQ(florida->vehicles, &game->vehicles);
  ASSERT_EQ(florida->C0->count(), 1u);
  EXPECT_NE(florida->C0->object(0), nullptr);
  EXPECT_EQ(florida->R3->object(0), game->Object_Sprite(400));
  EXPECT_EQ(florida->L1->object(13), nullptr);  // the closing gap
  EXPECT_EQ(florida->L1->sectors[13].period, 0);
  game->builtin_track = 2;
  game->Build_Builtin_Track();
  EXPECT_EQ(game->sky->current, game->sky->pictures[1]);  // alps
  EXPECT_EQ(game->road->layout->total, 1900);
  EXPECT_EQ(game->road->C0->count() + game->road->C1->count(), 0u);
  EXPECT_EQ(game->road->L3->object(0), game->Object_Sprite(401));
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

TEST_F(SceneryFixture, SetSectorObjectFillsSlotsAndCountsByClass) {
  TrackSector t = {};
  Set_Sector_Object(t, kSlotR2, 150, 8, 440);
  Set_Sector_Object(t, kSlotL2, 250, 8, -390);
  Set_Sector_Object(t, kSlotLeftGround, 455, 7, 7);
  Set_Sector_Object(t, 9, 299, 1, 1);  // no such slot: nothing stored or counted
  EXPECT_EQ(t.R2.id, 150);
  EXPECT_EQ(t.L2.offset, -390);
  EXPECT_EQ(t.C0.id, 455);
  EXPECT_EQ(t.C0.period + t.C0.offset, 0);
  EXPECT_EQ(trackStats.bushes, 1);
  EXPECT_EQ(trackStats.houses, 1);
  EXPECT_EQ(trackStats.stones, 1);
}

// A refusal says why and places nothing; 512 objects at once is the most (a count places
// n / 80 objects per unit at full scenery).
TEST_F(SceneryFixture, PlacementLimitsAndWarnings) {
  const struct {
    int sectors, every, state;  // every `every`-th sector is set to `state`
    int count, side, scenery, result, placed;
    const char* warning;
  } cases[] = {
      {720, 0, 0, 57, 1, 100, 0, 0, "Warning: too many objects at once.\n"},  // 513
      {640, 0, 0, 64, 1, 0, 0, 0, ""},                                       // none asked for
      {80, 2, 0, 41, 2, 100, 0, 0, "Warning: Not enough free sectors (40) to place 41 objects.\n"},
      {80, 4, 2, 505, 0, 100, 0, 20, "Warning: Clustering of object not possible Sectors: 5\n"},  // no 5 free in a row
      {80, 0, 0, 580, 1, 100, 0, 0, "Warning: Clustering of object not possible Sectors: 80\n"},  // n - number < 1
      {80, 0, 0, 505, 0, 100, 1, 5, ""},  // a cluster on a side drawn at random
      {640, 0, 0, 64, 1, 100, 1, 512, ""},
  };
  for (const auto& c : cases) {
    Sectors(c.sectors);
    for (int s = 0; c.every && s < c.sectors; s += c.every) trackSectors[s].state = c.state;
    generatorParams.scenery = c.scenery;
    trackStats = {};
    EXPECT_EQ(Printed([&] { EXPECT_EQ(Place_Objects(c.count, c.side, 100, 0, 0), c.result) << c.count; }), c.warning)
        << c.count;
    EXPECT_EQ(Placed(), c.placed) << c.count;
  }
  EXPECT_EQ(trackStats.trees, 512);
}

TEST_F(SceneryFixture, ScatteredPlacementFillsExactlyTheFreeSectors) {
  Sectors(80);
  for (int s = 0; s < 80; s += 2) trackSectors[s].state = 0;  // 40 free
  std::srand(7);
  EXPECT_EQ(Place_Objects(40, 2, 150, 100, 200), 1);
  for (int s = 1; s < 80; s += 2) {
    EXPECT_EQ(trackSectors[s].state, 2);
    EXPECT_EQ(trackSectors[s].R2.id, 150);
    EXPECT_EQ(trackSectors[s].R2.period, 16);
    EXPECT_EQ(trackSectors[s].R2.offset, 550);
    EXPECT_EQ(trackSectors[s].L2.id, 0);
  }
  EXPECT_EQ(trackStats.bushes, 40);
}

TEST_F(SceneryFixture, ClusterNeverStartsAtTheLastStartNorOverAnOccupiedSector) {
  for (unsigned seed = 1; seed < 200; ++seed) {
    Sectors(80);
    trackSectors[40].state = 2;
    std::srand(seed);
    ASSERT_EQ(Place_Objects(505, 3, 250, 100, 100), 1);  // 5 in a row
    int first = -1;
    for (int s = 0; s < 80; ++s)
      if (s != 40 && trackSectors[s].state == 2) {
        if (first < 0) first = s;
      }
    ASSERT_GE(first, 0);
    EXPECT_LE(first, 74) << seed;               // 80 - 5 is never a start
    EXPECT_TRUE(first + 4 < 40 || first > 40) << seed;
    for (int s = first; s < first + 5; ++s) {
      EXPECT_EQ(trackSectors[s].L2.id, 250);
      EXPECT_EQ(trackSectors[s].L2.period, 8);
      EXPECT_EQ(trackSectors[s].L2.offset, -400);
      EXPECT_EQ(trackSectors[s].R2.offset, 450);
    }
  }
  EXPECT_EQ(trackStats.houses, 199 * 10);  // both sides count twice
}

TEST_F(SceneryFixture, SectorsBecomeRoadRunsAndUnloadedIdsDrawNothing) {
  roadview::Plain_Scenery(*game);
  game->New_Road();
  Sectors(2);
  trackSectors[0] = {10, 1, 0, 0, {100, 16, -350}, {150, 16, -300}, {400, 16, 10},
                     {100, 16, 350}, {150, 16, 440}, {400, 16, -10}, {455, 0, 0}, {455, 0, 0}};
  trackSectors[1] = trackSectors[0];
  trackSectors[1].length = 20;
  trackSectors[1].R2 = {777, 16, 440};  // from a scenario whose set is not loaded
  trackSectors[1].C0 = {kNoGroundTexture, 0, 0};
  EXPECT_EQ(Printed([&] { game->Sectors_To_Road_Objects(); }),
            "ERROR: Sprite not loaded!\nR1: 100\nR2: 777\nR3: 400\nL1: 100\nL2: 150\nL3: 400\n");
  road::Road& r = *game->road;
  EXPECT_EQ(r.R2->count(), 2u);
  EXPECT_EQ(r.R2->object(0), game->Object_Sprite(150));
  EXPECT_EQ(r.R2->sectors[0].offset, 440);
  EXPECT_EQ(r.R2->object(1), nullptr);
  EXPECT_EQ(r.R2->sectors[1].period, 0);
  EXPECT_EQ(r.R2->start(1), 10);
  EXPECT_EQ(r.L3->sectors[1].offset, 10);
  EXPECT_EQ(r.R3->sectors[1].offset, -10);
  EXPECT_EQ(r.C0->total, 30);  // the sector without texture keeps its place
  EXPECT_EQ(r.C0->object(1), nullptr);
  EXPECT_EQ(r.C1->object(1), game->Object_Sprite(455));
  // Drawing the road over those runs is safe.
  r.add_sector(5, 0, 0, 200);
  r.add_sector(5, 0, 0, 0);
  r.setup(640, 480, 250, 100);
  r.set_vehicles(&game->vehicles);
  for (int p = 0; p < 3000; p += 100) {
    r.fill_buckets(r.buckets, p);
    r.draw(*game->canvas, r.buckets, p);
  }
}

}  // namespace
