#include "road/canvas.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Narrows first..last (canvas columns, s.x..s.right on entry) to the columns whose sample
// index (s.u0 + (column - s.x) * s.du) >> 10 lies in lo..hi; false when there are none.
bool Sampled_Columns(int lo, int hi, const ScaledSpan& s, int& first, int& last) {
  if (s.du == 0) return lo <= (s.u0 >> 10) && (s.u0 >> 10) <= hi;
  // u stays below the picture's width in 22.10 (as in the blits), so 32 bits hold these;
  // unsigned division keeps this cheap once a row.
  const int from = lo * 1024 - s.u0;           // first u at or past lo
  const int to = (hi + 1) * 1024 - 1 - s.u0;   // last u before hi + 1
  if (to < 0) return false;
  const unsigned du = static_cast<unsigned>(s.du);
  if (from > 0) first = std::min(last + 1, s.x + static_cast<int>((static_cast<unsigned>(from) + du - 1) / du));
  last = std::min(last, s.x + static_cast<int>(static_cast<unsigned>(to) / du));
  return first <= last;
}

// A later blit that paints over some of this one: its clipped span and picture.
struct Cover {
  ScaledSpan s;
  const image* img;
  bool mirrored;
};

// The covers whose clipped rectangles meet the span s, at most Canvas::kMaxCovers;
// only measured pictures, whose solid rows are known.
int Overlapping_Covers(const Canvas& c, const ScaledSpan& s, const ScaledBlit* blits, int count, Cover* out) {
  int n = 0;
  for (int i = 0; i < count && n < Canvas::kMaxCovers; ++i) {
    const ScaledBlit& b = blits[i];
    Cover& k = out[n];
    if (!Usable(b.img) || b.img->opaque.count != b.img->height) continue;
    if (!Clip_Scaled(c, *b.img, b.x, b.y, b.w, b.h, k.s)) continue;
    if (k.s.x > s.right || k.s.right < s.x || k.s.y > s.bottom || k.s.bottom < s.y) continue;
    k.img = b.img;
    k.mirrored = b.mirrored;
    ++n;
  }
  return n;
}

// Trims first..last of one canvas row by the covers' solid spans on that row that reach
// past either end (a cover inside the run leaves it whole); false when nothing is left.
bool Uncovered_Columns(const Cover* covers, int count, int row, int& first, int& last) {
  // Each pass may expose a new end to another cover; count passes are enough.
  for (int pass = 0; pass < count; ++pass) {
    bool trimmed = false;
    for (int i = 0; i < count; ++i) {
      const Cover& k = covers[i];
      if (row < k.s.y || row > k.s.bottom) continue;
      const int last_column = static_cast<int>(k.img->width) - 1;
      const OpaqueColumns& o = k.img->opaque[static_cast<uint32_t>((k.s.v0 + (row - k.s.y) * k.s.dv) >> 10)];
      if (!o.solid) continue;
      int a = k.s.x, b = k.s.right;
      const int lo = k.mirrored ? last_column - o.last : o.first, hi = k.mirrored ? last_column - o.first : o.last;
      if (!Sampled_Columns(lo, hi, k.s, a, b) || b < first || a > last) continue;
      if (a <= first && b >= last) return false;
      if (a <= first) first = b + 1, trimmed = true;
      else if (b >= last) last = a - 1, trimmed = true;
    }
    if (!trimmed) break;
  }
  return true;
}

// Adds R, G, B of s to d, each clamped at 255; the fourth byte becomes 0. Works on all
// bytes at once: the low seven bits of each are added without carries between bytes, bit 7
// and its carry are worked out separately, and a carry out of a byte fills it with 255.
uint32_t Add_Saturated(uint32_t d, uint32_t s) {
  uint32_t low = (d & 0x7F7F7F7Fu) + (s & 0x7F7F7F7Fu);
  uint32_t carry = ((d & s) | ((d | s) & low)) & 0x80808080u;
  uint32_t sum = low ^ ((d ^ s) & 0x80808080u);
  uint32_t full = (carry << 1) - (carry >> 7);
  return (sum | full) & 0x00FFFFFFu;
}

#if defined(__SSE2__)
// Four of the above at once.
inline void Add_Saturated4(uint32_t* dst, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  __m128i src = _mm_set_epi32(static_cast<int>(d), static_cast<int>(c), static_cast<int>(b), static_cast<int>(a));
  __m128i* at = reinterpret_cast<__m128i*>(dst);
  __m128i sum = _mm_adds_epu8(_mm_loadu_si128(at), src);
  _mm_storeu_si128(at, _mm_and_si128(sum, _mm_set1_epi32(0x00FFFFFF)));
}
#else
inline void Add_Saturated4(uint32_t* dst, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  dst[0] = Add_Saturated(dst[0], a);
  dst[1] = Add_Saturated(dst[1], b);
  dst[2] = Add_Saturated(dst[2], c);
  dst[3] = Add_Saturated(dst[3], d);
}
#endif

#if defined(__SSE2__)
// Four source pixels over four canvas pixels where their fourth byte is not 0.
inline void Copy_Opaque4(uint32_t* dst, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  __m128i src = _mm_set_epi32(static_cast<int>(d), static_cast<int>(c), static_cast<int>(b), static_cast<int>(a));
  __m128i* at = reinterpret_cast<__m128i*>(dst);
  __m128i clear = _mm_cmpeq_epi32(_mm_and_si128(src, _mm_set1_epi32(static_cast<int>(0xFF000000u))), _mm_setzero_si128());
  __m128i keep = _mm_and_si128(clear, _mm_loadu_si128(at));
  _mm_storeu_si128(at, _mm_or_si128(keep, _mm_andnot_si128(clear, src)));
}
#else
inline void Copy_Opaque4(uint32_t* dst, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  const uint32_t src[4] = {a, b, c, d};
  for (int i = 0; i < 4; ++i)
    if (src[i] > 0x00FFFFFFu) dst[i] = src[i];
}
#endif

// dst[c] = src[columns[c]] for c in first..last, every sample drawn.
void Copy_Row(uint32_t* dst, const uint32_t* src, const int32_t* columns, int first, int last) {
  for (int col = first; col <= last; ++col) dst[col] = src[columns[col]];
}

// The same where the sample's fourth byte is not 0.
void Copy_Opaque_Row(uint32_t* dst, const uint32_t* src, const int32_t* columns, int first, int last) {
  int col = first;
  for (; col + 3 <= last; col += 4)
    Copy_Opaque4(dst + col, src[columns[col]], src[columns[col + 1]], src[columns[col + 2]], src[columns[col + 3]]);
  for (; col <= last; ++col)
    if (src[columns[col]] > 0x00FFFFFFu) dst[col] = src[columns[col]];
}

// Adds the source columns u >> 10, stepping u by du, to dst[first..last]; du may be negative
// (mirrored). `src` points at the column that u = 0 samples.
void Add_Row(uint32_t* dst, const uint32_t* src, int first, int last, int u, int du) {
  int col = first;
  for (; col + 3 <= last; col += 4, u += 4 * du)
    Add_Saturated4(dst + col, src[u >> 10], src[(u + du) >> 10], src[(u + 2 * du) >> 10], src[(u + 3 * du) >> 10]);
  for (; col <= last; ++col, u += du) dst[col] = Add_Saturated(dst[col], src[u >> 10]);
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
  sample_columns.resize(static_cast<uint32_t>(w));
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
    // Written as a select, every pixel stored, so the loop vectorises.
    for (int i = 0; i < r.cols; ++i) dst[i] = (src[i] >> 24) == 255 ? src[i] : dst[i];
  }
}

void Canvas::blit_keyed(const image* img, int src_x, int src_y, int w, int h, int dst_x, int dst_y) {
  ClippedRect r;
  if (!Usable(img) || !Clip_Blit(*this, *img, src_x, src_y, w, h, dst_x, dst_y, r)) return;
  for (int j = 0; j < r.rows; ++j) {
    const uint32_t* src = Source_Row(*img, r.sy + j) + r.sx;
    uint32_t* dst = data() + static_cast<size_t>(r.dy + j) * width + r.dx;
    for (int i = 0; i < r.cols; ++i) dst[i] = (src[i] >> 24) != 0 && (src[i] & 0xFF0000) != 0 ? src[i] : dst[i];
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

void Canvas::blit_scaled(const image* img, int x, int y, int w, int h, bool mirrored) {
  blit_scaled(img, x, y, w, h, mirrored, nullptr, 0);
}

void Canvas::blit_scaled(const image* img, int x, int y, int w, int h, bool mirrored, const ScaledBlit* covers,
                         int count) {
  ScaledSpan s;
  if (!Usable(img) || !Clip_Scaled(*this, *img, x, y, w, h, s)) return;
  Cover cover[kMaxCovers];
  const int cover_count = Overlapping_Covers(*this, s, covers, count, cover);
  const bool measured = img->opaque.count == img->height;
  const int last_column = static_cast<int>(img->width) - 1;
  // Every row samples the same picture columns.
  int32_t* columns = sample_columns.data;
  for (int col = s.x, u = s.u0; col <= s.right; ++col, u += s.du) columns[col] = mirrored ? last_column - (u >> 10) : u >> 10;
  int v = s.v0;
  for (int row = s.y; row <= s.bottom; ++row, v += s.dv) {
    const uint32_t sy = static_cast<uint32_t>(v >> 10);
    int first = s.x, last = s.right;
    bool solid = false;
    if (measured) {
      // Only the canvas columns whose samples fall between the row's outer drawn pixels:
      // the rest would sample pixels that are not drawn.
      const OpaqueColumns& o = img->opaque[sy];
      if (o.first > o.last) continue;
      const int lo = mirrored ? last_column - o.last : o.first, hi = mirrored ? last_column - o.first : o.last;
      if (!Sampled_Columns(lo, hi, s, first, last)) continue;
      solid = o.solid;
    }
    if (cover_count && !Uncovered_Columns(cover, cover_count, row, first, last)) continue;
    uint32_t* dst = data() + static_cast<size_t>(row) * width;
    const uint32_t* src = Source_Row(*img, static_cast<int>(sy));
    if (solid) Copy_Row(dst, src, columns, first, last);
    else Copy_Opaque_Row(dst, src, columns, first, last);
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
      Add_Row(dst, src + last, s.x, inside_end, -s.u0, -s.du);
      for (int col = std::max(inside_end + 1, s.x); col <= s.right; ++col) dst[col] = Add_Saturated(dst[col], src[0]);
    } else {
      Add_Row(dst, src, s.x, s.right, s.u0, s.du);
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
