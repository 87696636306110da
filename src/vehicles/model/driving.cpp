// The driving model of the player's car. All rates are per 50 ms frame.
#include "vehicles/model/vehicle.h"

namespace {
// Binary fractions of 1024.
constexpr float kAccelStep = 25.0f / 1024;      // throttle, per frame
constexpr float kOffRoadDrag = 1800.0f / 1024;  // off the road, per frame
constexpr float kBrakeStep = 200.0f / 1024;
constexpr float kCoastStep = 20.0f / 1024;
constexpr float kCoastFloor = -400.0f / 1024;
constexpr float kAccelMax = 700.0f / 1024;
constexpr float kAccelMin = -2000.0f / 1024;
constexpr float kCrashDrag = 100.0f / 1024;
constexpr float kSkidTurn = 25000.0f / 1024;
constexpr float kSkidPush = 30000.0f / 1024;
constexpr float kTopSpeed = 160.0f;

// Full lock against a strong curve push at speed.
bool Skids(float dx, int steer, float push) {
  return (dx > kSkidTurn && steer < -31 && push < -kSkidPush) || (dx < -kSkidTurn && steer > 31 && push > kSkidPush);
}

// The picture a frame number falls back to before it moves toward the steering target.
int Base_Frame(int frame) {
  if (frame >= 70 && frame <= 79) return frame - 70;
  if (frame == 80) return 20;
  if (frame == 90) return 40;
  if (frame >= 91 && frame <= 99) return 20;
  if (frame > 40) return 20;
  return frame;
}
}  // namespace

void DrivingState::Steer(uint8_t left, uint8_t right) {
  if (left) {
    if (steer >= -31) {
      steer -= 8;
      if (right && steer < 32) steer += 8;
    } else if (right) {
      steer += 8;
    }
  } else if (right) {
    if (steer < 32) steer += 8;
  } else if (steer > 0) {
    steer -= 8;
  } else if (steer < 0) {
    steer += 8;
  }
}

void DrivingState::Pedals(uint8_t up, uint8_t down, int excess) {
  bool clamp = false;
  if (excess != 0) accel -= kOffRoadDrag;
  if (up) {
    accel += kAccelStep;
    clamp = true;
  } else if (down) {
    accel -= kBrakeStep;
    clamp = true;
  } else {
    accel -= kCoastStep;
    if (accel < kCoastFloor) accel = kCoastFloor;
  }
  if (clamp) {
    if (accel > kAccelMax) accel = kAccelMax;
    if (accel < kAccelMin) accel = kAccelMin;
  }
}

void DrivingState::Choose_Frame(uint8_t left, uint8_t right, uint8_t down, const vehicle* hit) {
  smoke = 0;
  int base = Base_Frame(frame);
  int target = steer * 20 / 32 + 20;  // 0 full left, 20 straight, 40 full right
  if (base > target) {
    frame = base - 2;
  } else if (base < target) {
    frame = base + 2;
  } else {
    frame = target;
    if (!left && !right) {
      if (hit || (down && speed > 5.0f && accel < 0.0f)) {
        frame = 60;  // braking or hit
        smoke = 1;
      } else if (speed <= 50.0f && accel > kBrakeStep) {
        frame = 50;  // wheel spin when pulling away
        smoke = 1;
      }
    }
  }
  if (speed > 0.0f) {
    flip += 1;
    if (flip == 1) {
      if (frame >= 0 && frame <= 9) frame += 70;
      else if (frame == 20) frame = 80;
      else if (frame >= 40 && frame <= 49) frame += 50;
    } else if (flip == 2) {
      flip = 0;
    }
  }
}

DriveResult DrivingState::Drive(uint8_t left, uint8_t right, uint8_t up, uint8_t down, float curve, vehicle* hit,
                                float overlap, int excess) {
  DriveResult out;
  Steer(left, right);
  speed += accel;
  out.dx = static_cast<float>(-(2 * speed * 30.0 / 100.0) * steer * 0.03125);
  float push = -curve * speed * speed * 0.00390625f;
  out.push = up ? static_cast<float>(push / 9.0) : push * 0.25f;

  if (Skids(out.dx, steer, out.push)) {
    out.dx = static_cast<float>(-1.2 * out.dx);  // slides outwards instead of turning in
    skid += 10;
    out.skid_changed = 1;
  } else if (skid != 0) {
    skid = 0;
    out.skid_changed = 1;
  }

  Pedals(up, down, excess);

  if (hit && speed > 0.0f) {
    if (hit->speed != 0.0f) {
      out.crashed = 1;
      accel -= kCrashDrag * overlap;
      speed = static_cast<float>(0.7 * hit->speed);
    } else {
      speed = static_cast<float>(speed * 0.4);
      hit->z = 0;  // knocked away: below its start, so no longer drawn
    }
  }

  if (speed <= 0.0f && accel < 0.0f) speed = accel = 0.0f;  // no reversing
  if (speed > kTopSpeed && accel > 0.0f) {
    speed = kTopSpeed;
    accel = 0.0f;
  }
  Choose_Frame(left, right, down, hit);
  return out;
}
