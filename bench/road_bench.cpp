// One road pass (fill_buckets + draw) per iteration on a built-in track, cycling through
// eight positions around the lap, with 20 cars spread over the view ahead. The median of the repetitions is the figure.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "../tools/roadview/road_view.h"

namespace {

void BM_RoadPass(benchmark::State& state) {
  std::unique_ptr<Game> game(new Game());
  game->builtin_track = static_cast<int>(state.range(0));
  game->sky->free_pictures();
  roadview::Plain_Scenery(*game);
  game->Build_Builtin_Track();
  game->Set_View_Size(640, 480);
  std::unique_ptr<sprite> car(roadview::Test_Car_Sprite());
  road::Road& r = *game->road;
  const int kPositions = 8;
  int step = r.track_length() / kPositions;
  roadview::Add_Test_Cars(*game, car.get(), 0, 20);
  int n = 0;
  for (auto _ : state) {
    int p = (n++ % kPositions) * step;
    for (uint32_t v = 0; v < game->vehicles.count; ++v) game->vehicles[v]->z = p + 400 + 500 * static_cast<int>(v);
    r.fill_buckets(r.buckets, p);
    benchmark::DoNotOptimize(r.draw(*game->canvas, r.buckets, p));
  }
  game->vehicles.delete_all();
  state.SetLabel(game->builtin_track == 1 ? "Florida" : "Bavaria");
}

}  // namespace

BENCHMARK(BM_RoadPass)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
