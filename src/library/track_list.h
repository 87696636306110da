#pragma once
// The track library's list: the track files of "TRK" (local mode) or the web service's
// cloud list (cloud mode), the selection, and deleting and starting the selected track.

constexpr int kTrackListSize = 256;

struct Track_Entry {
  char file_name[256];
  char creator[64];
  int sector_count;
  int track_type;
  int tournament;
};

enum { TRACKS_LOCAL = 0, TRACKS_CLOUD = 1 };

extern Track_Entry trackList[kTrackListSize + 1];  // entries 1..trackListCount
extern int trackListCount;
extern int trackListMode;       // TRACKS_LOCAL or TRACKS_CLOUD
extern int trackListSelection;  // 1-based, kept across visits
extern char trackListMessage[128];  // the browser's one-line report; empty when all is well

extern const char* const kCloudListFile;  // "TRK/VantoRello.tracks"

// Lists the track files of `dir` in directory order, skipping foreign files; local mode.
// Returns the count.
int Scan_Track_Directory(const char* dir);
// Downloads and reads the cloud list; on success the list holds it in cloud mode and the
// result is 1. On failure the list and mode stay and the message says why.
int Load_Cloud_List();
// SHIFT+K: removes the selected local user track and rescans; never a tournament track.
void Delete_Selected_Track();
// Keeps the selection within 1..count (1 for an empty list).
void Keep_Selection_In_List();
// The selected entry, or null for an empty list.
const Track_Entry* Selected_Track();
