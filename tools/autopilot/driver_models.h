#pragma once
// Driver models of three skill levels for the autopilot: what a driver sees of the race each
// frame, how late it sees it, and the four driving inputs it presses in answer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/state/game.h"
#include "road/road.h"
#include "vehicles/model/vehicle.h"

namespace autopilot {

struct Driver_Model {
  const char* name;
  int delay_frames;      // frames between the picture and the driver seeing it
  float overshoot;       // steering aims up to this share too far, at random
  float margin;          // extra clearance beside and behind cars, world units
  int early_brake_steer; // brakes before a curve that needs more steer than this (0: never)
};

// The expert is the line driver without delay. The good driver sees the road 150 ms late,
// overshoots its steering a little and passes with room to spare; the newcomer sees it
// 300 ms late, slows for sharp curves before it reaches them and keeps well clear of cars.
constexpr Driver_Model kExpert{"expert", 0, 0.0f, 0.0f, 0};
constexpr Driver_Model kGood{"good", 3, 0.3f, 80.0f, 0};
constexpr Driver_Model kNewcomer{"newcomer", 6, 0.0f, 200.0f, 16};
constexpr const Driver_Model* kModels[] = {&kExpert, &kGood, &kNewcomer};

constexpr int kMaxDelay = 8;
constexpr int kSeenCars = 8;
constexpr int kCarReach = 2500;   // cars further ahead play no part in the line
constexpr int kCurveReach = 5000; // how far ahead a bend is looked for
constexpr int kBrakeDab = 4;      // frames of one touch of the brake before a bend

struct Seen_Car {
  int dz;       // distance ahead of the player
  float x;      // the car's lateral position
  float speed;
};

// One frame's picture as the driver takes it in.
struct Sight {
  float curve_force = 0.0f;  // push of the bend under the car
  int lateral = 0;           // the road's offset from the car
  float speed = 0.0f;        // the speedometer
  int curve_ahead = 0;       // the sharpest bend in view ahead, degrees
  int curve_ahead_at = -1;   // its first segment
  int car_count = 0;
  Seen_Car cars[kSeenCars] = {};
};

// Steering push of a bend at the car for a curve of `degrees` (the road's measure at patch 2).
inline float Curve_Force_Of(int degrees) {
  return -100.0f * std::sin(degrees * (2.0f / 120.0f) * 0.017453292f);
}

// What the picture shows now: the bend under the car, the sharpest one ahead, and the
// moving cars close ahead (the nearest first).
inline Sight Look(const Game& game) {
  Sight s;
  const road::Road& r = *game.road;
  s.curve_force = r.curve_force;
  s.lateral = r.lateral;
  s.speed = game.player.speed;
  const int from = r.position / 100, to = (r.position + kCurveReach) / 100;
  for (uint32_t i = 0; r.layout && i < r.layout->count(); ++i) {
    const Sector& sector = r.layout->sectors[i];
    if (sector.start + sector.length > from && sector.start <= to && std::abs(sector.curve) > std::abs(s.curve_ahead))
      s.curve_ahead = sector.curve, s.curve_ahead_at = sector.start;
  }
  for (const vehicle* v : game.vehicles) {
    const int dz = v->z - r.position;
    if (v->speed <= 1.0f || dz <= 0 || dz >= kCarReach) continue;
    Seen_Car car{dz, v->x, v->speed};
    int k = std::min(s.car_count, kSeenCars - 1);
    if (s.car_count == kSeenCars && dz >= s.cars[k].dz) continue;
    for (; k > 0 && s.cars[k - 1].dz > dz; --k) s.cars[k] = s.cars[k - 1];
    s.cars[k] = car;
    s.car_count = std::min(s.car_count + 1, kSeenCars);
  }
  return s;
}

struct Inputs {
  uint8_t up = 0, down = 0, left = 0, right = 0;
};

class Driver {
 public:
  Driver(const Driver_Model& model, unsigned seed) : model_(model), random_(seed * 2654435761u + 1u) {}

  // Takes in the picture of the frame just drawn.
  void See(const Sight& sight) {
    if (seen_ == 0)
      for (Sight& s : sights_) s = sight;  // before the start the road stood still
    sights_[seen_++ % kMaxDelay] = sight;
  }

  // The inputs for the next frame, from the picture delay_frames old; `steer` is where the
  // driver's hands hold the wheel now.
  Inputs Decide(int steer) {
    if (seen_ == 0) return Inputs{1, 0, 0, 0};
    const int delay = std::min(model_.delay_frames, kMaxDelay - 1);
    const Sight& s = sights_[(seen_ - 1 + kMaxDelay - delay) % kMaxDelay];
    const float speed = s.speed;
    const float push = -s.curve_force * speed * speed * 0.00390625f / 9.0f;
    const float error = static_cast<float>(s.lateral) - Target_Lateral(s);
    int target = 0;
    if (speed > 1.0f) {
      float aim = (push + Correction_Gain() * error) * 32.0f / (0.6f * speed);
      aim *= 1.0f + model_.overshoot * Random01();
      target = static_cast<int>(std::lround(aim / 8.0f)) * 8;
    }
    target = std::max(-24, std::min(24, target));
    Inputs in;
    const bool hold = steer == target && steer != 0;
    in.left = steer > target || hold;
    in.right = steer < target || hold;
    if (Bend_Too_Fast(s) && s.curve_ahead_at != braked_for_) {
      braked_for_ = s.curve_ahead_at;
      dab_left_ = kBrakeDab;
    }
    const bool brake = Slower_Car_Close(s) || dab_left_ > 0;
    if (dab_left_ > 0) --dab_left_;
    in.up = !brake;
    in.down = brake;
    return in;
  }

 private:
  // Share of the distance off the line taken back each frame. The wheel needs three frames to
  // reach its stop; a driver who sees late corrects more gently, as people do, or weaves.
  float Correction_Gain() const { return 0.2f * 3.0f / (3.0f + model_.delay_frames); }

  // The middle of the road, or beside the nearest car ahead in the way.
  float Target_Lateral(const Sight& s) const {
    const float half = 220.0f + model_.margin, beside = 280.0f + model_.margin;
    for (int i = 0; i < s.car_count; ++i) {
      const Seen_Car& c = s.cars[i];
      if (std::fabs(c.x + s.lateral) >= half) continue;
      const float target = -c.x + (c.x > 0.0f ? beside : -beside);
      return std::max(-420.0f, std::min(420.0f, target));
    }
    return 0.0f;
  }

  bool Slower_Car_Close(const Sight& s) const {
    const float reach = 700.0f, half = 170.0f;
    for (int i = 0; i < s.car_count; ++i) {
      const Seen_Car& c = s.cars[i];
      if (c.dz < reach && std::fabs(c.x + s.lateral) < half) return c.speed + 5.0f < s.speed;
    }
    return false;
  }

  // A bend ahead that would need more steering than the driver likes at this speed; the
  // driver touches the brake once before it.
  bool Bend_Too_Fast(const Sight& s) const {
    if (model_.early_brake_steer <= 0 || s.curve_ahead == 0) return false;
    const float force = std::fabs(Curve_Force_Of(s.curve_ahead));
    const float comfortable = 2304.0f * 0.6f * model_.early_brake_steer / (32.0f * force);
    return s.speed > comfortable;
  }

  float Random01() {
    random_ = random_ * 1664525u + 1013904223u;
    return static_cast<float>(random_ >> 8) / 16777216.0f;
  }

  Driver_Model model_;
  uint32_t random_;
  Sight sights_[kMaxDelay];
  unsigned seen_ = 0;
  int braked_for_ = -1;  // the bend the last touch of the brake was for
  int dab_left_ = 0;
};

}  // namespace autopilot
