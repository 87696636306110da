#pragma once
#include <cstdint>

// Projection record shared by the road, the particles and the race frame.
class Camera {
 public:
  float depth = 0.0f;      // 0.36 x screen width
  float height = -135.0f;  // added to every road height before projection
  float centre_x = 0.0f;
  float centre_y = 0.0f;
  float scale = 0.0f;      // scratch: last scale computed
  int32_t behind = 0;      // 1 when the last projected depth was 0 or less

  Camera() = default;
  Camera(float cx, float cy, float d) : depth(d), centre_x(cx), centre_y(cy) {}
};
