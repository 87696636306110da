// The generated "SFX" tree against what the game asks of it: every file it opens is there,
// loops meet seamlessly, the engine loop suits the pitch effect and the start beep meets the
// fly-in. (The exact bytes are held by the digest table.)
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

#include "audio/playback/radio.h"
#include "audio/playback/sound.h"

namespace {

constexpr int kRate = 44100;

std::string Sfx_Path(const char* name) { return std::string(VR_TEST_RUN_DIR) + "/SFX/" + name; }

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

// The game's own loader finds every sample and its first pieces of music.
TEST_F(SfxAssets, TheGameLoadsEverySoundWithoutAReport) {
  const std::filesystem::path old_dir = std::filesystem::current_path();
  std::filesystem::current_path(VR_TEST_RUN_DIR);
  testing::internal::CaptureStdout();
  Load_Sounds();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  Free_Sounds();
  std::filesystem::current_path(old_dir);
}

// Looped samples and every looped piece of music (the radio's songs, the menu, the ending
// and the leaderboard) open as streams, neither fade out nor start from silence, and
// their ends meet.
TEST_F(SfxAssets, EveryLoopIsSeamless) {
  for (const char* name : {"Engine1_onhigh.wav", "skid.wav", "seaplane.ogg"}) {
    std::vector<int16_t> pcm = Decode(name);
    Expect_Seamless(pcm, 0, name);
    Expect_Seamless(pcm, 1, name);
  }
  Init_Radio();
  std::vector<std::string> music = {"song98.ogg", "Abspann.ogg", "score.ogg"};
  for (const Song& song : songs) music.push_back(song.file);
  ASSERT_EQ(music.size(), 3u + kSongCount);
  const size_t edge = kRate / 50;
  for (const std::string& name : music) {
    SCOPED_TRACE(name);
    Mix_Music* stream = Mix_LoadMUS(Sfx_Path(name.c_str()).c_str());
    EXPECT_NE(stream, nullptr) << Mix_GetError();
    if (stream) Mix_FreeMusic(stream);
    std::vector<int16_t> pcm = Decode(name.c_str());
    ASSERT_GT(pcm.size(), 4 * edge);
    EXPECT_GT(Rms(pcm, 0, edge), 0.005);
    EXPECT_GT(Rms(pcm, pcm.size() / 2 - edge, edge), 0.005);
    Expect_Seamless(pcm, 0, name.c_str());
  }
}

// The pitch effect reads the engine loop's interleaved values as one stream, so the
// channels must agree, and it reads the mixer's copy, which must be the file unchanged.
TEST_F(SfxAssets, TheEngineLoopSuitsThePitchEffect) {
  SDL_AudioSpec format{};
  Uint8* bytes = nullptr;
  Uint32 length = 0;
  ASSERT_NE(SDL_LoadWAV(Sfx_Path("Engine1_onhigh.wav").c_str(), &format, &bytes, &length), nullptr);
  std::vector<int16_t> file(reinterpret_cast<int16_t*>(bytes), reinterpret_cast<int16_t*>(bytes) + length / 2);
  SDL_FreeWAV(bytes);
  EXPECT_EQ(std::vector<int>({format.format, format.channels, format.freq}),
            std::vector<int>({AUDIO_S16LSB, 2, kRate}));
  ASSERT_GT(file.size(), size_t(kRate));
  EXPECT_EQ(Channel(file, 0), Channel(file, 1));
  EXPECT_EQ(Decode("Engine1_onhigh.wav"), file);
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
