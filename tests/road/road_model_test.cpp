// The road model: set-up, lap wrap, patches, curve force and the view frame. (The colours it
// derives show in the reference views.)
#include <gtest/gtest.h>

#include <cmath>

#include "road/road.h"

namespace {

struct RoadFixture : ::testing::Test {
  Camera camera{320.0f, 144.0f, 230.4f};
  road::Road road{&camera};
  void SetUp() override { road.setup(640, 480, 250, 100); }
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

// Where the patches land on the screen is checked against the reference views.
TEST_F(RoadFixture, StraightFlatLayoutSetsTheWidthHorizonAndCurveForce) {
  road.add_sector(5, 0, 0, 400);
  road.add_sector(5, 0, 0, 0);
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
  EXPECT_EQ(road::View_Frame(5, -140), 4);
  EXPECT_EQ(road::View_Frame(5, -139), 3);
  EXPECT_EQ(road::View_Frame(5, -70), 3);
  EXPECT_EQ(road::View_Frame(5, -69), 2);
  EXPECT_EQ(road::View_Frame(5, 69), 2);
  EXPECT_EQ(road::View_Frame(5, 70), 1);
  EXPECT_EQ(road::View_Frame(5, 140), 0);
  EXPECT_EQ(road::View_Frame(1, 500), 0);   // clamped
  EXPECT_EQ(road::View_Frame(2, -500), 1);  // clamped
  EXPECT_EQ(road::View_Frame(0, 0), 0);
}

}  // namespace
