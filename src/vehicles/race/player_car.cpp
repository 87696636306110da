// The player's car each frame: the driving model applied to road, sky and smoke, and its picture.
#include "audio/playback/sound.h"
#include "core/state/game.h"
#include "road/camera.h"
#include "road/image.h"
#include "road/particles.h"
#include "road/road.h"
#include "road/sky.h"
#include "vehicles/model/vehicle.h"

namespace {
void Start_Smoke(particler::Emitter* emitter, sprite* smoke_sprite) {
  if (!emitter || emitter->active) return;
  emitter->start(0.5f, 60, {0.0f, 2.0f, 0.0f}, {14.0f, 1.0f, 0.0f}, {-3.0f, 2.0f, -2.0f}, {3.0f, 0.0f, 0.0f},
                 {0.92f, 0.92f, 0.92f}, smoke_sprite);
}

// Which way the car in each of the ten pictures is turned: -1 nose left, 1 nose right.
const int kPictureTurn[10] = {-1, -1, 0, 1, 1, 0, 0, -1, 0, 1};

// The sideways shift that keeps the rear of a turned car where the straight car has it:
// the picture's edge away from the turn stays half the straight picture's width from the
// car's point, so the nose swings out and the rear stays put.
int Rear_Pivot_Shift(const sprite* car, int frame) {
  const int picture = (frame < 0 ? -frame : frame) / 10;
  if (picture >= 10 || car->frame_count < 10 || kPictureTurn[picture] == 0) return 0;
  const int half = static_cast<int>(car->frame_width(picture)) / 2;
  const int straight = static_cast<int>(car->frame_width(2)) / 2;
  return kPictureTurn[picture] * (half - straight);
}
}  // namespace

void DrivingState::Draw_Player_Car(Canvas* canvas, const Camera* camera, particler::Emitter* left,
                                   particler::Emitter* right, sprite* smoke_sprite, sprite* car, int x, int y, int z) {
  if (smoke == 0 && skid < 1) {
    if (left) left->stop();
    if (right) right->stop();
  } else {
    Start_Smoke(left, smoke_sprite);
    Start_Smoke(right, smoke_sprite);
  }
  float sx = camera->centre_x, sy = camera->centre_y;
  if (z > 0) {
    const float s = camera->depth / z;
    sx = camera->centre_x + x * s;
    sy = camera->centre_y - s * (camera->height + y);
  }
  if (car)
    car->draw_car(canvas, frame, static_cast<int>(sx) + Rear_Pivot_Shift(car, frame), static_cast<int>(sy), 1.0f);
  if (left) left->draw(canvas);
  if (right) right->draw(canvas);
}

sprite* Player_Car_Sprite(Game& game) {
  return game.selected_car >= 1 && game.selected_car <= 19 ? game.car_models[game.selected_car] : nullptr;
}

void Game::Update_Player() {
  if (game_over) return;
  if (race_finished) {
    player.frame = 60;
    return;
  }
  sprite* car = Player_Car_Sprite(*this);
  const int car_x = car ? car->x : 0, car_y = car ? car->y : 0, car_z = car ? car->z : 0;
  const uint8_t left = input_left, right = input_right, up = input_up, down = input_down;
  const int excess = road->off_road(car_x);
  if (time_over) {  // forced braking; reaches the model from the next frame on
    input_up = 0;
    input_down = 1;
  }
  const DriveResult drive =
      player.Drive(left, right, up, down, road->curve_force, road->nearest, road->overlap, excess);
  if (drive.skid_changed) Set_Skid_Volume(player.skid);
  if (drive.crashed) Play_Crash();

  if (sky) sky->scroll -= drive.push / 20.0f;
  road->lateral += static_cast<int>(drive.push + drive.dx);
  if (excess != 0) road->lateral += excess;
  road->position = static_cast<int>(road->position + player.speed + player.speed);

  const float smoke_z = car_z + view_depth - 400.0f;
  const float drift = -player.speed * 0.125f;
  if (smoke_left) smoke_left->update(car_x - 45.0f, car_y + 15.0f, smoke_z, 0.0f, 0.0f, drift);
  if (smoke_right) smoke_right->update(car_x + 45.0f, car_y + 15.0f, smoke_z, 0.0f, 0.0f, drift);
  Update_Traffic();
}
