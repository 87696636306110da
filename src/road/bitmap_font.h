#pragma once
// Fixed-cell glyph sheets for the text inside the race picture.
#include <cstdint>

#include "road/image.h"

class Canvas;

class BitmapFont {
 public:
  int32_t cell_width = 0, cell_height = 0;
  int32_t glyph_x[256] = {};
  int32_t glyph_y[256] = {};  // cell origins; only codes 32..127 are laid out
  image sheet;

  // Loads the sheet and lays out codes 32..127 in rows, one pixel of gap after each cell.
  BitmapFont(const char* path, int cell_w, int cell_h);
  BitmapFont(const BitmapFont&) = delete;
  BitmapFont& operator=(const BitmapFont&) = delete;

  // h_align: 0 centres on x, > 0 ends at x, < 0 starts at x; v_align likewise for y.
  void draw_text(Canvas* canvas, int x, int y, int h_align, int v_align, const char* text) const;

  // Places the glyph cells on the loaded sheet.
  void lay_out();
};
