// autopilot: races driver models of three skill levels through the game's own race frames
// and prints how they fare: per race the seconds left at each checkpoint, finish or time-out
// and the final place; then a table per track (built-in: finished share and seconds left at
// the first checkpoint; tournament rounds: share qualified, place 10 or better at the finish).
//
//   autopilot [--run DIR] [--races N] [--seed S] [--jobs P] [--log FILE] [--trace]
//             [--models expert,good,newcomer] [--difficulties 0,1,2,3]
//             [--builtin | --tournament [ROUNDS] | --plan TYPE,LENGTH,CURVES,HILLS,SEED]
//
// The clock runs on race frames (50 ms each), as in the game at full frame rate. Race i of a
// run is seeded S + i (default S = 1000), the same for every model and difficulty, so the
// opponents each model meets are the same and a run repeats exactly.
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "common/random.h"
#include "core/state/game.h"
#include "driver_models.h"
#include "library/tournament_rounds.h"
#include "library/tournament_tracks.h"
#include "road/road.h"
#include "track/track_files.h"
#include "track/track_sector.h"

namespace {

constexpr int kFrameMs = 50;
constexpr int kMaxFrames = 6000;
constexpr int kQualifyingPlace = 10;
const char* const kDifficultyNames[4] = {"Easy", "Normal", "Hard", "Expert"};

// The race set-up seeds rand() from time(); this tool is linked with time() wrapped so that
// the seed is the race's own.
std::time_t raceSeed = 0;
// The race timer reads the wall clock (gettimeofday); while a race runs the tool stops that
// clock, so that a second lasts exactly twenty race frames however loaded the machine is.
bool clockStopped = false;
bool traceRaces = false;  // every frame of each race on stderr
// No rule reads the picture, so races run the same at any view size (--view 640 shows it);
// a small one is quicker to draw.
int viewWidth = 160;

}  // namespace

extern "C" {
std::time_t __real_time(std::time_t* out);  // libc's, past the wrap
std::time_t __wrap_time(std::time_t* out) {
  if (raceSeed == 0) return __real_time(out);
  if (out) *out = raceSeed;
  return raceSeed;
}
int __real_gettimeofday(timeval* now, void* zone);
int __wrap_gettimeofday(timeval* now, void* zone) {
  if (!clockStopped) return __real_gettimeofday(now, zone);
  *now = timeval{1000000, 0};
  return 0;
}
}

namespace {

struct Result {
  std::vector<int> seconds_at;  // seconds left as each checkpoint was passed, -1 if not reached
  bool finished = false;
  int place = 0;
};

// Which track a race is on: a built-in one, a tournament round's file, or a plan.
struct Course {
  std::string name;
  int builtin = 0, round = 0;
  Track_Plan plan{};
};

int Set_Up(Game& game, const Course& course) {
  if (course.builtin) {
    customTrack = 0;
    game.builtin_track = course.builtin;
    game.Build_Builtin_Track();
    return 1;
  }
  game.builtin_track = 1;
  if (course.round) {
    game.tournament_round = course.round;
    return game.Load_Tournament_Track();
  }
  return Make_Planned_Track(course.plan, kTournamentCreator, 1) && game.Build_Loaded_Track();
}

Result Race(Game& game, const Course& course, int difficulty, const autopilot::Driver_Model& model, unsigned seed) {
  game.difficulty = difficulty;
  raceSeed = seed;
  const int ready = Set_Up(game, course);
  raceSeed = 0;
  Result r;
  if (!ready) return r;
  game.Set_View_Size(viewWidth, viewWidth * 3 / 4);
  game.intro_running = 0;
  game.player = DrivingState{};
  game.input_up = game.input_down = game.input_left = game.input_right = 0;
  Reset_Random01();
  r.seconds_at.assign(game.checkpoint_count, -1);
  autopilot::Driver driver(model, seed);
  clockStopped = true;
  // The timer counts a second whenever the wall clock has moved on 1000 ms from its mark;
  // the mark is set so that it sees the race frames' time instead.
  long sim_ms = 0, sim_mark = 0;
  for (int frame = 0; frame < kMaxFrames && !game.race_finished && !game.game_over; ++frame) {
    const autopilot::Inputs in = driver.Decide(game.player.steer);
    game.input_up = in.up;
    game.input_down = in.down;
    game.input_left = in.left;
    game.input_right = in.right;
    const int passed = game.checkpoints_passed, seconds = game.seconds_left;
    game.second_mark = Millis() - static_cast<double>(sim_ms - sim_mark);
    game.Race_Frame();
    driver.See(autopilot::Look(game));
    if (traceRaces) {
      const autopilot::Sight s = autopilot::Look(game);
      std::fprintf(stderr, "frame %4d  z %6d  speed %5.1f  lateral %5d  steer %3d  curve %5.2f  place %2d  %-4s",
                   frame, game.road->position, game.player.speed, game.road->lateral, game.player.steer,
                   game.road->curve_force, game.place, in.up ? "up" : "down");
      for (int k = 0; k < std::min(s.car_count, 3); ++k)
        std::fprintf(stderr, "  car %4d %5.0f %3.0f", s.cars[k].dz, s.cars[k].x + s.lateral, s.cars[k].speed);
      std::fprintf(stderr, "\n");
    }
    if (game.seconds_left == seconds - 1 || game.checkpoints_passed != passed) sim_mark = sim_ms;
    if (game.checkpoints_passed != passed || game.race_finished) {
      const int k = game.race_finished ? static_cast<int>(r.seconds_at.size()) - 1 : passed;
      if (k >= 0 && k < static_cast<int>(r.seconds_at.size())) r.seconds_at[k] = seconds;
    }
    sim_ms += kFrameMs;
  }
  clockStopped = false;
  r.finished = game.race_finished;
  r.place = game.place;
  game.race_finished = game.game_over = game.time_over = 0;
  customTrack = 0;
  return r;
}

void Log_Race(FILE* log, const Course& course, int difficulty, const autopilot::Driver_Model& model, unsigned seed,
              const Result& r) {
  if (!log) return;
  std::fprintf(log, "%-10s %-6s %-8s seed %u:", course.name.c_str(), kDifficultyNames[difficulty], model.name, seed);
  for (size_t k = 0; k < r.seconds_at.size(); ++k) {
    const bool last = k + 1 == r.seconds_at.size();
    if (r.seconds_at[k] < 0) std::fprintf(log, " %s --", last ? "finish" : "cp");
    else std::fprintf(log, " %s %d", last ? "finish" : "cp", r.seconds_at[k]);
  }
  std::fprintf(log, " | %s, place %d\n", r.finished ? "finished" : "time-out", r.place);
}

// Shares over one batch of races, in percent.
struct Tally {
  int races = 0, finished = 0, qualified = 0, won = 0, place_sum = 0, first_cp_sum = 0, first_cp_count = 0;
  void add(const Result& r) {
    ++races;
    finished += r.finished;
    qualified += r.finished && r.place <= kQualifyingPlace;
    won += r.finished && r.place == 1;
    place_sum += r.place;
    if (!r.seconds_at.empty() && r.seconds_at[0] >= 0) first_cp_sum += r.seconds_at[0], ++first_cp_count;
  }
  int percent(int n) const { return races ? (100 * n + races / 2) / races : 0; }
};

struct Job {
  size_t course, model;
  int difficulty;
  unsigned seed;
};

// A race's result as a worker process hands it back.
struct Wire_Result {
  int finished, place, checkpoints;
  int seconds_at[50];
};

Result Run_Job(Game& game, const Job& j, const std::vector<Course>& courses,
               const std::vector<const autopilot::Driver_Model*>& models) {
  return Race(game, courses[j.course], j.difficulty, *models[j.model], j.seed);
}

// Runs the jobs in `processes` worker processes (every n-th job each) or, with 1, here.
std::vector<Result> Run_Jobs(Game& game, const std::vector<Job>& jobs, const std::vector<Course>& courses,
                             const std::vector<const autopilot::Driver_Model*>& models, int processes) {
  std::vector<Result> results(jobs.size());
  if (processes <= 1) {
    for (size_t k = 0; k < jobs.size(); ++k) results[k] = Run_Job(game, jobs[k], courses, models);
    return results;
  }
  std::vector<FILE*> files;
  std::vector<pid_t> workers;
  std::fflush(nullptr);
  for (int w = 0; w < processes; ++w) {
    FILE* f = std::tmpfile();
    if (!f) break;
    const pid_t pid = fork();
    if (pid == 0) {
      for (size_t k = w; k < jobs.size(); k += processes) {
        const Result r = Run_Job(game, jobs[k], courses, models);
        Wire_Result wire{r.finished, r.place, static_cast<int>(std::min<size_t>(r.seconds_at.size(), 50)), {}};
        for (int i = 0; i < wire.checkpoints; ++i) wire.seconds_at[i] = r.seconds_at[i];
        std::fwrite(&wire, sizeof wire, 1, f);
      }
      std::fflush(f);
      _exit(0);
    }
    files.push_back(f);
    workers.push_back(pid);
  }
  for (pid_t pid : workers) waitpid(pid, nullptr, 0);
  for (size_t w = 0; w < files.size(); ++w) {
    std::rewind(files[w]);
    Wire_Result wire;
    for (size_t k = w; k < jobs.size() && std::fread(&wire, sizeof wire, 1, files[w]) == 1; k += files.size()) {
      results[k].finished = wire.finished;
      results[k].place = wire.place;
      results[k].seconds_at.assign(wire.seconds_at, wire.seconds_at + wire.checkpoints);
    }
    std::fclose(files[w]);
  }
  return results;
}

std::vector<int> Parse_List(const char* text) {
  std::vector<int> out;
  for (const char* p = text; *p;) {
    char* end = nullptr;
    out.push_back(static_cast<int>(std::strtol(p, &end, 10)));
    if (end == p) return {};
    p = *end == ',' ? end + 1 : end;
  }
  return out;
}

std::vector<const autopilot::Driver_Model*> Parse_Models(const std::string& text) {
  std::vector<const autopilot::Driver_Model*> out;
  for (const autopilot::Driver_Model* m : autopilot::kModels)
    if (text == "all" || ("," + text + ",").find("," + std::string(m->name) + ",") != std::string::npos)
      out.push_back(m);
  return out;
}

int Usage() {
  std::fprintf(stderr,
               "usage: autopilot [--run DIR] [--races N] [--seed S] [--jobs P] [--log FILE] [--trace] [--models LIST] "
               "[--difficulties LIST]\n"
               "                 [--builtin | --tournament [ROUNDS] | --plan TYPE,LENGTH,CURVES,HILLS,SEED]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int races = 3, processes = 1;
  unsigned base_seed = 1000;
  std::vector<int> difficulties = {0, 1, 2, 3};
  std::vector<const autopilot::Driver_Model*> models = Parse_Models("all");
  std::vector<Course> courses;
  bool tournament = false;
  FILE* log = stdout;
  for (int a = 1; a < argc; ++a) {
    const std::string arg = argv[a];
    const char* value = a + 1 < argc ? argv[a + 1] : nullptr;
    if (arg == "--races" && value) races = std::max(1, std::atoi(argv[++a]));
    else if (arg == "--trace") traceRaces = true;
    else if (arg == "--view" && value) viewWidth = std::max(64, std::min(640, std::atoi(argv[++a])));
    else if (arg == "--jobs" && value) processes = std::max(1, std::min(8, std::atoi(argv[++a])));
    else if (arg == "--seed" && value) base_seed = static_cast<unsigned>(std::strtoul(argv[++a], nullptr, 10));
    else if (arg == "--run" && value) {
      if (chdir(argv[++a]) != 0) return std::fprintf(stderr, "autopilot: no directory %s\n", argv[a]), 1;
    } else if (arg == "--log" && value) {
      log = std::string(argv[++a]) == "-" ? nullptr : std::fopen(argv[a], "w");
      if (!log && std::string(argv[a]) != "-") return std::fprintf(stderr, "autopilot: cannot write %s\n", argv[a]), 1;
    } else if (arg == "--models" && value) {
      models = Parse_Models(argv[++a]);
      if (models.empty()) return Usage();
    } else if (arg == "--difficulties" && value) {
      difficulties = Parse_List(argv[++a]);
      for (int d : difficulties)
        if (d < 0 || d > 3) return Usage();
    } else if (arg == "--builtin") {
      courses.push_back({"Florida", 1, 0, {}});
      courses.push_back({"Bavaria", 2, 0, {}});
    } else if (arg == "--tournament") {
      tournament = true;
      std::vector<int> rounds;
      if (value && value[0] != '-') rounds = Parse_List(argv[++a]);
      else
        for (int r = 1; r != 0; r = Next_Tournament_Round(r)) rounds.push_back(r);
      for (int r : rounds) {
        if (r < 1 || r > kTournamentRounds) return Usage();
        courses.push_back({"round " + std::to_string(r), 0, r, {}});
      }
    } else if (arg == "--plan" && value) {
      std::vector<int> p = Parse_List(argv[++a]);
      if (p.size() != 5 || p[0] < 1 || p[0] > 12 || p[1] < 800 || p[1] > 4000) return Usage();
      tournament = true;
      courses.push_back({argv[a], 0, 0, {p[0], p[1], p[2], p[3], static_cast<unsigned>(p[4])}});
    } else {
      return Usage();
    }
  }
  if (courses.empty()) courses = {{"Florida", 1, 0, {}}, {"Bavaria", 2, 0, {}}};

  Game* game = new Game();
  theGame = game;
  game->Load_Vehicle_Sprites();
  game->Load_Car_Models();
  if (!Allocate_Track_Sectors()) return std::fprintf(stderr, "autopilot: no memory for the track sectors\n"), 1;
  std::vector<Job> jobs;
  for (size_t c = 0; c < courses.size(); ++c)
    for (size_t m = 0; m < models.size(); ++m)
      for (int d : difficulties)
        for (int i = 0; i < races; ++i) jobs.push_back({c, m, d, base_seed + static_cast<unsigned>(i)});
  std::vector<Result> results = Run_Jobs(*game, jobs, courses, models, processes);
  std::vector<std::vector<std::vector<Tally>>> tallies(
      courses.size(), std::vector<std::vector<Tally>>(models.size(), std::vector<Tally>(4)));
  for (size_t k = 0; k < jobs.size(); ++k) {
    const Job& j = jobs[k];
    Log_Race(log, courses[j.course], j.difficulty, *models[j.model], j.seed, results[k]);
    tallies[j.course][j.model][j.difficulty].add(results[k]);
  }
  if (log && log != stdout) std::fclose(log);

  if (tournament) std::printf("\nqualified (place %d or better at the finish) %% of %d races, mean place, wN = %% won\n",
                              kQualifyingPlace, races);
  else std::printf("\nfinished %% of %d races / mean seconds left at the first checkpoint\n", races);
  std::printf("%-10s %-9s", "track", "model");
  for (int d : difficulties) std::printf(" %-14s", kDifficultyNames[d]);
  std::printf("\n");
  for (size_t c = 0; c < courses.size(); ++c)
    for (size_t m = 0; m < models.size(); ++m) {
      std::printf("%-10s %-9s", courses[c].name.c_str(), models[m]->name);
      for (int d : difficulties) {
        const Tally& t = tallies[c][m][d];
        char cell[40];
        const double place = t.races ? static_cast<double>(t.place_sum) / t.races : 0.0;
        if (tournament && t.won)
          std::snprintf(cell, sizeof cell, "%3d %4.1f w%d", t.percent(t.qualified), place, t.percent(t.won));
        else if (tournament) std::snprintf(cell, sizeof cell, "%3d %4.1f", t.percent(t.qualified), place);
        else if (t.first_cp_count)
          std::snprintf(cell, sizeof cell, "%3d / %4.1f s", t.percent(t.finished),
                        static_cast<double>(t.first_cp_sum) / t.first_cp_count);
        else std::snprintf(cell, sizeof cell, "%3d / --", t.percent(t.finished));
        std::printf(" %-14s", cell);
      }
      std::printf("\n");
    }
  return 0;  // the game object goes with the program's exit handlers
}
