// Cost of the work done per mixer buffer and per race frame by the engine effect and the smoke.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio/playback/engine_sound.h"
#include "road/camera.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/particles.h"

namespace {

// One full mixer buffer: 2048 stereo frames, 4096 values.
void BM_EngineEffect(benchmark::State& state) {
  std::vector<Sint16> source(44100 * 2, 1000), out(4096);
  engine.source = source.data();
  engine.source_count = static_cast<uint32_t>(source.size());
  for (auto _ : state) {
    Engine_Effect(6, out.data(), 8192, nullptr);
    benchmark::DoNotOptimize(out.data());
  }
  engine.source = nullptr;
  engine.source_count = 0;
}
BENCHMARK(BM_EngineEffect);

// Both smoke emitters in full flow: update and additive drawing of a 64 x 64 puff.
void BM_SmokeFrame(benchmark::State& state) {
  Camera camera(320.0f, 144.0f, 230.4f);
  Canvas canvas(640, 480);
  image puff_picture(64, 64, 32, 0);
  sprite puff(&puff_picture, 4, 4, 1.0f);
  puff.no_shadow();
  particler::Emitter left(&camera), right(&camera);
  for (particler::Emitter* e : {&left, &right})
    e->start(0.5f, 60, {0, 2, 0}, {14, 1, 0}, {-3, 2, -2}, {3, 0, 0}, {0.92f, 0.92f, 0.92f}, &puff);
  for (auto _ : state) {
    left.update(-45, 15, 336, 0, 0, -5);
    right.update(45, 15, 336, 0, 0, -5);
    left.draw(&canvas);
    right.draw(&canvas);
    benchmark::DoNotOptimize(canvas.data());
  }
}
BENCHMARK(BM_SmokeFrame);

}  // namespace
