#include "road/bitmap_font.h"

#include <cstring>

#include "road/canvas.h"

BitmapFont::BitmapFont(const char* path, int cell_w, int cell_h) : cell_width(cell_w), cell_height(cell_h) {
  sheet.load(path);
  lay_out();
}

void BitmapFont::lay_out() {
  for (int c = 0; c < 256; ++c) glyph_x[c] = glyph_y[c] = 0;
  int64_t w = sheet.width, h = sheet.height;
  int32_t x = 0, y = 0;
  for (int c = 32; c <= 127; ++c) {
    if (x + cell_width + 1 > w) {
      x = 0;
      y += cell_height + 1;
      if (y + cell_height > h) break;
    }
    glyph_x[c] = x;
    glyph_y[c] = y;
    x += cell_width + 1;
  }
}

void BitmapFont::draw_text(Canvas* canvas, int x, int y, int h_align, int v_align, const char* text) const {
  if (!canvas || !text) return;
  int32_t advance = cell_width - 4;  // neighbouring glyphs overlap by 4 pixels
  int32_t length = static_cast<int32_t>(std::strlen(text));
  int32_t total = length * advance;
  int32_t pen_x = h_align == 0 ? x - total / 2 : (h_align > 0 ? x - total : x);
  int32_t pen_y = v_align == 0 ? y - cell_height / 2 : (v_align > 0 ? y - cell_height : y);
  for (int32_t n = 0; n < length; ++n, pen_x += advance) {
    int b = static_cast<signed char>(text[n]);
    if (b >= 33 && b <= 127)
      canvas->blit_keyed(&sheet, glyph_x[b], glyph_y[b], cell_width, cell_height, pen_x, pen_y);
  }
}
