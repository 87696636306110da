#include "composer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace sfx {

namespace {

constexpr int kRowsPerBar = 16;

// Channels of every composed pattern.
enum Channel {
  kChKick, kChSnare, kChHat, kChHat2, kChPerc, kChCymbal, kChBass,
  kChChord0, kChArp = kChChord0 + 4, kChLead, kChLead2, kChPad0, kChannels = kChPad0 + 4
};
// Instrument slots of every composed song (the drum kit first, in Drum_Kit's order).
enum Slot {
  kKick, kSnare, kClap, kHat, kOpenHat, kShaker, kTom, kCymbal, kRim,
  kBass, kKeys, kPad, kArpInst, kLeadInst, kLead2Inst
};

struct Chord {
  int root = 0;               // semitones above the key's tonic
  std::vector<int> intervals;
};

// "bVII", "iv7", "Imaj7", "V7", "ii", "IVsus4", "viidim", "Iadd9", "vi6".
Chord Parse_Chord(const std::string& symbol) {
  size_t i = 0;
  int shift = 0;
  if (i < symbol.size() && (symbol[i] == 'b' || symbol[i] == '#')) shift = symbol[i++] == 'b' ? -1 : 1;
  size_t start = i;
  while (i < symbol.size() && std::strchr("IViv", symbol[i])) ++i;
  std::string numeral = symbol.substr(start, i - start);
  std::string suffix = symbol.substr(i);
  std::string upper = numeral;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const char* names[] = {"I", "II", "III", "IV", "V", "VI", "VII"};
  static const int offsets[] = {0, 2, 4, 5, 7, 9, 11};
  int degree = -1;
  for (int d = 0; d < 7; ++d)
    if (upper == names[d]) degree = d;
  if (degree < 0) throw std::runtime_error("bad chord symbol " + symbol);
  bool minor = std::islower(static_cast<unsigned char>(numeral[0]));
  Chord c;
  c.root = (offsets[degree] + shift + 12) % 12;
  c.intervals = {0, minor ? 3 : 4, 7};
  if (suffix == "dim") c.intervals = {0, 3, 6};
  else if (suffix == "7") c.intervals.push_back(10);
  else if (suffix == "maj7") c.intervals.push_back(11);
  else if (suffix == "sus4") c.intervals = {0, 5, 7};
  else if (suffix == "sus2") c.intervals = {0, 2, 7};
  else if (suffix == "add9") c.intervals.push_back(14);
  else if (suffix == "6") c.intervals.push_back(9);
  else if (!suffix.empty()) throw std::runtime_error("bad chord suffix " + symbol);
  return c;
}

const std::vector<int>& Scale_Steps(Scale s) {
  static const std::vector<int> tables[] = {
      {0, 2, 4, 5, 7, 9, 11}, {0, 2, 3, 5, 7, 8, 10}, {0, 2, 3, 5, 7, 9, 10}, {0, 2, 4, 5, 7, 9, 10},
      {0, 2, 3, 5, 7, 8, 11}, {0, 1, 4, 5, 7, 8, 10}, {0, 2, 4, 6, 7, 9, 11}};
  return tables[static_cast<int>(s)];
}

// Chords of a section: one or two per bar ("a,b" splits the bar in halves).
struct Harmony {
  std::vector<std::array<Chord, 2>> bars;
  const Chord& at(int bar, int row) const { return bars[bar % bars.size()][row >= 8 ? 1 : 0]; }
};

Harmony Make_Harmony(const std::vector<std::string>& progression) {
  Harmony h;
  for (const std::string& bar : progression) {
    size_t comma = bar.find(',');
    Chord a = Parse_Chord(bar.substr(0, comma));
    Chord b = comma == std::string::npos ? a : Parse_Chord(bar.substr(comma + 1));
    h.bars.push_back({a, b});
  }
  return h;
}

bool Same_Chord(const Chord& a, const Chord& b) { return a.root == b.root && a.intervals == b.intervals; }

// Pitch of the chord tone nearest to `pitch` (ties go up).
int Nearest_Chord_Tone(int pitch, const Chord& chord, int tonic) {
  int best = pitch, best_d = 99;
  for (int iv : chord.intervals) {
    int pc = (tonic + chord.root + iv) % 12;
    for (int p = pitch - 12; p <= pitch + 12; ++p) {
      if (((p % 12) + 12) % 12 != pc) continue;
      int d = std::abs(p - pitch);
      if (d < best_d || (d == best_d && p > best)) { best = p; best_d = d; }
    }
  }
  return best;
}

// Four voices near the previous voicing, each a chord tone (the root doubled for triads).
std::array<int, 4> Voice_Chord(const Chord& chord, int tonic, const std::array<int, 4>& prev) {
  std::vector<int> pcs;
  for (int iv : chord.intervals) pcs.push_back((tonic + chord.root + iv) % 12);
  while (pcs.size() < 4) pcs.push_back(pcs[0]);
  pcs.resize(4);
  std::array<int, 4> order = {0, 1, 2, 3}, best{};
  int best_cost = 1 << 30;
  do {
    std::array<int, 4> v{};
    int cost = 0;
    for (int j = 0; j < 4; ++j) {
      int target = prev[j], pc = pcs[order[j]];
      int p = target - ((target - pc) % 12 + 12) % 12;  // pitch class pc at or below target
      if (target - p > 6) p += 12;
      while (p < 50) p += 12;
      while (p > 79) p -= 12;
      v[j] = p;
      cost += std::abs(p - target);
    }
    std::array<int, 4> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    for (int j = 0; j + 1 < 4; ++j)
      if (sorted[j] == sorted[j + 1]) cost += 6;  // unisons thin the chord
    if (cost < best_cost) { best_cost = cost; best = v; }
  } while (std::next_permutation(order.begin(), order.end()));
  return best;
}

int Bass_Pitch(const Chord& c, int tonic) {
  int p = 36 + (tonic + c.root) % 12;
  return p > 45 ? p - 12 : p;
}

// A melody note in steps of a phrase and ladder offsets from the phrase's anchor.
struct MNote { int step, len, rel; };

std::vector<MNote> Make_Motif(Rng& rng, float density, bool anthem) {
  // Rhythm cells of one beat (onsets in sixteenths); busy ones mostly in eighths.
  static const std::vector<std::vector<int>> busy = {{0, 2}, {0, 2}, {0, 2}, {0, 3}, {0, 2, 3},
                                                     {0, 1, 2}, {2}, {0}};
  static const std::vector<std::vector<int>> calm = {{0}, {0}, {0, 2}, {}, {2}};
  std::vector<int> onsets;
  for (int beat = 0; beat < 8; ++beat) {
    std::vector<int> cell;
    if (beat == 7) {
      if (rng.chance(0.35f)) cell = {0};
    } else if (rng.chance(anthem ? density * 0.6f : density)) {
      cell = busy[rng.range(0, static_cast<int>(busy.size()) - 1)];
    } else {
      cell = calm[rng.range(0, static_cast<int>(calm.size()) - 1)];
    }
    if (beat == 0 && (cell.empty() || cell[0] != 0)) cell.insert(cell.begin(), 0);
    for (int o : cell) onsets.push_back(beat * 4 + o);
  }
  // Pitches: mostly steps, now and then a leap that the next note answers by a step back.
  std::vector<MNote> notes;
  int rel = rng.chance(0.5f) ? 0 : (rng.chance(0.5f) ? 2 : 4);
  int last_move = 0;
  for (size_t k = 0; k < onsets.size(); ++k) {
    int next = k + 1 < onsets.size() ? onsets[k + 1] : 32;
    int len = next - onsets[k];
    if (len > 4 && rng.chance(0.4f)) len = rng.chance(0.5f) ? 2 : 3;  // a rest before the next note
    len = std::min(len, 8);
    notes.push_back({onsets[k], len, rel});
    static const int steps[] = {-1, -1, 1, 1, -2, 2, 0, 1, -1, 2};
    int move;
    if (std::abs(last_move) >= 3) move = last_move > 0 ? -1 : 1;
    else if (rng.chance(0.12f)) move = rng.chance(0.5f) ? 3 : -3 - rng.range(0, 1);
    else move = steps[rng.range(0, 9)];
    if (rel + move > 5) move = -std::abs(move);
    if (rel + move < -3) move = std::abs(move);
    rel += move;
    last_move = move;
  }
  return notes;
}

enum class Section { Intro, Verse, Chorus, Breakdown, Outro, End };

struct Composer {
  const Style& st;
  int tonic = 0;              // MIDI pitch class base of the key (root % 12 plus any key change)
  std::vector<int> ladder;    // scale pitches from low to high
  int centre = 0;             // index in `ladder` of the melody's centre
  std::vector<MNote> verse_motif, chorus_motif;
  std::array<int, 4> voicing = {55, 60, 64, 67};
  std::array<int, 4> pad_voicing = {57, 62, 66, 69};
  int fill_counter = 0;

  explicit Composer(const Style& s) : st(s) {
    Rng motif_rng(s.seed * 7 + 3);
    verse_motif = Make_Motif(motif_rng, s.density, false);
    Rng chorus_rng(s.theme_seed ? s.theme_seed : s.seed * 13 + 5);
    chorus_motif = Make_Motif(chorus_rng, s.theme_seed ? 0.5f : s.density, true);
    Set_Key(0);
  }

  void Set_Key(int shift) {
    tonic = (st.root + shift) % 12;
    ladder.clear();
    const std::vector<int>& steps = Scale_Steps(st.scale);
    for (int octave = 2; octave <= 8; ++octave)
      for (int s : steps) ladder.push_back(octave * 12 + tonic + s);
    int target = 12 * (st.lead_octave + 1) + tonic;
    if (target > 12 * (st.lead_octave + 1) + 7) target -= 12;
    centre = static_cast<int>(std::lower_bound(ladder.begin(), ladder.end(), target) - ladder.begin());
  }

  int Ladder(int index) const {
    return ladder[std::clamp(index, 0, static_cast<int>(ladder.size()) - 1)];
  }

  void Drums(Pattern& p, int bars, Section sec) {
    if (st.groove == Groove::None) return;
    struct Groove_Rows { const char *kick, *snare, *hat, *hat2; int snare_inst, hat2_inst; };
    Groove_Rows g{};
    switch (st.groove) {
      case Groove::Four:
        g = {"x...x...x...x...", "....x.......x...", "..x...x...x...x.", "o.o.o.o.o.o.o.o.", kClap, kShaker};
        break;
      case Groove::Rock:
        g = {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x.", "................", kSnare, kShaker};
        break;
      case Groove::Break:
        g = {"x......x..x.....", "....x..o.o..x..o", "xoxoxoxoxoxoxoxo", "................", kSnare, kShaker};
        break;
      case Groove::Half:
        g = {"x.........x.....", "........x.......", "x.x.x.x.x.x.x.x.", "...o......o.....", kSnare, kRim};
        break;
      case Groove::Latin:
        g = {"x...x...x...x...", "x..x..x...x.x...", "xoooxoooxoooxooo", "......o.......x.", kRim, kSnare};
        break;
      case Groove::Polka:
        g = {"x.......x.......", "....x.......x...", "..o...o...o...o.", "................", kSnare, kShaker};
        break;
      case Groove::March:
        g = {"x.......x.......", "x..oo.o.x..oo.o.", "................", "................", kSnare, kShaker};
        break;
      case Groove::Shuffle:
        g = {"x.....x.x.......", "....x.......x...", "x.x.x.x.x.x.x.x.", "................", kSnare, kShaker};
        break;
      case Groove::None: break;
    }
    bool full = sec == Section::Verse || sec == Section::Chorus || sec == Section::Outro;
    for (int bar = 0; bar < bars; ++bar) {
      int base = bar * kRowsPerBar;
      bool last = bar == bars - 1;
      bool build = sec == Section::Breakdown && bar >= bars - 2;
      for (int r = 0; r < kRowsPerBar; ++r) {
        auto vol = [](char c) { return c == 'x' ? 1.0f : (c == 'o' ? 0.45f : 0.0f); };
        if (full || sec == Section::End) {
          if (vol(g.kick[r]) > 0) p.set(base + r, kChKick, 36, kKick, vol(g.kick[r]));
          if (vol(g.snare[r]) > 0) p.set(base + r, kChSnare, 60, g.snare_inst, vol(g.snare[r]));
        }
        if (sec == Section::Intro && st.groove == Groove::March && vol(g.snare[r]) > 0)
          p.set(base + r, kChSnare, 60, kSnare, 0.5f * vol(g.snare[r]));
        float hat_scale = full ? 1.0f : 0.6f;
        if (sec != Section::End && vol(g.hat[r]) > 0) {
          bool open = sec == Section::Chorus && st.groove == Groove::Four;
          p.set(base + r, kChHat, 60, open ? kOpenHat : kHat, vol(g.hat[r]) * hat_scale);
        }
        if (full && vol(g.hat2[r]) > 0) p.set(base + r, kChHat2, 60, g.hat2_inst, vol(g.hat2[r]));
      }
      if (build) {
        // A snare build into the next section: eighths, then sixteenths.
        for (int r = 0; r < kRowsPerBar; r += (bar == bars - 1 ? 1 : 2))
          p.set(base + r, kChSnare, 60, kSnare, 0.3f + 0.6f * (bar == bars - 1 ? r / 16.0f : r / 32.0f));
      }
      if (last && (sec == Section::Verse || sec == Section::Chorus || sec == Section::Intro)) {
        if ((fill_counter++ + st.seed) % 2 == 0) {
          for (int r = 12; r < 16; ++r) p.set(base + r, kChSnare, 60, kSnare, 0.5f + 0.12f * (r - 12));
        } else {
          const int toms[] = {50, 47, 45, 43};
          for (int k = 0; k < 4; ++k) p.set(base + 8 + 2 * k, kChPerc, toms[k], kTom, 0.8f);
        }
      }
    }
    if (sec == Section::Chorus || sec == Section::End || (sec == Section::Verse && st.groove == Groove::March))
      p.set(0, kChCymbal, 60, kCymbal, 1.0f);
    if (sec == Section::End) {
      for (int r = 0; r < 8; ++r) p.set(r * 2, kChPerc, 43, kTom, 0.3f + 0.08f * r);
    }
  }

  void Bass_Line(Pattern& p, int bars, Section sec, const Harmony& h) {
    for (int bar = 0; bar < bars; ++bar) {
      int base = bar * kRowsPerBar;
      if (sec == Section::End) {
        if (bar == 0) p.set(0, kChBass, Bass_Pitch(h.at(0, 0), tonic), kBass);
        continue;
      }
      if (sec == Section::Intro && bar < bars - 1 && st.groove != Groove::March) continue;
      for (int half = 0; half < 2; ++half) {
        const Chord& c = h.at(bar, half * 8);
        const Chord& next = half == 0 ? h.at(bar, 8) : h.at(bar + 1, 0);
        int r = Bass_Pitch(c, tonic), f = r + 7, o = r + 12;
        int nr = Bass_Pitch(next, tonic);
        int b = base + half * 8;
        auto hit = [&](int row, int pitch, int len, float vol = 1.0f) {
          p.set(b + row, kChBass, pitch, kBass, vol);
          if (len > 0 && row + len < 8) p.set(b + row + len, kChBass, Cell::kOff, kBass);
        };
        switch (st.bass_line) {
          case BassLine::Root8:
            for (int k = 0; k < 8; k += 2) hit(k, r, 1, k % 4 ? 0.8f : 1.0f);
            break;
          case BassLine::Octave:
            for (int k = 0; k < 8; k += 2) hit(k, k % 4 ? o : r, 1);
            break;
          case BassLine::Offbeat:
            hit(2, r, 1); hit(6, r, 1);
            break;
          case BassLine::Gallop:
            hit(0, r, 1); hit(2, r, 1, 0.7f); hit(3, r, 1, 0.7f); hit(4, r, 1); hit(6, r, 1, 0.7f); hit(7, half ? f : r, 1, 0.7f);
            break;
          case BassLine::Walk: {
            int third = r + (std::find(c.intervals.begin(), c.intervals.end(), 3) != c.intervals.end() ? 3 : 4);
            hit(0, r, 3); hit(4, half ? f : third, 3);
            if (half == 1) { hit(0, half ? f : r, 3); hit(4, nr + (nr > r ? -1 : 1), 3); }
            break;
          }
          case BassLine::Long:
            if (half == 0) hit(0, r, 0); else { hit(2, r, 1, 0.8f); hit(6, f, 1, 0.7f); }
            break;
          case BassLine::Latin:
            if (half == 0) { hit(0, r, 2); hit(3, f, 2); hit(6, r, 1); }
            else { hit(0, r, 2); hit(3, f, 2); hit(6, o, 1); }
            break;
          case BassLine::OomPah:
            hit(0, half ? f - 12 + 12 * (f - 12 < 33) : r, 3);
            break;
          case BassLine::Sixteenth:
            for (int k = 0; k < 8; ++k) hit(k, k == 7 && half ? f : r, 1, k % 4 == 0 ? 1.0f : 0.6f);
            break;
        }
      }
    }
  }

  void Chords(Pattern& p, int bars, Section sec, const Harmony& h) {
    const Chord* last = nullptr;
    for (int bar = 0; bar < bars; ++bar) {
      for (int half = 0; half < 2; ++half) {
        const Chord& c = h.at(bar, half * 8);
        int b = bar * kRowsPerBar + half * 8;
        bool changed = !last || !Same_Chord(*last, c) || half == 0;
        if (changed) voicing = Voice_Chord(c, tonic, voicing);
        // Sustained layer.
        bool pad_here = sec == Section::Intro || sec == Section::Chorus || sec == Section::Breakdown ||
                        sec == Section::End || st.comp == Comp::Pad;
        if (pad_here && (!last || !Same_Chord(*last, c) || (half == 0 && bar % 2 == 0))) {
          pad_voicing = Voice_Chord(c, tonic, pad_voicing);
          int inst = st.comp == Comp::Pad ? kKeys : kPad;
          for (int v = 0; v < 4; ++v)
            p.set(b, (inst == kKeys ? kChChord0 : kChPad0) + v,
                  inst == kKeys ? voicing[v] : pad_voicing[v] + 12 * (v == 3), inst,
                  sec == Section::Intro ? 0.7f : 1.0f);
        }
        last = &c;
        if (st.comp == Comp::Pad || sec == Section::Intro || sec == Section::End) continue;
        if (sec == Section::Breakdown && bar < bars - 2) continue;
        auto stab = [&](int row, int len, float vol) {
          for (int v = 0; v < 4; ++v) {
            p.set(b + row, kChChord0 + v, voicing[v], kKeys, vol);
            if (row + len < 8) p.set(b + row + len, kChChord0 + v, Cell::kOff, kKeys);
          }
        };
        switch (st.comp) {
          case Comp::Stabs: stab(0, 2, 1.0f); stab(3, 2, 0.8f); if (half) stab(6, 2, 0.8f); break;
          case Comp::Pulse: for (int k = 0; k < 8; k += 2) stab(k, 1, k ? 0.75f : 1.0f); break;
          case Comp::Strum: stab(0, 3, 1.0f); stab(3, 3, 0.7f); stab(6, 2, 0.8f); break;
          case Comp::Skank: stab(2, 1, 0.9f); stab(6, 1, 0.9f); break;
          case Comp::Funk: stab(0, 1, 1.0f); stab(3, 1, 0.6f); stab(6, 1, 0.8f); if (half) stab(7, 1, 0.5f); break;
          case Comp::OomPah: stab(4, 2, 0.9f); break;
          case Comp::Pad: break;
        }
      }
    }
  }

  void Arpeggio(Pattern& p, int bars, Section sec, const Harmony& h, Arp arp) {
    if (arp == Arp::None || sec == Section::End) return;
    static const std::vector<int> shapes[] = {{}, {0, 1, 2, 3}, {0, 1, 2, 3, 2, 1}, {0, 2, 1, 2}, {0, 2, 1, 3, 2, 0, 3, 1}};
    const std::vector<int>& shape = shapes[static_cast<int>(arp)];
    int step = st.arp_eighths ? 2 : 1, k = 0;
    for (int bar = 0; bar < bars; ++bar) {
      for (int r = 0; r < kRowsPerBar; r += step, ++k) {
        const Chord& c = h.at(bar, r);
        std::vector<int> tones;
        for (int iv : c.intervals) tones.push_back(60 + (tonic + c.root) % 12 + iv);
        tones.push_back(tones[0] + 12);
        int pitch = tones[shape[k % shape.size()] % tones.size()];
        float vol = (r % 4 == 0 ? 1.0f : 0.7f) * (sec == Section::Intro || sec == Section::Outro ? 0.8f : 1.0f);
        p.set(bar * kRowsPerBar + r, kChArp, pitch, kArpInst, vol);
      }
    }
  }

  // Places a phrase's notes in the pattern, fitting strong beats to the chords.
  void Phrase(Pattern& p, int channel, int inst, int first_bar, const std::vector<MNote>& notes, int from_step,
              int to_step, int anchor, const Harmony& h, float vol, int harmony_offset = 0) {
    for (const MNote& n : notes) {
      if (n.step < from_step || n.step >= to_step) continue;
      int step = n.step - from_step;
      int bar = first_bar + step / kRowsPerBar, row = step % kRowsPerBar;
      int pitch = Ladder(anchor + n.rel + harmony_offset);
      if (row % 8 == 0 || n.len >= 4) pitch = Nearest_Chord_Tone(pitch, h.at(bar, row), tonic);
      int at = bar * kRowsPerBar + row;
      p.set(at, channel, pitch, inst, vol * (row % 4 == 0 ? 1.0f : 0.85f));
      int end = std::min(step + n.len, to_step - from_step);
      p.set(first_bar * kRowsPerBar + end, channel, Cell::kOff, inst);
    }
  }

  // Eight bars: motif, answer, motif, cadence.
  void Melody(Pattern& p, int channel, int inst, int bars, const std::vector<MNote>& motif, int anchor,
              const Harmony& h, float vol, int harmony_offset) {
    Rng var(st.seed * 31 + static_cast<uint32_t>(anchor));
    int shift = var.chance(0.5f) ? 1 : (var.chance(0.5f) ? 2 : -1);
    Phrase(p, channel, inst, 0, motif, 0, 32, anchor, h, vol, harmony_offset);
    if (bars >= 8) {
      Phrase(p, channel, inst, 2, motif, 0, 16, anchor + shift, h, vol, harmony_offset);
      std::vector<MNote> tail = Make_Motif(var, st.density, false);
      Phrase(p, channel, inst, 3, tail, 16, 32, anchor + shift, h, vol, harmony_offset);
      Phrase(p, channel, inst, 4, motif, 0, 32, anchor, h, vol, harmony_offset);
    }
    int cad = bars >= 8 ? 6 : 2;
    Phrase(p, channel, inst, cad, motif, 0, 16, anchor, h, vol, harmony_offset);
    const Chord& c = h.at(cad + 1, 0);
    int pitch = Nearest_Chord_Tone(Ladder(anchor + harmony_offset), c, tonic);
    p.set((cad + 1) * kRowsPerBar, channel, pitch, inst, vol);
    p.set((cad + 1) * kRowsPerBar + 12, channel, Cell::kOff, inst);
  }

  // `repeat` counts earlier sections of the same kind; repeats get a little more going on.
  Pattern Make_Section(Section sec, int bars, const Harmony& h, int repeat) {
    Pattern p(bars * kRowsPerBar, kChannels);
    // Nothing rings on from the section before unless this one plays it again.
    const int melodic[] = {kChBass, kChChord0, kChChord0 + 1, kChChord0 + 2, kChChord0 + 3, kChArp,
                           kChLead, kChLead2, kChPad0, kChPad0 + 1, kChPad0 + 2, kChPad0 + 3};
    for (int ch : melodic) p.set(0, ch, Cell::kOff, kBass);
    Drums(p, bars, sec);
    Bass_Line(p, bars, sec, h);
    Chords(p, bars, sec, h);
    Arp arp = st.arp;
    if (arp == Arp::None && repeat > 0 && sec == Section::Chorus) arp = Arp::UpDown;
    Arpeggio(p, bars, sec, h, arp);
    switch (sec) {
      case Section::Verse:
        Melody(p, kChLead, kLeadInst, bars, verse_motif, centre, h, 0.9f, 0);
        if (repeat > 0) Melody(p, kChLead2, kLead2Inst, bars, verse_motif, centre, h, 0.45f, -2);
        break;
      case Section::Chorus:
        Melody(p, kChLead, kLeadInst, bars, chorus_motif, centre + 2, h, 1.0f, 0);
        if (st.harmony) Melody(p, kChLead2, kLead2Inst, bars, chorus_motif, centre + 2, h, 0.55f, -2);
        break;
      case Section::Breakdown:
        Melody(p, kChLead2, kLead2Inst, bars, chorus_motif, centre, h, 0.8f, 0);
        break;
      case Section::End: {
        const Chord& c = h.at(0, 0);
        p.set(0, kChLead, Nearest_Chord_Tone(Ladder(centre + 2), c, tonic), kLeadInst, 1.0f);
        p.set(0, kChLead2, Nearest_Chord_Tone(Ladder(centre), c, tonic), kLead2Inst, 0.6f);
        break;
      }
      case Section::Intro:
      case Section::Outro:
        break;
    }
    return p;
  }
};

}  // namespace

Song Compose(const Style& st) {
  Composer c(st);
  Song song;
  song.title = st.title;
  song.bpm = st.bpm;
  song.swing = st.swing;
  song.loop = st.loop;
  song.duck = st.duck;
  song.reverb_room = st.reverb;
  song.instruments = Drum_Kit(st.groove);
  song.instruments.push_back(Bass_Instrument(st.bass));
  song.instruments.push_back(Keys_Instrument(st.keys));
  Instrument pad = Keys_Instrument(st.pad);
  pad.gain *= 0.7f;
  song.instruments.push_back(pad);
  Instrument arp = Lead_Instrument(st.lead == Lead::Square || st.lead == Lead::Pulse ? Lead::Pulse : Lead::Pluck);
  arp.gain *= 0.45f;
  arp.echo = 0.3f;
  arp.pan = 0.25f;
  arp.ducked = true;
  song.instruments.push_back(arp);
  Instrument lead = Lead_Instrument(st.lead);
  lead.echo = st.echo;
  lead.gain *= 1.25f;
  song.instruments.push_back(lead);
  Instrument lead2 = Lead_Instrument(st.lead2);
  lead2.gain *= 0.8f;
  lead2.pan = -0.3f;
  song.instruments.push_back(lead2);

  Harmony verse = Make_Harmony(st.verse);
  Harmony chorus = Make_Harmony(st.chorus.empty() ? st.verse : st.chorus);
  Harmony bridge = Make_Harmony(st.bridge.empty() ? st.verse : st.bridge);
  Harmony ending = Make_Harmony({"I"});
  if (Scale_Steps(st.scale)[2] == 3) ending = Make_Harmony({"i"});
  int seen[128] = {};
  for (char form : st.form) {
    c.Set_Key(form == 'K' ? 2 : 0);
    int repeat = seen[static_cast<unsigned char>(form) & 127]++;
    switch (form) {
      case 'I': song.patterns.push_back(c.Make_Section(Section::Intro, 4, verse, repeat)); break;
      case 'A': song.patterns.push_back(c.Make_Section(Section::Verse, 8, verse, repeat)); break;
      case 'B': case 'K': song.patterns.push_back(c.Make_Section(Section::Chorus, 8, chorus, repeat)); break;
      case 'C': song.patterns.push_back(c.Make_Section(Section::Breakdown, 8, bridge, repeat)); break;
      case 'O': song.patterns.push_back(c.Make_Section(Section::Outro, 4, verse, repeat)); break;
      case 'E': song.patterns.push_back(c.Make_Section(Section::End, 2, ending, repeat)); break;
      default: throw std::runtime_error("bad form letter in " + st.file);
    }
    song.order.push_back(static_cast<int>(song.patterns.size()) - 1);
  }
  return song;
}

}  // namespace sfx
