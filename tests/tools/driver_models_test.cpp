// The autopilot's driver models answer what they see exactly as late as their skill says.
#include <gtest/gtest.h>

#include "../../tools/autopilot/driver_models.h"

namespace {

using autopilot::Driver;
using autopilot::Driver_Model;
using autopilot::Inputs;
using autopilot::Sight;

Sight Calm() {
  Sight s;
  s.speed = 100.0f;
  return s;
}

// What each event changes in the picture: the car off the line, a bend under it, a slow car
// close ahead in its lane, a sharp bend coming.
Sight Event(int kind) {
  Sight s = Calm();
  if (kind == 0) s.lateral = 300;
  if (kind == 1) s.curve_force = 5.8f;
  if (kind == 2) s.cars[s.car_count++] = {400, 0.0f, 40.0f};
  if (kind == 3) s.speed = 150.0f, s.curve_ahead = 200, s.curve_ahead_at = 90;
  return s;
}

bool Reacts(const Inputs& in, const Inputs& calm) {
  return in.left != calm.left || in.right != calm.right || in.up != calm.up || in.down != calm.down;
}

TEST(DriverModels, EachAnswersTheRoadAsLateAsItsSkill) {
  const struct {
    const Driver_Model* model;
    int delay;
  } kCases[] = {{&autopilot::kExpert, 0}, {&autopilot::kGood, 3}, {&autopilot::kNewcomer, 6}};
  constexpr int kEventFrame = 10;
  for (const auto& c : kCases)
    for (int kind = 0; kind < 4; ++kind) {
      SCOPED_TRACE(std::string(c.model->name) + " event " + std::to_string(kind));
      Driver driver(*c.model, 7);
      Inputs calm;
      int reaction = -1;
      for (int frame = 0; frame < kEventFrame + 12 && reaction < 0; ++frame) {
        driver.See(frame < kEventFrame ? Calm() : Event(kind));
        const Inputs in = driver.Decide(0);
        if (frame == 0) calm = in;
        else if (Reacts(in, calm)) reaction = frame - kEventFrame;
      }
      // Only the newcomer brakes for a bend before it reaches it.
      EXPECT_EQ(reaction, kind == 3 && c.model != &autopilot::kNewcomer ? -1 : c.delay);
    }
}

}  // namespace
