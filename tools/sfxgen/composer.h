#pragma once
// Turns a short description of a piece (key, chords, form, grooves, sounds, a melody seed)
// into tracker patterns: drums, bass line, chords, pad, arpeggio and a lead melody.
#include <cstdint>
#include <string>
#include <vector>

#include "tracker.h"

namespace sfx {

enum class Scale { Major, Minor, Dorian, Mixolydian, HarmonicMinor, PhrygianDominant, Lydian };
enum class Groove { None, Four, Rock, Break, Half, Latin, Polka, March, Shuffle };
enum class BassLine { Root8, Octave, Offbeat, Gallop, Walk, Long, Latin, OomPah, Sixteenth };
enum class Comp { Pad, Stabs, Pulse, Strum, Skank, Funk, OomPah };
enum class Arp { None, Up, UpDown, Alberti, Broken };

// Sound presets, filled in by instruments.cpp.
enum class Lead { Saw, Square, Pulse, Bell, Pluck, Brass, Flute, Accordion, Steel, Whistle, Sync };
enum class Keys { Strings, Warm, Organ, EPiano, Clav, Guitar, Brass, Choir, Chip };
enum class Bass { Saw, Chip, Fat, Sub, Pluck, Tuba };

struct Style {
  std::string file;           // name below SFX/
  std::string title;
  uint32_t seed = 1;          // melody and variation seed
  uint32_t theme_seed = 0;    // when set, the chorus melody comes from this seed instead
  float bpm = 120.0f;
  int root = 57;              // MIDI note of the key's tonic (octave of the bass is chosen from it)
  Scale scale = Scale::Minor;
  std::vector<std::string> verse;   // chord symbols, one per bar ("i", "bVI", "IV7", "V/2" = two beats)
  std::vector<std::string> chorus;
  std::vector<std::string> bridge;  // breakdown chords; the verse's when empty
  std::string form = "IABABO";      // I intro, A verse, B chorus, C breakdown, K chorus a tone up,
                                    // O outro, E final chord (pieces that do not loop)
  Groove groove = Groove::Four;
  BassLine bass_line = BassLine::Root8;
  Comp comp = Comp::Pad;
  Arp arp = Arp::None;
  bool arp_eighths = false;
  Lead lead = Lead::Saw;
  Lead lead2 = Lead::Bell;    // chorus harmony / breakdown lead
  Keys keys = Keys::Strings;
  Keys pad = Keys::Warm;
  Bass bass = Bass::Saw;
  int lead_octave = 5;        // octave of the melody's centre (5 = C5..B5)
  float density = 0.6f;       // how busy the melody is, 0..1
  float swing = 0.0f;
  float duck = 0.0f;
  bool harmony = true;        // second lead a third below in the chorus
  bool loop = true;
  float echo = 0.25f;         // lead echo send
  float reverb = 0.6f;        // room size
};

// Instrument slots of every composed song: the drum kit (in Drum_Kit's order), then the rest.
enum Slot {
  kKick, kSnare, kClap, kHat, kOpenHat, kShaker, kTom, kCymbal, kRim,
  kBass, kKeys, kPad, kArp, kLead, kLead2
};

Song Compose(const Style& style);

// A chord as semitones above the key's tonic, parsed from a Roman numeral with an optional
// flat or sharp and suffix: "bVII", "iv7", "Imaj7", "V7", "IVsus4", "viidim", "Iadd9", "vi6".
// Upper case is major, lower case minor. Throws std::runtime_error for anything else.
struct Chord {
  int root = 0;
  std::vector<int> intervals;
};
Chord Parse_Chord(const std::string& symbol);

// Instrument presets.
Instrument Lead_Instrument(Lead lead);
Instrument Keys_Instrument(Keys keys);
Instrument Bass_Instrument(Bass bass);
std::vector<Instrument> Drum_Kit(Groove groove);

// The pieces of music: file name and description, in a fixed order.
const std::vector<Style>& Music_Styles();

}  // namespace sfx
