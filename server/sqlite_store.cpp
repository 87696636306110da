#include "sqlite_store.h"

#include <sqlite3.h>

#include <mutex>

namespace {

// Version 0 is the first service's file: every submission a row of its own.
const int kSchemaVersion = 2;

const char kCreateTables[] =
    "CREATE TABLE IF NOT EXISTS tournaments(id INTEGER PRIMARY KEY, player TEXT NOT NULL,"
    " score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS rounds(id INTEGER PRIMARY KEY, player TEXT NOT NULL,"
    " track INTEGER NOT NULL, score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS update_log(id INTEGER PRIMARY KEY, player TEXT NOT NULL,"
    " os TEXT NOT NULL, submitted INTEGER NOT NULL);";

// From version 0: keep each player's fastest (earliest among equal) result, then index.
const char kUpgradeTo1[] =
    "DELETE FROM tournaments WHERE EXISTS (SELECT 1 FROM tournaments AS better"
    " WHERE better.player = tournaments.player AND (better.score < tournaments.score"
    " OR (better.score = tournaments.score AND better.id < tournaments.id)));"
    "DROP INDEX IF EXISTS tournaments_by_score;"
    "CREATE UNIQUE INDEX tournaments_by_player ON tournaments(player);"
    "CREATE INDEX tournaments_by_time ON tournaments(score, submitted, id);"
    "CREATE INDEX rounds_by_player ON rounds(player, submitted);"
    "CREATE INDEX rounds_by_time ON rounds(submitted);";

// Version 2: the latest results for the web page.
const char kUpgradeTo2[] = "CREATE INDEX IF NOT EXISTS tournaments_by_submission ON tournaments(submitted);";

enum Statement_Id {
  KEEP_BEST, BEST, LATEST, ADD_ROUND, ROUNDS_SUM, ADD_LOG, TRIM_ROUNDS, TRIM_LOG,
  COUNT_TOURNAMENTS, COUNT_ROUNDS, COUNT_LOG, STATEMENT_COUNT
};

const char* const kStatements[STATEMENT_COUNT] = {
    "INSERT INTO tournaments(player, score, submitted) VALUES(?1, ?2, ?3) ON CONFLICT(player) DO UPDATE"
    " SET score = excluded.score, submitted = excluded.submitted WHERE excluded.score < tournaments.score",
    "SELECT player, score FROM tournaments ORDER BY score, submitted, id LIMIT ?1",
    "SELECT player, score FROM tournaments ORDER BY submitted DESC, id DESC LIMIT ?1",
    "INSERT INTO rounds(player, track, score, submitted) VALUES(?1, ?2, ?3, ?4)",
    "SELECT COALESCE(SUM(best), 0) FROM (SELECT MIN(score) AS best FROM rounds"
    " WHERE player = ?1 AND submitted >= ?2 GROUP BY track)",
    "INSERT INTO update_log(player, os, submitted) VALUES(?1, ?2, ?3)",
    "DELETE FROM rounds WHERE submitted < ?1",
    "DELETE FROM update_log WHERE id <= (SELECT MAX(id) FROM update_log) - ?1",
    "SELECT COUNT(*) FROM tournaments",
    "SELECT COUNT(*) FROM rounds",
    "SELECT COUNT(*) FROM update_log",
};

class Sqlite_Store : public Store_Backend {
 public:
  ~Sqlite_Store() override {
    for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
    if (db_) sqlite3_close(db_);
  }

  int Open(const std::string& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) return 0;
    sqlite3_busy_timeout(db_, 2000);
    if (!Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;") || !Upgrade()) return 0;
    for (int i = 0; i < STATEMENT_COUNT; ++i)
      if (sqlite3_prepare_v3(db_, kStatements[i], -1, SQLITE_PREPARE_PERSISTENT, &statements_[i], nullptr) != SQLITE_OK)
        return 0;
    return 1;
  }

  int Keep_Best_Tournament(const std::string& player, int score, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    return Keep_Best_Unlocked(player, score, now);
  }

  int Keep_Best_Tournaments(const std::vector<Leaderboard_Row>& rows, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    if (!Exec("BEGIN")) return 0;
    int ok = 1;
    for (const Leaderboard_Row& row : rows) ok = ok && Keep_Best_Unlocked(row.player, row.score, now);
    return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
  }

  int Best_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) override { return Rows(BEST, limit, rows); }
  int Latest_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) override { return Rows(LATEST, limit, rows); }

  int Add_Round(const std::string& player, int round, int score, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    return Run(ADD_ROUND, player, round, score, now);
  }

  int64_t Best_Rounds_Sum(const std::string& player, int64_t since) override {
    std::lock_guard<std::mutex> hold(lock_);
    return One_Number(Bound(ROUNDS_SUM, player, since));
  }

  int Add_Update_Log(const std::string& player, const std::string& os, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    return Run(ADD_LOG, player, os, now);
  }

  int Trim(int64_t rounds_before, int64_t update_log_keep) override {
    std::lock_guard<std::mutex> hold(lock_);
    int ok = Run(TRIM_ROUNDS, rounds_before);
    return Run(TRIM_LOG, update_log_keep) && ok;
  }

  int64_t Count(const std::string& table) override {
    Statement_Id id = table == "tournaments" ? COUNT_TOURNAMENTS
                      : table == "rounds"    ? COUNT_ROUNDS
                      : table == "update_log" ? COUNT_LOG
                                             : STATEMENT_COUNT;
    if (id == STATEMENT_COUNT) return -1;
    std::lock_guard<std::mutex> hold(lock_);
    return One_Number(Bound(id));
  }

 private:
  int Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

  int Schema_Version() {
    sqlite3_stmt* statement = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db_, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
      version = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return version;
  }

  // Creates the tables and runs every upgrade the file has not had, in one transaction.
  int Upgrade() {
    if (!Exec("BEGIN IMMEDIATE")) return 0;
    int version = Schema_Version();
    int ok = version >= 0 && version <= kSchemaVersion && Exec(kCreateTables);
    if (ok && version < 1) ok = Exec(kUpgradeTo1);
    if (ok && version < 2) ok = Exec(kUpgradeTo2);
    if (ok && version < kSchemaVersion)
      ok = Exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
  }

  // The prepared statement, reset and bound to `values` in order.
  template <typename... Values>
  sqlite3_stmt* Bound(Statement_Id id, const Values&... values) {
    sqlite3_stmt* statement = statements_[id];
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    int column = 0;
    (Bind(statement, ++column, values), ...);
    return statement;
  }

  // Runs a statement that answers no rows; 1 when it completed.
  template <typename... Values>
  int Run(Statement_Id id, const Values&... values) {
    return sqlite3_step(Bound(id, values...)) == SQLITE_DONE;
  }

  // The single number a query answers, -1 on failure; the statement is reset so that it
  // holds no read transaction open.
  static int64_t One_Number(sqlite3_stmt* statement) {
    int64_t number = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
    sqlite3_reset(statement);
    return number;
  }

  static void Bind(sqlite3_stmt* statement, int column, const std::string& text) {
    sqlite3_bind_text(statement, column, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  static void Bind(sqlite3_stmt* statement, int column, int value) { sqlite3_bind_int(statement, column, value); }
  static void Bind(sqlite3_stmt* statement, int column, int64_t value) {
    sqlite3_bind_int64(statement, column, value);
  }

  int Rows(Statement_Id id, int limit, std::vector<Leaderboard_Row>* rows) {
    std::lock_guard<std::mutex> hold(lock_);
    sqlite3_stmt* statement = Bound(id, limit);
    rows->clear();
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
      const char* player = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
      rows->push_back({std::string(player ? player : "", sqlite3_column_bytes(statement, 0)),
                       sqlite3_column_int(statement, 1)});
    }
    return step == SQLITE_DONE;
  }

  int Keep_Best_Unlocked(const std::string& player, int score, int64_t now) {
    return Run(KEEP_BEST, player, score, now);
  }

  sqlite3* db_ = nullptr;
  sqlite3_stmt* statements_[STATEMENT_COUNT] = {};
  std::mutex lock_;
};

}  // namespace

std::unique_ptr<Store_Backend> Open_Sqlite_Store(const std::string& path) {
  std::unique_ptr<Sqlite_Store> store(new Sqlite_Store);
  if (!store->Open(path)) return nullptr;
  return store;
}
