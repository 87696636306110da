#pragma once
// The game's sound effects and the two race loops, each rendered from a fixed seed.
#include "dsp.h"

namespace sfx {

// Engine at high revs: a firing frequency of kEngineFiringHz at normal speed, so the
// game's pitch effect (0.2x to 1.2x) spans 40 Hz to 240 Hz. Both channels are equal,
// since the effect reads the interleaved values as one stream.
constexpr float kEngineFiringHz = 200.0f;
constexpr double kEngineLoopSeconds = 2.0;
Stereo Engine_Loop();

Stereo Skid_Loop();       // tyre squeal, seamless loop
Stereo Seaplane_Loop();   // propeller drone, seamless loop
Stereo Crash();           // metallic impact
Stereo Checkpoint();      // bright chime
Stereo Yes();             // cheerful fanfare
Stereo Game_Over();       // falling tune
Stereo Race_Start();      // three beeps and a higher one, the last one as the fly-in ends
Stereo Soon();            // short "not available" blip
Stereo Thunder();         // long rolling rumble
Stereo Shift();           // short mechanical click
Stereo Horn();            // two-tone car horn, honked twice

}  // namespace sfx
