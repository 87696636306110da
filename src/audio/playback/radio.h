#pragma once
// The radio: the soundtrack's song table, the song played before and during a race,
// and the player's engine volume.

struct Song {
  char album[32];
  char title[32];
  char file[32];    // below "SFX/"
  char length[16];
  char artist[32];
};

constexpr int kSongCount = 19;

extern Song songs[kSongCount];
extern int current_song;  // 0-based
extern int song_count;

// Picks the default song of the coming race and rebuilds the table.
void Init_Radio();
// Init_Radio, then plays song `index` in a loop; current_song stays as Init_Radio chose it.
void Play_Song(int index);
// One song on, wrapping from the last to the first, and plays it.
void Next_Song();
// One song back, wrapping from the first to the last, and plays it.
void Previous_Song();
// The engine volume steps of 5 between 0 (loud) and 20 (silent).
void Engine_Louder();
void Engine_Softer();
// The default song of a track type 1..12, or -1 when the type has none.
int Default_Song(int track_type);
