// autopilot [--run DIR] [--races N]
//
// Races both built-in tracks at each difficulty with a driver that keeps to the middle of
// the road, steers round the cars ahead and brakes when it cannot, and prints for every
// checkpoint the seconds left on the clock as it was passed, then finish or time-out. The
// clock runs on race frames (50 ms each), as in the game at full frame rate. Each race
// meets new opponents (the race set-up seeds them from the time), so each line is the
// result of N races: the least and the most seconds left.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/state/game.h"
#include "road/road.h"
#include "vehicles/model/vehicle.h"

namespace {

constexpr int kFrameMs = 50;
constexpr int kMaxFrames = 6000;

// The nearest moving car ahead that overlaps the player's lane, within `reach` units.
const vehicle* Car_Ahead(Game& game, int reach, float half_width) {
  const int p = game.road->position;
  const vehicle* found = nullptr;
  for (vehicle* v : game.vehicles)
    if (v->speed > 1.0f && v->z > p && v->z < p + reach && std::fabs(v->x + game.road->lateral) < half_width &&
        (!found || v->z < found->z))
      found = v;
  return found;
}

// Lateral offset to aim for: the middle, or beside the nearest car ahead in the lane.
float Target_Lateral(Game& game) {
  const vehicle* blocker = Car_Ahead(game, 2500, 220.0f);
  if (!blocker) return 0.0f;
  const float beside = -blocker->x + (blocker->x > 0.0f ? 280.0f : -280.0f);
  return std::max(-420.0f, std::min(420.0f, beside));
}

// Steers to cancel the curve's push and reach the target offset, never to full lock (which
// skids in a strong bend); brakes for a slower car close ahead that is still in the way.
void Drive(Game& game) {
  const float speed = game.player.speed;
  const float push = -game.road->curve_force * speed * speed * 0.00390625f / 9.0f;
  const float error = game.road->lateral - Target_Lateral(game);
  int target = 0;
  if (speed > 1.0f) target = static_cast<int>(std::lround((push + 0.2f * error) * 32.0f / (0.6f * speed) / 8.0f)) * 8;
  target = std::max(-24, std::min(24, target));
  const int steer = game.player.steer;
  const bool hold = steer == target && steer != 0;
  game.input_left = steer > target || hold;
  game.input_right = steer < target || hold;
  const vehicle* close = Car_Ahead(game, 700, 170.0f);
  const bool brake = close && close->speed + 5.0f < speed;
  game.input_up = !brake;
  game.input_down = brake;
}

struct Result {
  std::vector<int> seconds_at;  // seconds left as each checkpoint was passed, -1 if not reached
  bool finished = false;
  int position = 0, frames = 0;
};

Result Race(Game& game, int track, int difficulty) {
  game.builtin_track = track;
  game.difficulty = difficulty;
  game.Build_Builtin_Track();
  game.Set_View_Size(640, 480);
  game.intro_running = 0;
  game.player.speed = game.player.accel = 0.0f;
  Result r;
  r.seconds_at.assign(game.checkpoint_count, -1);
  // The timer counts a second whenever the wall clock has moved on 1000 ms from its mark;
  // the mark is set so that it sees the race frames' time instead.
  long sim_ms = 0, sim_mark = 0;
  for (; r.frames < kMaxFrames && !game.race_finished && !game.game_over; ++r.frames) {
    Drive(game);
    const int passed = game.checkpoints_passed, seconds = game.seconds_left;
    game.second_mark = Millis() - static_cast<double>(sim_ms - sim_mark);
    game.Race_Frame();
    if (game.seconds_left == seconds - 1 || game.checkpoints_passed != passed) sim_mark = sim_ms;
    if (game.checkpoints_passed != passed || game.race_finished) {
      const int k = game.race_finished ? static_cast<int>(r.seconds_at.size()) - 1 : passed;
      if (k >= 0 && k < static_cast<int>(r.seconds_at.size())) r.seconds_at[k] = seconds;
    }
    sim_ms += kFrameMs;
  }
  r.finished = game.race_finished;
  r.position = game.road->position;
  game.race_finished = game.game_over = game.time_over = 0;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  int races = 3;
  for (int a = 1; a < argc; ++a) {
    std::string arg = argv[a];
    if (arg == "--races" && a + 1 < argc) races = std::max(1, std::atoi(argv[++a]));
    else if (arg == "--run" && a + 1 < argc) {
      if (chdir(argv[++a]) != 0) return std::fprintf(stderr, "autopilot: no directory %s\n", argv[a]), 1;
    } else {
      return std::fprintf(stderr, "usage: autopilot [--run DIR] [--races N]\n"), 2;
    }
  }
  Game* game = new Game();
  theGame = game;
  game->Load_Vehicle_Sprites();
  game->Load_Car_Models();
  const char* names[] = {"", "Florida", "Bavaria"};
  std::printf("track    difficulty  seconds left at each checkpoint (least..most of %d races), outcome\n", races);
  for (int track = 1; track <= 2; ++track)
    for (int difficulty = 0; difficulty <= 3; ++difficulty) {
      std::vector<Result> results;
      for (int i = 0; i < races; ++i) results.push_back(Race(*game, track, difficulty));
      std::printf("%-8s %d          ", names[track], difficulty);
      for (size_t k = 0; k < results[0].seconds_at.size(); ++k) {
        int lo = 1 << 20, hi = -1, missed = 0;
        for (const Result& r : results) {
          if (r.seconds_at[k] < 0) ++missed;
          else lo = std::min(lo, r.seconds_at[k]), hi = std::max(hi, r.seconds_at[k]);
        }
        const bool last = k + 1 == results[0].seconds_at.size();
        if (hi < 0) std::printf("%s: --      ", last ? "finish" : ("cp" + std::to_string(k + 1)).c_str());
        else std::printf("%s: %2d..%-2d%s ", last ? "finish" : ("cp" + std::to_string(k + 1)).c_str(), lo, hi,
                         missed ? "*" : " ");
      }
      int won = 0, furthest = 0;
      for (const Result& r : results) won += r.finished, furthest = std::max(furthest, r.position);
      std::printf(" finished %d of %d", won, races);
      if (won < races) std::printf(", time-outs reached %d at best", furthest);
      std::printf("\n");
    }
  return 0;  // the game object goes with the program's exit handlers
}
