// Building a track: the generator at its largest settings against the built-in track
// builder as the floor (both include the new road and the race set-up).
#include <benchmark/benchmark.h>

#include <SDL/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/state/game.h"
#include "road/road.h"
#include "track/generator.h"
#include "track/track_sector.h"

namespace {

Game& Bench_Game() {
  if (!theGame) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    theGame = new Game();
    theGame->Load_Vehicle_Sprites();
    Allocate_Track_Sectors();
  }
  return *theGame;
}

void Generate_Track_Bench(benchmark::State& state) {
  Game& game = Bench_Game();
  customTrack = 1;
  game.track_type = static_cast<int>(state.range(0));
  Reset_Constructor();
  generatorParams.length = 4000;
  generatorParams.curves = 95;
  generatorParams.hills = 95;
  generatorParams.scenery = 100;
  // Placement warnings go to /dev/null while the generator runs.
  std::fflush(stdout);
  int saved = dup(1), null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  for (auto _ : state) {
    game.Generate_Track();
    game.Sectors_To_Road_Objects();
    benchmark::DoNotOptimize(game.road);
  }
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  close(null);
  state.counters["sectors"] = trackSectorCount;
}
BENCHMARK(Generate_Track_Bench)->Arg(1)->Arg(3)->Arg(7)->Arg(12)->Unit(benchmark::kMillisecond);

void Builtin_Track_Floor_Bench(benchmark::State& state) {
  Game& game = Bench_Game();
  customTrack = 0;
  for (auto _ : state) {
    game.builtin_track = 1;
    game.Build_Builtin_Track();
    benchmark::DoNotOptimize(game.road);
  }
}
BENCHMARK(Builtin_Track_Floor_Bench)->Unit(benchmark::kMillisecond);

}  // namespace
