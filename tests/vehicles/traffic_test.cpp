#include <gtest/gtest.h>

#include <cstdlib>

#include "support/race_fixture.h"

namespace {

class Traffic : public RaceFixture {
 protected:
  vehicle* Add(float x, int z, float speed, float top = 0.0f, float accel = 0.0f) {
    vehicle* v = new vehicle(nullptr, x, z, speed, top, accel, 0);
    game->vehicles.add(v);
    return v;
  }
};

TEST_F(Traffic, TheGridFollowsTheDifficultyAndEveryoneLeadsAtTheStart) {
  Straight_Road(200000);
  game->Setup_Race();
  game->Update_Traffic();
  EXPECT_EQ(game->place, 21);

  const float lo[4] = {88, 96, 98, 100}, hi[4] = {149, 150, 151, 153};
  const float alo[4] = {0.42f, 0.45f, 0.50f, 0.52f}, ahi[4] = {0.52f, 0.54f, 0.56f, 0.58f};
  for (int level = 0; level < 4; ++level) {
    game->difficulty = level;
    for (unsigned seed = 1; seed < 40; ++seed) {
      game->vehicles.delete_all();
      srand(seed);
      game->Place_Opponents();
      ASSERT_EQ(game->vehicles.count, 20u);
      const vehicle* first = game->vehicles[0];  // row 1
      const vehicle* last = game->vehicles[19];  // row 6
      ASSERT_EQ(first->z, 400);
      ASSERT_EQ(last->z, 2400);
      EXPECT_TRUE(first->top_speed >= lo[level] && first->top_speed <= hi[level]) << first->top_speed;
      EXPECT_TRUE(last->top_speed >= lo[level] + 15 && last->top_speed <= hi[level] + 5) << last->top_speed;
      EXPECT_NEAR(first->acceleration, (alo[level] + ahi[level]) / 2, (ahi[level] - alo[level]) / 2 + 1e-4f);
      EXPECT_NEAR(last->acceleration, (alo[level] + ahi[level]) / 2 + 0.09f, (ahi[level] - alo[level]) / 2 + 1e-4f);
    }
  }
}

TEST_F(Traffic, AFasterCarHandsItsPaceToTheSlowerOneAhead) {
  Straight_Road(200000)->position = 50000;
  vehicle* rear = Add(-200.0f, 1000, 120.0f, 150.0f, 0.5f);
  vehicle* front = Add(-200.0f, 1100, 90.0f, 100.0f, 0.4f);
  vehicle* other_lane = Add(200.0f, 1050, 60.0f);
  vehicle* too_far = Add(-200.0f, 1500, 60.0f);
  game->Resolve_Contacts(0);
  EXPECT_EQ(rear->speed, 90.0f);
  EXPECT_EQ(front->speed, 120.0f);
  EXPECT_EQ(rear->top_speed, 100.0f);
  EXPECT_EQ(front->top_speed, 150.0f);
  EXPECT_FLOAT_EQ(front->acceleration, 0.5f);
  EXPECT_EQ(other_lane->speed, 60.0f);
  EXPECT_EQ(too_far->speed, 60.0f);
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
  vehicle* right = Add(10.0f, 10000 - 500, 100.0f);
  for (int i = 0; i < 5; ++i) game->Dodge_Player(i);
  EXPECT_EQ(dodger->x, 395.0f);  // jumped across, then one step home
  EXPECT_EQ(right->x, -495.0f);
  EXPECT_EQ(near->x, -10.0f);
  EXPECT_EQ(far->x, -10.0f);
  EXPECT_EQ(slow->x, -10.0f);
  dodger->z = 0;  // out of the window: it drifts home and stops there
  for (int i = 0; i < 200; ++i) game->Dodge_Player(0);
  EXPECT_EQ(dodger->x, -10.0f);
}

TEST_F(Traffic, VehiclesWaitForTheVisibleRoadAndOnlyMovingOnesCount) {
  road::Road* r = Straight_Road(200000);
  vehicle* waiting = Add(0.0f, 20000, 0.0f, 100.0f, 0.5f);
  vehicle* moving = Add(0.0f, 5000, 0.0f, 100.0f, 0.5f);
  Add(0.0f, 3000, 0.0f);  // a parked figure
  game->Update_Traffic();
  EXPECT_EQ(waiting->speed, 0.5f);  // gathers speed already
  EXPECT_EQ(waiting->z, 20000);     // but waits beyond 12000 + position
  EXPECT_EQ(game->place, 3);
  for (int i = 0; i < 300; ++i) game->Update_Traffic();
  EXPECT_EQ(moving->speed, 100.0f);
  r->position = moving->z + 1;
  game->Update_Traffic();
  EXPECT_EQ(game->place, 2);

  game->Add_Finish(r->position - 1, 10);
  game->vehicles.delete_all();  // an empty list: place 1, checkpoints still tested
  game->Update_Traffic();
  EXPECT_EQ(game->place, 1);
  EXPECT_TRUE(game->race_finished);
}

}  // namespace
