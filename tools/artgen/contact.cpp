#include "contact.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draw.h"
#include "output.h"

namespace art {

namespace {
const int kCellW = 200, kCellH = 170, kThumbW = 190, kThumbH = 140, kColumns = 8, kRows = 5;
}

Thumb make_thumb(const gfx::Entry& e, int w, int h, const std::vector<uint8_t>& rgba) {
  Thumb t;
  t.name = e.path.substr(4);
  t.w = w;
  t.h = h;
  // Keyed BMPs show their transparent black as the checker board too.
  bool keyed = e.kind == gfx::Kind::BmpKeyed;
  bool alpha = e.kind == gfx::Kind::Sprite || e.kind == gfx::Kind::Glyphs;
  cairo_surface_t* src = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  uint32_t* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(src));
  int stride = cairo_image_surface_get_stride(src) / 4;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      bool clear = (alpha && p[3] == 0) || (keyed && !p[0] && !p[1] && !p[2]);
      d[y * stride + x] = clear ? 0 : 0xFF000000u | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
  cairo_surface_mark_dirty(src);
  double s = std::min({1.0, double(kThumbW) / w, double(kThumbH) / h});
  int tw = std::max(1, int(w * s)), th = std::max(1, int(h * s));
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, tw, th);
  cairo_t* cr = cairo_create(out);
  for (int y = 0; y < th; y += 8)
    for (int x = 0; x < tw; x += 8) {
      double v = ((x / 8 + y / 8) & 1) ? 0.75 : 0.9;
      cairo_set_source_rgb(cr, v, v * 0.9, v);
      cairo_rectangle(cr, x, y, 8, 8);
      cairo_fill(cr);
    }
  cairo_scale(cr, s, s);
  cairo_set_source_surface(cr, src, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), s < 1 ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(src);
  t.surface.reset(out, cairo_surface_destroy);
  return t;
}

void write_contact_sheets(const std::filesystem::path& dir, const std::vector<Thumb>& thumbs) {
  std::vector<const Thumb*> list;
  for (const auto& t : thumbs)
    if (t.surface) list.push_back(&t);
  const size_t per_page = kColumns * kRows;
  for (size_t page = 0; page * per_page < list.size(); ++page) {
    Pic sheet(kColumns * kCellW, kRows * kCellH);
    cairo_t* cr = sheet.cr;
    fill_rect(cr, 0, 0, sheet.w, sheet.h, hex(0x303038));
    for (size_t k = 0; k < per_page && page * per_page + k < list.size(); ++k) {
      const Thumb& t = *list[page * per_page + k];
      double x = (k % kColumns) * kCellW + 5, y = (k / kColumns) * kCellH + 4;
      int tw = cairo_image_surface_get_width(t.surface.get()), th = cairo_image_surface_get_height(t.surface.get());
      cairo_set_source_surface(cr, t.surface.get(), x + (kThumbW - tw) / 2, y + (kThumbH - th));
      cairo_paint(cr);
      char size[32];
      std::snprintf(size, sizeof size, " %dx%d", t.w, t.h);
      std::string label = t.name + size;
      double fs = 10;
      while (fs > 6 && text_width(cr, Face::Menu, fs, label) > kCellW - 6) fs -= 0.5;
      text(cr, Face::Menu, fs, x, y + kThumbH + 16, label, hex(0xE8E8E8));
    }
    char name[64];
    std::snprintf(name, sizeof name, "contact_%02zu.png", page + 1);
    std::vector<uint8_t> rgba(static_cast<size_t>(sheet.w) * sheet.h * 4);
    const uint32_t* d = sheet.data();
    int stride = sheet.stride_words();
    for (int yy = 0; yy < sheet.h; ++yy)
      for (int xx = 0; xx < sheet.w; ++xx) {
        uint32_t v = d[yy * stride + xx];
        uint8_t* o = &rgba[(static_cast<size_t>(yy) * sheet.w + xx) * 4];
        o[0] = (v >> 16) & 255;
        o[1] = (v >> 8) & 255;
        o[2] = v & 255;
        o[3] = 255;
      }
    art::write_png((dir / name).string(), sheet.w, sheet.h, rgba);
  }
}

}  // namespace art
