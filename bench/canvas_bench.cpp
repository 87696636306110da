// Cost of the two primitives a race frame leans on most: scaled sprites and ground textures.
#include <benchmark/benchmark.h>

#include "road/canvas.h"
#include "road/image.h"

namespace {

image Texture(int w, int h) {
  image img(w, h, 32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      reinterpret_cast<uint32_t*>(img.row(y))[x] = ((x ^ y) & 1 ? 0xFF000000u : 0u) | (x * 3) | (y << 9);
  return img;
}

// A 128 x 96 sprite with transparent pixels drawn at the size given, partly off the left edge.
void BM_BlitScaled(benchmark::State& state) {
  Canvas canvas(640, 480);
  image sprite_picture = Texture(128, 96);
  int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    canvas.blit_scaled(&sprite_picture, -size / 4, 100, size, size * 3 / 4);
    benchmark::DoNotOptimize(canvas.data());
  }
  state.SetItemsProcessed(state.iterations() * (size - size / 4) * (size * 3 / 4));
}
BENCHMARK(BM_BlitScaled)->Arg(32)->Arg(128)->Arg(400);

// A ground band over the lower half of the screen, wider than the canvas near the bottom.
void BM_TexturedTrapezoid(benchmark::State& state) {
  Canvas canvas(640, 480);
  image ground = Texture(256, 64);
  canvas.textured_trapezoid(&ground, 200 * 1024, 440 * 1024, 240 * 1024, -300 * 1024, 940 * 1024, 479 * 1024);
  int64_t drawn = 0;
  for (int i = 0; i < 640 * 480; ++i) drawn += canvas.data()[i] != 0;
  for (auto _ : state) {
    canvas.textured_trapezoid(&ground, 200 * 1024, 440 * 1024, 240 * 1024, -300 * 1024, 940 * 1024, 479 * 1024);
    benchmark::DoNotOptimize(canvas.data());
  }
  state.SetItemsProcessed(state.iterations() * drawn);
}
BENCHMARK(BM_TexturedTrapezoid);

void BM_FillRect(benchmark::State& state) {
  Canvas canvas(640, 480);
  for (auto _ : state) {
    canvas.fill_rect(0, 0, 640, 480, 0xFF336699u);
    benchmark::DoNotOptimize(canvas.data());
  }
  state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_FillRect);

}  // namespace

BENCHMARK_MAIN();
