#include "dsp.h"

#include <algorithm>

namespace sfx {

void Stereo::mix(const Stereo& other, size_t offset, float gain) {
  if (offset + other.frames() > frames()) resize(offset + other.frames());
  for (size_t i = 0; i < other.frames(); ++i) {
    l[offset + i] += other.l[i] * gain;
    r[offset + i] += other.r[i] * gain;
  }
}

namespace {

// Residual that removes the aliasing step of a naive saw or pulse edge.
float Poly_Blep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0f;
  }
  if (t > 1.0f - dt) {
    t = (t - 1.0f) / dt;
    return t * t + t + t + 1.0f;
  }
  return 0.0f;
}

}  // namespace

float Osc::tick(Wave w, float hz, Rng* noise) {
  float dt = std::min(hz / kRate, 0.49f);
  float t = phase_;
  float out = 0.0f;
  switch (w) {
    case Wave::Sine: out = std::sin(kTwoPi * t); break;
    case Wave::Triangle: out = 4.0f * std::fabs(t - 0.5f) - 1.0f; break;
    case Wave::Saw: out = 2.0f * t - 1.0f - Poly_Blep(t, dt); break;
    case Wave::Square:
    case Wave::Pulse25: {
      float width = w == Wave::Square ? 0.5f : 0.25f;
      out = t < width ? 1.0f : -1.0f;
      out += Poly_Blep(t, dt);
      float t2 = t - width;
      if (t2 < 0.0f) t2 += 1.0f;
      out -= Poly_Blep(t2, dt);
      out += 1.0f - 2.0f * width;  // no DC offset
      break;
    }
    case Wave::Noise: out = noise ? noise->bipolar() : 0.0f; break;
  }
  phase_ += dt;
  if (phase_ >= 1.0f) phase_ -= 1.0f;
  return out;
}

AdsrState::AdsrState(const Adsr& a)
    : a_(a),
      attack_step_(a.attack > 0.0f ? 1.0f / (a.attack * kRate) : 1.0f),
      decay_coef_(std::exp(-4.0f / (std::max(a.decay, 1e-4f) * kRate))),
      release_coef_(std::exp(-5.0f / (std::max(a.release, 1e-4f) * kRate))) {}

float AdsrState::tick() {
  switch (stage_) {
    case 0:
      level_ += attack_step_;
      if (level_ >= 1.0f) { level_ = 1.0f; stage_ = 1; }
      break;
    case 1:
      level_ = a_.sustain + (level_ - a_.sustain) * decay_coef_;
      break;
    default:
      level_ *= release_coef_;
      break;
  }
  return level_;
}

void Svf::set(float hz, float q) {
  hz = std::clamp(hz, 10.0f, 0.45f * kRate);
  g_ = std::tan(kPi * hz / kRate);
  k_ = 1.0f / std::max(q, 0.05f);
  a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

void Svf::step(float x) {
  float v3 = x - ic2_;
  float v1 = a1_ * ic1_ + a2_ * v3;
  float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0f * v1 - ic1_;
  ic2_ = 2.0f * v2 - ic2_;
  lp_ = v2;
  bp_ = v1;
  hp_ = x - k_ * v1 - v2;
}

Reverb::Reverb(float room, float damp, float width)
    : feedback_(room * 0.28f + 0.7f), damp_(damp * 0.4f), width_(width) {
  static const int comb_len[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int pass_len[4] = {556, 441, 341, 225};
  for (int c = 0; c < 2; ++c) {
    int spread = c * 23;
    for (int i = 0; i < 8; ++i) combs_[c][i].buf.assign(comb_len[i] + spread, 0.0f);
    for (int i = 0; i < 4; ++i) passes_[c][i].buf.assign(pass_len[i] + spread, 0.0f);
  }
}

void Reverb::process(const Stereo& in, Stereo& out, float wet) {
  if (out.frames() < in.frames()) out.resize(in.frames());
  float wet1 = wet * (width_ * 0.5f + 0.5f);
  float wet2 = wet * ((1.0f - width_) * 0.5f);
  for (size_t n = 0; n < in.frames(); ++n) {
    float input = (in.l[n] + in.r[n]) * 0.015f;
    float acc[2] = {0.0f, 0.0f};
    for (int c = 0; c < 2; ++c) {
      for (Comb& comb : combs_[c]) {
        float y = comb.buf[comb.pos];
        comb.store = y * (1.0f - damp_) + comb.store * damp_;
        comb.buf[comb.pos] = input + comb.store * feedback_;
        if (++comb.pos == comb.buf.size()) comb.pos = 0;
        acc[c] += y;
      }
      for (AllPass& pass : passes_[c]) {
        float b = pass.buf[pass.pos];
        pass.buf[pass.pos] = acc[c] + b * 0.5f;
        if (++pass.pos == pass.buf.size()) pass.pos = 0;
        acc[c] = b - acc[c];
      }
    }
    out.l[n] += acc[0] * wet1 + acc[1] * wet2;
    out.r[n] += acc[1] * wet1 + acc[0] * wet2;
  }
}

void Ping_Pong_Delay(Stereo& s, size_t delay_frames, float feedback) {
  if (delay_frames == 0) return;
  std::vector<float> bl(delay_frames, 0.0f), br(delay_frames, 0.0f);
  OnePole tone;
  tone.set(3500.0f);
  size_t pos = 0;
  for (size_t n = 0; n < s.frames(); ++n) {
    float yl = bl[pos], yr = br[pos];
    float mono = 0.5f * (s.l[n] + s.r[n]);
    bl[pos] = mono + tone.low(yr) * feedback;
    br[pos] = yl;
    if (++pos == delay_frames) pos = 0;
    s.l[n] = yl;
    s.r[n] = yr;
  }
}

void Fold_Loop(Stereo& buf, size_t loop_frames) {
  if (buf.frames() <= loop_frames) {
    buf.resize(loop_frames);
    return;
  }
  for (size_t i = loop_frames; i < buf.frames(); ++i) {
    size_t j = (i - loop_frames) % loop_frames;
    buf.l[j] += buf.l[i];
    buf.r[j] += buf.r[i];
  }
  buf.l.resize(loop_frames);
  buf.r.resize(loop_frames);
}

void Remove_Dc(Stereo& s, bool loop) {
  for (std::vector<float>* ch : {&s.l, &s.r}) {
    OnePole dc;
    dc.set(12.0f);
    if (loop) {
      Circular_Filter(*ch, [&](float x) { return dc.high(x); });
    } else {
      for (float& v : *ch) v = dc.high(v);
    }
  }
}

float Peak(const Stereo& s) {
  float p = 0.0f;
  for (size_t i = 0; i < s.frames(); ++i) p = std::max({p, std::fabs(s.l[i]), std::fabs(s.r[i])});
  return p;
}

float Rms(const Stereo& s) {
  double sum = 0.0;
  for (size_t i = 0; i < s.frames(); ++i) sum += double(s.l[i]) * s.l[i] + double(s.r[i]) * s.r[i];
  return s.frames() ? static_cast<float>(std::sqrt(sum / (2.0 * s.frames()))) : 0.0f;
}

namespace {

float Soft_Knee(float x, float knee, float ceiling) {
  float a = std::fabs(x);
  if (a <= knee) return x;
  float room = ceiling - knee;
  float y = knee + room * std::tanh((a - knee) / room);
  return x < 0.0f ? -y : y;
}

}  // namespace

void Master(Stereo& s, float target_rms, float knee, float ceiling) {
  float rms = Rms(s);
  float gain = rms > 1e-9f ? target_rms / rms : 1.0f;
  for (size_t i = 0; i < s.frames(); ++i) {
    s.l[i] = Soft_Knee(s.l[i] * gain, knee, ceiling);
    s.r[i] = Soft_Knee(s.r[i] * gain, knee, ceiling);
  }
}

void Normalize_Peak(Stereo& s, float peak) {
  float p = Peak(s);
  if (p < 1e-9f) return;
  float g = peak / p;
  for (size_t i = 0; i < s.frames(); ++i) {
    s.l[i] *= g;
    s.r[i] *= g;
  }
}

void Trim_Tail(Stereo& s, float threshold, size_t min_frames) {
  size_t last = 0;
  for (size_t i = 0; i < s.frames(); ++i)
    if (std::fabs(s.l[i]) > threshold || std::fabs(s.r[i]) > threshold) last = i;
  size_t fade = Seconds(0.02);
  size_t end = std::min(s.frames(), std::max(min_frames, last + fade));
  s.resize(end);
  for (size_t k = 0; k < fade && k < end; ++k) {
    float g = static_cast<float>(k) / fade;
    s.l[end - 1 - k] *= g;
    s.r[end - 1 - k] *= g;
  }
}

}  // namespace sfx
