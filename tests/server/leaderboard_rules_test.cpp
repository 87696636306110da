// The leaderboard's rules in the service's storage, for each database from one table of
// cases (PostgreSQL on a server of the test's own): one best row per player, round times
// within what the published round track allows, honest totals, bounded keeping; and data
// folders written by the first service.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <vector>

#include "common/formats/track_file.h"
#include "score_store.h"
#include "service.h"
#include "shelves.h"
#include "support/files.h"
#include "support/postgres_server.h"
#include "support/temp_dir.h"
#include "vehicles/model/vehicle.h"

namespace fs = std::filesystem;

namespace {

const int64_t kDay = 24 * 60 * 60;

// A tournament track of `sectors` straight sectors of 60 segments; returns its race length.
int64_t Write_Round_Track(const std::string& tracks_dir, int round, int sectors, int type = 0) {
  std::vector<TrackSector> list(sectors, TrackSector());
  for (TrackSector& sector : list) sector.length = 60;
  std::vector<unsigned char> bytes =
      Serialise_Track_File(Make_Track_Header("Maker", type ? type : round, 1), list.data(), sectors);
  std::string path = tracks_dir + "/" + Round_Track_Name(round);
  Write_File(path + ".new", bytes);
  fs::rename(path + ".new", path);  // as publishing does
  return Track_Race_Length(list.data(), sectors);
}

class RulesTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam() == "postgresql") {
      postgres_.reset(new Postgres_Server);
      ASSERT_TRUE(postgres_->ok()) << "PostgreSQL could not be started: " << postgres_->error();
      ASSERT_EQ(store_.Open_Database(postgres_->Create_Database("rules")), 1);
    } else {
      ASSERT_EQ(store_.Open_Database("sqlite:" + dir_.path() + "/service.db"), 1);
    }
    store_.Use_Round_Tracks(tracks_);
    store_.clock = [this] { return now_; };
  }
  ScopedTempDir dir_;
  std::unique_ptr<Postgres_Server> postgres_;
  std::string tracks_ = dir_.path() + "/tracks";
  Score_Store store_;
  int64_t now_ = 1800000000;
};

}  // namespace

TEST_P(RulesTest, OnePlayerKeepsOneRowWithTheBestResult) {
  for (int i = 0; i < 15; ++i) EXPECT_EQ(store_.Submit_Tournament("3Spam_Bot", 900000 - (i % 5) * 1000), STORE_KEPT);
  EXPECT_EQ(store_.Submit_Tournament("5Spam_Bot", 950000), STORE_KEPT);  // another platform, another row
  EXPECT_EQ(store_.Submit_Tournament("3Anna", 880000), STORE_KEPT);
  now_ += 10;
  EXPECT_EQ(store_.Submit_Tournament("3Bert", 896000), STORE_KEPT);  // later, equal time: after
  std::vector<Leaderboard_Row> best = store_.Best_Tournaments(15);
  ASSERT_EQ(best.size(), 4u);
  EXPECT_EQ(best[0].player, "3Anna");
  EXPECT_EQ(best[1].player, "3Spam_Bot");
  EXPECT_EQ(best[1].score, 896000);
  EXPECT_EQ(best[2].player, "3Bert");
  EXPECT_EQ(best[3].player, "5Spam_Bot");
}

TEST_P(RulesTest, RoundTimesLieWithinWhatThePublishedTrackAllows) {
  Round_Bounds bounds = Bounds_For_Race_Length(Write_Round_Track(tracks_, 3, 100));
  Write_Round_Track(tracks_, 5, 100, 6);  // a round-5 file of another scenario bounds nothing
  struct Case {
    int round;
    int64_t score;
    int expected;
  } cases[] = {
      {3, bounds.fastest - 1, STORE_REFUSED}, {3, bounds.fastest, STORE_KEPT}, {3, bounds.slowest, STORE_KEPT},
      {3, bounds.slowest + 1, STORE_REFUSED}, {3, 0, STORE_REFUSED},           {4, 0, STORE_KEPT},
      {5, 1, STORE_KEPT},
  };
  for (const Case& c : cases)
    EXPECT_EQ(store_.Submit_Round("3Anna", c.round, static_cast<int>(c.score)), c.expected)
        << "round " << c.round << " score " << c.score;
  // A longer round track, published over the old one, moves the bounds with it.
  Round_Bounds longer = Bounds_For_Race_Length(Write_Round_Track(tracks_, 3, 150));
  EXPECT_GT(longer.fastest, bounds.slowest / 3);
  EXPECT_EQ(store_.Submit_Round("3Anna", 3, static_cast<int>(bounds.fastest)), STORE_REFUSED);
  EXPECT_EQ(store_.Submit_Round("3Anna", 3, static_cast<int>(longer.fastest)), STORE_KEPT);
}

// The bounds hold for the game's own driving model: flat out from the start is slower than
// the fastest bound, and a car that brakes by itself after the time-out stops in fewer frames
// than the slowest bound gives every stretch.
TEST(RoundBounds, ContainTheDrivingModelsExtremes) {
  for (int64_t length : {66900LL, 581900LL, 1960000LL}) {
    DrivingState car;
    int64_t position = 0, frames = 0;
    while (position <= length - 1000) {
      car.Drive(0, 0, 1, 0, 0.0f, nullptr, 0.0f, 0);
      position = static_cast<int64_t>(position + car.speed + car.speed);
      ++frames;
    }
    Round_Bounds bounds = Bounds_For_Race_Length(length);
    EXPECT_LE(bounds.fastest, frames * 66) << length;
    EXPECT_GE(bounds.fastest, frames * 66 / 2) << length;  // not a meaningless bound
    int braking = 0;
    while (car.speed >= 5.0f && braking < 1000) {
      car.Drive(0, 0, 0, 1, 0.0f, nullptr, 0.0f, 0);
      ++braking;
    }
    EXPECT_LT(braking, 100) << "braking frames the slowest bound allows per stretch";
  }
}

TEST_P(RulesTest, TotalsAreNoFasterThanTheRoundsBehindThem) {
  // Rounds of an earlier day do not count; the best of each round today does.
  now_ -= 2 * kDay;
  for (int round = 1; round <= 12; ++round) ASSERT_EQ(store_.Submit_Round("3Anna", round, 90000), STORE_KEPT);
  now_ += 2 * kDay;
  std::vector<int> rounds = {61000, 62000, 63000, 64000, 65000, 66000, 67000, 68000, 69000, 70000, 71000, 72000};
  for (int round = 1; round <= 12; ++round) {
    if (round == 7) continue;  // its submission was lost
    ASSERT_EQ(store_.Submit_Round("3Anna", round, rounds[round - 1]), STORE_KEPT);
    ASSERT_EQ(store_.Submit_Round("3Anna", round, rounds[round - 1] + 5000), STORE_KEPT);  // an earlier try
  }
  int total = std::accumulate(rounds.begin(), rounds.end(), 0);
  EXPECT_EQ(store_.Submit_Tournament("3Anna", total - rounds[6] - 1), STORE_REFUSED);
  EXPECT_EQ(store_.Submit_Tournament("3Anna", total - rounds[6]), STORE_KEPT);  // lost round: still honest
  EXPECT_EQ(store_.Submit_Tournament("3Anna", total), STORE_KEPT);
  EXPECT_EQ(store_.Submit_Tournament("3Bert", 1000), STORE_KEPT);  // no rounds, no track: nothing to hold it
  // With every round track published, a total must lie between twelve fastest and twelve slowest rounds.
  int64_t fastest = 0, slowest = 0;
  for (int round = 1; round <= 12; ++round) {
    Round_Bounds bounds = Bounds_For_Race_Length(Write_Round_Track(tracks_, round, 60 + round));
    fastest += bounds.fastest;
    slowest += bounds.slowest;
  }
  EXPECT_EQ(store_.Submit_Tournament("3Cleo", static_cast<int>(fastest - 1)), STORE_REFUSED);
  EXPECT_EQ(store_.Submit_Tournament("3Cleo", static_cast<int>(fastest)), STORE_KEPT);
  EXPECT_EQ(store_.Submit_Tournament("3Cleo", static_cast<int>(slowest)), STORE_KEPT);
  EXPECT_EQ(store_.Submit_Tournament("3Dora", static_cast<int>(slowest + 1)), STORE_REFUSED);
  EXPECT_EQ(store_.Count("tournaments"), 3);
}

TEST_P(RulesTest, KeepsRoundsForDaysAndTheNewestUpdateLog) {
  store_.retention.round_days = 2;
  store_.retention.update_log_entries = 5;
  for (int day = 4; day >= 0; --day) {
    now_ = 1800000000 - day * kDay;
    ASSERT_EQ(store_.Submit_Round("3Anna", 1, 70000), STORE_KEPT);
  }
  EXPECT_EQ(store_.Count("rounds"), 3);  // today, yesterday, the day before
  for (int i = 0; i < 12; ++i) ASSERT_EQ(store_.Log_Update("Anna", "3"), STORE_KEPT);
  EXPECT_EQ(store_.Count("update_log"), 5);
}

INSTANTIATE_TEST_SUITE_P(Databases, RulesTest, ::testing::Values("sqlite", "postgresql"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// A data folder of the first service: every submission a row, the release a plain folder.
TEST(DataFolderUpgrade, KeepsEachPlayersBestAndServesTheOldRelease) {
  ScopedTempDir dir;
  std::string data = dir.path() + "/data";
  fs::create_directories(data + "/release/files/GFX");
  std::ofstream(data + "/release/version.ver") << "#VantoRello\n3.99\n#VantoRello\n";
  std::ofstream(data + "/release/VantoRello.w32.ver") << "GFX/sky.png|00000000\n";
  std::ofstream(data + "/release/files/GFX/sky.png") << "sky";
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((data + "/service.db").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE tournaments(id INTEGER PRIMARY KEY, player TEXT NOT NULL, score INTEGER NOT "
                         "NULL, submitted INTEGER NOT NULL);"
                         "CREATE INDEX tournaments_by_score ON tournaments(score, id);"
                         "CREATE TABLE rounds(id INTEGER PRIMARY KEY, player TEXT NOT NULL, track INTEGER NOT NULL,"
                         " score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
                         "CREATE TABLE update_log(id INTEGER PRIMARY KEY, player TEXT NOT NULL, os TEXT NOT NULL,"
                         " submitted INTEGER NOT NULL);"
                         "INSERT INTO tournaments(player, score, submitted) VALUES"
                         " ('3Spam', 5, 1), ('3Anna', 700000, 1), ('3Spam', 5, 2), ('3Spam', 3, 3), ('3Anna', 650000, 4);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  for (int opening = 0; opening < 2; ++opening) {
    Service service;
    ASSERT_EQ(service.Open(data), 1);
    std::vector<Leaderboard_Row> best = service.store.Best_Tournaments(15);
    ASSERT_EQ(best.size(), 2u);
    EXPECT_EQ(best[0].player, "3Spam");
    EXPECT_EQ(best[0].score, 3);
    EXPECT_EQ(best[1].score, 650000);
    EXPECT_TRUE(fs::is_symlink(data + "/release"));
    Served_File file;
    ASSERT_EQ(Open_Release_File(data, "GFX/sky.png", &file), 1);
    EXPECT_EQ(file.size, 3u);
    close(file.fd);
  }
}
