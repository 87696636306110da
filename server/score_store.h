#pragma once
// The leaderboard's rules over whichever database keeps the results: one row per player (the
// best), round times within what the round's track allows, tournament totals no faster than
// the rounds behind them, and bounded keeping of what is only written. Safe to use from the
// server's worker threads.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/formats/leaderboard_file.h"
#include "round_bounds.h"
#include "store_backend.h"

enum Store_Answer {
  STORE_KEPT = 0,     // accepted (a tournament result slower than the player's best leaves the best)
  STORE_REFUSED = 1,  // breaks a rule: the request is answered 400
  STORE_FAILED = 2,   // the database failed
  STORE_UNAVAILABLE = 3,  // the database cannot be reached now: the request is answered 503
};

// How long what nobody reads is kept.
struct Retention {
  int round_days = 2;                 // round results (read for one day to check totals)
  int64_t update_log_entries = 10000;  // the newest entries of the update log
};

class Score_Store {
 public:
  Score_Store();
  ~Score_Store();
  Score_Store(const Score_Store&) = delete;
  Score_Store& operator=(const Score_Store&) = delete;

  // Opens the SQLite database at `path`; 1 on success.
  int Open(const std::string& path);
  // Opens "sqlite:PATH" or a PostgreSQL URI ("postgresql://..." or "postgres://...").
  int Open_Database(const std::string& database);
  // Uses an opened backend.
  void Use(std::unique_ptr<Store_Backend> backend);
  // Where the published tournament tracks are, for the bounds of round times.
  void Use_Round_Tracks(const std::string& tracks_dir) { bounds.Set_Folder(tracks_dir); }

  int Submit_Round(const std::string& player, int round, int score);
  int Submit_Tournament(const std::string& player, int score);
  int Log_Update(const std::string& player, const std::string& os);

  // Up to `limit` players' best results, fastest first; the latest kept results first. A
  // failure answers STORE_FAILED or STORE_UNAVAILABLE.
  int Best_Tournaments(int limit, std::vector<Leaderboard_Row>* rows);
  int Latest_Tournaments(int limit, std::vector<Leaderboard_Row>* rows);
  // The same, empty on failure.
  std::vector<Leaderboard_Row> Best_Tournaments(int limit);
  // Many results at once, each kept as the player's best (seeding, benchmarks); 1 on success.
  int Add_Tournaments(const std::vector<Leaderboard_Row>& rows);
  int64_t Count(const char* table);

  Retention retention;
  Round_Bounds_Table bounds;
  // Seconds since the epoch; tests move it.
  std::function<int64_t()> clock;

 private:
  int Failure() const;

  std::unique_ptr<Store_Backend> backend_;
};
