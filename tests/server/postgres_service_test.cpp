// The service over a real PostgreSQL server of the test's own: two instances on one database
// give the same answers, an outage is answered 503 and passes by itself, and an SQLite store
// moves over whole.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "postgres_store.h"
#include "service.h"
#include "support/postgres_server.h"
#include "support/raw_http.h"
#include "support/temp_dir.h"

namespace {

// One GET of the game's kind from 127.0.0.1; the status, and the body when asked.
int Get(int port, const std::string& resource, std::string* body = nullptr) {
  std::string answer = Exchange_From("127.0.0.1", port, Get_Request(resource));
  if (body) *body = Body_Of(answer);
  return Status_Of(answer);
}

class PostgresServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok()) << "PostgreSQL could not be started: " << server_.error();
    database_ = server_.Create_Database("vantorello");
    ASSERT_FALSE(database_.empty()) << server_.error();
  }
  // A service instance on the shared database, writes and connections from 127.0.0.1
  // unlimited, on a free port.
  int Start(Service& service, const std::string& folder) {
    service.write_limit.per_minute = 0;
    service.limits.connections_per_address = 1000;
    if (!service.Open(dir_.path() + "/" + folder, database_)) return -1;
    return service.Start("127.0.0.1", 0);
  }

  ScopedTempDir dir_;
  Postgres_Server server_;
  std::string database_;
};

}  // namespace

TEST_F(PostgresServiceTest, TwoInstancesShareOneDatabaseWithoutLosingAWrite) {
  Service one, two;
  int port_one = Start(one, "one"), port_two = Start(two, "two");
  ASSERT_GT(port_one, 0);
  ASSERT_GT(port_two, 0);
  ASSERT_EQ(Get(port_one, "ohs.php?player=3Anna_Berg&score=700000"), 200);
  std::string leaderboard;
  ASSERT_EQ(Get(port_two, "highscore.txt", &leaderboard), 200);
  EXPECT_EQ(leaderboard.find("\n3Anna_Berg\n"), leaderboard.find('\n')) << leaderboard;
  // Twenty writers on each instance at once, each its own player: every write lands once.
  std::vector<std::thread> writers;
  std::atomic<int> failed{0};
  for (int w = 0; w < 40; ++w)
    writers.emplace_back([&, w] {
      int port = w % 2 ? port_one : port_two;
      for (int i = 0; i < 5; ++i)
        failed += Get(port, "ohs.php?player=3Writer" + std::to_string(w) + "&score=" + std::to_string(800000 - i)) != 200;
      failed += Get(port, "ots.php?player=3Writer" + std::to_string(w) + "&track=1&score=61234") != 200;
    });
  for (std::thread& writer : writers) writer.join();
  EXPECT_EQ(failed.load(), 0);
  EXPECT_EQ(one.store.Count("tournaments"), 41);
  EXPECT_EQ(two.store.Count("rounds"), 40);
  std::vector<Leaderboard_Row> best;
  ASSERT_EQ(two.store.Best_Tournaments(15, &best), STORE_KEPT);
  EXPECT_EQ(best[1].score, 800000 - 4);
}

TEST_F(PostgresServiceTest, AnswersUnavailableWhileTheDatabaseIsDownAndRecoversByItself) {
  Service service;
  int port = Start(service, "data");
  ASSERT_GT(port, 0);
  ASSERT_EQ(Get(port, "ohs.php?player=3Anna&score=700000"), 200);
  ASSERT_EQ(server_.Stop(), 1);
  EXPECT_EQ(Get(port, "highscore.txt"), 503);
  EXPECT_EQ(Get(port, "ohs.php?player=3Bert&score=690000"), 503);
  ASSERT_EQ(server_.Start(), 1);
  int status = 0;
  for (int tries = 0; tries < 100 && status != 200; ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    status = Get(port, "highscore.txt");
  }
  EXPECT_EQ(status, 200);
  EXPECT_EQ(Get(port, "ohs.php?player=3Bert&score=690000"), 200);
  EXPECT_EQ(service.store.Count("tournaments"), 2);
}

TEST_F(PostgresServiceTest, ImportMovesAnSqliteStoreIntoAnEmptyDatabase) {
  std::string sqlite = dir_.path() + "/old.db";
  {
    Score_Store old;
    ASSERT_EQ(old.Open(sqlite), 1);
    ASSERT_EQ(old.Submit_Tournament("3Anna", 700000), STORE_KEPT);
    ASSERT_EQ(old.Submit_Tournament("5Bert", 650000), STORE_KEPT);
    ASSERT_EQ(old.Submit_Round("3Anna", 2, 61000), STORE_KEPT);
    ASSERT_EQ(old.Log_Update("Anna", "3"), STORE_KEPT);
  }
  ASSERT_EQ(Import_Sqlite_Store(sqlite, database_), 1);
  EXPECT_EQ(Import_Sqlite_Store(sqlite, database_), 0);  // only into an empty database
  Score_Store moved;
  std::unique_ptr<Store_Backend> backend = Open_Postgres_Store(database_);
  ASSERT_NE(backend, nullptr);
  moved.Use(std::move(backend));
  std::vector<Leaderboard_Row> best;
  ASSERT_EQ(moved.Best_Tournaments(15, &best), STORE_KEPT);
  ASSERT_EQ(best.size(), 2u);
  EXPECT_EQ(best[0].player, "5Bert");
  EXPECT_EQ(moved.Count("rounds"), 1);
  EXPECT_EQ(moved.Count("update_log"), 1);
}
