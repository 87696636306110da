#include "effects.h"

#include <algorithm>

namespace sfx {

namespace {

// Decaying sine partial starting at `start` seconds.
void Add_Partial(Stereo& s, double start, float hz, float amp, float decay, float pan = 0.0f,
                 float attack = 0.001f) {
  size_t first = Seconds(start);
  size_t len = Seconds(decay * 7.0);
  if (first + len > s.frames()) len = s.frames() > first ? s.frames() - first : 0;
  float gl = amp * std::sqrt(0.5f * (1.0f - pan)), gr = amp * std::sqrt(0.5f * (1.0f + pan));
  for (size_t i = 0; i < len; ++i) {
    float t = static_cast<float>(i) / kRate;
    float env = std::exp(-t / decay) * std::min(1.0f, t / attack);
    float v = std::sin(kTwoPi * hz * t) * env;
    s.l[first + i] += v * gl;
    s.r[first + i] += v * gr;
  }
}

// Noise burst through a band-pass, exponentially decaying.
void Add_Noise_Burst(Stereo& s, Rng& rng, double start, float decay, float hz, float q, float amp,
                     float width = 0.3f) {
  size_t first = Seconds(start);
  size_t len = std::min(Seconds(decay * 7.0), s.frames() > first ? s.frames() - first : 0);
  Svf fl, fr;
  fl.set(hz, q);
  fr.set(hz, q);
  for (size_t i = 0; i < len; ++i) {
    float t = static_cast<float>(i) / kRate;
    float env = amp * std::exp(-t / decay);
    float common = rng.bipolar(), side = rng.bipolar() * width;
    s.l[first + i] += fl.band(common + side) * env;
    s.r[first + i] += fr.band(common - side) * env;
  }
}

// A synthesised note with an ADSR and optional vibrato, summed into the buffer.
void Add_Note(Stereo& s, double start, double length, float hz, Wave wave, const Adsr& adsr,
              float amp, float cutoff = 8000.0f, float vibrato = 0.0f, float glide_to = 0.0f) {
  size_t first = Seconds(start);
  size_t hold = Seconds(length);
  size_t len = hold + Seconds(adsr.release * 1.5);
  if (first + len > s.frames()) s.resize(first + len);
  Osc osc, osc2;
  osc2.set_phase(0.37f);
  AdsrState env(adsr);
  Svf filter;
  filter.set(cutoff, 0.8f);
  for (size_t i = 0; i < len; ++i) {
    if (i == hold) env.release();
    float t = static_cast<float>(i) / kRate;
    float f = hz;
    if (glide_to > 0.0f) f = hz * std::pow(glide_to / hz, std::min(1.0f, t / float(length)));
    f *= 1.0f + vibrato * std::sin(kTwoPi * 5.5f * t) * std::min(1.0f, t * 4.0f);
    float v = 0.7f * osc.tick(wave, f) + 0.3f * osc2.tick(wave, f * 1.004f);
    v = filter.low(v) * env.tick() * amp;
    s.l[first + i] += v;
    s.r[first + i] += v;
  }
}

void Add_Reverb(Stereo& s, float room, float wet) {
  s.resize(s.frames() + Seconds(1.5));
  Reverb reverb(room, 0.5f, 1.0f);
  Stereo wet_buf(s.frames());
  reverb.process(s, wet_buf, 1.0f);
  s.mix(wet_buf, 0, wet);
}

// Bell-like tone: inharmonic partials with shorter decays higher up.
void Add_Bell(Stereo& s, double start, float hz, float amp, float decay, float pan) {
  static const float ratio[] = {1.0f, 2.0f, 2.76f, 4.07f, 5.43f};
  static const float level[] = {1.0f, 0.5f, 0.35f, 0.2f, 0.12f};
  for (int k = 0; k < 5; ++k) Add_Partial(s, start, hz * ratio[k], amp * level[k], decay / (1.0f + k * 0.6f), pan);
}

}  // namespace

Stereo Engine_Loop() {
  const size_t n = Seconds(kEngineLoopSeconds);
  const float crank = kEngineFiringHz / 2.0f;  // four-cylinder: two firings per turn
  Rng rng(1);
  // Engine orders in half steps of the crank frequency; the loop holds whole cycles of each.
  struct Order { float order, amp; };
  const Order orders[] = {{0.5f, 0.10f}, {1.0f, 0.30f}, {1.5f, 0.12f}, {2.0f, 1.00f}, {2.5f, 0.08f},
                          {3.0f, 0.22f}, {4.0f, 0.55f}, {5.0f, 0.12f}, {6.0f, 0.38f}, {7.0f, 0.08f},
                          {8.0f, 0.26f}, {10.0f, 0.16f}, {12.0f, 0.12f}, {14.0f, 0.07f},
                          {16.0f, 0.05f}, {20.0f, 0.03f}};
  std::vector<float> tone(n, 0.0f), hiss(n, 0.0f);
  for (const Order& o : orders) {
    float phase = rng.uniform();
    double hz = crank * o.order;
    for (size_t i = 0; i < n; ++i)
      tone[i] += o.amp * std::sin(kTwoPi * static_cast<float>(std::fmod(hz * i / kRate + phase, 1.0)));
  }
  // Combustion hiss: band-passed noise pulsed with each firing.
  for (size_t i = 0; i < n; ++i) {
    float firing = static_cast<float>(std::fmod(double(kEngineFiringHz) * i / kRate, 1.0));
    float pulse = std::exp(-firing * 6.0f);
    hiss[i] = rng.bipolar() * (0.25f + pulse);
  }
  Svf band;
  band.set(1400.0f, 0.7f);
  Circular_Filter(hiss, [&](float x) { return band.band(x); });
  Svf body;
  body.set(2600.0f, 0.6f);
  std::vector<float> mix(n);
  for (size_t i = 0; i < n; ++i) {
    // A slow swell of four cycles per loop keeps the drone alive.
    float swell = 1.0f + 0.06f * std::sin(kTwoPi * 2.0f * i / kRate);
    mix[i] = (tone[i] * 0.35f + hiss[i] * 0.25f) * swell;
  }
  Circular_Filter(mix, [&](float x) { return body.low(x); });
  Stereo s(n);
  for (size_t i = 0; i < n; ++i) s.l[i] = s.r[i] = std::tanh(mix[i] * 1.6f);
  Normalize_Peak(s, 0.9f);
  return s;
}

Stereo Skid_Loop() {
  const double seconds = 1.5;
  const size_t n = Seconds(seconds);
  Rng rng(2);
  Stereo s(n);
  std::vector<float> noise_l(n), noise_r(n);
  for (size_t i = 0; i < n; ++i) {
    float c = rng.bipolar();
    noise_l[i] = c + 0.4f * rng.bipolar();
    noise_r[i] = c + 0.4f * rng.bipolar();
  }
  Svf bl, br;
  bl.set(2800.0f, 1.2f);
  br.set(2900.0f, 1.2f);
  Circular_Filter(noise_l, [&](float x) { return bl.band(x); });
  Circular_Filter(noise_r, [&](float x) { return br.band(x); });
  // Squeal around 1100 Hz with a vibrato of 6 Hz; both close exactly over the loop.
  const float f0 = 1100.0f, fv = 6.0f, dev = 35.0f;
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kRate;
    double cycles = f0 * double(i) / kRate;
    float phase = kTwoPi * static_cast<float>(std::fmod(cycles, 1.0)) - (dev / fv) * std::cos(kTwoPi * fv * t);
    float squeal = std::sin(phase) + 0.35f * std::sin(2.0f * phase + 0.5f) + 0.15f * std::sin(3.0f * phase);
    // Stick-slip chatter: 40 Hz amplitude flutter, plus a slow 2 Hz drift.
    float chatter = 0.75f + 0.25f * std::sin(kTwoPi * 40.0f * t) + 0.1f * std::sin(kTwoPi * 2.0f * t);
    s.l[i] = (0.45f * squeal + 1.1f * noise_l[i]) * chatter;
    s.r[i] = (0.45f * squeal + 1.1f * noise_r[i]) * chatter;
  }
  Normalize_Peak(s, 0.7f);
  return s;
}

Stereo Seaplane_Loop() {
  const size_t n = Seconds(3.0);
  Rng rng(3);
  const float blade = 75.0f;  // blade-pass rate; whole cycles over three seconds
  std::vector<float> drone(n, 0.0f), noise(n);
  for (int k = 1; k <= 14; ++k) {
    float amp = (k % 2 ? 1.0f : 0.6f) / k;
    float phase = rng.uniform();
    for (size_t i = 0; i < n; ++i)
      drone[i] += amp * std::sin(kTwoPi * static_cast<float>(std::fmod(double(blade) * k * i / kRate + phase, 1.0)));
  }
  for (size_t i = 0; i < n; ++i) noise[i] = rng.bipolar();
  Svf lp;
  lp.set(900.0f, 0.7f);
  Circular_Filter(noise, [&](float x) { return lp.low(x); });
  Stereo s(n);
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kRate;
    // Blade chop and a slow beat between two propellers (1 Hz and 0.333 Hz).
    float chop = 0.7f + 0.3f * std::sin(kTwoPi * blade * t);
    float beat = 0.85f + 0.15f * std::sin(kTwoPi * 1.0f * t) * std::sin(kTwoPi * (1.0f / 3.0f) * t);
    float v = (0.5f * drone[i] * chop + 0.8f * noise[i]) * beat;
    float pan = 0.2f * std::sin(kTwoPi * (1.0f / 3.0f) * t);
    s.l[i] = v * (1.0f - pan);
    s.r[i] = v * (1.0f + pan);
  }
  Normalize_Peak(s, 0.6f);
  return s;
}

Stereo Crash() {
  Stereo s(Seconds(2.0));
  Rng rng(4);
  // Body thud: a falling low sine.
  for (size_t i = 0; i < Seconds(0.4); ++i) {
    float t = static_cast<float>(i) / kRate;
    float hz = 45.0f + 90.0f * std::exp(-t * 25.0f);
    float v = std::sin(kTwoPi * hz * t) * std::exp(-t * 12.0f) * 0.9f;
    s.l[i] += v;
    s.r[i] += v;
  }
  Add_Noise_Burst(s, rng, 0.0, 0.06f, 2200.0f, 0.5f, 1.6f);
  Add_Noise_Burst(s, rng, 0.0, 0.20f, 600.0f, 0.7f, 0.6f);
  // Sheet-metal modes, slightly different on each side.
  const float modes[] = {523.0f, 1187.0f, 1741.0f, 2387.0f, 3117.0f, 3901.0f, 5230.0f};
  for (int k = 0; k < 7; ++k) {
    float decay = 0.5f / (1.0f + 0.4f * k);
    Add_Partial(s, 0.0, modes[k], 0.25f / (1.0f + 0.3f * k), decay, -0.3f);
    Add_Partial(s, 0.0, modes[k] * 1.013f, 0.22f / (1.0f + 0.3f * k), decay, 0.3f);
  }
  // A second, smaller hit and some rattling debris.
  Add_Noise_Burst(s, rng, 0.07, 0.05f, 3000.0f, 0.6f, 0.9f);
  for (int k = 0; k < 4; ++k) Add_Partial(s, 0.07, modes[k] * 1.37f, 0.12f, 0.25f, 0.4f);
  for (int k = 0; k < 12; ++k) {
    double at = 0.12 + 0.05 * k + 0.02 * rng.uniform();
    Add_Noise_Burst(s, rng, at, 0.012f, 3500.0f + 2500.0f * rng.uniform(), 2.0f, 0.5f * std::exp(-0.25f * k));
  }
  Add_Reverb(s, 0.5f, 0.25f);
  Trim_Tail(s, 2e-4f, Seconds(0.8));
  Normalize_Peak(s, 0.8f);
  return s;
}

Stereo Checkpoint() {
  Stereo s(Seconds(1.6));
  Add_Bell(s, 0.0, Midi_To_Hz(88), 0.5f, 0.5f, -0.2f);   // E6
  Add_Bell(s, 0.09, Midi_To_Hz(95), 0.5f, 0.7f, 0.2f);   // B6
  Add_Partial(s, 0.09, Midi_To_Hz(100), 0.08f, 0.3f, 0.0f);
  Add_Reverb(s, 0.6f, 0.3f);
  Trim_Tail(s, 2e-4f, Seconds(0.8));
  Normalize_Peak(s, 0.7f);
  return s;
}

Stereo Yes() {
  Stereo s(Seconds(2.6));
  Adsr brass{0.02f, 0.3f, 0.8f, 0.25f};
  // Pickup triplet, then the high tonic over a major chord.
  const int pickup[] = {67, 72, 76};
  for (int k = 0; k < 3; ++k) Add_Note(s, 0.11 * k, 0.10, Midi_To_Hz(pickup[k]), Wave::Saw, brass, 0.3f, 3000.0f);
  Add_Note(s, 0.33, 1.0, Midi_To_Hz(79), Wave::Saw, brass, 0.32f, 3500.0f, 0.006f);
  Add_Note(s, 0.33, 1.0, Midi_To_Hz(84), Wave::Square, brass, 0.12f, 4000.0f, 0.006f);
  for (int note : {60, 64, 67}) Add_Note(s, 0.33, 1.0, Midi_To_Hz(note), Wave::Saw, brass, 0.14f, 1800.0f);
  Add_Bell(s, 0.33, Midi_To_Hz(96), 0.12f, 0.6f, 0.0f);
  Add_Reverb(s, 0.6f, 0.3f);
  Trim_Tail(s, 2e-4f, Seconds(1.2));
  Normalize_Peak(s, 0.8f);
  return s;
}

Stereo Game_Over() {
  Stereo s(Seconds(3.5));
  Adsr tone{0.01f, 0.2f, 0.7f, 0.15f};
  const int notes[] = {67, 66, 65};
  for (int k = 0; k < 3; ++k) Add_Note(s, 0.38 * k, 0.32, Midi_To_Hz(notes[k]), Wave::Square, tone, 0.28f, 1800.0f);
  // The last note sags an octave down, like a sigh.
  Adsr last{0.01f, 0.6f, 0.8f, 0.4f};
  Add_Note(s, 1.14, 1.1, Midi_To_Hz(64), Wave::Square, last, 0.3f, 1600.0f, 0.012f, Midi_To_Hz(52));
  for (int k = 0; k < 4; ++k) Add_Note(s, 0.38 * k, 0.3, Midi_To_Hz(43 - k), Wave::Triangle, tone, 0.25f, 800.0f);
  Add_Reverb(s, 0.5f, 0.25f);
  Trim_Tail(s, 2e-4f, Seconds(1.5));
  Normalize_Peak(s, 0.75f);
  return s;
}

Stereo Race_Start() {
  Stereo s(Seconds(3.0));
  Adsr beep{0.003f, 0.1f, 0.9f, 0.04f};
  for (int k = 0; k < 3; ++k) {
    Add_Note(s, 0.1 + 0.62 * k, 0.18, 440.0f, Wave::Square, beep, 0.2f, 2500.0f);
    Add_Note(s, 0.1 + 0.62 * k, 0.18, 440.0f, Wave::Sine, beep, 0.3f);
  }
  Add_Note(s, 1.96, 0.6, 880.0f, Wave::Square, beep, 0.2f, 3500.0f);
  Add_Note(s, 1.96, 0.6, 880.0f, Wave::Sine, beep, 0.3f);
  Add_Reverb(s, 0.3f, 0.15f);
  Trim_Tail(s, 2e-4f, Seconds(2.6));
  Normalize_Peak(s, 0.55f);
  return s;
}

Stereo Soon() {
  Stereo s(Seconds(0.5));
  Adsr blip{0.002f, 0.05f, 0.8f, 0.03f};
  Add_Note(s, 0.0, 0.07, Midi_To_Hz(67), Wave::Square, blip, 0.3f, 2000.0f);
  Add_Note(s, 0.1, 0.14, Midi_To_Hz(60), Wave::Square, blip, 0.3f, 1500.0f);
  Trim_Tail(s, 2e-4f, Seconds(0.25));
  Normalize_Peak(s, 0.6f);
  return s;
}

Stereo Thunder() {
  const size_t n = Seconds(7.0);
  Stereo s(n);
  Rng rng(5);
  // Crack: a bright burst at the start.
  Add_Noise_Burst(s, rng, 0.0, 0.08f, 3000.0f, 0.4f, 0.9f, 0.6f);
  Add_Noise_Burst(s, rng, 0.05, 0.25f, 900.0f, 0.5f, 0.6f, 0.6f);
  // Rolling: brown noise under a chain of swells that fade out over the whole sound.
  struct Swell { float at, rise, fall, amp; };
  std::vector<Swell> swells;
  float at = 0.05f;
  for (int k = 0; k < 9; ++k) {
    swells.push_back({at, 0.08f + 0.15f * rng.uniform(), 0.5f + 0.7f * rng.uniform(),
                      std::exp(-0.3f * k) * (0.6f + 0.4f * rng.uniform())});
    at += 0.35f + 0.5f * rng.uniform();
  }
  float brown[2] = {0, 0};
  Svf lp[2];
  lp[0].set(180.0f, 0.7f);
  lp[1].set(170.0f, 0.7f);
  for (size_t i = 0; i < n; ++i) {
    float t = static_cast<float>(i) / kRate;
    float env = 0.0f;
    for (const Swell& w : swells) {
      if (t < w.at) continue;
      float d = t - w.at;
      env += w.amp * std::min(1.0f, d / w.rise) * std::exp(-std::max(0.0f, d - w.rise) / w.fall);
    }
    for (int c = 0; c < 2; ++c) {
      brown[c] = 0.995f * brown[c] + 0.1f * rng.bipolar();
      float v = lp[c].low(brown[c]) * env * 3.0f;
      (c ? s.r : s.l)[i] += v;
    }
  }
  Add_Reverb(s, 0.8f, 0.3f);
  Trim_Tail(s, 3e-4f, Seconds(4.0));
  Normalize_Peak(s, 0.85f);
  return s;
}

Stereo Shift() {
  Stereo s(Seconds(0.2));
  Rng rng(6);
  Add_Noise_Burst(s, rng, 0.0, 0.004f, 3500.0f, 0.8f, 1.0f);
  Add_Partial(s, 0.0, 1800.0f, 0.3f, 0.012f);
  Add_Partial(s, 0.0, 190.0f, 0.5f, 0.03f);
  Add_Noise_Burst(s, rng, 0.045, 0.003f, 4200.0f, 0.8f, 0.6f);
  Add_Partial(s, 0.045, 2300.0f, 0.2f, 0.01f);
  Trim_Tail(s, 2e-4f, Seconds(0.1));
  Normalize_Peak(s, 0.6f);
  return s;
}

Stereo Horn() {
  Stereo s(Seconds(1.3));
  Adsr honk{0.012f, 0.1f, 0.95f, 0.05f};
  for (double start : {0.0, 0.36}) {
    double len = start == 0.0 ? 0.24 : 0.55;
    Stereo tone(s.frames());
    Add_Note(tone, start, len, 415.0f, Wave::Saw, honk, 0.5f, 6000.0f);
    Add_Note(tone, start, len, 523.0f, Wave::Saw, honk, 0.45f, 6000.0f);
    // The diaphragm: a resonant band around 2 kHz, then some saturation.
    Svf bl, br;
    bl.set(2000.0f, 1.5f);
    br.set(2000.0f, 1.5f);
    for (size_t i = 0; i < tone.frames(); ++i) {
      tone.l[i] = std::tanh(2.0f * (bl.band(tone.l[i]) + 0.4f * tone.l[i]));
      tone.r[i] = std::tanh(2.0f * (br.band(tone.r[i]) + 0.4f * tone.r[i]));
    }
    s.mix(tone, 0);
  }
  Add_Reverb(s, 0.3f, 0.12f);
  Trim_Tail(s, 2e-4f, Seconds(0.9));
  Normalize_Peak(s, 0.75f);
  return s;
}

}  // namespace sfx
