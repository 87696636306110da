#include "common/random.h"

#include <cstdlib>

namespace {
uint32_t mwc_z = 222;
uint32_t mwc_w = 111;
}  // namespace

int Random_Range(int lo, int hi) {
  int span = hi - lo + 1;
  if (span <= 0) return lo;  // an empty or inverted range has only its low end
  return std::rand() % span + lo;
}

float random01() {
  mwc_z = 36969u * (mwc_z & 65535u) + (mwc_z >> 16);
  mwc_w = 18000u * (mwc_w & 65535u) + (mwc_w >> 16);
  uint32_t bits = (mwc_z << 16) + mwc_w;
  return static_cast<float>(bits & 0xFFFFFu) * (1.0f / 1048576.0f);
}

void Reset_Random01() {
  mwc_z = 222;
  mwc_w = 111;
}
