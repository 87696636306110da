#pragma once
// Scenery objects: the twelve sets of object sprites, the object slots of track sectors,
// the scattering and clustering of objects, and the conversion into road object lists.
#include "track/track_sector.h"

constexpr int kObjectIds = 999;  // ids 0..998
constexpr int kNoGroundTexture = 456;

// Slot codes of Set_Sector_Object.
enum SlotCode { kSlotL3 = 1, kSlotR3, kSlotR1, kSlotL1, kSlotR2, kSlotL2, kSlotLeftGround, kSlotRightGround };

// Counts one object of this id in the statistics by its class.
void Count_Object(int id);
// Stores {id, period, offset} in the slot of that code and counts the id.
void Set_Sector_Object(TrackSector& sector, int slot, int id, int period, int offset);
// Scatters (count <= 500) or clusters (count > 500) one kind of object over the free
// sectors of the track-sector array. Returns 1 when it placed, 0 when it gave up.
int Place_Objects(int count, int side, int id, int left_offset, int right_offset);
