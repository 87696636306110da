#include <gtest/gtest.h>
#include <algorithm>

#include "vehicles/model/vehicle.h"

namespace {

// One frame on a straight, on the road, nothing in the way.
DriveResult Step(DrivingState& car, uint8_t left, uint8_t right, uint8_t up, uint8_t down) {
  return car.Drive(left, right, up, down, 0.0f, nullptr, 0.0f, 0);
}

TEST(Driving, ThrottleTakes28FramesToFullSpinsTheWheelsBelow50AndCapsAt160) {
  DrivingState car;
  car.frame = 20;
  for (int i = 1; i <= 400; ++i) {
    Step(car, 0, 0, 1, 0);
    if (i < 28) {
      ASSERT_LT(car.accel, 0.68359375f) << i;
    }
    if (i == 28) {
      ASSERT_EQ(car.accel, 0.68359375f);
    }
    const bool spinning = car.speed <= 50.0f && car.accel > 0.1953125f;
    ASSERT_EQ(car.frame / 10 == 5, spinning) << i;
    ASSERT_EQ(car.smoke, spinning ? 1 : 0) << i;
    ASSERT_LE(car.speed, 160.0f);
  }
  EXPECT_EQ(car.speed, 160.0f);
  EXPECT_LT(car.accel, 0.03f);  // reset to 0 at the cap, one throttle step since
}

TEST(Driving, CoastingSlowsGentlyAndBrakingHardToAStandstill) {
  DrivingState coast;
  coast.speed = 30.0f;
  coast.accel = 0.5f;
  for (int i = 0; i < 300; ++i) {
    const float was = coast.accel;
    Step(coast, 0, 0, 0, 0);
    if (coast.speed > 0.0f) {
      ASSERT_FLOAT_EQ(coast.accel, std::max(was - 0.01953125f, -0.390625f));
    }
  }
  EXPECT_EQ(coast.speed, 0.0f);  // and no reversing
  EXPECT_EQ(coast.accel, 0.0f);

  DrivingState brake;
  brake.speed = 100.0f;
  brake.frame = 20;
  for (int i = 0; i < 20; ++i) Step(brake, 0, 0, 0, 1);
  EXPECT_EQ(brake.accel, -1.953125f);
  EXPECT_EQ(brake.frame / 10, 6);
  EXPECT_EQ(brake.smoke, 1);
}

TEST(Driving, SteeringNeedsFourFramesToFullLockAndBothKeysHoldIt) {
  DrivingState car;
  car.frame = 20;
  for (int i = 0; i < 4; ++i) {
    Step(car, 1, 0, 0, 0);
    EXPECT_EQ(car.steer, -8 * (i + 1));
    EXPECT_EQ(car.frame, 18 - 2 * i);  // the picture moves 2 per frame toward full left
  }
  Step(car, 1, 0, 0, 0);
  EXPECT_EQ(car.steer, -32);
  for (int start : {0, 16, -24}) {
    car.steer = start;
    Step(car, 1, 1, 0, 0);
    EXPECT_EQ(car.steer, start);
  }
  car.steer = 16;
  Step(car, 0, 0, 0, 0);
  EXPECT_EQ(car.steer, 8);  // back toward straight
}

TEST(Driving, CurvePushIsStrongerOffTheThrottleAndFullLockAgainstItSkids) {
  DrivingState on, off;
  on.speed = off.speed = 80.0f;
  const float pushed_on = on.Drive(0, 0, 1, 0, 1.0f, nullptr, 0.0f, 0).push;
  const float pushed_off = off.Drive(0, 0, 0, 0, 1.0f, nullptr, 0.0f, 0).push;
  EXPECT_NEAR(pushed_off / pushed_on, 2.25f, 0.01f);

  DrivingState car;
  car.speed = 150.0f;
  car.steer = -32;
  DriveResult out = car.Drive(1, 0, 1, 0, 4.0f, nullptr, 0.0f, 0);
  EXPECT_FLOAT_EQ(out.dx, -1.2f * 90.0f);  // slides outwards instead of turning in
  EXPECT_EQ(car.skid, 10);
  EXPECT_TRUE(out.skid_changed);
  car.Drive(1, 0, 1, 0, 4.0f, nullptr, 0.0f, 0);
  EXPECT_EQ(car.skid, 20);
  EXPECT_TRUE(Step(car, 0, 0, 1, 0).skid_changed);  // grip again: volume back to 0 once
  EXPECT_EQ(car.skid, 0);
  EXPECT_FALSE(Step(car, 0, 0, 1, 0).skid_changed);
}

TEST(Driving, HittingAFigureOrACarAtSpeed100) {
  vehicle figure(nullptr, 0.0f, 5000, 0.0f, 0);
  DrivingState car;
  car.speed = 100.0f;
  car.frame = 20;
  DriveResult out = car.Drive(0, 0, 0, 0, 0.0f, &figure, 0.5f, 0);
  EXPECT_FLOAT_EQ(car.speed, 40.0f);
  EXPECT_EQ(figure.z, 0);  // knocked away
  EXPECT_FALSE(out.crashed);
  EXPECT_EQ(car.frame, 60);

  vehicle other(nullptr, 0.0f, 5000, 80.0f, 0);
  DrivingState driver;
  driver.speed = 100.0f;
  out = driver.Drive(0, 0, 1, 0, 0.0f, &other, 0.5f, 0);
  EXPECT_FLOAT_EQ(driver.speed, 56.0f);
  EXPECT_FLOAT_EQ(driver.accel, 0.0244140625f - 0.09765625f * 0.5f);
  EXPECT_TRUE(out.crashed);
  EXPECT_EQ(other.z, 5000);
}

TEST(Driving, OffTheRoadCostsAccelerationEveryFrame) {
  DrivingState car;
  car.speed = 100.0f;
  car.accel = 0.5f;
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 40);
  EXPECT_FLOAT_EQ(car.accel, 0.5f - 1.7578125f + 0.0244140625f);
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 40);
  EXPECT_EQ(car.accel, -1.953125f);
}

}  // namespace
