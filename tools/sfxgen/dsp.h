#pragma once
// Building blocks of the sound generator: buffers, noise, oscillators, envelopes, filters,
// delay and reverb. Everything is plain float DSP at one fixed sample rate.
#include <cmath>
#include <cstdint>
#include <vector>

namespace sfx {

constexpr int kRate = 44100;
constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2.0f * kPi;

// A stereo buffer of float samples in [-1, 1].
struct Stereo {
  std::vector<float> l, r;
  Stereo() = default;
  explicit Stereo(size_t frames) : l(frames, 0.0f), r(frames, 0.0f) {}
  size_t frames() const { return l.size(); }
  void resize(size_t frames) { l.resize(frames, 0.0f); r.resize(frames, 0.0f); }
  void mix(const Stereo& other, size_t offset, float gain = 1.0f);
};

inline size_t Seconds(double s) { return static_cast<size_t>(s * kRate + 0.5); }
inline float Midi_To_Hz(float note) { return 440.0f * std::exp2((note - 69.0f) / 12.0f); }
inline float Db_To_Gain(float db) { return std::pow(10.0f, db / 20.0f); }

// Small deterministic generator (xorshift); every piece seeds its own.
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) { next(); }
  uint32_t next() {
    s_ ^= s_ << 13; s_ ^= s_ >> 7; s_ ^= s_ << 17;
    return static_cast<uint32_t>(s_ >> 11);
  }
  float uniform() { return (next() & 0xFFFFFF) * (1.0f / 16777216.0f); }  // [0, 1)
  float bipolar() { return uniform() * 2.0f - 1.0f; }                    // [-1, 1)
  int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1)); }
  bool chance(float p) { return uniform() < p; }

 private:
  uint64_t s_;
};

// Band-limited oscillator (polyBLEP saw and pulse, plus triangle and sine).
enum class Wave { Sine, Triangle, Saw, Square, Pulse25, Noise };

class Osc {
 public:
  void set_phase(float p) { phase_ = p; }
  float tick(Wave w, float hz, Rng* noise = nullptr);

 private:
  float phase_ = 0.0f;
  float tri_ = 0.0f;
};

// Linear-attack, exponential-decay/release ADSR driven per sample.
struct Adsr {
  float attack = 0.005f, decay = 0.2f, sustain = 0.7f, release = 0.2f;  // seconds / level
};

class AdsrState {
 public:
  explicit AdsrState(const Adsr& a);
  void release() { if (stage_ < 3) { stage_ = 3; } }
  bool done() const { return stage_ == 3 && level_ < 1e-4f; }
  float tick();

 private:
  Adsr a_;
  float attack_step_, decay_coef_, release_coef_;
  int stage_ = 0;
  float level_ = 0.0f;
};

// Topology-preserving state-variable filter; low, band and high outputs.
class Svf {
 public:
  void set(float hz, float q);
  float low(float x) { step(x); return lp_; }
  float band(float x) { step(x); return bp_; }
  float high(float x) { step(x); return hp_; }
  void reset() { ic1_ = ic2_ = 0.0f; }

 private:
  void step(float x);
  float g_ = 0.1f, k_ = 1.4f, a1_ = 0, a2_ = 0, a3_ = 0;
  float ic1_ = 0, ic2_ = 0, lp_ = 0, bp_ = 0, hp_ = 0;
};

// One-pole smoother / low-pass.
class OnePole {
 public:
  void set(float hz) { a_ = 1.0f - std::exp(-kTwoPi * hz / kRate); }
  float low(float x) { y_ += a_ * (x - y_); return y_; }
  float high(float x) { return x - low(x); }

 private:
  float a_ = 0.1f, y_ = 0.0f;
};

// Stereo reverb of parallel combs and serial all-passes with fixed, seed-free tunings.
class Reverb {
 public:
  Reverb(float room, float damp, float width);
  void process(const Stereo& in, Stereo& out, float wet);

 private:
  struct Comb { std::vector<float> buf; size_t pos = 0; float store = 0; };
  struct AllPass { std::vector<float> buf; size_t pos = 0; };
  Comb combs_[2][8];
  AllPass passes_[2][4];
  float feedback_, damp_, width_;
};

// Tempo-synchronised ping-pong echo; replaces the signal by its echoes.
void Ping_Pong_Delay(Stereo& s, size_t delay_frames, float feedback);

// Adds the part of `buf` beyond `loop_frames` back onto its beginning and cuts it there,
// so that the piece repeats as if it had been playing forever.
void Fold_Loop(Stereo& buf, size_t loop_frames);

// Runs a filter over a loop twice so that its state at the end matches its start.
template <typename F>
void Circular_Filter(std::vector<float>& x, F&& filter) {
  for (float v : x) filter(v);
  for (float& v : x) v = filter(v);
}

// High-pass at a few hertz; `loop` treats the buffer as one turn of an endless loop.
void Remove_Dc(Stereo& s, bool loop);

float Peak(const Stereo& s);
float Rms(const Stereo& s);
// Scales to the target RMS, then bends peaks above `knee` smoothly towards `ceiling`.
void Master(Stereo& s, float target_rms, float knee, float ceiling);
// Scales so that the peak is `peak`.
void Normalize_Peak(Stereo& s, float peak);
// Drops trailing samples below the threshold (after a short fade), keeping at least `min_frames`.
void Trim_Tail(Stereo& s, float threshold, size_t min_frames);

}  // namespace sfx
