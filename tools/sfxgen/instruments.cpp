// Instrument presets: leads, chord and pad sounds, basses and drum kits.
#include "composer.h"

namespace sfx {

Instrument Lead_Instrument(Lead lead) {
  Instrument in;
  in.gain = 0.22f;
  in.reverb = 0.25f;
  in.echo = 0.25f;
  in.vibrato = 0.15f;
  switch (lead) {
    case Lead::Saw:
      in.wave1 = Wave::Saw; in.mix2 = 0.6f; in.wave2 = Wave::Saw; in.detune = 9.0f;
      in.amp = {0.005f, 0.3f, 0.75f, 0.12f};
      in.cutoff = 2400.0f; in.env_mod = 1.5f; in.filter_decay = 0.2f; in.resonance = 1.1f;
      break;
    case Lead::Square:
      in.wave1 = Wave::Square; in.amp = {0.002f, 0.15f, 0.6f, 0.06f};
      in.cutoff = 6000.0f; in.vibrato = 0.25f; in.vibrato_rate = 6.5f; in.vibrato_delay = 0.15f;
      in.gain = 0.17f;
      break;
    case Lead::Pulse:
      in.wave1 = Wave::Pulse25; in.mix2 = 0.4f; in.wave2 = Wave::Square; in.octave2 = -1;
      in.amp = {0.003f, 0.2f, 0.6f, 0.08f}; in.cutoff = 4000.0f; in.env_mod = 0.8f;
      in.gain = 0.17f;
      break;
    case Lead::Bell:
      in.fm_ratio = 3.5f; in.fm_index = 2.2f; in.fm_decay = 0.25f;
      in.amp = {0.001f, 0.6f, 0.25f, 0.5f}; in.vibrato = 0.0f; in.gain = 0.26f;
      in.reverb = 0.35f;
      break;
    case Lead::Pluck:
      in.wave1 = Wave::Saw; in.mix2 = 0.5f; in.wave2 = Wave::Square; in.detune = 5.0f;
      in.amp = {0.001f, 0.35f, 0.0f, 0.2f}; in.cutoff = 900.0f; in.env_mod = 3.0f;
      in.filter_decay = 0.12f; in.vibrato = 0.0f; in.gain = 0.36f;
      break;
    case Lead::Brass:
      in.wave1 = Wave::Saw; in.unison = 3; in.spread = 12.0f;
      in.amp = {0.04f, 0.4f, 0.8f, 0.18f}; in.cutoff = 1200.0f; in.env_mod = 1.6f;
      in.filter_decay = 0.25f; in.vibrato = 0.12f; in.gain = 0.24f;
      break;
    case Lead::Flute:
      in.wave1 = Wave::Triangle; in.mix2 = 0.3f; in.wave2 = Wave::Sine; in.octave2 = 1;
      in.noise = 0.06f; in.amp = {0.04f, 0.3f, 0.8f, 0.15f}; in.cutoff = 5000.0f;
      in.vibrato = 0.2f; in.vibrato_rate = 5.0f; in.gain = 0.3f;
      break;
    case Lead::Accordion:
      in.wave1 = Wave::Square; in.mix2 = 0.7f; in.wave2 = Wave::Saw; in.detune = 14.0f;
      in.amp = {0.02f, 0.2f, 0.85f, 0.08f}; in.cutoff = 2500.0f; in.resonance = 0.9f;
      in.vibrato = 0.08f; in.vibrato_rate = 7.0f; in.vibrato_delay = 0.05f; in.gain = 0.17f;
      break;
    case Lead::Steel:
      in.fm_ratio = 1.5f; in.fm_index = 1.6f; in.fm_decay = 0.12f;
      in.amp = {0.001f, 0.35f, 0.15f, 0.25f}; in.vibrato = 0.0f; in.gain = 0.3f;
      break;
    case Lead::Whistle:
      in.wave1 = Wave::Sine; in.mix2 = 0.15f; in.wave2 = Wave::Triangle; in.octave2 = 1;
      in.amp = {0.02f, 0.2f, 0.9f, 0.12f}; in.vibrato = 0.3f; in.vibrato_rate = 5.8f;
      in.gain = 0.22f;
      break;
    case Lead::Sync:
      in.wave1 = Wave::Saw; in.mix2 = 0.8f; in.wave2 = Wave::Pulse25; in.octave2 = 1; in.detune = 4.0f;
      in.amp = {0.004f, 0.25f, 0.7f, 0.1f}; in.cutoff = 1800.0f; in.env_mod = 2.2f;
      in.filter_decay = 0.15f; in.resonance = 1.8f; in.drive = 0.3f; in.gain = 0.18f;
      break;
  }
  return in;
}

Instrument Keys_Instrument(Keys keys) {
  Instrument in;
  in.gain = 0.1f;
  in.reverb = 0.3f;
  in.ducked = true;
  switch (keys) {
    case Keys::Strings:
      in.wave1 = Wave::Saw; in.unison = 5; in.spread = 18.0f;
      in.amp = {0.35f, 1.0f, 0.85f, 0.6f}; in.cutoff = 1800.0f; in.key_track = 0.3f;
      in.reverb = 0.45f; in.gain = 0.09f;
      break;
    case Keys::Warm:
      in.wave1 = Wave::Triangle; in.mix2 = 0.5f; in.wave2 = Wave::Saw; in.detune = 7.0f;
      in.unison = 2; in.spread = 10.0f;
      in.amp = {0.25f, 1.0f, 0.9f, 0.7f}; in.cutoff = 900.0f; in.key_track = 0.3f;
      in.reverb = 0.5f; in.gain = 0.12f;
      break;
    case Keys::Organ:
      in.wave1 = Wave::Sine; in.mix2 = 0.6f; in.wave2 = Wave::Sine; in.octave2 = 1;
      in.sub = 0.5f; in.amp = {0.01f, 0.2f, 0.95f, 0.08f}; in.vibrato = 0.05f; in.vibrato_rate = 6.5f;
      in.vibrato_delay = 0.0f; in.gain = 0.11f;
      break;
    case Keys::EPiano:
      in.fm_ratio = 1.0f; in.fm_index = 1.3f; in.fm_decay = 0.35f;
      in.amp = {0.002f, 1.2f, 0.3f, 0.35f}; in.gain = 0.15f; in.reverb = 0.35f;
      break;
    case Keys::Clav:
      in.wave1 = Wave::Pulse25; in.amp = {0.001f, 0.18f, 0.2f, 0.05f}; in.cutoff = 1200.0f;
      in.env_mod = 2.0f; in.filter_decay = 0.08f; in.resonance = 1.6f; in.gain = 0.12f;
      break;
    case Keys::Guitar:
      in.wave1 = Wave::Saw; in.mix2 = 0.4f; in.wave2 = Wave::Saw; in.detune = 6.0f;
      in.amp = {0.001f, 0.5f, 0.15f, 0.15f}; in.cutoff = 1100.0f; in.env_mod = 1.8f;
      in.filter_decay = 0.1f; in.gain = 0.13f;
      break;
    case Keys::Brass:
      in.wave1 = Wave::Saw; in.unison = 3; in.spread = 10.0f;
      in.amp = {0.05f, 0.5f, 0.75f, 0.2f}; in.cutoff = 900.0f; in.env_mod = 1.5f;
      in.filter_decay = 0.3f; in.gain = 0.11f;
      break;
    case Keys::Choir:
      in.wave1 = Wave::Pulse25; in.mix2 = 0.6f; in.wave2 = Wave::Triangle; in.detune = 8.0f;
      in.unison = 3; in.spread = 14.0f;
      in.amp = {0.5f, 1.0f, 0.85f, 0.8f}; in.cutoff = 1300.0f; in.resonance = 1.3f;
      in.vibrato = 0.06f; in.vibrato_rate = 4.5f; in.reverb = 0.55f; in.gain = 0.05f;
      break;
    case Keys::Chip:
      in.wave1 = Wave::Square; in.amp = {0.001f, 0.12f, 0.5f, 0.04f}; in.cutoff = 5000.0f;
      in.gain = 0.07f;
      break;
  }
  return in;
}

Instrument Bass_Instrument(Bass bass) {
  Instrument in;
  in.gain = 0.3f;
  in.reverb = 0.03f;
  in.key_track = 0.2f;
  in.ducked = true;
  switch (bass) {
    case Bass::Saw:
      in.wave1 = Wave::Saw; in.sub = 0.6f; in.amp = {0.003f, 0.25f, 0.65f, 0.06f};
      in.cutoff = 350.0f; in.env_mod = 2.0f; in.filter_decay = 0.12f; in.resonance = 1.2f;
      break;
    case Bass::Chip:
      in.wave1 = Wave::Triangle; in.amp = {0.001f, 0.1f, 0.9f, 0.03f}; in.cutoff = 4000.0f;
      in.gain = 0.4f;
      break;
    case Bass::Fat:
      in.wave1 = Wave::Square; in.mix2 = 0.8f; in.wave2 = Wave::Saw; in.detune = 10.0f; in.sub = 0.5f;
      in.amp = {0.002f, 0.2f, 0.7f, 0.05f}; in.cutoff = 300.0f; in.env_mod = 2.5f;
      in.filter_decay = 0.1f; in.drive = 0.4f; in.gain = 0.3f;
      break;
    case Bass::Sub:
      in.wave1 = Wave::Sine; in.mix2 = 0.25f; in.wave2 = Wave::Saw; in.amp = {0.005f, 0.4f, 0.8f, 0.1f};
      in.cutoff = 500.0f; in.gain = 0.34f;
      break;
    case Bass::Pluck:
      in.wave1 = Wave::Saw; in.mix2 = 0.5f; in.wave2 = Wave::Square; in.sub = 0.4f;
      in.amp = {0.001f, 0.3f, 0.25f, 0.08f}; in.cutoff = 250.0f; in.env_mod = 3.0f;
      in.filter_decay = 0.09f;
      break;
    case Bass::Tuba:
      in.wave1 = Wave::Saw; in.mix2 = 0.5f; in.wave2 = Wave::Triangle; in.sub = 0.3f;
      in.amp = {0.03f, 0.2f, 0.7f, 0.08f}; in.cutoff = 500.0f; in.env_mod = 1.0f;
      in.filter_decay = 0.15f; in.gain = 0.32f;
      break;
  }
  return in;
}

// Kit order: kick, snare, clap, closed hat, open hat, shaker, tom, cymbal, rim.
std::vector<Instrument> Drum_Kit(Groove groove) {
  auto drum = [](Instrument::Kind kind, float gain, float pan, float reverb) {
    Instrument in;
    in.kind = kind;
    in.gain = gain;
    in.pan = pan;
    in.reverb = reverb;
    return in;
  };
  std::vector<Instrument> kit = {
      drum(Instrument::Kick, 0.6f, 0.0f, 0.02f),     drum(Instrument::Snare, 0.4f, 0.05f, 0.2f),
      drum(Instrument::Clap, 0.3f, -0.05f, 0.25f),    drum(Instrument::HatClosed, 0.16f, 0.3f, 0.05f),
      drum(Instrument::HatOpen, 0.12f, 0.3f, 0.1f),   drum(Instrument::Shaker, 0.12f, -0.35f, 0.05f),
      drum(Instrument::Tom, 0.45f, -0.2f, 0.2f),      drum(Instrument::Cymbal, 0.14f, 0.0f, 0.2f),
      drum(Instrument::Rim, 0.25f, -0.25f, 0.15f)};
  if (groove == Groove::March) {
    kit[0].gain = 0.6f;
    kit[6].gain = 0.55f;
    kit[6].reverb = 0.4f;
  }
  if (groove == Groove::Half) kit[1].reverb = 0.35f;
  return kit;
}

}  // namespace sfx
