#include <gtest/gtest.h>

#include "road/image.h"
#include "support/race_fixture.h"
#include "vehicles/race/catalogue.h"

namespace {

class Catalogue : public RaceFixture {};

TEST_F(Catalogue, EveryCarHasTenFramesAndTheViewSetsTheirViews) {
  game->Load_Car_Models();
  game->Load_Vehicle_Sprites();
  for (int car = 1; car <= kCarModels; ++car) {
    ASSERT_NE(game->car_models[car], nullptr) << car;
    EXPECT_EQ(game->car_models[car]->frame_count, 10) << car;
    EXPECT_EQ(game->car_models[car]->h_anchor, 4);
  }
  for (int slot : {SLOT_SCIROCCO, SLOT_AUDI_A4, SLOT_UK_BUS, SLOT_UK_TAXI})
    EXPECT_EQ(game->vehicle_sprites[slot]->frame_count, 3) << slot;
  for (int slot = SLOT_911; slot <= SLOT_HSV_GTS; ++slot) EXPECT_EQ(game->vehicle_sprites[slot]->frame_count, 5) << slot;
  EXPECT_EQ(game->vehicle_sprites[SLOT_TRANSPORTER]->frame_count, 5);
  EXPECT_EQ(game->vehicle_sprites[SLOT_TRANSPORTER]->base_scale, 2.0f);
  EXPECT_EQ(game->vehicle_sprites[SLOT_SPEEDOMETER]->shadow, 0);
  EXPECT_EQ(game->vehicle_sprites[SLOT_FINISH]->v_anchor, 3);
  game->Load_Car_Models();  // loading again replaces, without leaking
}

}  // namespace
