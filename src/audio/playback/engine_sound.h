#pragma once
// The engine loop on channel 6, re-pitched by a mixer effect from the shown speed, and
// the gear lever picture that follows the effect's speed band.
#include <SDL/SDL.h>

#include <atomic>
#include <cstdint>

// State of the engine sound. The effect runs on the mixer's thread; it shares only
// `band` (and the game's gauge_speed) with the game thread. The source, position and step
// are set by Start_Engine_Sound before the channel plays and afterwards only by the effect.
struct EngineState {
  const Sint16* source = nullptr;  // the engine chunk read as 16-bit values
  uint32_t source_count = 0;       // number of 16-bit values, both stereo channels
  double position = 0.0;           // read position in values
  double step = 1.0;               // values read per value written
  std::atomic<int> band{0};        // speed band 0..5 of the last buffer
  int shown_band = 0;              // band the gear display shows
  int ball_x = 515, ball_y = 415;  // gear ball on the screen
  int move_x = 0, move_y = 0;      // pending move, current minus target
};

extern EngineState engine;
extern int engine_channel;  // always 6
extern int engine_level;    // 0 loudest .. 20 silent, in steps of 5

constexpr int kBandBounds[5] = {20, 60, 90, 120, 165};
constexpr int kSlotOffsetX[6] = {0, 30, 30, 60, 60, 90};
constexpr int kSlotOffsetY[6] = {60, 0, 60, 0, 60, 60};
constexpr int kGatePlateX = 515, kGatePlateY = 355;

void Reset_Engine_State();
// Resets, binds the engine chunk, sets the volume, registers the effect and loops the
// chunk on channel 6. Without a usable engine sample the race stays silent.
void Start_Engine_Sound();
// Mixer effect: overwrites the buffer with the source resampled by the speed's step.
void Engine_Effect(int channel, void* stream, int length_in_bytes, void* user_data);
// Band of speed s and the step to use in it.
double Engine_Step(float s, int* band_out);
// Writes `count` resampled values, carrying the position.
void Engine_Resample(Sint16* out, int count);
// Gate and ball at the bottom right, with the shift cue when the band changes.
void Draw_Gear_Display();
