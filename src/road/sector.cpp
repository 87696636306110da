#include "road/sector.h"

namespace {
bool Holds(const Sector& s, int32_t segment) { return s.start <= segment && segment < s.start + s.length; }
}  // namespace

void SectorList::append(const Sector& record) {
  Sector copy = record;
  copy.start = sectors.count == 0 ? 0 : sectors.back().start + sectors.back().length;
  sectors.add(copy);
  total += record.length;
}

float SectorList::fraction(int i, int32_t p) const {
  int32_t len = sectors[i].length == 0 ? 1 : sectors[i].length;
  return static_cast<float>((p / 100.0 - sectors[i].start) / len);
}

bool SectorList::dash_on(int i, int32_t p) const {
  int32_t period = sectors[i].period;
  if (period == 0) return false;
  return ((p / 100) & period) == period;
}

bool SectorList::object_on(int i, int32_t p) const {
  int32_t period = sectors[i].period;
  if (period == 0) return false;
  return ((p / 100) & (period - 1)) == period - 1;
}

void SectorCursor::seek(int32_t p) {
  const int32_t s = p / 100;
  const int32_t end = static_cast<int32_t>(list->count()) - (terminated ? 1 : 0);
  // Records are contiguous, so their ends never decrease: the first one ending after s holds s.
  int32_t lo = 0, hi = end;
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    const Sector& r = list->sectors[mid];
    if (r.start + r.length > s) hi = mid;
    else lo = mid + 1;
  }
  index = lo < end && list->sectors[lo].start <= s ? lo : 0;
}

int32_t SectorCursor::find_forward(int32_t p) {
  int32_t end = static_cast<int32_t>(list->count()) - (terminated ? 1 : 0);
  if (index >= end) return -1;
  int32_t s = p / 100;
  for (int32_t i = index; i < end; ++i) {
    if (Holds(list->sectors[i], s)) {
      index = i;
      return i;
    }
  }
  return -1;
}

int32_t SectorCursor::find_backward(int32_t p) {
  if (list->count() == 0 || index < 0) return -1;
  int32_t s = p / 100;
  for (int32_t i = index; i >= 0; --i) {
    if (Holds(list->sectors[i], s)) {
      index = i;
      return i;
    }
  }
  return -1;
}
