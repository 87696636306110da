// The road model and its drawing: set-up, lap wrap, patches, curve force, the view frame,
// and what a frame puts on the canvas. (Where the patches land is checked against the
// reference views.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "../../tools/roadview/road_view.h"
#include "common/memory.h"
#include "road/canvas.h"
#include "road/road.h"
#include "vehicles/model/vehicle.h"

namespace {

using road::Colour;

const uint32_t kMarker = Pixel_Word(255, 255, 0, 255);

// A flat road of 5 lanes seen from a 640 x 480 camera, drawn with distinct colours.
struct RoadFixture : ::testing::Test {
  Camera camera{320.0f, 144.0f, 230.4f};
  road::Road road{&camera};
  Canvas canvas{640, 480};
  DVec<vehicle*> vehicles;
  std::unique_ptr<sprite> car{roadview::Test_Car_Sprite()};

  void SetUp() override {
    road.setup(640, 480, 250, 100);
    road.set_colours({100, 100, 100, 255}, {250, 250, 250, 255}, {200, 0, 0, 255}, {0, 0, 200, 255},
                     {0, 150, 0, 255}, {50, 50, 50, 255});
    road.set_vehicles(&vehicles);
  }
  void TearDown() override {
    for (vehicle* v : vehicles) delete v;
  }
  void Straight() {
    road.add_sector(5, 0, 0, 400);
    road.add_sector(5, 0, 0, 0);
  }
  void Render(int p) {
    canvas.fill_rect(0, 0, 640, 480, kMarker);
    road.fill_buckets(road.buckets, p);
    road.draw(canvas, road.buckets, p);
  }
  uint32_t At(int x, int y) const { return canvas.data()[y * 640 + x]; }
  vehicle* Car(int z, float x, uint8_t collidable = 1) {
    vehicle* v = new vehicle(car.get(), x, z, 0.0f, collidable, 0);
    vehicles.add(v);
    return v;
  }
  int Count(int y, uint32_t colour) const {
    int n = 0;
    for (int x = 0; x < 640; ++x) n += At(x, y) == colour;
    return n;
  }
};

TEST_F(RoadFixture, SetupPlacesTheCameraAndAFlyInSegmentRaisesIt) {
  EXPECT_FLOAT_EQ(camera.centre_y, 172.8f);
  EXPECT_FLOAT_EQ(camera.height, -135.0f);
  road.setup(640, 480, 250, 400);
  EXPECT_FLOAT_EQ(camera.height, -540.0f);
  EXPECT_EQ(road.object_list(8), nullptr);  // past the eight object lists
}

TEST_F(RoadFixture, TrackLengthAndLapWrap) {
  road.add_sector(5, 0, 0, 100);
  road.add_sector(5, 0, 0, 50);
  road.add_sector(5, 0, 0, 0);
  EXPECT_EQ(road.track_length(), 2900);
  EXPECT_FALSE(road.build_patches(2899));
  EXPECT_EQ(road.view_position, 2899);
  EXPECT_TRUE(road.build_patches(2900));
  EXPECT_EQ(road.view_position, 0);
  EXPECT_TRUE(road.build_patches(2900 * 2 + 150));
  EXPECT_EQ(road.view_position, 150);
  EXPECT_EQ(road.layout->sectors[0].period, 2);
  EXPECT_EQ(road.layout->sectors[0].lanes, 5);
}

TEST_F(RoadFixture, EmptyLayoutBuildsWithoutReadingARecord) {
  EXPECT_EQ(road.track_length(), 0);
  EXPECT_FALSE(road.build_patches(500));
  EXPECT_EQ(road.patches_ws[0].left, 0);
  EXPECT_EQ(road.patches_ws[0].right, 0);
}

TEST_F(RoadFixture, StraightFlatLayoutSetsTheWidthHorizonAndCurveForce) {
  Straight();
  road.lateral = 350;
  road.build_patches(1000);
  EXPECT_EQ(road.patches_ws[0].left, 350 - 625);
  EXPECT_EQ(road.patches_ws[120].outer_right, 350 + 145 + 800);
  EXPECT_FLOAT_EQ(road.patches_ss[0].scale, 0.01f);  // z = 0 lies behind the camera
  EXPECT_EQ(road.far_y, static_cast<float>(road.patches_ss[120].y));
  EXPECT_EQ(road.road_width, 1250);
  EXPECT_FLOAT_EQ(road.curve_force, 0.0f);
}

TEST_F(RoadFixture, CurvesBendHillsRiseAndOnlyAfterTheBlend) {
  road.add_sector(5, 0, 0, 200);
  road.add_sector(5, 60, 90, 400);
  road.add_sector(5, 0, 0, 0);
  road.build_patches(20000);  // deep inside the curve
  EXPECT_GT(road.patches_ws[120].left, road.patches_ws[60].left + 1000);  // bends right
  EXPECT_GT(road.patches_ws[120].y, road.patches_ws[60].y);               // climbs
  EXPECT_LT(road.curve_force, 0.0f);                                      // pushes left
  EXPECT_LT(road.top_y, road.patches_ss[0].y);
  // Patch 2's curve term, in full past the first third of the record and half of it a
  // sixth of the way in.
  float full = -100.0f * std::sin(90 * (2 / 120.0f) * 0.017453292f);
  road.build_patches(40000);
  EXPECT_NEAR(road.curve_force, full, 1e-4);
  road.build_patches(26467);  // patch 2 at segment 266.67 of the record 200..600
  EXPECT_NEAR(road.curve_force, 0.5f * full, 1e-3);
  road.build_patches(0);  // straight run
  EXPECT_FLOAT_EQ(road.curve_force, 0.0f);
}

TEST_F(RoadFixture, OffRoadMeasuresFromTheNearerEdge) {
  road.lateral = 100;  // road_width 1000: edges at -400 and 600
  EXPECT_EQ(road.off_road(0), 0);
  EXPECT_EQ(road.off_road(600), 0);
  EXPECT_EQ(road.off_road(700), 100);
  EXPECT_EQ(road.off_road(-450), -50);
}

TEST(RoadViewFrame, ChoosesBySideOfTheScreen) {
  // Frame count, screen offset, frame; the last three are clamped.
  const int cases[][3] = {{5, -140, 4}, {5, -139, 3}, {5, -70, 3}, {5, -69, 2}, {5, 69, 2},
                          {5, 70, 1},   {5, 140, 0},  {1, 500, 0}, {2, -500, 1}, {0, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(road::View_Frame(c[0], c[1]), c[2]) << c[0] << " frames at " << c[1];
}

TEST_F(RoadFixture, ThinRoadsShowBlendedOnePixelLinesAndNoneBelowALimit) {
  Straight();
  Render(0);
  int blended_rows = 0;
  for (int y = road.patches_ss[120].y; y < 480; ++y) {
    int first = -1, last = -1;
    for (int x = 0; x < 640; ++x)
      if (At(x, y) != road.grass_light.word() && At(x, y) != road.grass_dark.word() && At(x, y) != kMarker) {
        if (first < 0) first = x;
        last = x;
      }
    if (first < 0) continue;
    int width = last - first + 1;
    int blend = Count(y, road.line_blend.word()), solid = Count(y, road.line.word());
    if (width < 99) {
      EXPECT_EQ(solid, 0) << "row " << y;
      EXPECT_TRUE(blend == 0 || blend == 4) << "row " << y;
      blended_rows += blend == 4;
    } else if (width > 101) {
      EXPECT_EQ(blend, 0) << "row " << y;
    }
  }
  EXPECT_GT(blended_rows, 3);
}

TEST_F(RoadFixture, PeriodZeroDrawsNoLaneLines) {
  Straight();
  road.layout->sectors[0].period = 0;
  Render(0);
  for (int y = 0; y < 480; ++y) {
    ASSERT_EQ(Count(y, road.line.word()), 0) << y;
    ASSERT_EQ(Count(y, road.line_blend.word()), 0) << y;
  }
}

TEST_F(RoadFixture, NothingIsDrawnAboveACrest) {
  road.add_sector(5, 0, 0, 6);
  road.add_sector(5, -90, 0, 400);  // falls away steeply
  road.add_sector(5, 0, 0, 0);
  Render(0);
  int crest = 0;
  for (int i = 1; i < 120; ++i)
    if (road.patches_ss[i + 1].y > road.patches_ss[i].y) {
      crest = i;
      break;
    }
  ASSERT_GT(crest, 0);
  int crest_row = road.patches_ss[crest].y;
  for (int i = crest; i <= 120; ++i) ASSERT_GE(road.patches_ss[i].y, crest_row) << "all beyond lies hidden";
  for (int x = 0; x < 640; x += 3) EXPECT_EQ(At(x, crest_row - 1), kMarker) << x;
  EXPECT_NE(At(320, crest_row + 1), kMarker);
}

TEST_F(RoadFixture, BucketsCoverTwoSegmentsBehindTo120Ahead) {
  Straight();
  vehicle* behind = Car(799, 0);
  vehicle* first = Car(800, 0);
  vehicle* a = Car(1000, 0);
  vehicle* b = Car(1010, 0);
  vehicle* last = Car(12799, 0);
  vehicle* beyond = Car(12800, 0);
  road.fill_buckets(road.buckets, 1000);
  EXPECT_EQ(road.buckets[0], first);
  EXPECT_EQ(road.buckets[8], b);  // chain: the last added first
  EXPECT_EQ(b->link, a);
  EXPECT_EQ(road.buckets[479], last);
  int bucketed = 0;
  for (vehicle* v : road.buckets)
    for (vehicle* c = v; c; c = c->link) {
      ++bucketed;
      EXPECT_TRUE(c != behind && c != beyond);
    }
  EXPECT_EQ(bucketed, 4);
  road.fill_buckets(road.buckets, 50);  // near the start the window begins at 0
  EXPECT_EQ(road.buckets[0], nullptr);
}

TEST_F(RoadFixture, VehicleAtTheCameraIsDrawnAtScaleOneAndCollidesOnlyNearAndWithinReach) {
  Straight();
  vehicle* v = Car(1000, 0);
  Render(1000);
  // Scale 1: the 60 x 30 middle frame stands centred on column 320, foot on row 307.
  const uint32_t orange = Pixel_Word(250, 120, 0, 255);
  EXPECT_EQ(At(291, 290), orange);
  EXPECT_EQ(At(349, 290), orange);
  EXPECT_NE(At(351, 290), orange);
  EXPECT_NE(At(320, 276), orange);
  const struct {
    float x;
    int z, start_z, collidable;
    bool met;
    float overlap;  // checked when met and not negative
  } cases[] = {
      {0, 1000, 1000, 1, true, 1.0f},      {30, 1000, 1000, 1, true, 0.5f},
      {101, 1000, 1000, 1, false, -1},     {-100, 1200, 1000, 1, true, -1},  // patch 4
      {-100, 1300, 1000, 1, false, -1},    // patch 5: too far
      {-100, 1000, 1000, 0, false, -1},    {0, 1000, 1100, 1, false, -1},    // not yet started
  };
  for (const auto& c : cases) {
    v->x = c.x, v->z = c.z, v->start_z = c.start_z, v->collidable = static_cast<uint8_t>(c.collidable);
    Render(1000);
    EXPECT_EQ(road.nearest, c.met ? v : nullptr) << c.x << ", " << c.z;
    if (c.met && c.overlap >= 0) {
      EXPECT_FLOAT_EQ(road.overlap, c.overlap) << c.x;
    }
  }
  EXPECT_NE(At(320, 300), orange);  // the vehicle not yet started is not drawn either
}

TEST_F(RoadFixture, ObjectsStandBesideTheRoadRunsWithoutSpriteAreSkippedAndTheLastRunIsDrawn) {
  Straight();
  std::unique_ptr<image> img(roadview::Flat_Image(10, 40, 0, 255, 255));
  sprite post(img.get(), 4, 3, 1.0f);
  post.no_shadow();
  const uint32_t cyan = Pixel_Word(0, 255, 255, 255);
  road.R1->append({&post, 0, 400, 1, 350, 0, 0, 0});
  road.L1->append({nullptr, 0, 400, 1, -350, 0, 0, 0});  // an id without a loaded sprite
  auto cyan_in = [&](int x0, int x1) {
    int n = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = x0; x < x1; ++x) n += At(x, y) == cyan;
    return n;
  };
  Render(0);  // where an object stands is checked against the reference views
  EXPECT_EQ(cyan_in(0, 320), 0);
  EXPECT_GT(cyan_in(320, 640), 200);
  // The last run of a list is drawn too: L2 holds a run without sprite, then the post.
  road.L2->append({nullptr, 0, 200, 1, -350, 0, 0, 0});
  road.L2->append({&post, 0, 200, 1, -350, 0, 0, 0});
  Render(19000);  // segments 190..310 in view: the objects stand from segment 200 on
  EXPECT_GT(cyan_in(0, 320), 200);
}

// Each object leaves out what nearer objects will paint over; the frame must be the one
// drawn when every object is drawn whole (frames without measured rows are drawn whole).
TEST_F(RoadFixture, ObjectsSparedUnderNearerOnesLeaveTheFrameUnchanged) {
  road.add_sector(5, 0, 0, 60);
  road.add_sector(5, 30, 20, 120);  // climbing into a right bend, then down to the left
  road.add_sector(5, -30, -25, 120);
  road.add_sector(5, 0, 0, 0);
  // A peak with a clear border and a hole in every fourth row, and a solid block.
  std::unique_ptr<image> peak(new image(60, 40, 32, 0));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool inside = std::abs(2 * x - 59) < y * 3 / 2 && !(y % 4 == 1 && x == 30);
      reinterpret_cast<uint32_t*>(peak->row(y))[x] = inside ? Pixel_Word(x * 4, y * 6, 90, 255) : Pixel_Word(9, 9, 9, 0);
    }
  std::unique_ptr<image> block(roadview::Flat_Image(30, 50, 200, 40, 160));
  sprite peaks(peak.get(), 4, 3, 2.0f), blocks(block.get(), 4, 3, 1.0f);
  peaks.no_shadow();
  SectorList* lists[6] = {road.L1, road.L2, road.L3, road.R1, road.R2, road.R3};
  for (int n = 0; n < 6; ++n) lists[n]->append({n % 2 ? &blocks : &peaks, 0, 300, 1 << (n % 3), 150 + 120 * n, 0, 0, 0});
  for (int p : {0, 4000, 9000, 15000, 21000}) {
    for (sprite* s : {&peaks, &blocks}) s->frames[0]->find_opaque_columns();
    Render(p);
    std::vector<uint32_t> spared(canvas.data(), canvas.data() + 640 * 480);
    for (sprite* s : {&peaks, &blocks}) s->frames[0]->opaque.clear();
    Render(p);
    for (int i = 0; i < 640 * 480; ++i) ASSERT_EQ(spared[i], canvas.data()[i]) << "at " << i % 640 << "," << i / 640 << " from " << p;
  }
}

// During the fly-in a segment is 400 world units deep. A vehicle is still drawn exactly
// once, with the patch at its depth: the picture equals the empty road plus one draw.
TEST_F(RoadFixture, EachVehicleIsDrawnOnceWhileSegmentsAreStretched) {
  Straight();
  road.setup(640, 480, 250, 400);
  std::unique_ptr<image> big_img(roadview::Flat_Image(2000, 1000, 250, 120, 0));
  sprite big(big_img.get(), 4, 3, 1.0f);
  struct Case {
    sprite* set;
    int ahead;
  } cases[] = {{car.get(), 500}, {&big, 20000}};  // near (its shadow shows) and far ahead
  for (const Case& c : cases) {
    vehicles.clear();
    Render(1000);
    std::vector<uint32_t> want(canvas.data(), canvas.data() + 640 * 480);
    float z = static_cast<float>(c.ahead) + camera.depth;
    float s = camera.depth / z;
    float sy = camera.centre_y - (camera.height + 0.0f) * s;
    Canvas expected(640, 480);
    std::copy(want.begin(), want.end(), expected.data());
    c.set->draw(&expected, (c.set->frame_count / 2) * 10, 320, static_cast<int>(sy), s);
    ASSERT_FALSE(std::equal(want.begin(), want.end(), expected.data())) << c.ahead;  // the draw shows
    vehicle* v = new vehicle(c.set, 0.0f, 1000 + c.ahead, 0.0f, 1, 0);
    vehicles.add(v);
    Render(1000);
    EXPECT_TRUE(std::equal(expected.data(), expected.data() + 640 * 480, canvas.data())) << c.ahead;
    delete v;
  }
  vehicles.clear();
}

TEST_F(RoadFixture, AFrameAllocatesNothing) {
  Straight();
  for (int n = 0; n < 20; ++n) Car(1000 + 500 * n, static_cast<float>(n * 40 - 400));
  Render(1000);  // warm-up
  uint64_t before = Allocation_Count();
  for (int p = 1000; p < 5000; p += 370) Render(p);
  EXPECT_EQ(Allocation_Count(), before);
}

}  // namespace
