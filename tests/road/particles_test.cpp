#include "road/particles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/random.h"
#include "road/camera.h"
#include "road/canvas.h"
#include "road/image.h"

namespace {

using particler::Emitter;
using particler::Vec3;

const Vec3 kZero{0, 0, 0};
const Vec3 kKeep{1, 1, 1};

// The tyre smoke's settings.
void Start_Smoke(Emitter& e, sprite* picture = nullptr) {
  e.start(0.5f, 60, {0, 2, 0}, {14, 1, 0}, {-3, 2, -2}, {3, 0, 0}, {0.92f, 0.92f, 0.92f}, picture);
}

TEST(Emitter, HalfRateEmitsOneParticleEverySecondFrame) {
  Camera camera;
  Emitter e(&camera);
  EXPECT_EQ(e.particles.count, 256u);
  EXPECT_EQ(e.active, 0);
  Start_Smoke(e);
  for (int frame = 1; frame <= 10; ++frame) {
    e.update(0, 0, 100, 0, 0, 0);
    EXPECT_EQ(e.live, frame / 2) << frame;
  }
}

TEST(Emitter, SpawnsWithinTheSpreadAndBetweenTheTwoVelocities) {
  Camera camera;
  Emitter e(&camera);
  e.start(300.0f, 60, {0, 2, 0}, {14, 1, 0}, {-3, 2, -2}, {3, 0, 0}, kKeep, nullptr);
  e.update(100, 50, 400, 0, 0, 0);
  EXPECT_EQ(e.live, 256);  // the pool is the limit
  for (const particler::Motion& m : e.particles) {
    ASSERT_EQ(m.flags & 1, 1);
    ASSERT_EQ(m.life, 60);
    ASSERT_GE(m.x, 93.0f);
    ASSERT_LE(m.x, 107.0f);
    ASSERT_GE(m.y, 49.5f);
    ASSERT_LE(m.y, 50.5f);
    ASSERT_EQ(m.z, 400.0f);
    ASSERT_GE(m.vx, -3.0f);
    ASSERT_LE(m.vx, 3.0f);
    ASSERT_GE(m.vy, 2.0f);
    ASSERT_LE(m.vy, 4.0f);
    ASSERT_GE(m.vz, -2.0f);
    ASSERT_LE(m.vz, 0.0f);
  }
}

TEST(Emitter, AParticleMovesFiftyNineTimesAndDiesOnTheSixtiethUpdate) {
  Camera camera;
  Emitter e(&camera);
  e.start(1.0f, 60, {0, 0, 1}, kZero, kZero, kZero, {0.5f, 0.5f, 0.5f}, nullptr);
  e.update(0, 0, 0, 0, 0, 0);
  e.stop();  // the particle outlives its emitter
  particler::Motion& m = e.particles[0];
  ASSERT_EQ(e.live, 1);
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
  Canvas canvas(640, 480);
  image white(4, 4, 32, 0);
  for (uint32_t i = 0; i < white.pixels.count; ++i) white.pixels[i] = 200;
  sprite puff(&white, 4, 4, 1.0f);
  puff.no_shadow();
  Emitter e(&camera);
  e.start(1.0f, 60, kZero, kZero, kZero, kZero, kKeep, &puff);
  e.update(0, 0, 230.4f, 0, 0, 0);  // scale 1 at the camera's depth
  e.stop();
  e.draw(&canvas);
  EXPECT_EQ(camera.behind, 0);
  EXPECT_FLOAT_EQ(camera.scale, 1.0f);
  // Projected to (320, 144 + 135): additive, so the fourth byte stays untouched.
  EXPECT_EQ(canvas.data()[279 * 640 + 320] & 0xFFFFFF, 0xC8C8C8u);
  for (float z : {0.0f, -50.0f, 1e-9f}) {
    Canvas empty(640, 480);
    e.particles[0].z = z;
    e.draw(&empty);
    uint32_t lit = 0;
    for (int i = 0; i < 640 * 480; ++i) lit |= empty.data()[i];
    EXPECT_EQ(lit, 0u) << z;
  }
  e.particles[0].z = -1;
  e.draw(&canvas);
  EXPECT_EQ(camera.behind, 1);
  EXPECT_FLOAT_EQ(camera.scale, 0.01f);
}

}  // namespace
