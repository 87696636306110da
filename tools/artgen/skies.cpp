// The twelve sky strips: sky and clouds with a skyline or landscape along the bottom
// edge, which stands on the road's horizon. Every strip tiles seamlessly left to right.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "draw.h"
#include "skies.h"

namespace art {

namespace {

const int kW = 1280, kH = 480;

struct Px {
  uint32_t* d;
  int stride;
  void put(int x, int y, RGB c) {
    x = ((x % kW) + kW) % kW;
    if (y < 0 || y >= kH) return;
    auto b = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
    d[y * stride + x] = 0xFF000000u | (b(c.r) << 16) | (b(c.g) << 8) | b(c.b);
  }
  RGB get(int x, int y) const {
    x = ((x % kW) + kW) % kW;
    uint32_t v = d[y * stride + x];
    return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
  }
};

struct SkyLook {
  RGB top, horizon;
  RGB cloud;
  double cloud_amount;  // 0 none .. 1 overcast
  double cloud_scale;   // pixels per noise cell
  int seed;
};

// Gradient and clouds over the whole strip, written pixel by pixel.
void paint_sky(Pic& p, const SkyLook& s) {
  Px px{p.data(), p.stride_words()};
  for (int y = 0; y < kH; ++y) {
    double t = std::pow(y / double(kH - 1), 1.6);
    RGB base = mix(s.top, s.horizon, t);
    for (int x = 0; x < kW; ++x) {
      RGB c = base;
      if (s.cloud_amount > 0) {
        // Clouds stretched sideways, thinning high up.
        double n = fbm_tiled(x / s.cloud_scale, y / (s.cloud_scale * 0.45), kW / s.cloud_scale, s.seed, 5);
        double cover = n - (1.0 - s.cloud_amount) * 0.75 - 0.2;
        double k = std::clamp(cover * 3.0, 0.0, 1.0) * (0.35 + 0.65 * t);
        double light = 0.85 + 0.3 * (fbm_tiled(x / 40.0, y / 30.0, kW / 40.0, s.seed + 9, 3) - 0.5);
        c = mix(c, shade(s.cloud, light), k);
      }
      px.put(x, y, c);
    }
  }
  cairo_surface_mark_dirty(p.surface);
}

// A range of hills or mountains: a height line that tiles, filled down to the bottom.
void paint_range(Pic& p, double base, double amp, double scale, int seed, RGB colour, RGB snow, double snow_line,
                 double haze, RGB haze_colour, double sharp = 1.0) {
  Px px{p.data(), p.stride_words()};
  for (int x = 0; x < kW; ++x) {
    double n = fbm_tiled(x / scale, 0.5, kW / scale, seed, 5);
    n = std::pow(std::clamp(n, 0.0, 1.0), sharp);
    double h = base + amp * n;
    int top = kH - static_cast<int>(h);
    for (int y = std::max(0, top); y < kH; ++y) {
      double depth = (y - top) / std::max(1.0, h);
      double tex = fbm_tiled(x / 9.0, y / 9.0, kW / 9.0, seed + 3, 3);
      RGB c = shade(colour, 0.8 + 0.4 * tex);
      if (kH - y > snow_line + 12 * (tex - 0.5)) c = shade(snow, 0.88 + 0.2 * tex - 0.15 * depth);
      // Sunny side: slopes rising to the right catch the light.
      double n2 = fbm_tiled((x + 3) / scale, 0.5, kW / scale, seed, 5);
      c = shade(c, 1.0 + std::clamp((n2 - n) * 25.0, -0.12, 0.12));
      c = mix(c, haze_colour, haze);
      px.put(x, y, c);
    }
  }
  cairo_surface_mark_dirty(p.surface);
}

// Draws a shape at x and again one strip width to the left and right, so that it tiles.
void wrapped(Pic& p, double x, const std::function<void(cairo_t*, double)>& draw) {
  for (double dx : {-double(kW), 0.0, double(kW)}) draw(p.cr, x + dx);
}

void buildings(Pic& p, int count, double min_h, double max_h, RGB wall, RGB lit, int seed, double lit_share) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    double x = rng.uniform(0, kW), w = rng.uniform(18, 55), h = rng.uniform(min_h, max_h);
    RGB c = shade(wall, rng.uniform(0.8, 1.15));
    int wseed = rng.range(0, 1 << 20);
    bool antenna = rng.uniform() < 0.3;
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      fill_rect(cr, xx, kH - h, w, h, c);
      if (antenna) fill_rect(cr, xx + w * 0.4, kH - h - 12, 2, 12, c);
      Rng wr(wseed);
      for (double wy = kH - h + 5; wy < kH - 4; wy += 6)
        for (double wx = xx + 3; wx < xx + w - 4; wx += 5)
          if (wr.uniform() < lit_share) fill_rect(cr, wx, wy, 2, 3, lit);
    });
  }
}

void palms(Pic& p, int count, RGB c, int seed, double size) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    double x = rng.uniform(0, kW), h = rng.uniform(0.6, 1.0) * size, lean = rng.uniform(-0.3, 0.3) * size;
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      cairo_move_to(cr, xx, kH);
      cairo_curve_to(cr, xx, kH - h * 0.5, xx + lean, kH - h * 0.8, xx + lean, kH - h);
      cairo_set_line_width(cr, size * 0.05);
      set(cr, c);
      cairo_stroke(cr);
      for (int k = 0; k < 7; ++k) {
        double a = -M_PI + k * M_PI / 6 + 0.2;
        double ex = xx + lean + std::cos(a) * size * 0.35, ey = kH - h + std::sin(a) * size * 0.18 + size * 0.12;
        cairo_move_to(cr, xx + lean, kH - h);
        cairo_curve_to(cr, xx + lean + std::cos(a) * size * 0.15, kH - h - size * 0.08, ex, ey - size * 0.1, ex,
                       ey);
        cairo_set_line_width(cr, size * 0.035);
        cairo_stroke(cr);
      }
    });
  }
}

void pines(Pic& p, int count, double min_h, double max_h, RGB c, RGB snow, int seed, bool snowy) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    double x = rng.uniform(0, kW), h = rng.uniform(min_h, max_h), w = h * 0.42;
    RGB cc = shade(c, rng.uniform(0.8, 1.2));
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      for (int k = 0; k < 3; ++k) {
        double ty = kH - h + k * h * 0.25, by = kH - h * 0.05 - (2 - k) * h * 0.2;
        double bw = w * (0.55 + 0.22 * k);
        polygon(cr, {xx, ty, xx + bw / 2, by, xx - bw / 2, by});
        set(cr, cc);
        cairo_fill(cr);
        if (snowy) {
          polygon(cr, {xx, ty, xx + bw * 0.22, ty + (by - ty) * 0.45, xx - bw * 0.22, ty + (by - ty) * 0.45});
          set(cr, snow);
          cairo_fill(cr);
        }
      }
      fill_rect(cr, xx - 1, kH - h * 0.1, 2, h * 0.1, shade(cc, 0.6));
    });
  }
}

Pic sky_florida() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x1f6fd1), hex(0xb9e2ff), {1, 1, 1}, 0.55, 120, 11});
  paint_range(p, 6, 10, 300, 5, hex(0x2a7fa8), {1, 1, 1}, 999, 0.35, hex(0xb9e2ff));
  palms(p, 26, hex(0x1f4a30), 12, 60);
  return p;
}

Pic sky_alps() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x3d78c8), hex(0xe4eef8), {1, 1, 1}, 0.3, 150, 21});
  paint_range(p, 40, 100, 150, 22, hex(0x6c7a92), hex(0xf4f8ff), 62, 0.3, hex(0xd8e4f2), 1.6);
  paint_range(p, 18, 45, 120, 23, hex(0x5b6a80), hex(0xf8fbff), 40, 0.12, hex(0xd8e4f2), 1.3);
  pines(p, 110, 14, 30, hex(0x1f3b2a), hex(0xf0f4fa), 24, true);
  return p;
}

Pic sky_redcity() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x3a0a24), hex(0xff7a30), hex(0xffb070), 0.35, 110, 31});
  paint_range(p, 20, 50, 220, 32, hex(0x5a1a28), {1, 1, 1}, 999, 0.3, hex(0xc04a40));
  buildings(p, 45, 40, 115, hex(0x4a0f1a), hex(0xffd070), 33, 0.35);
  buildings(p, 60, 20, 70, hex(0x2a060e), hex(0xffe090), 34, 0.25);
  return p;
}

Pic sky_desert() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x4f8fd0), hex(0xf6dfa8), hex(0xfff4dc), 0.12, 140, 41});
  Rng rng(42);
  for (int i = 0; i < 5; ++i) {
    double x = rng.uniform(0, kW), w = rng.uniform(50, 110);
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      polygon(cr, {xx - w, double(kH - 20), xx, kH - 20 - w * 0.65, xx + w, double(kH - 20)});
      set(cr, hex(0xc9a66a));
      cairo_fill(cr);
      polygon(cr, {xx, kH - 20 - w * 0.65, xx + w, double(kH - 20), xx + w * 0.2, double(kH - 20)});
      set(cr, hex(0xa8844c));
      cairo_fill(cr);
    });
  }
  paint_range(p, 8, 28, 200, 43, hex(0xe0b870), {1, 1, 1}, 999, 0.1, hex(0xf6dfa8));
  return p;
}

Pic sky_spain() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x2a68c0), hex(0xcfe6f6), {1, 1, 1}, 0.2, 130, 51});
  paint_range(p, 22, 60, 240, 52, hex(0x9a7a5a), {1, 1, 1}, 999, 0.35, hex(0xcfe6f6), 1.2);
  paint_range(p, 10, 32, 150, 53, hex(0xb8904a), {1, 1, 1}, 999, 0.05, hex(0xcfe6f6));
  Rng rng(54);
  for (int i = 0; i < 14; ++i) {
    double x = rng.uniform(0, kW);
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      for (int k = 0; k < 5; ++k) {
        double hx = xx + k * 9 - 20, hy = kH - 24 - (k % 2) * 4;
        fill_rect(cr, hx, hy, 8, 7, hex(0xf4f0e6));
        fill_rect(cr, hx - 1, hy - 2, 10, 2, hex(0xb45a30));
      }
    });
  }
  return p;
}

Pic sky_russia() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x6f88a8), hex(0xe0e6ee), hex(0xf6f8fa), 0.6, 160, 61});
  paint_range(p, 14, 30, 200, 62, hex(0x4a5a48), {1, 1, 1}, 999, 0.3, hex(0xe0e6ee));
  Rng rng(63);
  for (int i = 0; i < 6; ++i) {
    double x = rng.uniform(0, kW);
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      for (int k = 0; k < 3; ++k) {
        double cx = xx + k * 16 - 16, h = k == 1 ? 70 : 50;
        fill_rect(cr, cx - 5, kH - h, 10, h, hex(0xe8e2d0));
        ellipse(cr, cx, kH - h - 6, 8, 9);
        set(cr, k == 1 ? hex(0xd8a830) : hex(0x3a8a5a));
        cairo_fill(cr);
        polygon(cr, {cx - 2, kH - h - 13, cx + 2, kH - h - 13, cx, kH - h - 24});
        cairo_fill(cr);
      }
    });
  }
  pines(p, 90, 14, 34, hex(0x2a3a2a), {1, 1, 1}, 64, false);
  return p;
}

Pic sky_uk() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x1c222c), hex(0x5a6270), hex(0x3c424c), 0.85, 120, 71});
  buildings(p, 70, 20, 75, hex(0x22262e), hex(0xe8d890), 72, 0.2);
  Rng rng(73);
  for (int i = 0; i < 3; ++i) {
    double x = rng.uniform(0, kW);
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      fill_rect(cr, xx, kH - 95, 14, 95, hex(0x2a2a30));
      fill_rect(cr, xx + 2, kH - 88, 10, 10, hex(0xd8d0a0));
      polygon(cr, {xx - 2, double(kH - 95), xx + 16, double(kH - 95), xx + 7, double(kH - 120)});
      set(cr, hex(0x2a2a30));
      cairo_fill(cr);
    });
  }
  return p;
}

Pic sky_hungary() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x3f86d8), hex(0xdaf0ff), {1, 1, 1}, 0.4, 140, 81});
  paint_range(p, 20, 60, 280, 82, hex(0x6a9a4a), {1, 1, 1}, 999, 0.35, hex(0xdaf0ff));
  paint_range(p, 8, 30, 180, 83, hex(0x8ab050), {1, 1, 1}, 999, 0.1, hex(0xdaf0ff));
  return p;
}

Pic sky_fantasy() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x1a0a40), hex(0xff8ac8), hex(0xd0a0ff), 0.35, 110, 91});
  Rng rng(92);
  for (int i = 0; i < 220; ++i) {
    double x = rng.uniform(0, kW), y = rng.uniform(0, kH - 120), r = rng.uniform(0.5, 1.6);
    ellipse(p.cr, x, y, r, r);
    set(p.cr, {1, 1, 0.9}, 0.9);
    cairo_fill(p.cr);
  }
  wrapped(p, 900, [&](cairo_t* cr, double xx) {
    ellipse(cr, xx, kH - 125, 30, 30);
    set(cr, hex(0xfff4d0));
    cairo_fill(cr);
  });
  for (int i = 0; i < 5; ++i) {
    double x = rng.uniform(0, kW), y = rng.uniform(kH - 140, kH - 70), w = rng.uniform(25, 50);
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      polygon(cr, {xx - w, y, xx + w, y, xx + w * 0.2, y + w * 0.6, xx - w * 0.3, y + w * 0.4});
      set(cr, hex(0x5a3a6a));
      cairo_fill(cr);
      ellipse(cr, xx, y, w, 8);
      set(cr, hex(0x4aa86a));
      cairo_fill(cr);
    });
  }
  paint_range(p, 15, 50, 160, 93, hex(0x4a2a6a), {1, 1, 1}, 999, 0.2, hex(0xff8ac8), 1.2);
  return p;
}

Pic sky_industry() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x5a5650), hex(0xc8a878), hex(0x8a8680), 0.7, 130, 101});
  Rng rng(102);
  for (int i = 0; i < 16; ++i) {
    double x = rng.uniform(0, kW), h = rng.uniform(50, 100);
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      fill_rect(cr, xx, kH - h, 10, h, hex(0x4a3a34));
      for (double y = kH - h + 8; y < kH; y += 22) fill_rect(cr, xx, y, 10, 3, hex(0xc8c0b0));
      for (int k = 0; k < 6; ++k) {
        ellipse(cr, xx + 5 + k * 9, kH - h - 8 - k * 7, 8 + k * 3, 6 + k * 2);
        set(cr, hex(0x8a8478), 0.85);
        cairo_fill(cr);
      }
    });
  }
  buildings(p, 50, 15, 50, hex(0x3a3632), hex(0xf0a040), 103, 0.12);
  return p;
}

Pic sky_bahamas() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x0a7ad8), hex(0xc8f4ff), {1, 1, 1}, 0.3, 130, 111});
  fill_rect(p.cr, 0, kH - 18, kW, 18, hex(0x1aa8c8));
  for (int y = kH - 18; y < kH; y += 3) line(p.cr, 0, y, kW, y, 0.6, {1, 1, 1}, 0.25);
  Rng rng(112);
  for (int i = 0; i < 5; ++i) {
    double x = rng.uniform(0, kW), w = rng.uniform(40, 120);
    wrapped(p, x, [&](cairo_t* cr, double xx) {
      ellipse(cr, xx, kH - 18, w, 14);
      set(cr, hex(0x3a8a4a));
      cairo_fill(cr);
    });
  }
  palms(p, 10, hex(0x1f4a30), 113, 40);
  fill_rect(p.cr, 0, kH - 6, kW, 6, hex(0xf0e0b0));
  return p;
}

Pic sky_swiss() {
  Pic p(kW, kH);
  paint_sky(p, {hex(0x1e62c8), hex(0xd6ecff), {1, 1, 1}, 0.15, 150, 121});
  paint_range(p, 45, 120, 130, 122, hex(0x5a6478), hex(0xffffff), 72, 0.2, hex(0xd6ecff), 1.9);
  paint_range(p, 15, 45, 170, 123, hex(0x4a8a3a), {1, 1, 1}, 999, 0.05, hex(0xd6ecff));
  pines(p, 60, 12, 28, hex(0x1f3b2a), {1, 1, 1}, 124, false);
  return p;
}

}  // namespace

Pic paint_strip(int scenario) {
  switch (scenario) {
    case 2: return sky_alps();
    case 3: return sky_redcity();
    case 4: return sky_desert();
    case 5: return sky_spain();
    case 6: return sky_russia();
    case 7: return sky_uk();
    case 8: return sky_hungary();
    case 9: return sky_fantasy();
    case 10: return sky_industry();
    case 11: return sky_bahamas();
    case 12: return sky_swiss();
    default: return sky_florida();
  }
}

// Each strip is painted once; the sky files and the menu views share it.
const Pic& cached_strip(int scenario) {
  static std::mutex mutex;
  static std::map<int, std::unique_ptr<Pic>> cache;
  std::unique_ptr<Pic>* slot;
  {
    std::lock_guard<std::mutex> lock(mutex);
    slot = &cache[scenario];
  }
  static std::once_flag once[13];
  std::call_once(once[std::clamp(scenario, 0, 12)], [&] { *slot = std::make_unique<Pic>(paint_strip(scenario)); });
  return **slot;
}

Pic sky_strip(int scenario) {
  const Pic& src = cached_strip(scenario);
  Pic p(src.w, src.h);
  cairo_set_source_surface(p.cr, src.surface, 0, 0);
  cairo_set_operator(p.cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(p.cr);
  return p;
}

void register_skies(Registry& r) {
  const char* files[] = {"bg_cloudy3", "bg_alps_snow", "bg_redcityline", "bg_desertsky2", "bg_spain", "bg_russia",
                         "bg_uk_dark", "bg_hungary", "bg_fantasysky", "bg_industry", "bg_bahamas", "bg_swiss"};
  for (int i = 0; i < 12; ++i) r[std::string("GFX/") + files[i] + ".png"] = [i] { return sky_strip(i + 1); };
}

}  // namespace art
