// The track generator: layout draws against a model of the draw order, the dressing of
// every scenario with its sky, weather and colours, and track-file round trips.
#include "track/generator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/graphics/player_name.h"
#include "road/road.h"
#include "road/sky.h"
#include "support/printed.h"
#include "support/race_fixture.h"
#include "support/temp_dir.h"
#include "track/scenery.h"
#include "track/track_files.h"

namespace {

class Generator : public RaceFixture {
 protected:
  void SetUp() override {
    RaceFixture::SetUp();
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    Startup_Defaults();
    Clear_Track_Stats();
  }
  void TearDown() override {
    Free_Track_Sectors();
    RaceFixture::TearDown();
  }
  void Generate(int type, unsigned seed) {
    generatorParams.track_type = type;
    std::srand(seed);
    output = Printed([&] { game->Generate_Track(); });
  }
  std::string output;
};

// The layout as the generator must draw it from the current rand() sequence.
struct Layout {
  std::vector<TrackSector> sectors;
  int left = 0, right = 0, up = 0, down = 0;
};
Layout Model_Layout(unsigned seed, int length, int curves, int hills) {
  std::srand(seed);
  Layout m;
  m.sectors.assign(length / 10, TrackSector{10, 0, 0, 0, {}, {}, {}, {}, {}, {}, {}, {}});
  auto runs = [](int budget) {
    std::vector<int> r;
    for (;;) {
      int l = std::rand() % 30 + 20;
      budget -= l;
      if (budget < 0) return r;
      r.push_back(l);
    }
  };
  for (int l : runs(curves * length / 100)) {
    TrackSector& s = m.sectors[(std::rand() % (length - 50)) / 10];
    s.length = l, s.hill = 0;
    bool right = std::rand() % 2;
    s.curve = right ? 200 : -200;
    (right ? m.right : m.left)++;
  }
  for (int l : runs(hills * length / 100)) {
    TrackSector& s = m.sectors[(std::rand() % (length - 50)) / 10];
    s.length = l;
    bool up = std::rand() % 2;
    s.hill = up ? 200 : -200;
    (up ? m.up : m.down)++;
  }
  return m;
}

// Length, curve and hill of a track sector or a road record.
template <typename S>
std::vector<int> Shape(const S& s) { return {s.length, s.curve, s.hill}; }

TEST_F(Generator, LayoutFollowsTheDrawOrderForEveryParameterMix) {
  struct Case {
    int length, curves, hills;
  } cases[] = {{800, 0, 0}, {800, 40, 10}, {4000, 95, 0}, {4000, 95, 95}, {2300, 15, 60}};
  for (const Case& c : cases) {
    for (unsigned seed : {1u, 77u}) {
      SCOPED_TRACE(std::to_string(c.length) + " long, seed " + std::to_string(seed));
      generatorParams.length = c.length, generatorParams.curves = c.curves, generatorParams.hills = c.hills;
      Clear_Track_Stats();
      Generate(13, seed);  // an unknown type: the layout alone
      Layout m = Model_Layout(seed, c.length, c.curves, c.hills);
      ASSERT_EQ(trackSectorCount, c.length / 10);
      EXPECT_EQ(trackStats.sectors, c.length / 10);
      const int turns[4] = {trackStats.left_turns, trackStats.right_turns, trackStats.hills_up, trackStats.hills_down};
      EXPECT_EQ(std::vector<int>(turns, turns + 4), std::vector<int>({m.left, m.right, m.up, m.down}));
      for (int i = 0; i < trackSectorCount; ++i) {
        ASSERT_EQ(Shape(trackSectors[i]), Shape(m.sectors[i])) << "sector " << i;
        // The road's layout is the sectors in order.
        ASSERT_EQ(Shape(game->road->layout->sectors[i]), Shape(trackSectors[i])) << "record " << i;
      }
      EXPECT_EQ(static_cast<int>(game->road->layout->count()), trackSectorCount);
    }
  }
  EXPECT_EQ(output, "");  // an unknown type lays out the road and nothing else
}

TEST_F(Generator, BuiltinTrackScenarioAndScatteredObjectsOfEveryType) {
  const int weather[12] = {0, 0, 0, 0, 0, 0, 2, 0, 0, 3, 4, 5};
  generatorParams.length = 4000;
  for (int type = 1; type <= 12; ++type) {
    customTrack = 1;
    Generate(type, 100 + type);
    EXPECT_EQ(game->builtin_track, type == 2 ? 2 : 1) << type;
    EXPECT_EQ(game->track_type, type);
    EXPECT_EQ(trackHeader.track_type, type);
    EXPECT_EQ(game->weather, weather[type - 1]) << type;
    sprite* shown = game->sky->current;
    game->sky->set_horizon(type - 1);  // each scenario has its own sky
    EXPECT_EQ(shown, game->sky->current) << type;
    if (type == 11) {  // every colour of a scenario reaches the road in its own place
      road::Road want(game->camera);
      want.set_colours({130, 125, 120, 255}, {200, 200, 0, 255}, {200, 0, 0, 255}, {250, 250, 0, 255},
                       {0, 73, 255, 255}, {160, 150, 155, 255});
      for (auto colour : {&road::Road::road_light, &road::Road::line, &road::Road::kerb_odd, &road::Road::kerb_even,
                          &road::Road::grass_dark, &road::Road::fog})
        EXPECT_EQ((game->road->*colour).word(), (want.*colour).word());
    }
    EXPECT_EQ(game->road->lateral, 350);
    EXPECT_GT(game->track_length, 0);
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << type << output;
    int placed = 0;  // scattered objects, every one with its sprite
    for (int i = 0; i < trackSectorCount; ++i) placed += trackSectors[i].state == 2;
    EXPECT_GT(placed, 0) << type;
    EXPECT_EQ(Printed([&] { game->Sectors_To_Road_Objects(); }), "") << type;
    game->Free_Object_Sprites();
  }
  // An unknown type sets weather 0 and keeps the value.
  game->weather = 4;
  EXPECT_EQ(Printed([&] { game->Setup_Scenario(0); }), "Error: unknown track type!\n");
  EXPECT_EQ(game->weather, 0);
  EXPECT_EQ(game->track_type, 0);
}

TEST_F(Generator, StandardDressingArrowsAndFixedPlacements) {
  generatorParams.scenery = 0;  // no scattered objects over the standard dressing
  generatorParams.curves = 60;
  Generate(8, 6);
  int bends = 0;
  for (int i = 0; i < trackSectorCount; ++i) {
    const TrackSector& s = trackSectors[i];
    const ObjectSlot arrow = s.curve < 0 ? s.R3 : s.L3, post = s.curve < 0 ? s.L3 : s.R3;
    if (s.curve == 0) {
      EXPECT_EQ(s.L3.id, 401);
      EXPECT_EQ(s.L3.offset, 10); EXPECT_EQ(s.R3.id, 401); EXPECT_EQ(s.R3.offset, -10);
      continue;
    }
    ++bends;
    EXPECT_EQ(arrow.id, 31); EXPECT_EQ(arrow.period, 8); EXPECT_EQ(arrow.offset, s.curve < 0 ? 60 : -60);
    EXPECT_EQ(post.id, 401); EXPECT_EQ(post.offset, s.curve < 0 ? 10 : -10);
  }
  EXPECT_GT(bends, 0);

  Generate(5, 7);
  EXPECT_EQ(trackSectors[3].R2.id, 217); EXPECT_EQ(trackSectors[3].R2.offset, 750);
  EXPECT_EQ(trackSectors[1].L2.id, 218); EXPECT_EQ(trackSectors[1].L2.period, 32);
  EXPECT_EQ(trackSectors[2].R2.id, 351); EXPECT_EQ(trackSectors[2].R2.period, 8);

  // Drawn columns only ever take their listed ids.
  Generate(11, 8);
  for (int i = 0; i < trackSectorCount; ++i) {
    const TrackSector& s = trackSectors[i];
    ASSERT_TRUE(s.R1.id == 43 || s.R1.id == 44) << s.R1.id;
    EXPECT_EQ(s.L1.id, s.R1.id);
    if (s.R2.id == 119) {
      EXPECT_EQ(s.R2.offset, -50);
      EXPECT_EQ(s.L2.offset, 100);
    } else {
      EXPECT_EQ(s.R2.id, 120);
      EXPECT_EQ(s.R2.offset, 150);
      EXPECT_EQ(s.L2.offset, -100);
    }
    EXPECT_EQ(s.R3.id, 405); EXPECT_EQ(s.L3.id, 406);
  }
}

TEST_F(Generator, RoundTripThroughAFileRebuildsTheSameRoad) {
  generatorParams.length = 1700, generatorParams.curves = 55, generatorParams.hills = 35;
  customTrack = 1;
  Generate(7, 42);
  std::vector<TrackSector> generated(trackSectors, trackSectors + trackSectorCount);
  int layout_count = static_cast<int>(game->road->layout->count());
  int length = game->track_length;
  {
    ScopedTempDir dir;  // the files go to a scratch TRK, the pictures stay in the run directory
    std::filesystem::create_directory("TRK");
    ASSERT_EQ(game->Save_Track_File("Tournament"), 1);
    std::string path = std::string("TRK/") + lastTrackFileName;

    trackSectorCount = 0;
    std::memset(trackSectors, 0, sizeof(TrackSector) * kTrackSectorCapacity);
    testing::internal::CaptureStdout();
    ASSERT_EQ(Load_Track_File(path.c_str()), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
  ASSERT_EQ(trackSectorCount, static_cast<int>(generated.size()));
  EXPECT_EQ(std::memcmp(trackSectors, generated.data(), generated.size() * sizeof(TrackSector)), 0);
  EXPECT_EQ(trackHeader.track_type, 7);
  EXPECT_STREQ(trackHeader.creator, Player_Name());
  EXPECT_EQ(trackHeader.tournament, 1);

  game->Free_Object_Sprites();
  ASSERT_EQ(game->Build_Loaded_Track(), 1);
  EXPECT_EQ(static_cast<int>(game->road->layout->count()), layout_count);
  EXPECT_EQ(game->track_length, length);
  EXPECT_EQ(game->weather, 2);
  EXPECT_EQ(game->road->L2->count(), game->road->layout->count());
  EXPECT_NE(game->Object_Sprite(156), nullptr);  // the scenario's scenery came with it
}

}  // namespace
