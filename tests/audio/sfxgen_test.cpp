// The sound generator's parts that the generated tree does not exercise: chord symbols it
// refuses and the writers' clamping and failures. (The generated sounds themselves are held
// by the digest table.)
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "sfxgen/audio_io.h"
#include "sfxgen/composer.h"
#include "sfxgen/dsp.h"
#include "support/temp_dir.h"

namespace {

using namespace sfx;

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

}  // namespace
