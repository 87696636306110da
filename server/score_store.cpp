#include "score_store.h"

#include <ctime>

#include "postgres_store.h"
#include "sqlite_store.h"

namespace {

const int64_t kDay = 24 * 60 * 60;

}  // namespace

Score_Store::Score_Store() : clock([] { return static_cast<int64_t>(std::time(nullptr)); }) {}
Score_Store::~Score_Store() = default;

int Score_Store::Open(const std::string& path) {
  backend_ = Open_Sqlite_Store(path);
  return backend_ != nullptr;
}

int Score_Store::Open_Database(const std::string& database) {
  if (database.compare(0, 7, "sqlite:") == 0) return Open(database.substr(7));
  if (database.compare(0, 13, "postgresql://") == 0 || database.compare(0, 11, "postgres://") == 0) {
    backend_ = Open_Postgres_Store(database);
    return backend_ != nullptr;
  }
  return 0;
}

int Score_Store::Failure() const { return backend_ && !backend_->Available() ? STORE_UNAVAILABLE : STORE_FAILED; }

void Score_Store::Use(std::unique_ptr<Store_Backend> backend) { backend_ = std::move(backend); }

int Score_Store::Submit_Round(const std::string& player, int round, int score) {
  Round_Bounds limits = bounds.Of(round);
  if (limits.known && (score < limits.fastest || score > limits.slowest)) return STORE_REFUSED;
  int64_t now = clock();
  if (!backend_ || !backend_->Add_Round(player, round, score, now)) return Failure();
  backend_->Trim(now - retention.round_days * kDay, retention.update_log_entries);
  return STORE_KEPT;
}

// A total is the sum of the player's twelve round times: never faster than every round at its
// fastest, nor than the player's best round times of the last day (a round whose submission
// was lost only lowers that sum), nor slower than every round at its slowest.
int Score_Store::Submit_Tournament(const std::string& player, int score) {
  int64_t fastest = 0, slowest = 0;
  int known = 0;
  for (int round = 1; round <= kRoundsPerTournament; ++round) {
    Round_Bounds limits = bounds.Of(round);
    known += limits.known;
    fastest += limits.fastest;
    slowest += limits.slowest;
  }
  if (score < fastest || (known == kRoundsPerTournament && score > slowest)) return STORE_REFUSED;
  if (!backend_) return STORE_FAILED;
  int64_t now = clock();
  int64_t rounds = backend_->Best_Rounds_Sum(player, now - kDay);
  if (rounds < 0) return Failure();
  if (score < rounds) return STORE_REFUSED;
  return backend_->Keep_Best_Tournament(player, score, now) ? STORE_KEPT : Failure();
}

int Score_Store::Log_Update(const std::string& player, const std::string& os) {
  int64_t now = clock();
  if (!backend_ || !backend_->Add_Update_Log(player, os, now)) return Failure();
  backend_->Trim(now - retention.round_days * kDay, retention.update_log_entries);
  return STORE_KEPT;
}

int Score_Store::Best_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) {
  return backend_ && backend_->Best_Tournaments(limit, rows) ? STORE_KEPT : Failure();
}

int Score_Store::Latest_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) {
  return backend_ && backend_->Latest_Tournaments(limit, rows) ? STORE_KEPT : Failure();
}

std::vector<Leaderboard_Row> Score_Store::Best_Tournaments(int limit) {
  std::vector<Leaderboard_Row> rows;
  if (Best_Tournaments(limit, &rows) != STORE_KEPT) rows.clear();
  return rows;
}

int Score_Store::Add_Tournaments(const std::vector<Leaderboard_Row>& rows) {
  return backend_ && backend_->Keep_Best_Tournaments(rows, clock());
}

int64_t Score_Store::Count(const char* table) { return backend_ ? backend_->Count(table) : -1; }
