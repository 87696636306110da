// The drawing pass: grass and road rows, ground textures, roadside objects and vehicles,
// far to near, and the collision candidate ahead of the player.
#include <algorithm>
#include <cmath>

#include "road/canvas.h"
#include "road/image.h"
#include "road/road.h"
#include "vehicles/model/vehicle.h"

namespace road {

namespace {
enum Kind { kC0 = 0, kC1, kL1, kR1, kL2, kR2, kL3, kR3 };

const int kLastVehiclePatch = 117;
const int32_t kCoverLooks = 64;  // later objects a draw looks at for covers

// Whether [a, a + a_len) and [b, b + b_len) are apart.
bool Int_Gap(int a, int a_len, int b, int b_len) {
  return static_cast<int64_t>(a) + a_len <= b || static_cast<int64_t>(b) + b_len <= a;
}
}  // namespace

int View_Frame(int n, int d) {
  if (n < 1) return 0;
  int turn = d < -139 ? 2 : d < -69 ? 1 : d >= 140 ? -2 : d >= 70 ? -1 : 0;
  int frame = n / 2 + turn;
  return frame < 0 ? 0 : (frame > n - 1 ? n - 1 : frame);
}

void Road::fill_buckets(DVec<vehicle*>& bucket_list, int32_t p) {
  for (uint32_t b = 0; b < bucket_list.count; ++b) bucket_list[b] = nullptr;
  int32_t q = segment_length / 4;
  if (!vehicles || q < 1) return;
  int32_t base = p - 200 > 0 ? p - 200 : 0;
  int32_t end = base + 120 * segment_length;
  for (uint32_t n = 0; n < vehicles->count; ++n) {
    vehicle* v = (*vehicles)[n];
    if (!v || v->z < base || v->z >= end) continue;
    uint32_t b = static_cast<uint32_t>((v->z - base) / q);
    if (b >= bucket_list.count) continue;
    v->link = bucket_list[b];
    bucket_list[b] = v;
  }
}

bool Road::draw(Canvas& canvas, DVec<vehicle*>& bucket_list, int32_t p) {
  bool lap = build_patches(p);
  nearest = nullptr;
  if (segment_length < 1) return lap;
  int32_t phase = (stripe_position / segment_length) & 1;
  plan_objects();
  PatchSS far = patches_ss[kPatches - 1];
  int32_t prev_rows = 10;
  for (int i = kPatches - 1; i >= 0; --i) {
    int32_t pi = view_position + 100 * i;
    int32_t m = layout_cursor.find_backward(pi);
    if (m < 0) m = 0;
    const PatchSS& near = patches_ss[i];
    int32_t rows = near.y - far.y + 1;
    // A patch whose near row lies above its far row faces away behind a crest.
    bool drawn = near.y >= far.y && !(rows == 1 && prev_rows == 1);
    if (drawn) {
      bool even = ((phase + (120 - i)) & 1) == 0;
      canvas.fill_rect(0, far.y, screen_width, rows, (even ? grass_light : grass_dark).word());
      bool dash = layout->count() != 0 && layout->dash_on(m, pi);
      draw_patch_rows(canvas, i, even, far, near, dash);
    }
    draw_ground(canvas, far, near, pi);
    if (i <= kLastObjectPatch) draw_objects(canvas, i);
    if (i <= kLastVehiclePatch) draw_vehicles(canvas, i, bucket_list);
    far = near;
    prev_rows = rows;
  }
  return lap;
}

void Road::draw_patch_rows(Canvas& canvas, int i, bool even, const PatchSS& far, const PatchSS& near, bool dash) {
  float f = i / 120.0f;  // fog share
  uint32_t surface = Fogged(even ? road_light : road_dark, fog, f).word();
  uint32_t kerb = Fogged(even ? kerb_even : kerb_odd, fog, f).word();
  uint32_t line_word = line.word(), blend_word = line_blend.word();

  int32_t h = near.y - far.y + 1;
  if (h <= 0) return;
  float dl = 0.0f, dr = 0.0f;
  if (h > 1) {
    dl = static_cast<float>(near.x1 - far.x1) / h;
    dr = static_cast<float>(near.x2 - far.x2) / h;
  }
  float L = static_cast<float>(far.x1), R = static_cast<float>(far.x2);
  for (int32_t r = far.y; r < near.y; ++r, L += dl, R += dr) {
    if (r >= canvas.height) break;
    if (r < 0) continue;
    float W = R - L;
    float k = 0.0025f * W * 4.0f;
    int32_t kw = static_cast<int32_t>(k);
    canvas.fill_span(static_cast<int32_t>(L), kw, r, kerb);
    canvas.fill_span(static_cast<int32_t>(W + L - k), kw, r, kerb);
    canvas.fill_span(static_cast<int32_t>(k + L), static_cast<int32_t>(W - 2.0f * k), r, surface);
    float w = 0.0025f * W * 4.0f;
    if (!dash || w <= 0.0625f) continue;
    float step = W / 5.0f;
    if (w >= 1.0f) {
      float x = step + L + 0.5f * k - 0.5f * w;
      for (int n = 0; n < 4; ++n, x += step) canvas.fill_span(static_cast<int32_t>(x), static_cast<int32_t>(w), r, line_word);
    } else {
      float x = 0.5f * k + step + L;
      for (int n = 0; n < 4; ++n, x += step) canvas.fill_span(static_cast<int32_t>(x), 1, r, blend_word);
    }
  }
}

void Road::draw_ground(Canvas& canvas, const PatchSS& far, const PatchSS& near, int32_t p) {
  int32_t k = cursors[kC0].find_backward(p);
  if (k >= 0 && C0->object(k))
    C0->object(k)->draw_ground(&canvas, 0, far.x0, far.x1, far.y, near.x0, near.x1, near.y, kDrawMirrored);
  k = cursors[kC1].find_backward(p);
  if (k >= 0 && C1->object(k))
    C1->object(k)->draw_ground(&canvas, 0, far.x2, far.x3, far.y, near.x2, near.x3, near.y, 0);
}

// Every roadside object of the pass, in drawing order, so that each draw knows which later
// ones will cover it. The cursors are asked in the same order as when drawing.
void Road::plan_objects() {
  static const int kSides[2][3] = {{kL1, kL2, kL3}, {kR1, kR2, kR3}};
  int32_t n = 0;
  planned_end[kLastObjectPatch + 1] = 0;
  for (int i = kLastObjectPatch; i >= 0; --i) {
    const int32_t p = view_position + 100 * i;
    const PatchWS& ws = patches_ws[i + 2];
    const float s = patches_ss[i + 2].scale;
    const int32_t yo = static_cast<int32_t>(camera->centre_y - (ws.y + camera->height) * s);
    for (int side = 0; side < 2; ++side) {
      const int32_t edge = side == 0 ? ws.left : ws.right;
      for (int j = 0; j < 3; ++j) {
        const int kind = kSides[side][j];
        const int32_t pj = p - 200 * j;
        const int32_t k = cursors[kind].find_backward(pj);
        const SectorList* list = cursors[kind].list;
        // A run whose id had no sprite loaded carries none and is skipped.
        if (k < 0 || !list->object_on(k, pj) || !list->object(k)) continue;
        const Sector& rec = list->sectors[k];
        PlannedObject& o = planned[n++];
        o = {rec.object, static_cast<int32_t>((rec.offset + edge) * s + camera->centre_x), yo, 2.0f * s,
             side == 0 ? kDrawMirrored : 0, ScaledBlit()};
        if (!o.object->scaled_blit(0, o.x, o.y, o.scale, o.mode, o.blit)) o.blit.img = nullptr;
      }
    }
    planned_end[i] = n;
  }
}

void Road::draw_objects(Canvas& canvas, int i) {
  camera->scale = patches_ss[i + 2].scale;
  // Each draw leaves out what the nearer ones overlapping it will paint over.
  ScaledBlit covers[Canvas::kMaxCovers];
  const int32_t total = planned_end[0];
  for (int32_t e = planned_end[i + 1]; e < planned_end[i]; ++e) {
    const PlannedObject& o = planned[e];
    int count = 0;
    const ScaledBlit& b = o.blit;
    if (b.img) {
      // Nearest first: the largest, the likeliest to cover. A bounded look keeps a track
      // crowded with objects from costing a pass over all of them for each one.
      const int32_t stop = std::max(e, total - 1 - kCoverLooks);
      for (int32_t later = total - 1; later > stop && count < Canvas::kMaxCovers; --later) {
        const ScaledBlit& c = planned[later].blit;
        if (!c.img || Int_Gap(c.x, c.w, b.x, b.w) || Int_Gap(c.y, c.h, b.y, b.h)) continue;
        covers[count++] = c;
      }
    }
    o.object->draw(&canvas, 0, o.x, o.y, o.scale, o.mode, covers, count);
  }
}

void Road::draw_vehicles(Canvas& canvas, int i, DVec<vehicle*>& bucket_list) {
  int32_t ci = (patches_ws[i].left + patches_ws[i].right) >> 1;
  int32_t cn = (patches_ws[i + 1].left + patches_ws[i + 1].right) >> 1;
  int32_t xc = static_cast<int32_t>((1.0f - view_frac) * ci + view_frac * cn);
  int32_t Y = patches_ws[i].y;
  // Buckets are a quarter segment of depth each, so patch i owns buckets 4i..4i+3 at any
  // segment length: every vehicle is walked once, with the patch at its depth.
  if (4 * i + 3 >= static_cast<int32_t>(bucket_list.count)) return;
  for (int b = 4 * i + 3; b >= 4 * i; --b) {
    for (vehicle* v = bucket_list[b]; v; v = v->link) {
      if (v->z < v->start_z) continue;
      float z = (v->z - view_position) + camera->depth;
      if (z <= 0.0f) continue;
      float s = camera->depth / z;
      float lx = v->x + xc;
      float sx = camera->centre_x + lx * s;
      float sy = camera->centre_y - (camera->height + Y) * s;
      int n = v->sprite_set ? v->sprite_set->frame_count : 0;
      int frame = View_Frame(n, static_cast<int>(sx - camera->centre_x));
      if (i >= 2 && i <= 4 && lx >= -100.0f && lx <= 100.0f && v->collidable) {
        nearest = v;
        overlap = 1.0f - std::fabs(lx) / 60.0f;
      }
      if (v->sprite_set) v->sprite_set->draw(&canvas, frame * 10, static_cast<int>(sx), static_cast<int>(sy), s);
    }
  }
}

}  // namespace road
