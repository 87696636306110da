// Object slots of track sectors, placement of objects and the conversion into road lists.
#include "track/scenery.h"

#include <cstdio>

#include "common/random.h"
#include "core/state/game.h"
#include "road/road.h"

void Count_Object(int id) {
  if (id >= 100 && id <= 149) ++trackStats.trees;
  else if (id >= 150 && id <= 199) ++trackStats.bushes;
  else if (id >= 200 && id <= 249) ++trackStats.business;
  else if (id >= 250 && id <= 299) ++trackStats.houses;
  else if (id >= 450 && id <= 499) ++trackStats.stones;
}

void Set_Sector_Object(TrackSector& sector, int slot, int id, int period, int offset) {
  ObjectSlot value = {id, period, offset};
  switch (slot) {
    case kSlotL3: sector.L3 = value; break;
    case kSlotR3: sector.R3 = value; break;
    case kSlotR1: sector.R1 = value; break;
    case kSlotL1: sector.L1 = value; break;
    case kSlotR2: sector.R2 = value; break;
    case kSlotL2: sector.L2 = value; break;
    case kSlotLeftGround: sector.C0 = {id, 0, 0}; break;
    case kSlotRightGround: sector.C1 = {id, 0, 0}; break;
    default: return;  // unknown slot: nothing stored, nothing counted
  }
  Count_Object(id);
}

namespace {
// Candidate starts of a cluster of `number` consecutive free sectors; returns their count.
int Cluster_Starts(int n, int number, int* starts) {
  int found = 0;
  for (int s = 0; s <= n - number - 1; ++s) {
    bool free = true;
    for (int k = s; k < s + number && free; ++k) free = trackSectors[k].state == 1;
    if (free) starts[found++] = s;
  }
  return found;
}

void Place_In(TrackSector& sector, int side, int id, int period, int left, int right) {
  ObjectSlot l = {id, period, left}, r = {id, period, right};
  // Side 3 counts twice; a side-0 draw (1 left, 2 right, 3 both) counts once.
  int counted = side == 3 ? 2 : 1;
  if (side == 0) side = Random_Range(1, 3);
  if (side == 1 || side == 3) sector.L2 = l;
  if (side == 2 || side == 3) sector.R2 = r;
  sector.state = 2;
  for (int c = 0; c < counted; ++c) Count_Object(id);
}
}  // namespace

int Place_Objects(int count, int side, int id, int left_offset, int right_offset) {
  if (!trackSectors) return 0;
  Set_Track_Sector_Count(trackSectorCount);
  int n = trackSectorCount;
  bool clustered = count > 500;
  if (clustered) count -= 500;
  int number = count * (n / 80) * generatorParams.scenery / 100;
  if (number > 512) {
    std::printf("Warning: too many objects at once.\n");
    return 0;
  }
  if (number < 1) return 0;

  static int chosen[kTrackSectorCapacity];
  int period = clustered ? 8 : 16;
  int left = -300 - left_offset, right = right_offset + 350;
  if (!clustered) {
    int k = 0;
    for (int s = 0; s < n; ++s)
      if (trackSectors[s].state == 1) chosen[k++] = s;
    if (k < number) {
      std::printf("Warning: Not enough free sectors (%d) to place %d objects.\n", k, number);
      return 0;
    }
    for (int o = 0; o < number; ++o, --k) {
      int r = Random_Range(1, k);
      int sector = chosen[r - 1];
      chosen[r - 1] = chosen[k - 1];
      Place_In(trackSectors[sector], side, id, period, left, right);
    }
    return 1;
  }
  int candidates = n - number < 1 ? 0 : Cluster_Starts(n, number, chosen);
  if (candidates == 0) {
    std::printf("Warning: Clustering of object not possible Sectors: %d\n", number);
    return 0;
  }
  int first = chosen[Random_Range(1, candidates) - 1];
  if (side == 0) {
    int draw = Random_Range(1, 3);
    side = draw == 1 ? 3 : (draw == 2 ? 1 : 2);
  }
  for (int s = first; s < first + number; ++s) Place_In(trackSectors[s], side, id, period, left, right);
  return 1;
}

namespace {
// A run of one slot; an id without a loaded sprite becomes an empty run that draws nothing.
Sector Object_Run(const Game& game, int32_t length, const ObjectSlot& slot) {
  sprite* s = game.Object_Sprite(slot.id);
  if (!s) return {nullptr, 0, length, 0, slot.offset, 0, 0, 0};
  return {s, 0, length, slot.period, slot.offset, 0, 0, 0};
}

Sector Ground_Run(const Game& game, int32_t length, const ObjectSlot& slot) {
  sprite* s = slot.id == kNoGroundTexture ? nullptr : game.Object_Sprite(slot.id);
  return {s, 0, length, 0, 0, 0, 0, 0};
}
}  // namespace

void Game::Sectors_To_Road_Objects() {
  if (!road || !trackSectors) return;
  Set_Track_Sector_Count(trackSectorCount);
  for (int n = 0; n < trackSectorCount; ++n) {
    const TrackSector& t = trackSectors[n];
    if (!Object_Sprite(t.R1.id) || !Object_Sprite(t.R2.id) || !Object_Sprite(t.R3.id) || !Object_Sprite(t.L1.id) ||
        !Object_Sprite(t.L2.id) || !Object_Sprite(t.L3.id)) {
      std::printf("ERROR: Sprite not loaded!\n");
      std::printf("R1: %d\nR2: %d\nR3: %d\nL1: %d\nL2: %d\nL3: %d\n", t.R1.id, t.R2.id, t.R3.id, t.L1.id, t.L2.id,
                  t.L3.id);
    }
    road->R3->append(Object_Run(*this, t.length, t.R3));
    road->L3->append(Object_Run(*this, t.length, t.L3));
    road->R2->append(Object_Run(*this, t.length, t.R2));
    road->L2->append(Object_Run(*this, t.length, t.L2));
    road->R1->append(Object_Run(*this, t.length, t.R1));
    road->L1->append(Object_Run(*this, t.length, t.L1));
    // Sectors without a ground texture keep their place in the chain as empty runs.
    road->C0->append(Ground_Run(*this, t.length, t.C0));
    road->C1->append(Ground_Run(*this, t.length, t.C1));
  }
}
