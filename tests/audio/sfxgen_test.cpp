// The sound generator's parts: loops, the tracker's timing, the composer's harmony, the writers.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "sfxgen/audio_io.h"
#include "sfxgen/composer.h"
#include "sfxgen/dsp.h"
#include "sfxgen/effects.h"
#include "sfxgen/tracker.h"
#include "support/temp_dir.h"

namespace {

using namespace sfx;

// A short song that uses everything that rings on: releases, echo, reverb, side-chain.
Song Busy_Song(bool loop) {
  Song song;
  const int bass = 9, pad = 10, lead = 11;  // after the nine drums
  song.bpm = 120.0f;
  song.loop = loop;
  song.duck = 0.4f;
  song.tail_seconds = 3.0;
  song.instruments = Drum_Kit(Groove::Four);
  song.instruments.push_back(Bass_Instrument(Bass::Saw));
  song.instruments.push_back(Keys_Instrument(Keys::Strings));
  Instrument echoing = Lead_Instrument(Lead::Saw);
  echoing.echo = 0.5f;
  song.instruments.push_back(echoing);
  Pattern p(64, 4);  // four bars, eight seconds
  for (int r = 0; r < 64; r += 4) p.set(r, 0, 36, kKick);
  for (int r = 0; r < 64; r += 2) p.set(r, 1, 45 + (r / 16) * 2, bass);
  p.set(0, 2, 57, pad);
  p.set(32, 2, 60, pad);
  p.set(60, 3, 76, lead);  // held over the loop point until it comes round again
  song.patterns.push_back(p);
  song.order = {0};
  return song;
}

// A looped render is what the listener hears once the piece has gone round a few times.
TEST(Tracker, LoopedRenderEqualsTheThirdTimeRound) {
  Song once = Busy_Song(true);
  Stereo looped = Render(once);
  Song thrice = Busy_Song(false);
  thrice.order = {0, 0, 0};
  Stereo played = Render(thrice);
  const size_t loop = Seconds(8.0);
  ASSERT_EQ(looped.frames(), loop);
  ASSERT_GE(played.frames(), 3 * loop);
  float worst = 0.0f;
  for (size_t i = 0; i < loop; ++i) {
    worst = std::max(worst, std::fabs(looped.l[i] - played.l[2 * loop + i]));
    worst = std::max(worst, std::fabs(looped.r[i] - played.r[2 * loop + i]));
  }
  EXPECT_LT(worst, 1e-4f * std::max(1.0f, Peak(played)));
}

// The first frame at which the signal rises above a small threshold, from `from` on.
size_t Onset(const Stereo& s, size_t from) {
  for (size_t i = from; i < s.frames(); ++i)
    if (std::fabs(s.l[i]) > 1e-3f) return i;
  return s.frames();
}

TEST(Tracker, NotesStartOnTheirRowsAndEndAtTheNextCell) {
  Song song;
  song.bpm = 120.0f;  // a row is 0.125 s
  song.loop = false;
  song.echo_rows = 0;
  song.reverb_wet = 0.0f;
  song.tail_seconds = 1.0;
  song.swing = 0.5f;
  Instrument tone;
  tone.wave1 = Wave::Sine;
  tone.amp = {0.001f, 0.1f, 1.0f, 0.01f};
  tone.reverb = 0.0f;
  song.instruments = {tone};
  Pattern p(16, 1);
  p.set(0, 0, 69, 0);
  p.set(2, 0, Cell::kOff, 0);
  p.set(5, 0, 69, 0);   // odd row: swung by half a row
  p.set(8, 0, Cell::kOff, 0);
  song.patterns = {p};
  song.order = {0};
  Stereo s = Render(song);
  EXPECT_LE(Onset(s, 0), 5u);
  // Silent between the note-off at row 2 (plus its short release) and row 5 and a half.
  size_t off = Seconds(0.25 + 0.05);
  EXPECT_NEAR(static_cast<double>(Onset(s, off)), Seconds(5.5 * 0.125), 10.0);
  size_t end = Seconds(1.0 + 0.05);
  EXPECT_EQ(Onset(s, end), s.frames()) << "the note rang on after its note-off";
}

TEST(Composer, ChordSymbols) {
  Chord c = Parse_Chord("bVII");
  EXPECT_EQ(c.root, 10);
  EXPECT_EQ(c.intervals, (std::vector<int>{0, 4, 7}));
  c = Parse_Chord("iv7");
  EXPECT_EQ(c.root, 5);
  EXPECT_EQ(c.intervals, (std::vector<int>{0, 3, 7, 10}));
  EXPECT_EQ(Parse_Chord("Imaj7").intervals, (std::vector<int>{0, 4, 7, 11}));
  EXPECT_EQ(Parse_Chord("viidim").intervals, (std::vector<int>{0, 3, 6}));
  EXPECT_EQ(Parse_Chord("bII").root, 1);
  EXPECT_THROW(Parse_Chord("X"), std::runtime_error);
  EXPECT_THROW(Parse_Chord("Ifoo"), std::runtime_error);
}

bool Is_Chord_Tone(int note, int tonic, const Chord& c) {
  for (int iv : c.intervals)
    if ((note - tonic - c.root - iv) % 12 == 0) return true;
  return false;
}

// Every chord, pad and arpeggio note belongs to the chord of its bar, and the melody meets
// the chord on the strong beats, in every piece.
TEST(Composer, PiecesStayInTheirHarmony) {
  for (const Style& st : Music_Styles()) {
    SCOPED_TRACE(st.file);
    Song song = Compose(st);
    ASSERT_EQ(song.patterns.size(), st.form.size());
    for (size_t k = 0; k < st.form.size(); ++k) {
      char form = st.form[k];
      const std::vector<std::string>* prog = &st.verse;
      if (form == 'B' || form == 'K') prog = st.chorus.empty() ? &st.verse : &st.chorus;
      if (form == 'C' && !st.bridge.empty()) prog = &st.bridge;
      std::vector<std::string> ending = {st.scale == Scale::Major || st.scale == Scale::Mixolydian ||
                                                 st.scale == Scale::Lydian || st.scale == Scale::PhrygianDominant
                                             ? "I"
                                             : "i"};
      if (form == 'E') prog = &ending;
      int tonic = st.root + (form == 'K' ? 2 : 0);
      const Pattern& p = song.patterns[song.order[k]];
      for (int row = 0; row < p.rows; ++row) {
        const std::string& bar = (*prog)[(row / 16) % prog->size()];
        size_t comma = bar.find(',');
        std::string symbol = comma == std::string::npos || row % 16 < 8 ? bar.substr(0, comma) : bar.substr(comma + 1);
        Chord chord = Parse_Chord(symbol);
        for (int ch = 0; ch < p.channels; ++ch) {
          const Cell& cell = p.at(row, ch);
          if (cell.note <= 0) continue;
          bool harmony = cell.inst == kKeys || cell.inst == kPad || cell.inst == kArp;
          bool strong_melody = (cell.inst == kLead || cell.inst == kLead2) && row % 8 == 0;
          if (harmony || strong_melody) {
            EXPECT_TRUE(Is_Chord_Tone(cell.note, tonic, chord))
                << "section " << k << " row " << row << " note " << cell.note << " on " << symbol;
          }
          if (cell.inst == kLead) {
            EXPECT_GE(cell.note, 52);
            EXPECT_LE(cell.note, 96);
          }
        }
      }
    }
  }
}

TEST(Dsp, FoldLoopAddsTheTailToTheStart) {
  Stereo s(10);
  for (size_t i = 0; i < 10; ++i) s.l[i] = s.r[i] = static_cast<float>(i);
  Fold_Loop(s, 4);  // 0 1 2 3 | 4 5 6 7 | 8 9
  ASSERT_EQ(s.frames(), 4u);
  EXPECT_EQ(s.l, (std::vector<float>{0 + 4 + 8, 1 + 5 + 9, 2 + 6, 3 + 7}));
}

TEST(Dsp, MasteringReachesItsLevelBelowTheCeiling) {
  Stereo s(Seconds(1.0));
  Rng rng(9);
  for (size_t i = 0; i < s.frames(); ++i) {
    s.l[i] = 3.0f * rng.bipolar() + 0.5f;  // loud, with an offset
    s.r[i] = 0.1f * std::sin(i * 0.05f);
  }
  Remove_Dc(s, true);
  double mean = 0.0;
  for (size_t i = Seconds(0.5); i < s.frames(); ++i) mean += s.l[i];
  EXPECT_NEAR(mean / Seconds(0.5), 0.0, 0.02);
  Master(s, 0.15f, 0.5f, 0.8f);
  EXPECT_LT(Peak(s), 0.8f);
  EXPECT_NEAR(Rms(s), 0.15f, 0.03f);
}

class Writers : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  static std::vector<Sint16> Load(const std::string& path) {
    Mix_Chunk* c = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    if (!c) return {};
    std::vector<Sint16> pcm(reinterpret_cast<Sint16*>(c->abuf), reinterpret_cast<Sint16*>(c->abuf) + c->alen / 2);
    Mix_FreeChunk(c);
    return pcm;
  }
};

TEST_F(Writers, WavKeepsEverySampleAndClampsOverloads) {
  ScopedTempDir dir;
  Stereo s(1000);
  for (size_t i = 0; i < s.frames(); ++i) {
    s.l[i] = std::sin(i * 0.1f) * 0.5f;
    s.r[i] = i % 2 ? 1.7f : -1.7f;  // beyond full scale: must clamp, not wrap
  }
  ASSERT_TRUE(Write_Wav("t.wav", s));
  std::vector<Sint16> pcm = Load("t.wav");
  ASSERT_EQ(pcm.size(), 2000u);
  for (size_t i = 0; i < s.frames(); ++i) {
    EXPECT_NEAR(pcm[2 * i], s.l[i] * 32767.0f, 1.0f);
    EXPECT_EQ(pcm[2 * i + 1], i % 2 ? 32767 : -32767);
  }
  EXPECT_FALSE(Write_Wav("no/such/dir/t.wav", s));
}

TEST_F(Writers, OggDecodesToTheSameLengthAndShape) {
  ScopedTempDir dir;
  Stereo s(Seconds(1.5) + 123);
  for (size_t i = 0; i < s.frames(); ++i) {
    s.l[i] = 0.5f * std::sin(kTwoPi * 440.0f * i / kRate);
    s.r[i] = 0.3f * std::sin(kTwoPi * 660.0f * i / kRate);
  }
  ASSERT_TRUE(Write_Ogg("t.ogg", s, 0.4f, "test", 7));
  std::vector<Sint16> pcm = Load("t.ogg");
  // Exactly as long as written: a padded end would be a gap in every loop.
  ASSERT_EQ(pcm.size(), 2 * s.frames());
  double err = 0.0, ref = 0.0;
  for (size_t i = 0; i < s.frames(); ++i) {
    double d = pcm[2 * i] / 32767.0 - s.l[i];
    err += d * d;
    ref += double(s.l[i]) * s.l[i];
  }
  EXPECT_LT(err / ref, 0.01);  // better than 20 dB signal to noise
  EXPECT_FALSE(Write_Ogg("no/such/dir/t.ogg", s, 0.4f, "test", 7));
}

TEST(Effects, EverySoundIsFiniteAndWithinFullScale) {
  Stereo (*const all[])() = {Engine_Loop, Skid_Loop, Seaplane_Loop, Crash, Checkpoint, Yes,
                              Game_Over, Race_Start, Soon, Thunder, Shift, Horn};
  for (auto make : all) {
    Stereo s = make();
    ASSERT_GT(s.frames(), 0u);
    for (size_t i = 0; i < s.frames(); ++i) {
      ASSERT_TRUE(std::isfinite(s.l[i]) && std::isfinite(s.r[i]));
    }
    EXPECT_LE(Peak(s), 0.95f);
    EXPECT_GE(Peak(s), 0.3f);
  }
}

}  // namespace
