#include "track/track_sector.h"

#include <cstdio>
#include <new>

TrackSector* trackSectors = nullptr;
int trackSectorCount = 0;
unsigned trackSectorsVersion = 0;
TrackStats trackStats = {};
GeneratorParams generatorParams;

void Set_Track_Sector_Count(int count) {
  ++trackSectorsVersion;
  trackSectorCount = count < 0 ? 0 : (count > kTrackMaxSectors ? kTrackMaxSectors : count);
}

int Allocate_Track_Sectors() {
  if (trackSectors) return 1;
  trackSectors = new (std::nothrow) TrackSector[kTrackSectorCapacity]();
  if (!trackSectors) {
    std::printf("ERROR: Memory\n");
    return 0;
  }
  return 1;
}

void Free_Track_Sectors() {
  delete[] trackSectors;
  trackSectors = nullptr;
  trackSectorCount = 0;
}
