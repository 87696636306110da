#include "audio/playback/sound.h"

#include <cstdio>

#include "audio/playback/engine_sound.h"
#include "common/game_folders.h"

Mix_Music* music_song = nullptr;
Mix_Music* music_intro = nullptr;
Mix_Music* music_menu = nullptr;
Mix_Music* music_ending = nullptr;
Mix_Music* music_score = nullptr;

Mix_Chunk* sample_skid = nullptr;
Mix_Chunk* sample_engine = nullptr;
Mix_Chunk* sample_crash = nullptr;
Mix_Chunk* sample_checkpoint = nullptr;
Mix_Chunk* sample_yes = nullptr;
Mix_Chunk* sample_gameover = nullptr;
Mix_Chunk* sample_racestart = nullptr;
Mix_Chunk* sample_soon = nullptr;
Mix_Chunk* sample_thunder = nullptr;
Mix_Chunk* sample_shift = nullptr;
Mix_Chunk* sample_seaplane = nullptr;

int skid_channel = -1;
int seaplane_channel = -1;

namespace {

struct SampleEntry {
  Mix_Chunk** slot;
  const char* path;
};

const SampleEntry kSamples[] = {
    {&sample_skid, "SFX/skid.wav"},          {&sample_engine, "SFX/Engine1_onhigh.wav"},
    {&sample_crash, "SFX/crash1.ogg"},       {&sample_checkpoint, "SFX/checkpoint.ogg"},
    {&sample_yes, "SFX/yes.ogg"},            {&sample_gameover, "SFX/gameover.ogg"},
    {&sample_racestart, "SFX/racestart.ogg"}, {&sample_soon, "SFX/soon.ogg"},
    {&sample_thunder, "SFX/weather_thunder.ogg"}, {&sample_shift, "SFX/shift1.ogg"},
    {&sample_seaplane, "SFX/seaplane.ogg"},
};

// The mixer clamps 255 to its maximum.
void Play_Music(Mix_Music* music, int loops) {
  Mix_VolumeMusic(255);
  Mix_PlayMusic(music, loops);
}

void Play_Once(Mix_Chunk* chunk) { Mix_PlayChannel(-1, chunk, 0); }

void Free_Music(Mix_Music*& music) {
  if (music) Mix_FreeMusic(music);
  music = nullptr;
}

}  // namespace

Mix_Music* Load_Music(const char* path) {
  Mix_Music* music = Mix_LoadMUS(Data_Path(path).c_str());
  if (!music) std::printf("ERROR: Cannot load %s.\n", path);
  return music;
}

Mix_Chunk* Load_Sample(const char* path) {
  SDL_RWops* file = SDL_RWFromFile(Data_Path(path).c_str(), "rb");
  Mix_Chunk* chunk = file ? Mix_LoadWAV_RW(file, 1) : nullptr;
  if (!chunk) std::printf("ERROR: Cannot load %s.\n", path);
  return chunk;
}

void Load_Sounds() {
  music_song = Load_Music("SFX/song00.ogg");
  music_intro = Load_Music("SFX/VantoRello.ogg");
  music_menu = Load_Music("SFX/song98.ogg");
  for (const SampleEntry& entry : kSamples) *entry.slot = Load_Sample(entry.path);
}

void Free_Sounds() {
  Free_Music(music_song);
  Free_Music(music_intro);
  Free_Music(music_menu);
  for (const SampleEntry& entry : kSamples) {
    if (*entry.slot) Mix_FreeChunk(*entry.slot);
    *entry.slot = nullptr;
  }
}

void Stop_Music() { Mix_HaltMusic(); }
void Play_Menu_Music() { Play_Music(music_menu, -1); }
void Play_Intro_Music() { Play_Music(music_intro, 1); }
void Play_Ending_Music() { Play_Music(music_ending, -1); }
void Play_Score_Music() { Play_Music(music_score, -1); }

void Play_Crash() { Play_Once(sample_crash); }
void Play_Checkpoint() { Play_Once(sample_checkpoint); }
void Play_Yes() { Play_Once(sample_yes); }
void Play_Game_Over() { Play_Once(sample_gameover); }
void Play_Race_Start() { Play_Once(sample_racestart); }
void Play_Soon() { Play_Once(sample_soon); }
void Play_Thunder() { Play_Once(sample_thunder); }
void Play_Shift() { Play_Once(sample_shift); }

void Start_Seaplane() { seaplane_channel = Mix_PlayChannel(-1, sample_seaplane, -1); }

void Stop_Seaplane() {
  // Channel -1 would halt every channel; a channel reused since the seaplane started is
  // left alone.
  if (seaplane_channel >= 0 && Mix_GetChunk(seaplane_channel) == sample_seaplane)
    Mix_HaltChannel(seaplane_channel);
  seaplane_channel = -1;
}

void Start_Race_Sounds() {
  skid_channel = Mix_PlayChannel(-1, sample_skid, -1);
  if (skid_channel >= 0) Mix_Volume(skid_channel, 0);
  Start_Engine_Sound();
}

int Skid_Volume(int level) {
  if (level <= 0) return 0;
  if (level <= 100) return level + 28;
  return 128;
}

void Set_Skid_Volume(int level) {
  // Channel -1 would set every channel's volume, the engine's included.
  if (skid_channel >= 0) Mix_Volume(skid_channel, Skid_Volume(level));
}

void Mute_Race_Sounds() {
  if (skid_channel >= 0) Mix_Volume(skid_channel, 0);
  Mix_Volume(engine_channel, 0);
}

void Change_Song(const char* file_name) {
  Mix_HaltMusic();
  Free_Music(music_song);
  char path[512];
  if (file_name && std::snprintf(path, sizeof path, "SFX/%s", file_name) < static_cast<int>(sizeof path))
    music_song = Mix_LoadMUS(Data_Path(path).c_str());
  Play_Music(music_song, -1);
}
