#pragma once
// The road of one track: its sector lists, colours and the per-frame patches.
#include <cstdint>

#include "common/dvec.h"
#include "road/camera.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/sector.h"

class Canvas;
class vehicle;

namespace road {

// A colour of the road's palette.
struct Colour {
  uint8_t r, g, b, a;
  // The canvas word (Pixel_Word).
  uint32_t word() const { return Pixel_Word(r, g, b, a); }
};

// One depth slice in world units.
struct PatchWS {
  int32_t outer_left, left, right, outer_right, y;
};

// The same slice on screen.
struct PatchSS {
  int32_t x0, x1, x2, x3, y;
  float scale;  // screen pixels per world unit
};

constexpr int kPatches = 121;
constexpr int kBuckets = 483;
constexpr int kObjectLists = 8;
constexpr int kLastObjectPatch = 108;  // the farthest patch that shows roadside objects

class Road {
 public:
  float far_y = 0.0f;        // screen row of patch 120 of the last build
  int32_t top_y = 2147483647;
  int32_t lateral = 0;       // lateral camera offset, world units
  int32_t position = 0;      // camera position, position units
  int32_t screen_width = 0, screen_height = 0;
  int32_t road_width = 0;
  int32_t lane_width = 0;
  int32_t segment_length = 0;
  Camera* camera;            // not owned
  Colour road_light, road_dark, line, line_blend, kerb_odd, kerb_even, grass_light, grass_dark, fog;
  DVec<PatchSS> patches_ss;
  DVec<PatchWS> patches_ws;
  float curve_force = 0.0f;  // sideways push of the curve at patch 2
  SectorList* layout;
  SectorList *L1, *L2, *L3, *R1, *R2, *R3, *C0, *C1;
  DVec<vehicle*>* vehicles = nullptr;  // not owned
  DVec<vehicle*> buckets;              // 4 per segment, chains through vehicle::link
  vehicle* nearest = nullptr;          // collision candidate of the last draw
  float overlap = 0.0f;

  // State of the current pass.
  SectorCursor layout_cursor;
  SectorCursor cursors[kObjectLists];  // by list kind
  int32_t view_position = 0;           // camera position after the lap wrap
  int32_t stripe_position = 0;         // view_position, or 0 when patch 0 had no layout record
  float view_frac = 0.0f;              // sub-segment fraction of the camera

  // A roadside object of the current pass, and the scaled blit it makes (blit.img null
  // when it makes none).
  struct PlannedObject {
    sprite* object;
    int32_t x, y;
    float scale;
    int mode;
    ScaledBlit blit;
  };
  PlannedObject planned[(kLastObjectPatch + 1) * 6];
  // Far to near: patch i's objects are planned[planned_end[i + 1] .. planned_end[i] - 1].
  int32_t planned_end[kLastObjectPatch + 2];

  explicit Road(Camera* cam);
  ~Road();
  Road(const Road&) = delete;
  Road& operator=(const Road&) = delete;

  void setup(int32_t width, int32_t height, int32_t lane, int32_t segment);
  void set_colours(Colour road, Colour line_colour, Colour odd, Colour even, Colour grass, Colour fog_colour);
  void add_sector(int32_t lanes, int32_t hill, int32_t curve, int32_t length);
  // 0 C0, 1 C1, 2 L1, 3 R1, 4 L2, 5 R2, 6 L3, 7 R3; null otherwise. Even kinds lie left.
  SectorList* object_list(int kind) const;
  void set_vehicles(DVec<vehicle*>* list) { vehicles = list; }
  // Lap length in position units; the last layout record is a terminator.
  int32_t track_length() const;
  // Distance of x beyond the road edge nearer to it, 0 on the road.
  int32_t off_road(int32_t x) const;

  // Builds and projects the 121 patches around p; returns 1 when p was wrapped into the lap.
  bool build_patches(int32_t p);
  // Screen patch i of a world patch at depth z.
  void project(int i, float z);
  // Sorts the attached vehicles into the buckets behind and ahead of p.
  void fill_buckets(DVec<vehicle*>& bucket_list, int32_t p);
  // Builds the patches and draws road, objects and vehicles far to near; returns the lap flag.
  bool draw(Canvas& canvas, DVec<vehicle*>& bucket_list, int32_t p);

 private:
  const Sector& layout_record(int32_t index) const;
  void draw_patch_rows(Canvas& canvas, int i, bool even, const PatchSS& far, const PatchSS& near, bool dash);
  void draw_ground(Canvas& canvas, const PatchSS& far, const PatchSS& near, int32_t p);
  void plan_objects();
  void draw_objects(Canvas& canvas, int i);
  void draw_vehicles(Canvas& canvas, int i, DVec<vehicle*>& bucket_list);
};

// Fog blend of one colour at fraction f: each channel trunc(c (1 - f) + fog f).
Colour Fogged(Colour c, Colour fog, float f);
// View frame of an n-frame sprite set at screen offset d from the centre (middle frame: straight on).
int View_Frame(int n, int d);

}  // namespace road
