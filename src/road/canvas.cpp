#include "road/canvas.h"

#include <algorithm>
#include <cstring>

#include "road/image.h"

namespace {

// Source rectangle and destination corner after clipping to both pictures.
struct ClippedRect {
  int sx, sy, dx, dy, cols, rows;
};

// Clips an unscaled blit to the canvas and to the source image; 0 when nothing shows.
int Clip_Blit(const Canvas& c, const image& img, int sx, int sy, int w, int h, int dx, int dy,
              ClippedRect& out) {
  if (dx >= c.width || dy >= c.height) return 0;
  if (static_cast<int64_t>(dx) + w < 1 || static_cast<int64_t>(dy) + h < 1) return 0;
  int64_t cols = std::min<int64_t>(w, static_cast<int64_t>(c.width) - dx);
  int64_t rows = std::min<int64_t>(h, static_cast<int64_t>(c.height) - dy);
  int64_t x0 = sx, y0 = sy, x1 = dx, y1 = dy;
  if (x1 < 0) { x0 -= x1; cols += x1; x1 = 0; }
  if (y1 < 0) { y0 -= y1; rows += y1; y1 = 0; }
  // The source rectangle must lie inside the image.
  if (x0 < 0) { x1 -= x0; cols += x0; x0 = 0; }
  if (y0 < 0) { y1 -= y0; rows += y0; y0 = 0; }
  cols = std::min<int64_t>(cols, static_cast<int64_t>(img.width) - x0);
  rows = std::min<int64_t>(rows, static_cast<int64_t>(img.height) - y0);
  if (cols < 1 || rows < 1) return 0;
  out = {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1),
         static_cast<int>(cols), static_cast<int>(rows)};
  return 1;
}

// A colour picture the 32-bit primitives can read.
bool Usable(const image* img) {
  return img && img->bytes_per_pixel == 4 && img->width > 0 && img->height > 0 && img->pixels.data;
}

const uint32_t* Source_Row(const image& img, int y) {
  return reinterpret_cast<const uint32_t*>(img.row(static_cast<uint32_t>(y)));
}

// Scaled-blit set-up shared by the transparent and the additive form.
struct ScaledSpan {
  int x, y, right, bottom;
  int du, dv, u0, v0;
};

int Clip_Scaled(const Canvas& c, const image& img, int x, int y, int w, int h, ScaledSpan& s) {
  if (x >= c.width || y >= c.height || w <= 0 || h <= 0) return 0;
  if (static_cast<int64_t>(x) + w - 1 < 0 || static_cast<int64_t>(y) + h - 1 < 0) return 0;
  s.du = static_cast<int>((static_cast<int64_t>(img.width) * 1024) / w);
  s.dv = static_cast<int>((static_cast<int64_t>(img.height) * 1024) / h);
  // The far edges come from the unclipped corner, so a picture cut at the left or top
  // still ends where it should and sampling never passes its last column or row.
  s.right = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(x) + w - 1, c.width - 1));
  s.bottom = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(y) + h - 1, c.height - 1));
  s.u0 = 0;
  s.v0 = 0;
  // -x < w and -y < h here, so the start offsets stay below the image size in 22.10.
  if (x < 0) { s.u0 = static_cast<int>(-static_cast<int64_t>(x) * s.du); x = 0; }
  if (y < 0) { s.v0 = static_cast<int>(-static_cast<int64_t>(y) * s.dv); y = 0; }
  s.x = x;
  s.y = y;
  return y <= s.bottom;
}

uint32_t Add_Saturated(uint32_t d, uint32_t s) {
  uint32_t r = std::min<uint32_t>((d & 0xFF) + (s & 0xFF), 255);
  uint32_t g = std::min<uint32_t>(((d >> 8) & 0xFF) + ((s >> 8) & 0xFF), 255);
  uint32_t b = std::min<uint32_t>(((d >> 16) & 0xFF) + ((s >> 16) & 0xFF), 255);
  return r | (g << 8) | (b << 16);
}

}  // namespace

Canvas::Canvas(int w, int h) { resize(w, h); }

Canvas::~Canvas() { delete pixels; }

void Canvas::resize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (pixels && w == width && h == height) return;
  image* fresh = new image(static_cast<uint32_t>(w), static_cast<uint32_t>(h), 32, static_cast<uint32_t>(w) * 4);
  width = w;
  height = h;
  delete pixels;
  pixels = fresh;
}

uint32_t* Canvas::data() const { return reinterpret_cast<uint32_t*>(pixels->pixels.data); }

void Canvas::fill_rect(int x, int y, int w, int h, uint32_t colour) {
  int64_t last_x = static_cast<int64_t>(x) + w - 1, last_y = static_cast<int64_t>(y) + h - 1;
  if (last_y < 0 || y >= height || last_x < 0 || x >= width) return;
  int left = std::max(x, 0), right = static_cast<int>(std::min<int64_t>(last_x, width - 1));
  int top = std::max(y, 0), bottom = static_cast<int>(std::min<int64_t>(last_y, height - 1));
  if (left > right || top > bottom) return;
  uint32_t* first = data() + static_cast<size_t>(top) * width + left;
  std::fill(first, first + (right - left + 1), colour);
  size_t bytes = static_cast<size_t>(right - left + 1) * 4;
  for (int row = top + 1; row <= bottom; ++row)
    std::memcpy(data() + static_cast<size_t>(row) * width + left, first, bytes);
}

void Canvas::fill_span(int x, int w, int row, uint32_t colour) {
  if (row < 0 || row >= height) return;
  int64_t a = x, b = static_cast<int64_t>(x) + w - 1;
  if (w < 1) std::swap(a, b);
  a = std::max<int64_t>(a, 0);
  b = std::min<int64_t>(b, width - 1);
  if (a > b) return;
  uint32_t* line = data() + static_cast<size_t>(row) * width;
  std::fill(line + a, line + b + 1, colour);
}

void Canvas::darken_span(int x_a, int x_b, int row) {
  if (row < 0 || row >= height) return;
  if (x_a > x_b) std::swap(x_a, x_b);
  x_a = std::max(x_a, 0);
  x_b = std::min(x_b, width - 1);
  uint32_t* line = data() + static_cast<size_t>(row) * width;
  for (int x = x_a; x <= x_b; ++x) line[x] = (line[x] & 0xFEFEFEFEu) >> 1;
}

void Canvas::blit(const image* img, int src_x, int src_y, int w, int h, int dst_x, int dst_y) {
  ClippedRect r;
  if (!Usable(img) || !Clip_Blit(*this, *img, src_x, src_y, w, h, dst_x, dst_y, r)) return;
  for (int j = 0; j < r.rows; ++j) {
    const uint32_t* src = Source_Row(*img, r.sy + j) + r.sx;
    uint32_t* dst = data() + static_cast<size_t>(r.dy + j) * width + r.dx;
    for (int i = 0; i < r.cols; ++i)
      if ((src[i] >> 24) == 255) dst[i] = src[i];
  }
}

void Canvas::blit_keyed(const image* img, int src_x, int src_y, int w, int h, int dst_x, int dst_y) {
  ClippedRect r;
  if (!Usable(img) || !Clip_Blit(*this, *img, src_x, src_y, w, h, dst_x, dst_y, r)) return;
  for (int j = 0; j < r.rows; ++j) {
    const uint32_t* src = Source_Row(*img, r.sy + j) + r.sx;
    uint32_t* dst = data() + static_cast<size_t>(r.dy + j) * width + r.dx;
    for (int i = 0; i < r.cols; ++i)
      if ((src[i] >> 24) != 0 && (src[i] & 0xFF) != 0) dst[i] = src[i];
  }
}

void Canvas::copy(const image* img, int x, int y) {
  ClippedRect r;
  if (!Usable(img)) return;
  if (!Clip_Blit(*this, *img, 0, 0, static_cast<int>(img->width), static_cast<int>(img->height), x, y, r)) return;
  for (int j = 0; j < r.rows; ++j)
    std::memcpy(data() + static_cast<size_t>(r.dy + j) * width + r.dx, Source_Row(*img, r.sy + j) + r.sx,
                static_cast<size_t>(r.cols) * 4);
}

void Canvas::blit_scaled(const image* img, int x, int y, int w, int h) {
  ScaledSpan s;
  if (!Usable(img) || !Clip_Scaled(*this, *img, x, y, w, h, s)) return;
  int v = s.v0;
  for (int row = s.y; row <= s.bottom; ++row, v += s.dv) {
    const uint32_t* src = Source_Row(*img, v >> 10);
    uint32_t* dst = data() + static_cast<size_t>(row) * width;
    int u = s.u0;
    for (int col = s.x; col <= s.right; ++col, u += s.du) {
      uint32_t p = src[u >> 10];
      if (p > 0x00FFFFFFu) dst[col] = p;
    }
  }
}

void Canvas::blit_additive(const image* img, int x, int y, int w, int h) {
  bool mirror = w < 0;
  int size = mirror ? static_cast<int>(std::min<int64_t>(-static_cast<int64_t>(w), INT32_MAX)) : w;
  ScaledSpan s;
  if (!Usable(img) || !Clip_Scaled(*this, *img, x, y, size, h, s)) return;
  int last = static_cast<int>(img->width) - 1;
  // Mirrored sampling stays at or right of column 0 while u >= -last * 1024.
  int inside_end = s.right;
  int64_t room = static_cast<int64_t>(last) * 1024 - s.u0;
  if (mirror && room < 0) inside_end = s.x - 1;
  else if (mirror && s.du > 0) inside_end = static_cast<int>(std::min<int64_t>(s.right, s.x + room / s.du));
  int v = s.v0;
  for (int row = s.y; row <= s.bottom; ++row, v += s.dv) {
    const uint32_t* src = Source_Row(*img, v >> 10);
    uint32_t* dst = data() + static_cast<size_t>(row) * width;
    if (mirror) {
      // Sampling runs leftwards from the last column; when enlarging, the last few steps
      // would pass column 0, so those pixels repeat column 0.
      int u = -s.u0, col = s.x;
      for (; col <= inside_end; ++col, u -= s.du) dst[col] = Add_Saturated(dst[col], src[last + (u >> 10)]);
      for (; col <= s.right; ++col) dst[col] = Add_Saturated(dst[col], src[0]);
    } else {
      int u = s.u0;
      for (int col = s.x; col <= s.right; ++col, u += s.du) dst[col] = Add_Saturated(dst[col], src[u >> 10]);
    }
  }
}

void Canvas::textured_trapezoid(const image* img, int fl, int fr, int ft, int nl, int nr, int nb) {
  int top = ft >> 10, bottom = nb >> 10;
  int64_t h = static_cast<int64_t>(bottom) - top + 1;
  if (top >= height || bottom < 0 || h < 1) return;
  if (fl > fr) std::swap(fl, fr);
  if (nl > nr) std::swap(nl, nr);
  if ((std::min(fl, nl) >> 10) >= width || std::max(fr, nr) < 0) return;
  int64_t dl = h == 1 ? 0 : (static_cast<int64_t>(nl) - fl) / h;
  int64_t dr = h == 1 ? 0 : (static_cast<int64_t>(nr) - fr) / h;
  if (!Usable(img)) return;
  int64_t dv = (static_cast<int64_t>(img->height) * 1024) / h;
  int64_t left = fl, right = fr, v = 0;
  int first = top;
  if (top < 0) {
    // Start at row 0 with the edges and texture row that row 0 has in the whole shape.
    v = -static_cast<int64_t>(top) * dv;
    left += -static_cast<int64_t>(top) * dl;
    right += -static_cast<int64_t>(top) * dr;
    first = 0;
  }
  // The near row belongs to the next trapezoid, unless it lies below the canvas.
  int last = bottom > height - 1 ? height - 1 : bottom - 1;
  int64_t span_scale = static_cast<int64_t>(img->width - 1) * 1024;
  for (int row = first; row <= last; ++row, left += dl, right += dr, v += dv) {
    if (right - left < 1024) continue;
    int64_t du = span_scale / ((right - left) >> 10);
    int64_t xl = left >> 10, u = 0;
    int64_t count = std::min<int64_t>(right >> 10, width - 1) - std::max<int64_t>(xl, 0);
    if (count < 1) continue;
    if (xl < 0) { u = -xl * du; xl = 0; }
    const uint32_t* src = Source_Row(*img, static_cast<int>(v >> 10));
    uint32_t* dst = data() + static_cast<size_t>(row) * width + xl;
    for (int64_t i = 0; i < count; ++i, u += du) dst[i] = src[u >> 10];
  }
}
