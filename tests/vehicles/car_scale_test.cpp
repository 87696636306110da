// Rendered frames of the player's vehicle and of the traffic beside it: a vehicle that
// stands on the same road row as the player's is drawn at the same size, and the player's
// shadow lies under its body in every frame, whose rear stays put as the nose swings.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/state/game.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/road.h"
#include "support/race_fixture.h"
#include "vehicles/model/vehicle.h"
#include "vehicles/race/catalogue.h"

namespace {

constexpr int kPosition = 20000;

// What a frame drew over a reference picture: the drawn pixels and the darkened ones.
struct Footprint {
  int left = 1 << 20, right = -1, bottom = -1;  // drawn pixels
  int shadow_left = 1 << 20, shadow_right = -1, shadow_bottom = -1;
  int width() const { return right - left + 1; }
};

class CarScale : public RaceFixture {
 protected:
  road::Road* road = nullptr;
  std::vector<uint32_t> empty_road;

  void SetUp() override {
    RaceFixture::SetUp();
    game->Load_Vehicle_Sprites();
    game->Load_Car_Models();
    game->Set_View_Size(640, 480);
    road = Straight_Road(400000);
    road->lateral = 0;
    Draw_Road();
    empty_road = Pixels();
  }

  std::vector<uint32_t> Pixels() const {
    const Canvas& c = *game->canvas;
    return std::vector<uint32_t>(c.data(), c.data() + static_cast<size_t>(c.width) * c.height);
  }

  void Draw_Road() {
    road->fill_buckets(road->buckets, kPosition);
    road->draw(*game->canvas, road->buckets, kPosition);
  }

  // Classifies every pixel against the empty road: unchanged, halved (a shadow) or drawn.
  Footprint Changes() const {
    Footprint f;
    const Canvas& c = *game->canvas;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const size_t i = static_cast<size_t>(y) * c.width + x;
        const uint32_t was = empty_road[i], now = c.data()[i];
        if (now == was) continue;
        if (now == ((was & 0xFEFEFEFEu) >> 1)) {
          f.shadow_left = std::min(f.shadow_left, x);
          f.shadow_right = std::max(f.shadow_right, x);
          f.shadow_bottom = std::max(f.shadow_bottom, y);
        } else {
          f.left = std::min(f.left, x);
          f.right = std::max(f.right, x);
          f.bottom = std::max(f.bottom, y);
        }
      }
    return f;
  }

  // The player's car `car` in picture `frame`, drawn as the race frame draws it.
  Footprint Player(int car, int frame) {
    std::copy(empty_road.begin(), empty_road.end(), game->canvas->data());
    game->selected_car = car;
    game->Set_View_Size(640, 480);  // places the selected car's point
    sprite* s = game->car_models[car];
    game->player.frame = frame * 10;
    game->player.smoke = 0;
    game->player.skid = 0;
    game->player.Draw_Player_Car(game->canvas, game->camera, game->smoke_left, game->smoke_right, game->smoke_sprite,
                                 s, s->x, s->y, s->z);
    return Changes();
  }

  // One vehicle of the set in `slot`, straight ahead, at the depth whose road row is `row`.
  Footprint Opponent_On_Row(int slot, int row) {
    const Camera& cam = *game->camera;
    const float scale = (row + 1 - cam.centre_y) / -cam.height;  // the sprite's anchor is below its last row
    const int z = kPosition + static_cast<int>(cam.depth / scale - cam.depth + 0.5f);
    for (vehicle* v : game->vehicles) delete v;
    game->vehicles.count = 0;
    game->vehicles.add(new vehicle(game->vehicle_sprites[slot], 0.0f, z, 0.0f, 0));
    std::copy(empty_road.begin(), empty_road.end(), game->canvas->data());
    Draw_Road();
    Footprint f = Changes();
    for (vehicle* v : game->vehicles) delete v;
    game->vehicles.count = 0;
    return f;
  }
};

TEST_F(CarScale, ThePlayersShadowLiesUnderItsBodyAndATurnedCarKeepsItsRearInEveryFrame) {
  // Nose left or right in each picture: the edge away from the turn stays where the
  // straight car has it.
  const int turn[10] = {-1, -1, 0, 1, 1, 0, 0, -1, 0, 1};
  for (int car = 1; car <= kCarModels; ++car)
    for (int frame = 0; frame < 10; ++frame) {
      const Footprint straight = Player(car, 2);
      const Footprint f = Player(car, frame);
      if (turn[frame] != 0) {
        EXPECT_NEAR(turn[frame] > 0 ? f.left : f.right, turn[frame] > 0 ? straight.left : straight.right, 3)
            << "car " << car << " frame " << frame;
      }
      ASSERT_GT(f.width(), 20) << "car " << car << " frame " << frame;
      ASSERT_GE(f.shadow_bottom, 0) << "car " << car << " frame " << frame;
      // The car shadow reaches one pixel left of the picture and 20 rows below it.
      EXPECT_GE(f.shadow_left, f.left - 3) << "car " << car << " frame " << frame;
      EXPECT_LE(f.shadow_right, f.right + 3) << "car " << car << " frame " << frame;
      EXPECT_LE(f.shadow_bottom, f.bottom + 24) << "car " << car << " frame " << frame;
    }
}

TEST_F(CarScale, TrafficBesideThePlayerIsDrawnAtThePlayersSize) {
  struct Pair {
    int car, slot;
  };
  // Opponent sets painted from the same models as player cars.
  const Pair same[] = {{1, SLOT_NISSAN_GTR}, {3, SLOT_KOENIGSEGG}, {4, SLOT_DELOREAN}, {5, SLOT_911},
                       {6, SLOT_MINI},       {7, SLOT_SHELBY},     {8, SLOT_HSV_GTS},   {9, SLOT_ESPRIT}};
  for (const Pair& p : same) {
    const Footprint mine = Player(p.car, 2);
    const Footprint theirs = Opponent_On_Row(p.slot, mine.bottom);
    EXPECT_NEAR(theirs.bottom, mine.bottom, 2) << "slot " << p.slot;
    EXPECT_NEAR(static_cast<double>(theirs.width()) / mine.width(), 1.0, 0.15) << "slot " << p.slot;
  }
  // The other sets against the player's cars on average (cars 1.5 to 2 m wide); the
  // double-decker bus is a third wider than a car.
  double sum = 0;
  for (int car = 1; car <= 15; ++car) sum += Player(car, 2).width();
  const double car_width = sum / 15;
  const int row = Player(1, 2).bottom;
  for (int slot : {SLOT_TRANSPORTER, SLOT_SCIROCCO, SLOT_AUDI_A4, SLOT_UK_TAXI}) {
    const Footprint f = Opponent_On_Row(slot, row);
    EXPECT_NEAR(f.width() / car_width, 1.0, 0.15) << "slot " << slot;
  }
  EXPECT_NEAR(Opponent_On_Row(SLOT_UK_BUS, row).width() / car_width, 1.35, 0.2);
}

}  // namespace
