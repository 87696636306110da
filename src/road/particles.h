#pragma once
// World-space particles (the tyre smoke), projected with the road camera and drawn
// additively into the canvas.
#include <cstdint>

#include "common/dvec.h"

class Camera;
class Canvas;
class sprite;

namespace particler {

struct Vec3 {
  float x, y, z;
};

// One particle, 32 bytes.
struct Motion {
  int32_t life;   // frames left
  int32_t flags;  // bit 0: alive
  float x, y, z;
  float vx, vy, vz;  // per frame
};

class Emitter {
 public:
  static constexpr uint32_t kPoolSize = 256;

  DVec<Motion> particles;  // exactly kPoolSize records
  int32_t live = 0;
  float rate = 0.0f;   // new particles per frame
  float carry = 0.0f;  // fraction carried to the next frame
  int32_t life = 0;    // life of a new particle in frames
  Vec3 base_velocity{}, spread{}, velocity_a{}, velocity_b{}, damping{};
  Camera* camera = nullptr;   // not owned
  sprite* picture = nullptr;  // not owned
  uint8_t active = 0;

  explicit Emitter(Camera* camera);
  Emitter(const Emitter&) = delete;
  Emitter& operator=(const Emitter&) = delete;

  void start(float rate, int32_t life, Vec3 base_velocity, Vec3 spread, Vec3 velocity_a,
             Vec3 velocity_b, Vec3 damping, sprite* picture);
  // Stops emitting; the alive particles live out their life.
  void stop();
  // Emits at (px, py, pz) and moves every particle with the drift (wx, wy, wz).
  void update(float px, float py, float pz, float wx, float wy, float wz);
  void draw(Canvas* canvas);

 private:
  void spawn(Motion& m, float px, float py, float pz);
};

}  // namespace particler
