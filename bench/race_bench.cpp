// One presented race frame (update, road, vehicles, car, HUD, gauges, weather) on both
// built-in tracks: median and 99th percentile per frame, heap allocations per frame.
#include <benchmark/benchmark.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "audio/playback/sound.h"
#include "common/memory.h"
#include "core/loop/race_loop.h"
#include "core/session/canvas_blit.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/screens/video_mode.h"
#include "road/canvas.h"
#include "road/road.h"
#include "road/weather.h"
#include "track/generator.h"
#include "track/track_sector.h"

namespace {

// VR_BENCH_SCALE opens the window at that scale (as --scale does): the game's own work per
// frame stays the same, only the presentation's grows.
void Window_Scale_From_Environment() {
  const char* text = std::getenv("VR_BENCH_SCALE");
  if (text) windowScaleOverride = std::atoi(text);
}

// The mixer's thread must stop before the process unloads the libraries it calls into.
void Stop_Audio() {
  Mix_CloseAudio();
  SDL_Quit();
}

void Start_Game() {
  if (theGame) return;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER);
  Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048);
  std::atexit(Stop_Audio);
  Window_Scale_From_Environment();
  screen = Open_Display(0);  // the display the game opens
  Load_Sounds();
  Load_Menu_Graphics();
  init_weather();
  theGame = new Game();
  theGame->Load_Vehicle_Sprites();
  theGame->Load_Car_Models();
}

// Built-in tracks are 1 and 2; 100 + type is a generated Length-4000 track of that type.
void Build_Track(int track) {
  Game& game = *theGame;
  delete game.road;
  game.road = nullptr;
  game.Free_Object_Sprites();
  if (track < 100) {
    customTrack = 0;
    game.builtin_track = track;
    game.Build_Builtin_Track();
    return;
  }
  Allocate_Track_Sectors();
  customTrack = 1;
  game.track_type = track - 100;
  Reset_Constructor();
  generatorParams.length = 4000;
  game.Generate_Track();
  game.Sectors_To_Road_Objects();
}

// Builds the track and leaves the race as it stands right after the fly-in.
void Start_Race(int track) {
  Game& game = *theGame;
  Build_Track(track);
  Prepare_First_Frame();
  Start_Race_Sounds();
  if (canvasSurface) SDL_FreeSurface(canvasSurface);
  canvasSurface = Wrap_Canvas(game.canvas->data(), game.canvas->width, game.canvas->height);
  game.intro_running = 0;
  game.input_up = 1;
}

// Full throttle, steering back toward the road's middle.
void Autopilot(Game& game) {
  const int lateral = game.road->lateral;
  game.input_left = lateral < -150;
  game.input_right = lateral > 150;
  game.seconds_left = 99;  // the clock never runs out
}

// VR_BENCH_FRAMES shortens the run (e.g. under callgrind); 1500 timed frames by default.
int Bench_Frames() {
  const char* text = std::getenv("VR_BENCH_FRAMES");
  const int frames = text ? std::atoi(text) : 0;
  return frames > 0 ? frames : 1500;
}

double Thread_Cpu_Ms() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

double Percentile(std::vector<double>& values, int percent) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, values.size() * percent / 100)];
}

void Present_Race_Frame_Bench(benchmark::State& state) {
  Start_Game();
  const int track = static_cast<int>(state.range(0));
  // One whole race first: mirrored frames are made the first time each picture is shown.
  Start_Race(track);
  for (int i = 0; i < 2 * Bench_Frames() && !theGame->race_finished; ++i) {
    Autopilot(*theGame);
    Present_Race_Frame();
  }
  Start_Race(track);
  std::vector<double> times, cpu_times;
  times.reserve(static_cast<size_t>(state.max_iterations) + 16);
  cpu_times.reserve(static_cast<size_t>(state.max_iterations) + 16);
  uint64_t allocations = 0, counted = 0;
  for (auto _ : state) {
    if (theGame->race_finished || theGame->game_over) {
      state.PauseTiming();
      Start_Race(track);
      state.ResumeTiming();
    }
    Autopilot(*theGame);
    const int lap_before = theGame->lap_count;
    const uint64_t before = Allocation_Count();
    const double c0 = Thread_Cpu_Ms();
    const auto t0 = std::chrono::steady_clock::now();
    Present_Race_Frame();
    const auto t1 = std::chrono::steady_clock::now();
    cpu_times.push_back(Thread_Cpu_Ms() - c0);
    const uint64_t spent = Allocation_Count() - before;
    times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    // A finish or a lap rebuilds the race; those frames are not steady racing.
    if (!theGame->race_finished && theGame->lap_count == lap_before) {
      allocations += spent;
      ++counted;
    }
  }
  // The floor: one full-canvas fill, timed the same way in the same run.
  std::vector<double> fills;
  for (int i = 0; i < 200; ++i) {
    const auto f0 = std::chrono::steady_clock::now();
    theGame->canvas->fill_rect(0, 0, 640, 480, 0xFF336699u);
    benchmark::DoNotOptimize(theGame->canvas->data());
    fills.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - f0).count());
  }
  const double floor_ms = Percentile(fills, 50);
  const double median = Percentile(times, 50), p99 = Percentile(times, 99);
  state.counters["floor_fill_ms"] = floor_ms;
  state.counters["median_per_floor"] = floor_ms > 0 ? median / floor_ms : 0.0;
  state.counters["median_ms"] = median;
  state.counters["p99_ms"] = p99;
  // The same in this thread's processor time: what a frame costs when no other program
  // takes the processor away in the middle of it.
  state.counters["cpu_median_ms"] = Percentile(cpu_times, 50);
  state.counters["cpu_p99_ms"] = Percentile(cpu_times, 99);
  state.counters["share_of_50ms_%"] = median / 50.0 * 100.0;
  state.counters["allocs_per_frame"] = counted ? static_cast<double>(allocations) / counted : 0.0;
}

BENCHMARK(Present_Race_Frame_Bench)
    ->Arg(1)
    ->Arg(2)
    ->Arg(103)
    ->Arg(107)
    ->Arg(112)
    ->Iterations(Bench_Frames())
    ->Unit(benchmark::kMillisecond);

}  // namespace
