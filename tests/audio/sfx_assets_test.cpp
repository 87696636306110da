// The generated "SFX" tree: names, codecs, the engine and skid loops, lengths and levels.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"

namespace {

constexpr int kRate = 44100;

// Every file of the "SFX" tree that the game opens, with what the tests expect of it.
struct SfxFile {
  enum Kind { Sample, Music };
  const char* name;   // below SFX/
  Kind kind;
  bool loops;         // played as an endless loop
  double min_seconds, max_seconds;
};

const std::vector<SfxFile>& Sfx_Files() {
  static const std::vector<SfxFile> files = [] {
    std::vector<SfxFile> all = {
        // Samples: the race loops, the one-shot cues, the update notice's horn.
        {"skid.wav", SfxFile::Sample, true, 0.5, 5.0},
        {"Engine1_onhigh.wav", SfxFile::Sample, true, 0.5, 5.0},
        {"crash1.ogg", SfxFile::Sample, false, 0.3, 3.0},
        {"checkpoint.ogg", SfxFile::Sample, false, 0.2, 3.0},
        {"yes.ogg", SfxFile::Sample, false, 0.5, 4.0},
        {"gameover.ogg", SfxFile::Sample, false, 1.0, 5.0},
        {"racestart.ogg", SfxFile::Sample, false, 2.0, 4.0},
        {"soon.ogg", SfxFile::Sample, false, 0.05, 0.8},
        {"weather_thunder.ogg", SfxFile::Sample, false, 3.0, 12.0},
        {"shift1.ogg", SfxFile::Sample, false, 0.02, 0.5},
        {"seaplane.ogg", SfxFile::Sample, true, 1.0, 8.0},
        {"horn.ogg", SfxFile::Sample, false, 0.3, 2.5},
        // Music: intro (played once), menu, ending, leaderboard, the song slot's first song.
        {"VantoRello.ogg", SfxFile::Music, false, 15.0, 60.0},
        {"song98.ogg", SfxFile::Music, true, 45.0, 120.0},
        {"Abspann.ogg", SfxFile::Music, true, 45.0, 120.0},
        {"score.ogg", SfxFile::Music, true, 45.0, 120.0},
    };
    // The radio's nineteen songs, in the radio's order.
    for (const char* song : {"song00.ogg", "song04.ogg", "song09.ogg", "menu.ogg", "song02.ogg", "song06.ogg",
                             "song08.ogg", "song07.ogg", "song11.ogg", "song12.ogg", "song13.ogg", "song14.ogg",
                             "song15.ogg", "song16.ogg", "song99.ogg", "song97.ogg", "song96.ogg", "song95.ogg",
                             "song94.ogg"})
      all.push_back({song, SfxFile::Music, true, 45.0, 120.0});
    return all;
  }();
  return files;
}

std::string Sfx_Path(const char* name) { return std::string(VR_TEST_RUN_DIR) + "/SFX/" + name; }

// The samples of a WAV file as SDL reads it, and their format.
struct Wav {
  SDL_AudioSpec format{};
  std::vector<int16_t> data;  // interleaved
};
Wav Read_Wav(const std::string& path) {
  Wav w;
  Uint8* bytes = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(path.c_str(), &w.format, &bytes, &length)) return w;
  w.data.assign(reinterpret_cast<int16_t*>(bytes), reinterpret_cast<int16_t*>(bytes) + length / 2);
  SDL_FreeWAV(bytes);
  return w;
}

std::vector<int16_t> Channel(const std::vector<int16_t>& interleaved, int ch) {
  std::vector<int16_t> out;
  out.reserve(interleaved.size() / 2);
  for (size_t i = ch; i < interleaved.size(); i += 2) out.push_back(interleaved[i]);
  return out;
}

// The strongest frequency between lo and hi Hz (1 Hz steps) over one second of x.
int Strongest_Frequency(const std::vector<int16_t>& x, int lo, int hi) {
  size_t n = std::min<size_t>(x.size(), kRate);
  int best = 0;
  double best_power = -1.0;
  for (int f = lo; f <= hi; ++f) {
    double coeff = 2.0 * std::cos(2.0 * M_PI * f / kRate), s1 = 0.0, s2 = 0.0;
    for (size_t i = 0; i < n; ++i) {
      double s0 = x[i] + coeff * s1 - s2;
      s2 = s1;
      s1 = s0;
    }
    double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    if (power > best_power) { best_power = power; best = f; }
  }
  return best;
}

// The jump from the last sample of channel ch back to the first, against the usual step
// between samples in the second on either side of the loop point.
void Expect_Seamless(const std::vector<int16_t>& pcm, int ch, const char* what) {
  const size_t n = pcm.size() / 2, window = std::min<size_t>(n / 2, kRate / 2);
  ASSERT_GT(n, 100u) << what;
  std::vector<int> steps;
  for (size_t i = 1; i < window; ++i) {
    steps.push_back(std::abs(pcm[2 * i + ch] - pcm[2 * (i - 1) + ch]));
    steps.push_back(std::abs(pcm[2 * (n - i) + ch] - pcm[2 * (n - i - 1) + ch]));
  }
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
  int p99 = steps[steps.size() * 99 / 100];
  int wrap = std::abs(pcm[ch] - pcm[2 * (n - 1) + ch]);
  EXPECT_LE(wrap, std::max(2 * p99, 64)) << what << ": loop point jumps by " << wrap;
}

// Root mean square of the left channel over frames [from, from + count), full scale 1.
double Rms(const std::vector<int16_t>& pcm, size_t from, size_t count) {
  double sum = 0.0;
  size_t end = std::min(pcm.size() / 2, from + count);
  for (size_t i = from; i < end; ++i) sum += double(pcm[2 * i]) * pcm[2 * i];
  return end > from ? std::sqrt(sum / double(end - from)) / 32768.0 : 0.0;
}

class SfxAssets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
  }
  static void TearDownTestSuite() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  // The file decoded by the mixer into its output format (44100 Hz, 16-bit, stereo).
  static std::vector<int16_t> Decode(const char* name) {
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(Sfx_Path(name).c_str(), "rb"), 1);
    if (!chunk) return {};
    std::vector<int16_t> pcm(chunk->alen / 2);
    std::memcpy(pcm.data(), chunk->abuf, pcm.size() * 2);
    Mix_FreeChunk(chunk);
    return pcm;
  }
};

// Samples load through the mixer in the decoding test below; music is streamed instead.
TEST_F(SfxAssets, EveryFileExistsAndMusicOpensAsAStream) {
  for (const SfxFile& f : Sfx_Files()) {
    std::string path = Sfx_Path(f.name);
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
    if (f.kind == SfxFile::Music) {
      Mix_Music* music = Mix_LoadMUS(path.c_str());
      EXPECT_NE(music, nullptr) << f.name << ": " << Mix_GetError();
      if (music) Mix_FreeMusic(music);
    }
    std::string head = Read_File(path);
    head.resize(std::min<size_t>(head.size(), 64));
    bool wav = std::string(f.name).size() > 4 && std::string(f.name).substr(std::strlen(f.name) - 4) == ".wav";
    if (wav) {
      EXPECT_EQ(std::memcmp(head.data(), "RIFF", 4), 0) << f.name;
    } else {
      ASSERT_GE(head.size(), 36u) << f.name;
      EXPECT_EQ(std::memcmp(head.data(), "OggS", 4), 0) << f.name;
      EXPECT_EQ(std::memcmp(head.data() + 29, "vorbis", 6), 0) << f.name << " is not Ogg Vorbis";
    }
  }
  // Nothing half-written is left behind.
  for (const auto& entry : std::filesystem::directory_iterator(std::string(VR_TEST_RUN_DIR) + "/SFX"))
    EXPECT_NE(entry.path().extension(), ".part") << entry.path();
}

// The pitch effect reads the engine loop's interleaved values as one stream, so the
// channels must agree, and it reads the mixer's copy, which must be the file unchanged.
TEST_F(SfxAssets, LoopSamplesAreSeamlessStereoPcmAndTheEngineSuitsThePitchEffect) {
  for (const char* name : {"Engine1_onhigh.wav", "skid.wav"}) {
    Wav w = Read_Wav(Sfx_Path(name));
    EXPECT_EQ(std::vector<int>({w.format.format, w.format.channels, w.format.freq}), std::vector<int>({AUDIO_S16LSB, 2, 44100}))
        << name;
  }
  for (const SfxFile& f : Sfx_Files())
    if (f.kind == SfxFile::Sample && f.loops) {
      std::vector<int16_t> pcm = Decode(f.name);
      Expect_Seamless(pcm, 0, f.name);
      Expect_Seamless(pcm, 1, f.name);
    }
  Wav w = Read_Wav(Sfx_Path("Engine1_onhigh.wav"));
  ASSERT_GT(w.data.size(), size_t(kRate));
  EXPECT_EQ(Channel(w.data, 0), Channel(w.data, 1));
  EXPECT_EQ(Decode("Engine1_onhigh.wav"), w.data);
}

// One pass over each decoded piece, the rest on 20 ms at its ends.
TEST_F(SfxAssets, DecodedPiecesHaveTheirLengthsAndLevels) {
  std::vector<double> music_rms;
  for (const SfxFile& f : Sfx_Files()) {
    SCOPED_TRACE(f.name);
    std::vector<int16_t> pcm = Decode(f.name);
    ASSERT_FALSE(pcm.empty());
    const size_t frames = pcm.size() / 2, edge = kRate / 50;
    EXPECT_GE(frames, f.min_seconds * kRate);
    EXPECT_LE(frames, f.max_seconds * kRate);
    int peak = 0;
    for (int16_t v : pcm) peak = std::max(peak, v < 0 ? -int(v) : int(v));
    EXPECT_LT(peak, 32000) << "too close to clipping";
    EXPECT_GT(peak, 8000) << "too quiet";
    if (f.kind == SfxFile::Music) {
      music_rms.push_back(Rms(pcm, 0, frames));
      if (f.loops) {
        // Looping pieces neither fade out nor start from silence, and the ends meet.
        EXPECT_GT(Rms(pcm, 0, edge), 0.005);
        EXPECT_GT(Rms(pcm, frames - edge, edge), 0.005);
        Expect_Seamless(pcm, 0, f.name);
      } else {
        EXPECT_LT(Rms(pcm, frames - edge, edge), 0.002) << "the intro should die away";
      }
    } else if (!f.loops) {
      // One-shots end in silence rather than being cut off.
      EXPECT_LT(Rms(pcm, frames - edge, edge), 0.01);
    }
  }
  // All pieces of music sit at about the same loudness (within 6 dB).
  ASSERT_FALSE(music_rms.empty());
  auto [lo, hi] = std::minmax_element(music_rms.begin(), music_rms.end());
  EXPECT_GT(*lo, 0.06);
  EXPECT_LT(*hi, 0.3);
  EXPECT_LT(*hi / *lo, 2.0);
}

TEST_F(SfxAssets, RaceStartEndsWithItsHighBeepAsTheFlyInEnds) {
  std::vector<int16_t> pcm = Decode("racestart.ogg");
  std::vector<int16_t> left = Channel(pcm, 0);
  ASSERT_GT(left.size(), size_t(3 * kRate / 2));
  // Four beeps: count the rises of the 10 ms loudness above half of its maximum.
  const size_t win = kRate / 100;
  std::vector<double> level;
  for (size_t i = 0; i + win <= left.size(); i += win) level.push_back(Rms(pcm, i, win));
  double top = *std::max_element(level.begin(), level.end());
  std::vector<size_t> onsets;
  for (size_t i = 1; i < level.size(); ++i)
    if (level[i] > top / 4 && level[i - 1] <= top / 4 && (onsets.empty() || i - onsets.back() > 20))
      onsets.push_back(i);
  std::string trace;
  for (size_t i = 0; i < level.size(); ++i) trace += std::to_string(int(level[i] / top * 99)) + " ";
  ASSERT_EQ(onsets.size(), 4u) << trace;
  EXPECT_NEAR(onsets[3] * 0.01, 2.0, 0.2);  // the race begins 2 s after the start sound
  std::vector<int16_t> low(left.begin() + onsets[0] * win, left.begin() + onsets[0] * win + kRate / 10);
  std::vector<int16_t> high(left.begin() + onsets[3] * win, left.begin() + onsets[3] * win + kRate / 10);
  low.resize(kRate, 0);
  high.resize(kRate, 0);
  EXPECT_GT(Strongest_Frequency(high, 100, 2000), Strongest_Frequency(low, 100, 2000));
}

}  // namespace
