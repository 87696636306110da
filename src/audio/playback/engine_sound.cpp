#include "audio/playback/engine_sound.h"

#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstring>

#include "audio/playback/sound.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"

EngineState engine;
int engine_channel = 6;
int engine_level = 0;

static_assert(std::atomic<float>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the mixer's thread shares these words without a lock");

namespace {

const double kStepBase = 0.2f;  // single-precision 0.2, used in double arithmetic
// Band 5 has no upper bound: its step keeps rising, half as fast as in band 4, up to 1.2.
const double kTopBandSpan = 90.0;

float Shown_Speed() {
  return theGame ? theGame->gauge_speed.load(std::memory_order_relaxed) : 0.0f;
}

void Step_Toward(int& pos, int& pending) {
  if (pending > 0) {
    pos -= 10;
    pending -= 10;
  } else if (pending < 0) {
    pos += 10;
    pending += 10;
  }
}

}  // namespace

void Reset_Engine_State() {
  engine.band.store(0, std::memory_order_relaxed);
  engine.shown_band = 0;
  engine.ball_x = 515;
  engine.ball_y = 415;
  engine.move_x = 0;
  engine.move_y = 0;
}

void Start_Engine_Sound() {
  Reset_Engine_State();
  engine_channel = 6;
  Mix_UnregisterAllEffects(engine_channel);
  engine.source = nullptr;
  engine.source_count = 0;
  if (sample_engine && sample_engine->abuf) {
    engine.source = reinterpret_cast<const Sint16*>(sample_engine->abuf);
    engine.source_count = sample_engine->alen / 2;
  }
  engine.position = 0.0;
  engine.step = 1.0;
  int volume = 20 - engine_level;
  Mix_Volume(engine_channel, volume < 0 ? 0 : volume > 20 ? 20 : volume);
  if (engine.source_count == 0) return;  // no engine sample: the race runs silently
  // A sound left on channel 6 would be replaced by the loop and take the effect with it.
  Mix_HaltChannel(engine_channel);
  if (!Mix_RegisterEffect(engine_channel, Engine_Effect, nullptr, nullptr)) std::printf("Mixer error\n");
  Mix_PlayChannel(engine_channel, sample_engine, -1);
}

double Engine_Step(float s, int* band_out) {
  int band = 5;
  for (int i = 0; i < 5; ++i) {
    if (static_cast<float>(kBandBounds[i]) > s) {
      band = i;
      break;
    }
  }
  *band_out = band;
  double speed = s;
  if (band == 0) return speed / kBandBounds[0] + kStepBase;
  if (band == 5) {
    double step = (speed - kBandBounds[4]) / kTopBandSpan + kStepBase;
    return step < 1.2 ? step : 1.2;
  }
  double low = kBandBounds[band - 1], high = kBandBounds[band];
  return (speed - low) / (high - low) + kStepBase;
}

void Engine_Resample(Sint16* out, int count) {
  if (!engine.source || engine.source_count == 0) {
    std::memset(out, 0, sizeof(Sint16) * static_cast<size_t>(count > 0 ? count : 0));
    return;
  }
  for (int k = 0; k < count; ++k) {
    uint32_t i = static_cast<uint32_t>(static_cast<int64_t>(engine.position));
    out[k] = engine.source[i % engine.source_count];
    engine.position += engine.step;
  }
}

void Engine_Effect(int, void* stream, int length_in_bytes, void*) {
  int band = 0;
  engine.step = Engine_Step(Shown_Speed(), &band);
  engine.band.store(band, std::memory_order_relaxed);
  Engine_Resample(static_cast<Sint16*>(stream), length_in_bytes / 2);
}

void Draw_Gear_Display() {
  Draw_Image(kGatePlateX, kGatePlateY, gfx_gearplate);
  Draw_Image(static_cast<Sint16>(engine.ball_x), static_cast<Sint16>(engine.ball_y), gfx_gearball);
  int band = engine.band.load(std::memory_order_relaxed);
  if (band != engine.shown_band) {
    engine.shown_band = band;
    engine.move_x = engine.ball_x - (kGatePlateX + kSlotOffsetX[band]);
    engine.move_y = engine.ball_y - (kGatePlateY + kSlotOffsetY[band]);
    Play_Shift();
  }
  Step_Toward(engine.ball_y, engine.move_y);
  Step_Toward(engine.ball_x, engine.move_x);
}
