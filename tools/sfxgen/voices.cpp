#include "voices.h"

#include <algorithm>

namespace sfx {

namespace {

void Pan_Into(Stereo& s, size_t i, float v, float pan) {
  s.l[i] += v * std::sqrt(0.5f * (1.0f - pan));
  s.r[i] += v * std::sqrt(0.5f * (1.0f + pan));
}

size_t Render_Synth(const Instrument& in, int note, size_t hold, uint32_t seed, Stereo& s) {
  const size_t len = hold + Seconds(in.amp.release * 1.6f + 0.005f);
  if (s.frames() < len) s.resize(len);
  Rng rng(seed);
  const float base = Midi_To_Hz(static_cast<float>(note));
  const int unison = std::clamp(in.unison, 1, 8);
  Osc osc1[8], osc2, sub;
  float detune1[8], gain_l[8], gain_r[8];
  for (int u = 0; u < unison; ++u) {
    float off = unison > 1 ? (u - (unison - 1) * 0.5f) / ((unison - 1) * 0.5f) : 0.0f;
    detune1[u] = std::exp2(off * in.spread / 1200.0f);
    float pan = std::clamp(in.pan + off * 0.7f, -1.0f, 1.0f);
    gain_l[u] = std::sqrt(0.5f * (1.0f - pan));
    gain_r[u] = std::sqrt(0.5f * (1.0f + pan));
    osc1[u].set_phase(rng.uniform());
  }
  osc2.set_phase(rng.uniform());
  const float ratio2 = std::exp2(in.octave2 + in.detune / 1200.0f);
  const float unison_gain = 1.0f / std::sqrt(static_cast<float>(unison));
  const float pan_l = std::sqrt(0.5f * (1.0f - in.pan)), pan_r = std::sqrt(0.5f * (1.0f + in.pan));
  AdsrState env(in.amp);
  Svf fl, fr;
  const float key = std::exp2(in.key_track * (note - 60) / 12.0f);
  float phase_c = 0.0f, phase_m = 0.0f;
  for (size_t i = 0; i < len; ++i) {
    if (i == hold) env.release();
    const float t = static_cast<float>(i) / kRate;
    float f = base;
    if (in.vibrato > 0.0f && t > in.vibrato_delay) {
      float ramp = std::min(1.0f, (t - in.vibrato_delay) * 3.0f);
      f *= std::exp2(in.vibrato * ramp * std::sin(kTwoPi * in.vibrato_rate * t) / 12.0f);
    }
    if ((i & 15) == 0) {
      float cutoff = in.cutoff * key * std::exp2(in.env_mod * std::exp(-t / in.filter_decay));
      fl.set(cutoff, in.resonance);
      fr.set(cutoff, in.resonance);
    }
    float a = env.tick();
    float l = 0.0f, r = 0.0f;
    if (in.fm_ratio > 0.0f) {
      float index = in.fm_index * (0.25f + 0.75f * std::exp(-t / in.fm_decay));
      float v = std::sin(kTwoPi * phase_c + index * std::sin(kTwoPi * phase_m));
      phase_c += f / kRate;
      phase_m += f * in.fm_ratio / kRate;
      phase_c -= std::floor(phase_c);
      phase_m -= std::floor(phase_m);
      l = v * pan_l;
      r = v * pan_r;
    } else {
      float common = 0.0f;
      if (in.mix2 > 0.0f) common += in.mix2 * osc2.tick(in.wave2, f * ratio2);
      if (in.sub > 0.0f) common += in.sub * sub.tick(Wave::Sine, f * 0.5f);
      if (in.noise > 0.0f) common += in.noise * rng.bipolar();
      if (unison == 1) {
        float m = fl.low(common + osc1[0].tick(in.wave1, f));
        l = m * pan_l;
        r = m * pan_r;
      } else {
        l = common * pan_l;
        r = common * pan_r;
        for (int u = 0; u < unison; ++u) {
          float v = osc1[u].tick(in.wave1, f * detune1[u]) * unison_gain;
          l += v * gain_l[u];
          r += v * gain_r[u];
        }
        l = fl.low(l);
        r = fr.low(r);
      }
    }
    if (in.drive > 0.0f) {
      float d = 1.0f + in.drive * 4.0f;
      l = std::tanh(l * d) / std::sqrt(d);
      r = std::tanh(r * d) / std::sqrt(d);
    }
    s.l[i] = l * a;
    s.r[i] = r * a;
  }
  return len;
}

// Sine with a falling pitch: the body of kicks and toms.
void Add_Drop(Stereo& s, float from, float to, float drop_time, float decay, float amp, float pan) {
  float phase = 0.0f;
  for (size_t i = 0; i < s.frames(); ++i) {
    float t = static_cast<float>(i) / kRate;
    float f = to + (from - to) * std::exp(-t / drop_time);
    phase += f / kRate;
    phase -= std::floor(phase);
    Pan_Into(s, i, std::sin(kTwoPi * phase) * std::exp(-t / decay) * amp, pan);
  }
}

// Filtered noise with a decay envelope; `bursts` > 1 gives the flutter of a hand clap.
void Add_Noise(Stereo& s, Rng& rng, float hz, float q, bool high, float attack, float decay,
               float amp, float pan, int bursts = 1) {
  Svf f;
  f.set(hz, q);
  for (size_t i = 0; i < s.frames(); ++i) {
    float t = static_cast<float>(i) / kRate;
    float env = std::exp(-t / decay) * (attack > 0.0f ? std::min(1.0f, t / attack) : 1.0f);
    if (bursts > 1) {
      float gap = 0.011f;
      if (t < gap * bursts) env = std::exp(-std::fmod(t, gap) / 0.004f);
      else env = std::exp(-(t - gap * bursts) / decay);
    }
    float x = rng.bipolar();
    float v = high ? f.high(x) : f.band(x);
    Pan_Into(s, i, v * env * amp, pan);
  }
}

// Six detuned square waves: the metallic core of hats and cymbals.
void Add_Metal(Stereo& s, float scale, float decay, float amp, float pan) {
  static const float freqs[] = {205.3f, 304.4f, 369.6f, 522.7f, 540.0f, 800.0f};
  Osc osc[6];
  Svf hp;
  hp.set(7000.0f, 0.8f);
  for (size_t i = 0; i < s.frames(); ++i) {
    float t = static_cast<float>(i) / kRate;
    float v = 0.0f;
    for (int k = 0; k < 6; ++k) v += osc[k].tick(Wave::Square, freqs[k] * scale);
    Pan_Into(s, i, hp.high(v / 6.0f) * std::exp(-t / decay) * amp, pan);
  }
}

Stereo Render_Drum(const Instrument& in, int note, uint32_t seed) {
  Rng rng(seed);
  const float tune = std::exp2((note - 60) / 12.0f);
  const float p = in.pan;
  switch (in.kind) {
    case Instrument::Kick: {
      Stereo s(Seconds(0.5));
      Add_Drop(s, 160.0f * tune, 48.0f * tune, 0.035f, 0.22f, 1.0f, p);
      Add_Noise(s, rng, 3000.0f, 0.7f, false, 0.0f, 0.004f, 0.5f, p);
      return s;
    }
    case Instrument::Snare: {
      Stereo s(Seconds(0.4));
      Add_Drop(s, 260.0f * tune, 180.0f * tune, 0.02f, 0.06f, 0.5f, p);
      Add_Noise(s, rng, 1800.0f * tune, 0.7f, true, 0.0f, 0.12f, 0.8f, p);
      return s;
    }
    case Instrument::HatClosed: {
      Stereo s(Seconds(0.15));
      Add_Metal(s, 1.6f * tune, 0.03f, 1.0f, p);
      Add_Noise(s, rng, 8000.0f, 0.7f, true, 0.0f, 0.025f, 0.4f, p);
      return s;
    }
    case Instrument::HatOpen: {
      Stereo s(Seconds(0.8));
      Add_Metal(s, 1.6f * tune, 0.22f, 1.0f, p);
      Add_Noise(s, rng, 8000.0f, 0.7f, true, 0.0f, 0.2f, 0.4f, p);
      return s;
    }
    case Instrument::Clap: {
      Stereo s(Seconds(0.4));
      Add_Noise(s, rng, 1200.0f * tune, 1.2f, false, 0.0f, 0.1f, 1.4f, p - 0.1f, 3);
      Add_Noise(s, rng, 1300.0f * tune, 1.2f, false, 0.0f, 0.1f, 1.4f, p + 0.1f, 3);
      return s;
    }
    case Instrument::Tom: {
      Stereo s(Seconds(0.6));
      float f = Midi_To_Hz(static_cast<float>(note));
      Add_Drop(s, f * 1.6f, f, 0.05f, 0.22f, 1.0f, p);
      Add_Noise(s, rng, 900.0f, 0.8f, false, 0.0f, 0.03f, 0.3f, p);
      return s;
    }
    case Instrument::Cymbal: {
      Stereo s(Seconds(2.4));
      Add_Metal(s, 1.2f * tune, 0.9f, 0.7f, p - 0.3f);
      Add_Metal(s, 1.27f * tune, 0.8f, 0.7f, p + 0.3f);
      Add_Noise(s, rng, 6000.0f, 0.7f, true, 0.001f, 0.7f, 0.5f, p);
      return s;
    }
    case Instrument::Shaker: {
      Stereo s(Seconds(0.12));
      Add_Noise(s, rng, 7000.0f * tune, 1.0f, false, 0.008f, 0.025f, 1.0f, p);
      return s;
    }
    case Instrument::Rim: {
      Stereo s(Seconds(0.1));
      Add_Drop(s, 1700.0f * tune, 800.0f * tune, 0.005f, 0.012f, 0.8f, p);
      Add_Noise(s, rng, 2500.0f, 1.5f, false, 0.0f, 0.008f, 0.5f, p);
      return s;
    }
    case Instrument::Synth: break;
  }
  return Stereo();
}

}  // namespace

size_t Render_Voice(const Instrument& in, int note, size_t hold, uint32_t seed, Stereo& out) {
  if (in.kind == Instrument::Synth) return Render_Synth(in, note, std::max<size_t>(hold, 1), seed, out);
  Stereo drum = Render_Drum(in, note, seed);
  if (out.frames() < drum.frames()) out.resize(drum.frames());
  std::copy(drum.l.begin(), drum.l.end(), out.l.begin());
  std::copy(drum.r.begin(), drum.r.end(), out.r.begin());
  return drum.frames();
}

}  // namespace sfx
