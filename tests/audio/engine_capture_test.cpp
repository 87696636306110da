// A race start captured through SDL's disk audio driver: the engine must be heard, and
// its pitch must follow the shown speed.
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "audio_fixture.h"
#include "core/state/game.h"
#include "support/temp_dir.h"

namespace {

constexpr int kRate = 44100, kBufferBytes = 2048 * 4;

// One second of a 441 Hz tone, the same on both channels, as a WAV file.
void Write_Engine_Wav(const char* path) {
  std::vector<Sint16> data(kRate * 2);
  for (int i = 0; i < kRate; ++i)
    data[2 * i] = data[2 * i + 1] = static_cast<Sint16>(20000 * std::sin(2 * M_PI * 441.0 * i / kRate));
  const Uint32 bytes = kRate * 4, header[] = {0x46464952, 36 + bytes, 0x45564157, 0x20746d66, 16,
                                              0x00020001, kRate, kRate * 4, 0x00100004, 0x61746164, bytes};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  out.write(reinterpret_cast<const char*>(data.data()), bytes);
}

long File_Size(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : 0;
}

// Sets the speed and waits for `buffers` more mixer buffers; returns the byte offset from
// which the new speed is certainly in effect.
long Hold_Speed(Game& game, float speed, const std::string& path, int buffers) {
  SDL_LockAudio();
  game.gauge_speed = speed;
  long from = File_Size(path) + 2 * kBufferBytes;
  SDL_UnlockAudio();
  for (int i = 0; File_Size(path) < from + buffers * kBufferBytes && i < 4000; ++i) SDL_Delay(2);
  return from;
}

// Frequency from the zero crossings of the left channel, and the level.
void Analyse(const std::vector<Sint16>& all, long from_byte, double& frequency, double& rms) {
  const size_t first = static_cast<size_t>(from_byte / 4), frames = 8 * 2048;
  int crossings = 0;
  double sum = 0;
  for (size_t i = first; i < first + frames && 2 * i + 2 < all.size(); ++i) {
    crossings += (all[2 * i] < 0) != (all[2 * i + 2] < 0);
    sum += double(all[2 * i]) * all[2 * i];
  }
  frequency = crossings / 2.0 / (double(frames) / kRate);
  rms = std::sqrt(sum / frames);
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
  Game game;
  theGame = &game;
  engine_level = 0;
  Load_Sounds();  // only the engine exists; every other cue reports and stays silent
  SDL_LockAudio();
  Start_Race_Sounds();
  SDL_UnlockAudio();
  EXPECT_TRUE(Mix_Playing(6));
  const float speeds[] = {0.0f, 10.0f, 19.0f, 52.0f};
  long from[4];
  for (int i = 0; i < 4; ++i) from[i] = Hold_Speed(game, speeds[i], capture, 12);
  Mix_HaltChannel(-1);
  Free_Sounds();
  Mix_CloseAudio();
  SDL_Quit();
  theGame = nullptr;
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  std::vector<Sint16> all(static_cast<size_t>(File_Size(capture) / 2));
  std::ifstream(capture, std::ios::binary).read(reinterpret_cast<char*>(all.data()), all.size() * 2);
  double previous = 0, frequency = 0, rms = 0;
  for (int i = 0; i < 4; ++i) {
    int band = 0;
    double expected = 441.0 * Engine_Step(speeds[i], &band);
    Analyse(all, from[i], frequency, rms);
    std::printf("speed %.0f: %.1f Hz (expected %.1f), rms %.0f\n", speeds[i], frequency, expected, rms);
    EXPECT_GT(rms, 1000.0);  // the tone at 20/128
    EXPECT_NEAR(frequency, expected, expected * 0.03);
    if (i < 3) {
      EXPECT_GT(frequency, previous) << speeds[i];
    }
    previous = frequency;
  }
}

}  // namespace
