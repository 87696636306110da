#pragma once
// The construction system's description of a track: the track-sector array.
#include <cstdint>

#include "common/formats/track_file.h"

constexpr int kTrackSectorCapacity = 1000;

extern TrackSector* trackSectors;  // kTrackSectorCapacity records, or null
extern int trackSectorCount;       // sectors in use, 0..999
extern unsigned trackSectorsVersion;  // changes whenever the array is filled anew

// Sets the sector count, clamped to 0..kTrackMaxSectors so it never runs past the array.
// Every fill of the array (generator, track files) goes through here.
void Set_Track_Sector_Count(int count);

// Allocates the array (zeroed); returns 1, or 0 after printing "ERROR: Memory".
int Allocate_Track_Sectors();
void Free_Track_Sectors();

// Counters shown by the constructor screen.
struct TrackStats {
  int sectors, left_turns, right_turns, hills_up, hills_down;
  int houses, trees, bushes, business, stones;
};
extern TrackStats trackStats;

// Generator parameters (percentages except length) with their start-up defaults.
struct GeneratorParams {
  int length = 800;
  int curves = 40;
  int sharpness = 20;
  int scatter = 0;
  int hills = 10;
  int steepness = 15;
  int scenery = 100;
  int obstacles = 0;
  int track_type = 1;  // the constructor's scenario, 1..12
};
extern GeneratorParams generatorParams;
