#pragma once
// Track files on the game side: loading into and saving from the track-sector array.
#include "common/formats/track_file.h"

extern TrackHeader trackHeader;            // header of the track loaded or being saved
extern char lastTrackFileName[64];         // the last name made by Make_Track_File_Name
extern const char* const kQuicksaveAuthor;  // creator of tracks saved with F1 in a race
extern int lastTrackFileResult;            // TrackFileResult of the last Load_Track_File

// Fills the track-sector array and the header from a file. Returns 1, or 0 after printing
// one line that says why (the sector count is then 0).
int Load_Track_File(const char* path);
// "VRWIN%y%m%d%H%M%S.TRK" from the local time; also kept in lastTrackFileName.
const char* Make_Track_File_Name();
