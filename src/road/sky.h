#pragma once
// The scenario's sky-and-skyline picture behind the road.
#include <cstdint>

class Canvas;
class sprite;

constexpr int kHorizonTypes = 12;

class Sky {
 public:
  float scroll = 0.0f;  // horizontal offset in pixels
  int32_t horizon_row = 0;
  int32_t screen_width = 0, screen_height = 0;
  sprite* current = nullptr;                  // not owned
  sprite* pictures[kHorizonTypes] = {};       // owned, in file order

  Sky(int width, int height);
  ~Sky();
  Sky(const Sky&) = delete;
  Sky& operator=(const Sky&) = delete;

  void set_size(int width, int height);
  // Creates the twelve picture sprites from their files.
  void load_pictures();
  void free_pictures();
  // Selects the picture of a horizon type; unknown types fall back to the cloudy sky.
  void set_horizon(int type);
  // Draws the current picture, wrapped around horizontally, its bottom on horizon_row.
  void draw(Canvas* canvas);
};
