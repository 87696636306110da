// Track files on the game side: the loader's messages, the writer's tag rule and names,
// and that every track the loader accepts gives a race that can be finished.
#include "track/track_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "core/state/game.h"
#include "frontend/graphics/player_name.h"
#include "road/road.h"
#include "support/race_fixture.h"
#include "support/files.h"
#include "support/printed.h"
#include "support/temp_dir.h"
#include "track/track_sector.h"

namespace {

struct TrackFiles : ::testing::Test {
  ScopedTempDir dir;
  void SetUp() override {
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    trackHeader = TrackHeader{};  // a save takes the scenario of the last loaded header
    std::filesystem::create_directory("TRK");
  }
  void TearDown() override { Free_Track_Sectors(); }

  std::vector<unsigned char> Track_Bytes(int n) {
    std::vector<TrackSector> t(n, TrackSector{10, 1, 0, 0, {}, {}, {}, {}, {}, {}, {}, {}});
    return Serialise_Track_File(Make_Track_Header("Someone", 3, 0), t.data(), n);
  }
  // Loads and returns what was printed; the sector count must be 0 after a refusal.
  std::string Load(const char* path, int expect) {
    trackSectorCount = 77;
    std::string out = Printed([&] { EXPECT_EQ(Load_Track_File(path), expect) << path; });
    if (!expect) {
      EXPECT_EQ(trackSectorCount, 0);
      EXPECT_EQ(trackHeader.sector_count, 0);
    }
    return out;
  }
};

// The loader prints the format's message for a refusal (each message is checked with the format).
TEST_F(TrackFiles, LoaderMessages) {
  EXPECT_EQ(Load("TRK/none.TRK", 0), "ERROR loading track data!\n");
  auto b = Track_Bytes(100);
  b.resize(b.size() - 1);
  Write_File("d.TRK", b);
  EXPECT_EQ(Load("d.TRK", 0), "VRCS: Track file is cut short!\n");
  Write_File("e.TRK", Track_Bytes(30));
  EXPECT_EQ(Load("e.TRK", 0), "VRCS: Track too short to race!\n");
  Write_File("g.TRK", Track_Bytes(100));
  EXPECT_EQ(Load("g.TRK", 1), "");
  EXPECT_EQ(trackSectorCount, 100);
  EXPECT_STREQ(trackHeader.creator, "Someone");
}

TEST_F(TrackFiles, SavingTagsNamesAndFailures) {
  Game* saved = theGame;
  testing::internal::CaptureStdout();
  Game game;
  testing::internal::GetCapturedStdout();
  game.track_type = 9;
  trackSectorCount = 100;
  for (int i = 0; i < 100; ++i) trackSectors[i] = TrackSector{10, 1, 0, 0, {}, {}, {}, {}, {}, {}, {}, {}};

  const struct {
    const char* tag;
    int flag;
  } tags[] = {{"Tournament", 1}, {"Tournament ", 0}, {"Regular", 0}, {"tournament", 0}};
  for (const auto& t : tags) {
    ASSERT_EQ(game.Save_Track_File(t.tag), 1);
    TrackHeader h;
    std::string path = std::string("TRK/") + lastTrackFileName;
    ASSERT_EQ(Scan_Track_Header(path.c_str(), &h), TRACK_OK);
    EXPECT_EQ(h.tournament, t.flag) << t.tag;
    EXPECT_EQ(h.track_type, 9);
  }
  // The name is VRWIN + 12 digits + .TRK; saves in one second share it.
  EXPECT_TRUE(std::regex_match(lastTrackFileName, std::regex("VRWIN[0-9]{12}\\.TRK"))) << lastTrackFileName;

  ASSERT_EQ(game.Save_Track_File("Regular", kQuicksaveAuthor), 1);
  EXPECT_STREQ(trackHeader.creator, kQuicksaveAuthor);
  EXPECT_EQ(trackSectorCount, 100);  // memory keeps its values after a save

  std::filesystem::remove_all("TRK");
  EXPECT_EQ(Printed([&] { EXPECT_EQ(game.Save_Track_File("Regular"), 0); }), "ERROR saving track data!\n");
  std::filesystem::remove(kPlayerNameFile);  // the first start's name, saved when the first track took it
  EXPECT_TRUE(std::filesystem::is_empty("."));  // no temporary file left behind
  theGame = saved;
}

// The shortest track the loader accepts must leave time to finish at full throttle.
class ShortestTrack : public RaceFixture {};

TEST_F(ShortestTrack, CanBeFinishedAtEveryDifficulty) {
  for (int difficulty = 0; difficulty <= 3; ++difficulty) {
    Straight_Road(kTrackMinRaceLength);
    customTrack = 1;
    game->difficulty = difficulty;
    game->Setup_Race();
    ASSERT_EQ(game->checkpoint_count, 1);
    ASSERT_GT(game->seconds_left, 0);
    game->player = DrivingState{};
    game->input_up = 1;
    int frames = game->seconds_left * 20;  // 50 ms frames
    for (int f = 0; f < frames && !game->race_finished; ++f) game->Update_Player();
    EXPECT_TRUE(game->race_finished) << "position " << game->road->position << " of " << game->checkpoint_z[0];
  }
}

}  // namespace
