#pragma once
// The web service's database (SQLite, in the data directory): tournament results, round
// results and the update log. Safe to use from the server's worker threads.
#include <sqlite3.h>

#include <mutex>
#include <string>
#include <vector>

#include "common/formats/leaderboard_file.h"

class Score_Store {
 public:
  Score_Store() = default;
  ~Score_Store();
  Score_Store(const Score_Store&) = delete;
  Score_Store& operator=(const Score_Store&) = delete;

  // Opens or creates the database file; 1 on success.
  int Open(const std::string& path);
  int Add_Tournament(const std::string& player, int score);
  // Many results in one transaction (seeding, benchmarks).
  int Add_Tournaments(const std::vector<Leaderboard_Row>& rows);
  int Add_Round(const std::string& player, int track, int score);
  int Add_Update_Log(const std::string& player, const std::string& os);
  // Up to `limit` tournament results, fastest first (earlier first among equal times).
  std::vector<Leaderboard_Row> Best_Tournaments(int limit);
  long Count(const char* table);

 private:
  int Exec(const char* sql);
  int Insert(const char* sql, const std::string& text, int a, int b, int bind_b);
  int Insert_Unlocked(const char* sql, const std::string& text, int a, int b, int bind_b);

  sqlite3* db_ = nullptr;
  std::mutex lock_;
};
