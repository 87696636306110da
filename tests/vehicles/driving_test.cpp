#include <gtest/gtest.h>
#include <algorithm>

#include "vehicles/vehicle.h"

namespace {

// Frames of the model with fixed inputs on a straight road.
DriveResult Drive_Frames(DrivingState& car, int frames, uint8_t left, uint8_t right, uint8_t up, uint8_t down) {
  DriveResult last;
  for (int i = 0; i < frames; ++i) last = car.Drive(left, right, up, down, 0.0f, nullptr, 0.0f, 0);
  return last;
}

TEST(Driving, FullThrottleTakes28FramesAndSpinsTheWheelsBelow50) {
  DrivingState car;
  car.frame = 20;
  int spin_frames = 0;
  for (int i = 1; i <= 40; ++i) {
    car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
    if (i < 28) {
      EXPECT_LT(car.accel, 0.68359375f) << "frame " << i;
    }
    if (i == 28) {
      EXPECT_EQ(car.accel, 0.68359375f);
    }
    const bool spinning = car.speed <= 50.0f && car.accel > 0.1953125f;
    EXPECT_EQ(car.frame / 10 == 5, spinning) << "frame " << i;
    EXPECT_EQ(car.smoke, spinning ? 1 : 0);
    spin_frames += spinning;
  }
  EXPECT_GT(spin_frames, 20);
  EXPECT_EQ(car.accel, 0.68359375f);  // stays at the cap
}

TEST(Driving, SpeedIsCappedAt160AndTheThrottleResets) {
  DrivingState car;
  float highest = 0.0f;
  for (int i = 0; i < 400; ++i) {
    car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
    highest = std::max(highest, car.speed);
    if (car.speed == 160.0f) {
      EXPECT_LE(car.accel, 0.0244140625f);
    }
  }
  EXPECT_EQ(highest, 160.0f);
  EXPECT_EQ(car.speed, 160.0f);
}

TEST(Driving, CoastingSlowsGentlyToAStopAndStays) {
  DrivingState car;
  car.speed = 30.0f;
  car.accel = 0.5f;
  float previous = car.accel;
  for (int i = 0; i < 200; ++i) {
    car.Drive(0, 0, 0, 0, 0.0f, nullptr, 0.0f, 0);
    if (car.speed > 0.0f) {
      EXPECT_GE(car.accel, -0.390625f);
      EXPECT_FLOAT_EQ(car.accel, std::max(previous - 0.01953125f, -0.390625f));
    }
    previous = car.accel;
  }
  EXPECT_EQ(car.speed, 0.0f);
  EXPECT_EQ(car.accel, 0.0f);
  Drive_Frames(car, 5, 0, 0, 0, 0);
  EXPECT_EQ(car.speed, 0.0f);  // no reversing
}

TEST(Driving, BrakingIsHarderAndClampedAndShowsTheBrakePicture) {
  DrivingState car;
  car.speed = 100.0f;
  car.frame = 20;
  Drive_Frames(car, 20, 0, 0, 0, 1);
  EXPECT_EQ(car.accel, -1.953125f);
  EXPECT_EQ(car.frame / 10, 6);
  EXPECT_EQ(car.smoke, 1);
}

TEST(Driving, SteeringReachesFullLockInFourFramesAndThePictureFollows) {
  DrivingState car;
  car.frame = 20;
  const int steer[] = {-8, -16, -24, -32};
  for (int i = 0; i < 4; ++i) {
    car.Drive(1, 0, 0, 0, 0.0f, nullptr, 0.0f, 0);
    EXPECT_EQ(car.steer, steer[i]);
    EXPECT_EQ(car.frame, 18 - 2 * i);  // standing still: no wheel animation
  }
  Drive_Frames(car, 4, 1, 0, 0, 0);
  EXPECT_EQ(car.steer, -32);
  Drive_Frames(car, 4, 0, 0, 0, 0);
  EXPECT_EQ(car.steer, 0);  // back to straight by 8 per frame
}

TEST(Driving, BothKeysTogetherLeaveTheSteeringAlone) {
  for (int start : {0, 16, -24}) {
    DrivingState car;
    car.steer = start;
    Drive_Frames(car, 3, 1, 1, 0, 0);
    EXPECT_EQ(car.steer, start);
  }
}

TEST(Driving, SteeringMovesSidewaysWithSpeedAndTheCurvePushesOutwards) {
  DrivingState car;
  car.speed = 100.0f;
  car.steer = -32;
  DriveResult out = car.Drive(1, 0, 0, 0, 0.0f, nullptr, 0.0f, 0);
  EXPECT_FLOAT_EQ(out.dx, 60.0f);  // -(2 x 100 x 30 / 100) x -32 / 32: a left turn moves the road right

  DrivingState throttle, lifted;
  throttle.speed = lifted.speed = 80.0f;
  DriveResult on = throttle.Drive(0, 0, 1, 0, 1.0f, nullptr, 0.0f, 0);
  DriveResult off = lifted.Drive(0, 0, 0, 0, 1.0f, nullptr, 0.0f, 0);
  EXPECT_LT(on.push, 0.0f);
  EXPECT_NEAR(off.push / on.push, 2.25f, 0.01f);  // lifting off drifts 2.25 times as far
}

TEST(Driving, FullLockAgainstAStrongPushSkidsAndReleasesOnce) {
  DrivingState car;
  car.speed = 150.0f;
  car.steer = -32;
  DriveResult out = car.Drive(1, 0, 1, 0, 4.0f, nullptr, 0.0f, 0);
  EXPECT_FLOAT_EQ(out.dx, -1.2f * 90.0f);  // slides outwards instead of turning in
  EXPECT_EQ(car.skid, 10);
  EXPECT_TRUE(out.skid_changed);
  car.Drive(1, 0, 1, 0, 4.0f, nullptr, 0.0f, 0);
  EXPECT_EQ(car.skid, 20);
  out = car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
  EXPECT_EQ(car.skid, 0);
  EXPECT_TRUE(out.skid_changed);
  out = car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
  EXPECT_FALSE(out.skid_changed);
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
  EXPECT_EQ(car.smoke, 1);

  vehicle other(nullptr, 0.0f, 5000, 80.0f, 0);
  DrivingState driver;
  driver.speed = 100.0f;
  out = driver.Drive(0, 0, 1, 0, 0.0f, &other, 0.5f, 0);
  EXPECT_FLOAT_EQ(driver.speed, 56.0f);
  EXPECT_FLOAT_EQ(driver.accel, 0.0244140625f - 0.09765625f * 0.5f);
  EXPECT_TRUE(out.crashed);
  EXPECT_EQ(other.z, 5000);
}

TEST(Driving, OffTheRoadCostsAcceleration) {
  DrivingState car;
  car.speed = 100.0f;
  car.accel = 0.5f;
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 40);
  EXPECT_FLOAT_EQ(car.accel, 0.5f - 1.7578125f + 0.0244140625f);
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 40);
  EXPECT_EQ(car.accel, -1.953125f);  // clamped
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
  EXPECT_FLOAT_EQ(car.accel, -1.953125f + 0.0244140625f);  // back on the road
}

TEST(Driving, TheWheelAnimationAlternatesOnlyWhileMoving) {
  DrivingState car;
  car.frame = 20;
  car.speed = 60.0f;
  car.accel = 0.0f;
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
  EXPECT_EQ(car.frame, 80);
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
  EXPECT_EQ(car.frame, 20);
  car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
  EXPECT_EQ(car.frame, 80);
}

}  // namespace
