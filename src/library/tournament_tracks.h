#pragma once
// The game's own track files, made with the track generator from fixed seeds: the twelve
// tournament tracks and a few user tracks that seed the web service's cloud. The same
// build always writes the same bytes.

constexpr int kSampleTracks = 5;
extern const char* const kTournamentCreator;

// What the generator is given for one track; the same plan always gives the same bytes.
struct Track_Plan {
  int track_type, length, curves, hills;
  unsigned seed;
};

// The plan of round 1..12; null for another round.
const Track_Plan* Tournament_Plan(int round);
// Generates a planned track into the track-sector array and the track header. Returns 0
// without memory.
int Make_Planned_Track(const Track_Plan& plan, const char* creator, int tournament);

// Generates round 1..12's track into the track-sector array and the track header
// (track type = round, tournament flag 1). Returns 0 for another round or without memory.
int Make_Tournament_Track(int round);
// The same for sample user track 0..kSampleTracks-1; its file name goes to *file_name.
int Make_Sample_Track(int index, const char** file_name);

// Writes the twelve tournament tracks under `run_dir` (their "GFX/TT_*.TRK" names) and the
// sample tracks into `sample_dir`. Returns the number of files written.
int Write_Tournament_Tracks(const char* run_dir);
int Write_Sample_Tracks(const char* sample_dir);
