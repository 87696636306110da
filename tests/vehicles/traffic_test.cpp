#include <gtest/gtest.h>

#include <cstdlib>

#include "support/race_fixture.h"
#include "road/image.h"
#include "vehicles/catalogue.h"

namespace {

class Traffic : public RaceFixture {
 protected:
  vehicle* Add(float x, int z, float speed, float top = 0.0f, float accel = 0.0f) {
    vehicle* v = new vehicle(nullptr, x, z, speed, top, accel, 0);
    game->vehicles.add(v);
    return v;
  }
};

TEST_F(Traffic, RightAfterTheStartEveryOpponentIsAhead) {
  Straight_Road(200000);
  game->Setup_Race();
  game->Update_Traffic();
  EXPECT_EQ(game->place, 21);
  int opponents = 0;
  for (vehicle* v : game->vehicles) opponents += v->top_speed > 0.0f;
  EXPECT_EQ(opponents, 20);
}

TEST_F(Traffic, GridDrawsStayWithinTheDifficultyRanges) {
  Straight_Road(200000);
  for (int level = 0; level < 4; ++level) {
    static const float kLo[4] = {88, 96, 98, 100}, kHi[4] = {149, 150, 151, 153};
    static const float kALo[4] = {0.42f, 0.45f, 0.50f, 0.52f}, kAHi[4] = {0.52f, 0.54f, 0.56f, 0.58f};
    game->difficulty = level;
    for (unsigned seed = 1; seed < 60; ++seed) {
      game->vehicles.delete_all();
      srand(seed);
      game->Place_Opponents();
      ASSERT_EQ(game->vehicles.count, 20u);
      vehicle* first = game->vehicles[0];
      vehicle* last = game->vehicles[19];
      EXPECT_EQ(first->z, 400);
      EXPECT_EQ(last->z, 2400);
      EXPECT_GE(first->top_speed, kLo[level]);
      EXPECT_LE(first->top_speed, kHi[level]);
      EXPECT_GE(first->acceleration, kALo[level] - 1e-4f);
      EXPECT_LE(first->acceleration, kAHi[level] + 1e-4f);
      EXPECT_GE(last->top_speed, kLo[level] + 15);
      EXPECT_LE(last->top_speed, kHi[level] + 5);
      EXPECT_GE(last->acceleration, kALo[level] + 0.09f - 1e-4f);
      EXPECT_LE(last->acceleration, kAHi[level] + 0.09f + 1e-4f);
      EXPECT_EQ(last->speed, 0.0f);
    }
  }
}

TEST_F(Traffic, BritishScenarioSwapsTransporterAndAudiForBusAndTaxi) {
  Straight_Road(200000);
  for (int slot = 0; slot < VEHICLE_SLOTS; ++slot) game->vehicle_sprites[slot] = new sprite(static_cast<const image*>(nullptr), 4, 3, 1.0f);
  game->track_type = 7;
  for (unsigned seed = 1; seed < 40; ++seed) {
    game->vehicles.delete_all();
    srand(seed);
    game->Place_Opponents();
    for (uint32_t i = 0; i < game->vehicles.count; ++i) {
      sprite* set = game->vehicles[i]->sprite_set;
      const bool row_1_or_4 = i < 4 || (i >= 11 && i < 14);
      if (row_1_or_4) {
        EXPECT_NE(set, game->vehicle_sprites[SLOT_TRANSPORTER]);
        EXPECT_NE(set, game->vehicle_sprites[SLOT_AUDI_A4]);
      }
    }
  }
}

TEST_F(Traffic, AFasterCarHandsItsPaceToTheSlowerOneAhead) {
  road::Road* r = Straight_Road(200000);
  r->position = 50000;  // the camera far away: no dodging
  vehicle* rear = Add(-200.0f, 1000, 120.0f, 150.0f, 0.5f);
  vehicle* front = Add(-200.0f, 1100, 90.0f, 100.0f, 0.4f);
  game->Resolve_Contacts(0);
  EXPECT_EQ(rear->speed, 90.0f);
  EXPECT_EQ(front->speed, 120.0f);
  EXPECT_EQ(rear->top_speed, 100.0f);
  EXPECT_EQ(front->top_speed, 150.0f);
  EXPECT_FLOAT_EQ(rear->acceleration, 0.4f);
  EXPECT_FLOAT_EQ(front->acceleration, 0.5f);

  // Another lane, 500 or more ahead, or a faster leader: nothing changes.
  vehicle* a = Add(-200.0f, 5000, 120.0f);
  Add(200.0f, 5100, 90.0f);
  Add(-200.0f, 5500, 90.0f);
  Add(-200.0f, 5050, 130.0f);
  game->Resolve_Contacts(2);
  EXPECT_EQ(a->speed, 120.0f);
}

TEST_F(Traffic, ACarBehindThePlayerInHisLaneDodgesOnlyInsideItsWindow) {
  road::Road* r = Straight_Road(200000);
  r->position = 10000;
  r->lateral = 0;
  game->player.speed = 50.0f;
  vehicle* dodger = Add(-10.0f, 10000 - 500, 100.0f);
  vehicle* near = Add(-10.0f, 10000 - 299, 100.0f);
  vehicle* far = Add(-10.0f, 10000 - 800, 100.0f);
  vehicle* slow = Add(-10.0f, 10000 - 500, 40.0f);
  for (int i = 0; i < 4; ++i) game->Dodge_Player(i);
  EXPECT_EQ(dodger->x, 400.0f - 5.0f);  // jumped across, then one step home
  EXPECT_EQ(near->x, -10.0f);
  EXPECT_EQ(far->x, -10.0f);
  EXPECT_EQ(slow->x, -10.0f);
  game->Dodge_Player(0);
  EXPECT_EQ(dodger->x, 390.0f);
  dodger->z = 0;  // out of the window: it drifts home
  for (int i = 0; i < 200; ++i) game->Dodge_Player(0);
  EXPECT_EQ(dodger->x, -10.0f);  // home again, not beyond
  EXPECT_TRUE(game->Near_Player_Lane(0));
  dodger->x = -175.0f;
  EXPECT_FALSE(game->Near_Player_Lane(0));
}

TEST_F(Traffic, VehiclesMoveOnceTheVisibleRoadReachesThemAndOnlyMovingOnesCount) {
  road::Road* r = Straight_Road(200000);
  vehicle* waiting = Add(0.0f, 20000, 0.0f, 100.0f, 0.5f);
  vehicle* moving = Add(0.0f, 5000, 0.0f, 100.0f, 0.5f);
  Add(0.0f, 3000, 0.0f);  // a parked figure
  game->Update_Traffic();
  EXPECT_EQ(waiting->speed, 0.5f);  // gathers speed already
  EXPECT_EQ(waiting->z, 20000);     // but waits beyond 12000 + position
  EXPECT_EQ(moving->z, 5000);       // trunc(0.5) = 0
  EXPECT_EQ(game->place, 3);
  for (int i = 0; i < 300; ++i) game->Update_Traffic();
  EXPECT_EQ(moving->speed, 100.0f);
  r->position = moving->z + 1;
  game->Update_Traffic();
  EXPECT_EQ(game->place, 2);
}

TEST_F(Traffic, AnEmptyListGivesPlaceOneAndStillTestsTheCheckpoints) {
  road::Road* r = Straight_Road(200000);
  game->Add_Checkpoint(1000, 20);
  game->Add_Finish(5000, 10);
  game->vehicles.delete_all();
  r->position = 1200;
  game->Update_Traffic();
  EXPECT_EQ(game->place, 1);
  EXPECT_EQ(game->checkpoints_passed, 1);
}

}  // namespace
