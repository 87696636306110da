#pragma once
// The one small interface every database of the service implements (SQLite, PostgreSQL):
// tournament results (one row per player, the best), round results and the update log. The
// rules about what may be stored sit above it, in Score_Store; a backend only keeps and
// finds. Times are seconds since the epoch; 1 is success, 0 failure (and -1 for a failed
// count or sum).
#include <cstdint>
#include <string>
#include <vector>

#include "common/formats/leaderboard_file.h"

class Store_Backend {
 public:
  virtual ~Store_Backend() = default;

  // Stores the player's first result, or replaces theirs when `score` is faster.
  virtual int Keep_Best_Tournament(const std::string& player, int score, int64_t now) = 0;
  // Many results in one transaction, each kept as above (seeding, benchmarks).
  virtual int Keep_Best_Tournaments(const std::vector<Leaderboard_Row>& rows, int64_t now) = 0;
  // Up to `limit` results, fastest first, the earlier of equal times first.
  virtual int Best_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) = 0;
  // Up to `limit` results, the most recently kept first.
  virtual int Latest_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) = 0;

  virtual int Add_Round(const std::string& player, int round, int score, int64_t now) = 0;
  // The sum over rounds of the player's fastest result submitted at `since` or later.
  virtual int64_t Best_Rounds_Sum(const std::string& player, int64_t since) = 0;
  virtual int Add_Update_Log(const std::string& player, const std::string& os, int64_t now) = 0;

  // Forgets round results submitted before `rounds_before` and all but the newest
  // `update_log_keep` entries of the update log.
  virtual int Trim(int64_t rounds_before, int64_t update_log_keep) = 0;
  // Rows of "tournaments", "rounds" or "update_log".
  virtual int64_t Count(const std::string& table) = 0;

  // 0 while the database cannot be reached (its failures are then answered "try later").
  virtual int Available() { return 1; }
};
