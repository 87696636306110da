#pragma once
// Sector records of a track: the layout chain and the roadside object chains.
#include <cstdint>

#include "common/dvec.h"

class sprite;

// One run of track. In the layout `object` is null; in object lists it is the sprite to draw.
struct Sector {
  sprite* object;
  int32_t start;    // first segment, set by append
  int32_t length;   // segments
  int32_t period;   // layout: lane-line dash mask; objects: spacing (power of two); 0 draws nothing
  int32_t offset;   // lateral offset of an object from its road edge
  int32_t curve;    // degrees, positive turns right
  int32_t hill;     // degrees, positive climbs
  int32_t lanes;
};

// Sector lists start with room for 4 records.
template <>
struct DVecStart<Sector> {
  static constexpr uint32_t value = 4;
};

// A chain of sectors; `total` is the sum of all appended lengths.
class SectorList {
 public:
  DVec<Sector> sectors;
  int32_t total = 0;

  // Appends a copy of the record; start follows the previous record.
  void append(const Sector& record);
  uint32_t count() const { return sectors.count; }

  int32_t start(int i) const { return sectors[i].start; }
  int32_t length(int i) const { return sectors[i].length; }
  sprite* object(int i) const { return sectors[i].object; }
  // Share of record i covered at position p (position units); length 0 counts as 1.
  float fraction(int i, int32_t p) const;
  // Lane lines on: with period 2 true on segments 2, 3, 6, 7, ...
  bool dash_on(int i, int32_t p) const;
  // One object every period segments, on the last segment of each group.
  bool object_on(int i, int32_t p) const;
};

// Incremental look-up in one list; remembers the index it found last.
class SectorCursor {
 public:
  const SectorList* list = nullptr;
  int32_t index = 0;
  // The list's last record ends it and is never found going forward (the layout's rule).
  bool terminated = true;

  SectorCursor() = default;
  explicit SectorCursor(const SectorList* l, bool last_terminates = true) : list(l), terminated(last_terminates) {}
  void reset(const SectorList* l, bool last_terminates = true) {
    list = l;
    index = 0;
    terminated = last_terminates;
  }
  // Starts a pass at position p: remembers the record holding p (found by halving, so a
  // long track costs no more than a short one), or record 0 when p lies past the records a
  // forward search may return. Same answers afterwards as a pass started at record 0.
  void seek(int32_t p);
  // Record holding p at or after the remembered one; -1 when none. A terminated list's
  // last record is never returned.
  int32_t find_forward(int32_t p);
  // Record holding p at or before the remembered one. -1 when none.
  int32_t find_backward(int32_t p);
};
