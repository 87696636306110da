#include "road/road.h"

#include <cmath>

namespace road {

namespace {
uint8_t Clamp_Channel(float v) {
  int32_t i = static_cast<int32_t>(v);
  return static_cast<uint8_t>(i < 0 ? 0 : (i > 255 ? 255 : i));
}

Colour Shade(Colour c, float factor) {
  return {Clamp_Channel(c.r * factor), Clamp_Channel(c.g * factor), Clamp_Channel(c.b * factor), 255};
}

const Sector kEmptySector = {};
}  // namespace

Colour Fogged(Colour c, Colour fog, float f) {
  float keep = 1.0f - f;
  return {Clamp_Channel(c.r * keep + fog.r * f), Clamp_Channel(c.g * keep + fog.g * f),
          Clamp_Channel(c.b * keep + fog.b * f), Clamp_Channel(c.a * keep + fog.a * f)};
}

Road::Road(Camera* cam) : camera(cam) {
  set_colours({70, 70, 70, 255}, {250, 250, 250, 255}, {20, 20, 20, 255}, {220, 220, 5, 255},
              {200, 100, 10, 255}, {128, 140, 180, 255});
  layout = new SectorList();
  L1 = new SectorList();
  R1 = new SectorList();
  L2 = new SectorList();
  R2 = new SectorList();
  L3 = new SectorList();
  R3 = new SectorList();
  C0 = new SectorList();
  C1 = new SectorList();
  patches_ss.resize(kPatches);
  patches_ws.resize(kPatches);
  buckets.resize(kBuckets);
}

Road::~Road() {
  delete layout;
  delete L1;
  delete R1;
  delete L2;
  delete R2;
  delete L3;
  delete R3;
  delete C0;
  delete C1;
}

void Road::setup(int32_t width, int32_t height, int32_t lane, int32_t segment) {
  screen_width = width;
  screen_height = height;
  lane_width = lane;
  segment_length = segment;
  road_width = 4 * lane;
  far_y = camera->centre_y;
  camera->centre_y = static_cast<float>(static_cast<uint32_t>(height) * 120u / 100u) * 0.3f;
  camera->height = static_cast<float>((segment * -135) / 100);
}

void Road::set_colours(Colour road, Colour line_colour, Colour odd, Colour even, Colour grass, Colour fog_colour) {
  road_light = Shade(road, 1.015f);
  road_dark = Shade(road, 0.985f);
  line = line_colour;
  line_blend = {Clamp_Channel(road.r * 0.5f + line_colour.r * 0.5f), Clamp_Channel(road.g * 0.5f + line_colour.g * 0.5f),
                Clamp_Channel(road.b * 0.5f + line_colour.b * 0.5f), Clamp_Channel(road.a * 0.5f + line_colour.a * 0.5f)};
  kerb_odd = odd;
  kerb_even = even;
  grass_light = Shade(grass, 1.015f);
  grass_dark = Shade(grass, 0.885f);
  fog = fog_colour;
}

void Road::add_sector(int32_t lanes, int32_t hill, int32_t curve, int32_t length) {
  layout->append({nullptr, 0, length, 2, 0, curve, hill, lanes});
}

SectorList* Road::object_list(int kind) const {
  switch (kind) {
    case 0: return C0;
    case 1: return C1;
    case 2: return L1;
    case 3: return R1;
    case 4: return L2;
    case 5: return R2;
    case 6: return L3;
    case 7: return R3;
    default: return nullptr;
  }
}

int32_t Road::track_length() const {
  if (layout->count() == 0) return 0;
  return (layout->sectors.back().start - 121) * 100;
}

int32_t Road::off_road(int32_t x) const {
  int32_t half = road_width >> 1;
  if (x > lateral + half) return x - (lateral + half);
  if (x < lateral - half) return x - (lateral - half);
  return 0;
}

const Sector& Road::layout_record(int32_t index) const {
  // An empty layout has no record 0 to fall back on: it draws as a road of no lanes.
  if (index < 0 || static_cast<uint32_t>(index) >= layout->count()) return kEmptySector;
  return layout->sectors[index];
}

bool Road::build_patches(int32_t p) {
  bool lap = false;
  int32_t lap_length = track_length();
  if (lap_length > 0 && p >= lap_length) {
    p %= lap_length;
    lap = true;
  }
  top_y = 2147483647;
  view_position = p;
  stripe_position = p;
  if (segment_length < 1) return lap;  // not set up yet: nothing to project
  layout_cursor.reset(layout);
  layout_cursor.seek(p);
  // Object lists have no terminator: their last run is drawn like any other.
  for (int kind = 0; kind < kObjectLists; ++kind) {
    cursors[kind].reset(object_list(kind), false);
    cursors[kind].seek(p);
  }

  int32_t r = p % segment_length;
  float frac = static_cast<float>(r) / segment_length;
  view_frac = frac;
  float z = static_cast<float>(-r);
  float A = 0.0f, X = 0.0f, B = 0.0f, Y = 0.0f;
  int32_t Xi = 0;
  for (int i = 0; i < kPatches; ++i) {
    float k = (i / 120.0f) * 0.017453292f;
    int32_t pi = p + 100 * i;
    int32_t s = layout_cursor.find_forward(pi);
    if (s < 0) {
      if (i == 0) stripe_position = 0;
      s = 0;
    }
    for (int kind = 0; kind < kObjectLists; ++kind) cursors[kind].find_forward(pi);

    const Sector& cur = layout_record(s);
    const Sector& prev = s > 0 ? layout_record(s - 1) : kEmptySector;
    float t = layout->count() ? 3.0f * layout->fraction(s, pi) : 3.0f;
    float w = t <= 1.0f ? t : 1.0f;
    float D = std::sin(prev.curve * k) * (1.0f - w) + std::sin(cur.curve * k) * w;
    if (i == 2) curve_force = D * -100.0f;
    float A2 = A + 5.0f * D;
    X = X + A * frac + A2 * (1.0f - frac);

    int32_t W = lane_width * cur.lanes;
    road_width = W;
    int32_t half = (W - 8 * i) / 2;
    int32_t c = lateral + Xi;
    int32_t left = c - half, right = c + half;

    float H = std::sin(prev.hill * k) * (1.0f - w) + std::sin(cur.hill * k) * w;
    float B2 = B + 2.0f * H;
    Y = Y + B * frac + B2 * (1.0f - frac);
    Xi = static_cast<int32_t>(X);
    int32_t Yi = static_cast<int32_t>(Y);

    patches_ws[i] = {left - 800, left, right, right + 800, Yi};
    project(i, z);
    z += segment_length;
    A = A2;
    B = B2;
  }
  return lap;
}

void Road::project(int i, float z) {
  float scale;
  if (z > 0.0f) {
    scale = camera->depth / z;
    camera->behind = 0;
  } else {
    scale = 0.01f;
    camera->behind = 1;
  }
  camera->scale = scale;
  const PatchWS& ws = patches_ws[i];
  PatchSS& ss = patches_ss[i];
  float cx = camera->centre_x;
  ss.scale = scale;
  ss.x0 = static_cast<int32_t>(ws.outer_left * scale + cx);
  ss.x1 = static_cast<int32_t>(ws.left * scale + cx);
  ss.x2 = static_cast<int32_t>(ws.right * scale + cx);
  ss.x3 = static_cast<int32_t>(ws.outer_right * scale + cx);
  ss.y = static_cast<int32_t>(camera->centre_y - (ws.y + camera->height) * scale);
  far_y = static_cast<float>(ss.y);
  if (ss.y < top_y) top_y = ss.y;
}

}  // namespace road
