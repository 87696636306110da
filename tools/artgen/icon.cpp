// The game's icon: the sports car from behind on a road running to a sunset, drawn as
// vectors, so the same painting gives the PNG sizes and the scalable SVG.
#include "icon.h"

#include <cairo-svg.h>

#include <cstdio>
#include <filesystem>

#include "cars.h"
#include "draw.h"

namespace fs = std::filesystem;

namespace art {

namespace {

const int kSizes[] = {48, 64, 128, 256};

void paint_road(cairo_t* cr, double s, double horizon) {
  polygon(cr, {s * 0.47, horizon, s * 0.53, horizon, s * 1.05, s, s * -0.05, s});
  set(cr, hex(0x4a4a50));
  cairo_fill(cr);
  // Kerbs along both edges, then the centre dashes, narrowing towards the horizon.
  for (int side : {-1, 1}) {
    polygon(cr, {s * (0.5 + side * 0.03), horizon, s * (0.5 + side * 0.036), horizon, s * (0.5 + side * 0.62), s,
                 s * (0.5 + side * 0.55), s});
    set(cr, hex(0xf2f2ea));
    cairo_fill(cr);
  }
  for (int i = 0; i < 4; ++i) {
    double t0 = 0.08 + i * 0.25, t1 = t0 + 0.12;
    double y0 = horizon + (s - horizon) * t0 * t0, y1 = horizon + (s - horizon) * t1 * t1;
    double w0 = s * (0.004 + 0.02 * t0 * t0), w1 = s * (0.004 + 0.02 * t1 * t1);
    polygon(cr, {s * 0.5 - w0, y0, s * 0.5 + w0, y0, s * 0.5 + w1, y1, s * 0.5 - w1, y1});
    set(cr, hex(0xf0d040));
    cairo_fill(cr);
  }
}

void paint_icon(cairo_t* cr, double s) {
  const double horizon = s * 0.52;
  cairo_save(cr);
  rounded_rect(cr, s * 0.04, s * 0.04, s * 0.92, s * 0.92, s * 0.18);
  cairo_clip(cr);
  vgradient(cr, 0, 0, s, horizon, hex(0x1c2a6a), hex(0xf08a30));
  ellipse(cr, s * 0.5, horizon, s * 0.16, s * 0.16);
  set(cr, hex(0xffd070));
  cairo_fill(cr);
  vgradient(cr, 0, horizon, s, s - horizon, hex(0x2e6a2a), hex(0x173a16));
  paint_road(cr, s, horizon);
  draw_car_fitted(cr, "F512", 14, s * 0.18, s * 0.45, s * 0.64, s * 0.36);
  cairo_restore(cr);
  rounded_rect(cr, s * 0.04, s * 0.04, s * 0.92, s * 0.92, s * 0.18);
  cairo_set_line_width(cr, s * 0.025);
  set(cr, hex(0x101018));
  cairo_stroke(cr);
}

bool write_png_icon(const fs::path& dir, int size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  paint_icon(cr, size);
  cairo_destroy(cr);
  fs::create_directories(dir);
  bool ok = cairo_surface_write_to_png(surface, (dir / "vantorello.png").c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

bool write_svg_icon(const fs::path& dir) {
  fs::create_directories(dir);
  cairo_surface_t* surface = cairo_svg_surface_create((dir / "vantorello.svg").c_str(), 256, 256);
  cairo_t* cr = cairo_create(surface);
  paint_icon(cr, 256);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace

bool write_icons(const std::string& dir) {
  fs::path theme = fs::path(dir) / "hicolor";
  for (int size : kSizes) {
    std::string name = std::to_string(size) + "x" + std::to_string(size);
    if (!write_png_icon(theme / name / "apps", size)) {
      std::fprintf(stderr, "vr_artgen: cannot write the %s icon into %s\n", name.c_str(), dir.c_str());
      return false;
    }
  }
  if (!write_svg_icon(theme / "scalable" / "apps")) {
    std::fprintf(stderr, "vr_artgen: cannot write the scalable icon into %s\n", dir.c_str());
    return false;
  }
  return true;
}

}  // namespace art
