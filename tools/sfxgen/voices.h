#pragma once
// Synth and drum voices of the tracker's instruments.
#include <cstdint>

#include "dsp.h"
#include "tracker.h"

namespace sfx {

// One note of `in`, held for `hold` frames and then released; drums ignore `hold`.
// Writes the whole sound including its release to the start of `out` (which only ever
// grows, so that it can be reused) and returns its length in frames.
size_t Render_Voice(const Instrument& in, int note, size_t hold, uint32_t seed, Stereo& out);

}  // namespace sfx
