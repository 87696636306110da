#pragma once
// The mixer opened as the game opens it, with in-memory chunks for the cues under test.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <vector>

#include "audio/playback/engine_sound.h"
#include "audio/playback/sound.h"

class AudioTest : public ::testing::Test {
 protected:
  std::vector<Sint16> silence = std::vector<Sint16>(44100 * 2, 0);

  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
    engine_level = 0;
  }
  void TearDown() override {
    Mix_HaltChannel(-1);
    Free_Sounds();
    Mix_CloseAudio();
    SDL_Quit();
  }
  // A one-second chunk that does not own its samples.
  Mix_Chunk* Chunk(std::vector<Sint16>& samples) {
    return Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples.data()),
                             static_cast<Uint32>(samples.size() * sizeof(Sint16)));
  }
  // Channels currently playing the chunk.
  static int Playing(Mix_Chunk* chunk) {
    int n = 0;
    for (int c = 0; c < 8; ++c) n += Mix_Playing(c) && Mix_GetChunk(c) == chunk;
    return n;
  }
};
