#include "tracker.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "voices.h"

namespace sfx {

size_t Song::total_rows() const {
  size_t rows = 0;
  for (int p : order) rows += static_cast<size_t>(patterns[p].rows);
  return rows;
}

namespace {

struct Event {
  size_t start = 0, hold = 0;
  int note = 0, inst = 0;
  float vol = 1.0f;
};

size_t Row_Frame(const Song& song, size_t row) {
  double t = row * song.row_seconds();
  if (row % 2 == 1) t += song.swing * song.row_seconds();
  return static_cast<size_t>(t * kRate + 0.5);
}

// Turns the order list into note events: a note lasts until the next cell of its channel.
std::vector<Event> Collect_Events(const Song& song, size_t loop_frames) {
  std::vector<Event> events;
  int channels = 0;
  for (const Pattern& p : song.patterns) channels = std::max(channels, p.channels);
  std::vector<Event> active(channels);
  std::vector<bool> open(channels, false);
  size_t row = 0;
  auto close = [&](int ch, size_t frame) {
    if (!open[ch]) return;
    active[ch].hold = frame > active[ch].start ? frame - active[ch].start : 1;
    events.push_back(active[ch]);
    open[ch] = false;
  };
  for (int index : song.order) {
    const Pattern& p = song.patterns[index];
    for (int r = 0; r < p.rows; ++r, ++row) {
      size_t frame = Row_Frame(song, row);
      for (int ch = 0; ch < p.channels; ++ch) {
        const Cell& c = p.at(r, ch);
        if (c.note == Cell::kEmpty) continue;
        close(ch, frame);
        if (c.note > 0) {
          active[ch] = Event{frame, 0, c.note, c.inst, c.vol};
          open[ch] = true;
        }
      }
    }
  }
  // Notes still sounding at the end: in a loop they ring on into the next time round,
  // up to the first cell of their channel.
  for (int ch = 0; ch < channels; ++ch) {
    size_t end = loop_frames;
    if (song.loop && open[ch]) {
      size_t first = Row_Frame(song, row);  // none: one whole turn at most
      size_t r0 = 0;
      bool found = false;
      for (int index : song.order) {
        const Pattern& p = song.patterns[index];
        for (int r = 0; r < p.rows && !found; ++r, ++r0)
          if (ch < p.channels && p.at(r, ch).note != Cell::kEmpty) { first = Row_Frame(song, r0); found = true; }
        if (found) break;
      }
      end = loop_frames + first;
    }
    close(ch, end);
  }
  return events;
}

// Adds a voice at `offset`, optionally shaped by a gain curve over the whole song.
void Add_Voice(Stereo& bus, const Stereo& voice, size_t len, size_t offset, float gain,
               const std::vector<float>* curve = nullptr) {
  size_t n = std::min(len, bus.frames() > offset ? bus.frames() - offset : 0);
  float* l = bus.l.data() + offset;
  float* r = bus.r.data() + offset;
  if (curve) {
    const float* c = curve->data() + offset;
    for (size_t i = 0; i < n; ++i) {
      l[i] += voice.l[i] * gain * c[i];
      r[i] += voice.r[i] * gain * c[i];
    }
  } else {
    for (size_t i = 0; i < n; ++i) {
      l[i] += voice.l[i] * gain;
      r[i] += voice.r[i] * gain;
    }
  }
}

// Side-chain curve: the ducked instruments dip after every kick and recover.
std::vector<float> Duck_Curve(const Song& song, const std::vector<Event>& events, size_t frames,
                              size_t loop_frames) {
  std::vector<size_t> kicks;
  for (const Event& e : events) {
    if (song.instruments[e.inst].kind != Instrument::Kick) continue;
    kicks.push_back(e.start);
    // The kicks of the following turns, as far as the tails reach.
    for (size_t at = e.start + loop_frames; song.loop && at < frames; at += loop_frames) kicks.push_back(at);
  }
  std::vector<float> curve(frames, 1.0f);
  if (kicks.empty()) return curve;
  std::sort(kicks.begin(), kicks.end());
  const float release = 0.18f * kRate;
  size_t k = 0;
  for (size_t i = 0; i < frames; ++i) {
    while (k + 1 < kicks.size() && kicks[k + 1] <= i) ++k;
    if (kicks[k] > i) continue;
    float d = static_cast<float>(i - kicks[k]);
    float attack = std::min(1.0f, d / (0.004f * kRate));
    curve[i] = 1.0f - song.duck * attack * std::exp(-d / release * 3.0f);
  }
  return curve;
}

}  // namespace

Stereo Render(const Song& song) {
  const size_t loop_frames = static_cast<size_t>(song.total_rows() * song.row_seconds() * kRate + 0.5);
  std::vector<Event> events = Collect_Events(song, loop_frames);
  size_t last_end = loop_frames;
  for (const Event& e : events) last_end = std::max(last_end, e.start + e.hold);
  double tail = song.tail_seconds;
  if (song.echo_rows > 0 && song.echo_feedback > 0.0f && song.echo_feedback < 1.0f) {
    // Long enough for the echoes to fall by 80 dB (one round trip is two echo times).
    double round_trip = 2.0 * song.echo_rows * song.row_seconds();
    tail = std::max(tail, round_trip * std::log(1e-4) / std::log(double(song.echo_feedback)));
  }
  const size_t frames = last_end + Seconds(tail);
  std::vector<float> duck;
  if (song.duck > 0.0f) duck = Duck_Curve(song, events, frames, loop_frames);

  Stereo out(frames), reverb_send(frames), echo_send(frames);
  // Short notes repeat often (drums, bass, stabs): identical ones are rendered once.
  const size_t cache_limit = Seconds(0.8);
  std::map<std::tuple<int, int, size_t>, Stereo> cache;
  Stereo scratch;
  for (const Event& e : events) {
    const Instrument& in = song.instruments[e.inst];
    size_t hold = in.kind == Instrument::Synth ? e.hold : 0;
    auto key = std::make_tuple(e.inst, e.note, hold);
    auto it = cache.find(key);
    const Stereo* voice = nullptr;
    size_t len = 0;
    if (it != cache.end()) {
      voice = &it->second;
      len = voice->frames();
    } else {
      uint32_t seed = static_cast<uint32_t>(e.inst * 131 + e.note * 7);
      len = Render_Voice(in, e.note, hold, seed, scratch);
      voice = &scratch;
      if (len <= cache_limit || in.kind != Instrument::Synth) {
        Stereo copy;
        copy.l.assign(scratch.l.begin(), scratch.l.begin() + len);
        copy.r.assign(scratch.r.begin(), scratch.r.begin() + len);
        voice = &cache.emplace(key, std::move(copy)).first->second;
      }
    }
    float g = e.vol * in.gain;
    Add_Voice(out, *voice, len, e.start, g, in.ducked && !duck.empty() ? &duck : nullptr);
    if (in.reverb > 0.0f) Add_Voice(reverb_send, *voice, len, e.start, g * in.reverb);
    if (in.echo > 0.0f) Add_Voice(echo_send, *voice, len, e.start, g * in.echo);
  }

  if (song.echo_rows > 0) {
    size_t delay = static_cast<size_t>(song.echo_rows * song.row_seconds() * kRate + 0.5);
    Ping_Pong_Delay(echo_send, delay, song.echo_feedback);
    out.mix(echo_send, 0, 0.8f);
    reverb_send.mix(echo_send, 0, 0.3f);
  }
  echo_send = Stereo();
  Reverb reverb(song.reverb_room, 0.45f, 1.0f);
  reverb.process(reverb_send, out, song.reverb_wet);

  if (song.loop) Fold_Loop(out, loop_frames);
  return out;
}

}  // namespace sfx
