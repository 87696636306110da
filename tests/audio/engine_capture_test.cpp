// A race start captured through SDL's disk audio driver: the engine must be heard on
// channel 6, and its pitch must follow the shown speed.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "audio/engine_sound.h"
#include "audio/sound.h"
#include "core/game.h"
#include "support/temp_dir.h"

namespace {

constexpr int kRate = 44100;
constexpr int kBufferBytes = 2048 * 4;

// One second of a 441 Hz tone, the same on both channels, as a WAV file.
void Write_Engine_Wav(const char* path) {
  std::vector<Sint16> data(kRate * 2);
  for (int i = 0; i < kRate; ++i)
    data[2 * i] = data[2 * i + 1] = static_cast<Sint16>(20000 * std::sin(2 * M_PI * 441.0 * i / kRate));
  Uint32 bytes = static_cast<Uint32>(data.size() * 2);
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](Uint32 v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](Uint16 v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4), u32(36 + bytes), out.write("WAVEfmt ", 8), u32(16), u16(1), u16(2);
  u32(kRate), u32(kRate * 4), u16(4), u16(16), out.write("data", 4), u32(bytes);
  out.write(reinterpret_cast<const char*>(data.data()), bytes);
}

long File_Size(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 ? static_cast<long>(st.st_size) : 0;
}

// Holds a speed until `buffers` more mixer buffers have reached the file; returns the
// byte offset at which the new speed is certainly in effect.
long Hold_Speed(float speed, const char* path, int buffers) {
  SDL_LockAudio();
  theGame->gauge_speed = speed;
  long from = File_Size(path) + 2 * kBufferBytes;
  SDL_UnlockAudio();
  for (int tries = 0; File_Size(path) < from + buffers * kBufferBytes && tries < 4000; ++tries) SDL_Delay(2);
  return from;
}

struct Measure {
  double frequency;  // from zero crossings of the left channel
  double rms;
};

Measure Analyse(const std::vector<Sint16>& all, long from_byte, int buffers) {
  size_t first = static_cast<size_t>(from_byte / 4), frames = static_cast<size_t>(buffers) * 2048;
  int crossings = 0;
  double sum = 0;
  for (size_t i = first; i + 1 < first + frames && 2 * i + 2 < all.size(); ++i) {
    Sint16 a = all[2 * i], b = all[2 * i + 2];
    crossings += (a < 0) != (b < 0);
    sum += double(a) * a;
  }
  return {crossings / 2.0 / (double(frames) / kRate), std::sqrt(sum / frames)};
}

TEST(EngineCapture, RaceStartEngineIsAudibleAndRisesInPitchWithSpeed) {
  ScopedTempDir dir;
  mkdir("SFX", 0755);
  Write_Engine_Wav("SFX/Engine1_onhigh.wav");
  std::string capture = dir.path() + "/out.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "5", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
  theGame = new Game();
  engine_level = 0;
  Load_Sounds();  // only the engine exists; every other cue reports and stays silent
  ASSERT_NE(sample_engine, nullptr);
  SDL_LockAudio();
  Start_Race_Sounds();
  SDL_UnlockAudio();
  ASSERT_TRUE(Mix_Playing(6));
  const float speeds[] = {0.0f, 10.0f, 19.0f, 52.0f};
  long from[4];
  for (int i = 0; i < 4; ++i) from[i] = Hold_Speed(speeds[i], capture.c_str(), 12);
  Mix_HaltChannel(-1);
  Free_Sounds();
  Mix_CloseAudio();
  SDL_Quit();
  unsetenv("SDL_DISKAUDIOFILE");
  unsetenv("SDL_DISKAUDIODELAY");
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  std::ifstream in(capture, std::ios::binary);
  std::vector<Sint16> all(static_cast<size_t>(File_Size(capture.c_str()) / 2));
  in.read(reinterpret_cast<char*>(all.data()), static_cast<std::streamsize>(all.size() * 2));
  double previous = 0;
  for (int i = 0; i < 4; ++i) {
    int band = 0;
    double expected = 441.0 * Engine_Step(speeds[i], &band);
    Measure m = Analyse(all, from[i], 8);
    EXPECT_GT(m.rms, 1000.0) << "speed " << speeds[i];  // 20/128 of the tone's level
    EXPECT_NEAR(m.frequency, expected, expected * 0.03) << "speed " << speeds[i];
    if (i < 3) {
      EXPECT_GT(m.frequency, previous);
    }
    std::printf("speed %.0f: %.1f Hz, rms %.0f\n", speeds[i], m.frequency, m.rms);
    previous = m.frequency;
  }
  delete theGame;
  theGame = nullptr;
}

}  // namespace
