#include "audio/playback/radio.h"

#include <cstdio>

#include "audio/playback/engine_sound.h"
#include "audio/playback/sound.h"
#include "core/state/game.h"

Song songs[kSongCount];
int current_song = 0;
int song_count = kSongCount;

namespace {

struct Song_Entry {
  const char* title;
  const char* file;
  const char* length;
  const char* performer;
};

const char* const kLivena = "Livena";
const char* const kJoris = "Joris";
const char* const kAmaya = "Amaya";

const Song_Entry kSongs[kSongCount] = {
    {"[ 1 ] Come drive with me", "song00.ogg", "2 min 43", kLivena},
    {"[ 2 ] Drive the 12bit Beat", "song04.ogg", "2 min 26", kLivena},
    {"[ 3 ] Winter Breeze in Germany", "song09.ogg", "2 min 26", kLivena},
    {"[ 4 ] Chill with me [ Theme ]", "menu.ogg", "2 min 33", kLivena},
    {"[ 5 ] Kitlights in the town", "song02.ogg", "2 min 54", kLivena},
    {"[ 6 ] Futuristic City Drive", "song06.ogg", "3 min 49", kLivena},
    {"[ 7 ] Citylights", "song08.ogg", "4 min 15", kJoris},
    {"[ 8 ] Highway Madness", "song07.ogg", "2 min 54", kJoris},
    {"[ 9 ] Desert Storm", "song11.ogg", "2 min 59", kJoris},
    {"[ 10 ] Chicken Curry", "song12.ogg", "2 min 51", kLivena},
    {"[ 11 ] Gah Gah", "song13.ogg", "7 min 02", kLivena},
    {"[ 12 ] El Slot Zorro III", "song14.ogg", "2 min 13", kLivena},
    {"[ 13 ] Rasbputiny", "song15.ogg", "2 min 04", kLivena},
    {"[ 14 ] Cloudy Fun", "song16.ogg", "2 min 24", kLivena},
    {"[ 15 ] Vanto Rello Day", "song99.ogg", "2 min 43", kAmaya},
    {"[ 16 ] Fantasy Race", "song97.ogg", "1 min 58", kAmaya},
    {"[ 17 ] Industry Race", "song96.ogg", "3 min 15", kAmaya},
    {"[ 18 ] Bahamas Race", "song95.ogg", "1 min 15", kAmaya},
    {"[ 19 ] Swiss Race", "song94.ogg", "1 min 15", kAmaya},
};

// Default song by track type 1..12; -1: the type keeps the song chosen before.
const int kDefaultSongs[13] = {-1, 14, 2, 4, 9, 11, 12, 13, -1, 15, 16, 17, 18};

void Write_Songs() {
  for (int i = 0; i < kSongCount; ++i) {
    Song& song = songs[i];
    std::snprintf(song.album, sizeof song.album, "%s", "Vanto Rello OST");
    std::snprintf(song.title, sizeof song.title, "%s", kSongs[i].title);
    std::snprintf(song.file, sizeof song.file, "%s", kSongs[i].file);
    std::snprintf(song.length, sizeof song.length, "%s", kSongs[i].length);
    std::snprintf(song.artist, sizeof song.artist, "Quindral [%s]", kSongs[i].performer);
  }
}

// The table is filled before the first Init_Radio, so songs can be stepped through at once.
const bool songs_written = (Write_Songs(), true);

void Play_Current() {
  if (current_song >= 0 && current_song < kSongCount) Change_Song(songs[current_song].file);
}

}  // namespace

int Default_Song(int track_type) {
  if (track_type < 1 || track_type > 12) return -1;
  return kDefaultSongs[track_type];
}

void Init_Radio() {
  (void)songs_written;
  current_song = 14;
  if (theGame && theGame->builtin_track == 2) current_song = 2;
  int song = -1;
  if (theGame && theGame->tournament_active)
    song = Default_Song(theGame->tournament_round);
  else if (theGame && customTrack)
    song = Default_Song(theGame->track_type);
  if (song >= 0) current_song = song;
  song_count = kSongCount;
  Write_Songs();
}

void Play_Song(int index) {
  Init_Radio();
  if (index >= 0 && index < kSongCount) Change_Song(songs[index].file);
}

void Next_Song() {
  current_song = current_song + 1 >= song_count ? 0 : current_song + 1;
  Play_Current();
}

void Previous_Song() {
  current_song = current_song <= 0 ? song_count - 1 : current_song - 1;
  Play_Current();
}

void Engine_Louder() {
  if (engine_level > 0) engine_level -= 5;
}

void Engine_Softer() {
  if (engine_level < 20) engine_level += 5;
}
