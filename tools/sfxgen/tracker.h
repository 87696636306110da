#pragma once
// A small tracker: instruments, patterns of rows and channels, an order list, and a
// renderer that plays them through the synth voices, an echo and a reverb.
#include <string>
#include <vector>

#include "dsp.h"

namespace sfx {

struct Instrument {
  enum Kind { Synth, Kick, Snare, HatClosed, HatOpen, Clap, Tom, Cymbal, Shaker, Rim };
  Kind kind = Synth;
  Wave wave1 = Wave::Saw, wave2 = Wave::Saw;
  float mix2 = 0.0f;        // level of the second oscillator
  float detune = 0.0f;      // cents of the second oscillator
  int octave2 = 0;          // octave offset of the second oscillator
  float sub = 0.0f;         // sine one octave down
  float noise = 0.0f;       // white noise level
  int unison = 1;           // stacked copies of oscillator 1, spread in pitch and stereo
  float spread = 0.0f;      // cents between unison copies
  Adsr amp;
  float cutoff = 8000.0f;   // filter base, Hz at middle C
  float resonance = 0.7f;
  float env_mod = 0.0f;     // filter envelope depth in octaves
  float filter_decay = 0.3f;
  float key_track = 0.5f;   // how far the cutoff follows the pitch (1 = fully)
  float vibrato = 0.0f;     // depth in semitones
  float vibrato_rate = 5.5f;
  float vibrato_delay = 0.25f;
  float fm_ratio = 0.0f;    // > 0: a sine carrier phase-modulated at this ratio replaces the oscillators
  float fm_index = 0.0f;
  float fm_decay = 0.5f;
  float drive = 0.0f;       // tanh saturation
  float gain = 0.3f;
  float pan = 0.0f;
  float reverb = 0.15f;     // send levels
  float echo = 0.0f;
  bool ducked = false;      // follows the kick's side-chain pumping
};

struct Cell {
  static constexpr int kEmpty = 0, kOff = -1;
  int note = kEmpty;        // MIDI note, kEmpty or kOff
  int inst = 0;
  float vol = 1.0f;
};

struct Pattern {
  int rows = 0, channels = 0;
  std::vector<Cell> cells;
  Pattern() = default;
  Pattern(int rows_, int channels_) : rows(rows_), channels(channels_), cells(rows_ * channels_) {}
  Cell& at(int row, int ch) { return cells[row * channels + ch]; }
  const Cell& at(int row, int ch) const { return cells[row * channels + ch]; }
  void set(int row, int ch, int note, int inst, float vol = 1.0f) {
    if (row >= 0 && row < rows && ch >= 0 && ch < channels) at(row, ch) = Cell{note, inst, vol};
  }
};

struct Song {
  std::string title;
  float bpm = 120.0f;
  int rows_per_beat = 4;
  float swing = 0.0f;         // delay of every second row, as a share of a row
  std::vector<Instrument> instruments;
  std::vector<Pattern> patterns;
  std::vector<int> order;
  bool loop = true;           // fold the tails onto the start so the piece repeats seamlessly
  float reverb_room = 0.6f;
  float reverb_wet = 1.0f;
  int echo_rows = 3;          // echo time in rows
  float echo_feedback = 0.35f;
  float duck = 0.0f;          // side-chain depth driven by instruments of kind Kick
  double tail_seconds = 4.0;  // rendered beyond the last row

  double row_seconds() const { return 60.0 / (bpm * rows_per_beat); }
  size_t total_rows() const;
};

// Renders the song to stereo at full scale (not yet mastered).
Stereo Render(const Song& song);

}  // namespace sfx
