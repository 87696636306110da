// Rendered views of the built-in tracks against stored pictures. The views use flat
// stand-in sprites and no sky, so they depend on the road engine alone. To renew them:
//   roadview --plain --cars 4 --out tests/road/reference florida 0 20500 120000
//   roadview --plain --cars 4 --out tests/road/reference bavaria 0 65000 99000
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../../tools/roadview/road_view.h"
#include "support/printed.h"
#include "support/temp_dir.h"

namespace {

struct View {
  int track;
  const char* name;
  int position;
};

const View kViews[] = {{1, "florida", 0},     {1, "florida", 20500}, {1, "florida", 120000},
                       {2, "bavaria", 0},     {2, "bavaria", 65000}, {2, "bavaria", 99000}};

// At most this many pixels may differ: a wrong kerb, stripe, lane line or object moves hundreds.
const int kTolerance = 16;

struct ReferenceFixture : ::testing::Test {
  ScopedTempDir dir;
  std::unique_ptr<Game> game;
  std::unique_ptr<sprite> car;
  void Build(int track) {
    Printed([&] { game.reset(new Game()); });
    game->builtin_track = track;
    game->sky->free_pictures();
    roadview::Plain_Scenery(*game);
    game->Build_Builtin_Track();
    game->Set_View_Size(640, 480);
    car.reset(roadview::Test_Car_Sprite());
  }
  void Render(int position) {
    game->vehicles.delete_all();
    roadview::Add_Test_Cars(*game, car.get(), position, 4);
    roadview::Render_View(*game, position);
  }
  void TearDown() override {
    if (game) game->vehicles.delete_all();
    game.reset();
  }
  int Differences(const image& want) const {
    const uint32_t* got = game->canvas->data();
    int differ = 0;
    for (uint32_t y = 0; y < want.height; ++y)
      for (uint32_t x = 0; x < want.width; ++x) {
        const unsigned char* w = want.row(y) + 4 * x;
        uint32_t g = got[y * 640 + x];
        differ += (g & 255) != w[0] || (g >> 8 & 255) != w[1] || (g >> 16 & 255) != w[2];
      }
    return differ;
  }
};

TEST_F(ReferenceFixture, BuiltinTrackViewsMatchTheirPictures) {
  for (const View& v : kViews) {
    Build(v.track);
    std::string path = std::string(VR_TEST_SOURCE_DIR) + "/tests/road/reference/" + v.name + "_" +
                       std::to_string(v.position) + ".png";
    image want;
    ASSERT_EQ(want.load(path.c_str()), 1) << path;
    ASSERT_EQ(want.width, 640u);
    ASSERT_EQ(want.height, 480u);
    Render(v.position);
    EXPECT_LE(Differences(want), kTolerance) << path;
    // The comparison notices a road shifted by three world units.
    game->road->lateral += 3;
    Render(v.position);
    EXPECT_GT(Differences(want), 10 * kTolerance) << path;
  }
}

}  // namespace
