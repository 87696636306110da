#pragma once
// The construction system's description of a track: the track-sector array.
#include <cstdint>

// One roadside slot: object id, spacing and lateral offset (ground textures: {id, 0, 0}).
struct ObjectSlot {
  int32_t id;
  int32_t period;
  int32_t offset;
};

// 28 integers per sector.
struct TrackSector {
  int32_t length;  // road segments
  int32_t state;   // 0 new, 1 free, 2 holds a placed object
  int32_t curve;
  int32_t hill;
  ObjectSlot L1, L2, L3, R1, R2, R3;
  ObjectSlot C0, C1;  // left and right ground textures
};

constexpr int kTrackSectorCapacity = 1000;

extern TrackSector* trackSectors;  // kTrackSectorCapacity records, or null
extern int trackSectorCount;       // sectors in use, 0..999

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
};
extern GeneratorParams generatorParams;
