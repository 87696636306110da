#include "road/particles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "road/camera.h"
#include "road/canvas.h"
#include "road/image.h"

namespace {

using particler::Emitter;
using particler::Vec3;

const Vec3 kZero{0, 0, 0}, kKeep{1, 1, 1};

TEST(Emitter, HalfRateEmitsOneParticleEverySecondFrame) {
  Camera camera;
  Emitter e(&camera);
  EXPECT_EQ(e.particles.count, 256u);
  e.start(0.5f, 60, {0, 2, 0}, {14, 1, 0}, {-3, 2, -2}, {3, 0, 0}, kKeep, nullptr);
  for (int frame = 1; frame <= 10; ++frame) {
    e.update(100, 50, 400, 0, 0, 0);
    EXPECT_EQ(e.live, frame / 2) << frame;
  }
  for (const particler::Motion& m : e.particles) {  // the one just spawned: within the spread
    if (m.life != 60) continue;
    EXPECT_TRUE(std::fabs(m.x - 100) <= 7 && std::fabs(m.y - 50) <= 0.5f && std::fabs(m.vx) <= 3 &&
                m.vy >= 2 && m.vy <= 4 && m.vz >= -2 && m.vz <= 0);
  }
}

TEST(Emitter, AParticleOutlivesItsEmitterAndDiesOnTheSixtiethUpdate) {
  Camera camera;
  Emitter e(&camera);
  e.start(1.0f, 60, {0, 0, 1}, kZero, kZero, kZero, {0.5f, 0.5f, 0.5f}, nullptr);
  e.update(0, 0, 0, 0, 0, 0);
  e.stop();
  particler::Motion& m = e.particles[0];
  for (int i = 1; i <= 59; ++i) {
    e.update(0, 0, 0, 0, 0, 10);
    ASSERT_EQ(m.flags & 1, 1) << i;
    ASSERT_NEAR(m.z, 10.0 * i + 2.0 - 2.0 / std::pow(2.0, i), 1e-3) << i;  // drift plus damped speed
  }
  float z = m.z;
  e.update(0, 0, 0, 0, 0, 10);
  EXPECT_EQ(m.flags & 1, 0);
  EXPECT_EQ(m.z, z);
  EXPECT_EQ(e.live, 0);
}

TEST(Emitter, DrawsThroughTheCameraAndSkipsParticlesBehindIt) {
  Camera camera(320.0f, 144.0f, 230.4f);
  image grey(4, 4, 32, 0);
  for (uint32_t i = 0; i < grey.pixels.count; ++i) grey.pixels[i] = 200;
  sprite puff(&grey, 4, 4, 1.0f);
  puff.no_shadow();
  Emitter e(&camera);
  e.start(1.0f, 60, kZero, kZero, kZero, kZero, kKeep, &puff);
  e.update(0, 0, 230.4f, 0, 0, 0);  // scale 1 at the camera's depth
  for (float z : {230.4f, 0.0f, -50.0f, 1e-9f}) {
    Canvas canvas(640, 480);
    e.particles[0].z = z;
    e.draw(&canvas);
    uint32_t centre = canvas.data()[279 * 640 + 320] & 0xFFFFFF, lit = 0;
    for (int i = 0; i < 640 * 480; ++i) lit |= canvas.data()[i];
    if (z == 230.4f) {
      EXPECT_EQ(centre, 0xC8C8C8u);  // projected to (320, 144 + 135), added
      EXPECT_FLOAT_EQ(camera.scale, 1.0f);
    } else {
      EXPECT_EQ(lit, 0u) << z;
    }
    EXPECT_EQ(camera.behind, z <= 0) << z;
  }
}

}  // namespace
