#pragma once
// The sound bank and one small operation per cue. Missing files leave null handles, whose
// cues are silent.
#include <SDL/SDL_mixer.h>

// Music streams.
extern Mix_Music* music_song;    // the radio's song slot
extern Mix_Music* music_intro;
extern Mix_Music* music_menu;
extern Mix_Music* music_ending;  // loaded and freed by the ending screen
extern Mix_Music* music_score;   // loaded and freed by the high-score screen

// Samples.
extern Mix_Chunk* sample_skid;
extern Mix_Chunk* sample_engine;
extern Mix_Chunk* sample_crash;
extern Mix_Chunk* sample_checkpoint;
extern Mix_Chunk* sample_yes;
extern Mix_Chunk* sample_gameover;
extern Mix_Chunk* sample_racestart;
extern Mix_Chunk* sample_soon;
extern Mix_Chunk* sample_thunder;
extern Mix_Chunk* sample_shift;
extern Mix_Chunk* sample_seaplane;

// Channels of the skid and seaplane loops; -1 when the loop is not playing.
extern int skid_channel;
extern int seaplane_channel;

// Print "ERROR: Cannot load <path>." and return null on failure.
Mix_Music* Load_Music(const char* path);
Mix_Chunk* Load_Sample(const char* path);

void Load_Sounds();
void Free_Sounds();

void Stop_Music();
void Play_Menu_Music();
void Play_Intro_Music();
void Play_Ending_Music();
void Play_Score_Music();

void Play_Crash();
void Play_Checkpoint();
void Play_Yes();
void Play_Game_Over();
void Play_Race_Start();
void Play_Soon();
void Play_Thunder();
void Play_Shift();

void Start_Seaplane();
void Stop_Seaplane();

// Skid loop at volume 0 on the first free channel, then the engine.
void Start_Race_Sounds();
// 0 for level <= 0, level + 28 for 1..100, 128 above.
void Set_Skid_Volume(int level);
int Skid_Volume(int level);
// Silences the skid and engine channels without stopping them.
void Mute_Race_Sounds();
// Halts the music and loops "SFX/<file_name>" in the song slot.
void Change_Song(const char* file_name);
