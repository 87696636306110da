#include "postgres_store.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

const int kSchemaVersion = 1;

// Every instance runs this at start; the advisory lock makes concurrent starts take turns.
const char kCreateSchema[] =
    "SELECT pg_advisory_xact_lock(7041974);"
    "CREATE TABLE IF NOT EXISTS schema_version(version INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS tournaments(id BIGSERIAL PRIMARY KEY, player TEXT NOT NULL UNIQUE,"
    " score INTEGER NOT NULL, submitted BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS tournaments_by_time ON tournaments(score, submitted, id);"
    "CREATE INDEX IF NOT EXISTS tournaments_by_submission ON tournaments(submitted);"
    "CREATE TABLE IF NOT EXISTS rounds(id BIGSERIAL PRIMARY KEY, player TEXT NOT NULL, track INTEGER NOT NULL,"
    " score INTEGER NOT NULL, submitted BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS rounds_by_player ON rounds(player, submitted);"
    "CREATE INDEX IF NOT EXISTS rounds_by_time ON rounds(submitted);"
    "CREATE TABLE IF NOT EXISTS update_log(id BIGSERIAL PRIMARY KEY, player TEXT NOT NULL, os TEXT NOT NULL,"
    " submitted BIGINT NOT NULL);";

struct Statement {
  const char* name;
  const char* sql;
  int params;
};

const Statement kStatements[] = {
    {"keep_best",
     "INSERT INTO tournaments(player, score, submitted) VALUES($1, $2, $3) ON CONFLICT(player) DO UPDATE"
     " SET score = EXCLUDED.score, submitted = EXCLUDED.submitted WHERE EXCLUDED.score < tournaments.score",
     3},
    {"best", "SELECT player, score FROM tournaments ORDER BY score, submitted, id LIMIT $1", 1},
    {"latest", "SELECT player, score FROM tournaments ORDER BY submitted DESC, id DESC LIMIT $1", 1},
    {"add_round", "INSERT INTO rounds(player, track, score, submitted) VALUES($1, $2, $3, $4)", 4},
    {"rounds_sum",
     "SELECT COALESCE(SUM(best), 0) FROM (SELECT MIN(score) AS best FROM rounds"
     " WHERE player = $1 AND submitted >= $2 GROUP BY track) AS per_round",
     2},
    {"add_log", "INSERT INTO update_log(player, os, submitted) VALUES($1, $2, $3)", 3},
    {"trim_rounds", "DELETE FROM rounds WHERE submitted < $1", 1},
    {"trim_log", "DELETE FROM update_log WHERE id <= (SELECT MAX(id) FROM update_log) - $1", 1},
    {"count_tournaments", "SELECT COUNT(*) FROM tournaments", 0},
    {"count_rounds", "SELECT COUNT(*) FROM rounds", 0},
    {"count_update_log", "SELECT COUNT(*) FROM update_log", 0},
};

// A query result that clears itself.
struct Result {
  PGresult* result;
  explicit Result(PGresult* r) : result(r) {}
  ~Result() { PQclear(result); }
  bool Is(ExecStatusType status) const { return result && PQresultStatus(result) == status; }
};

class Postgres_Store : public Store_Backend {
 public:
  explicit Postgres_Store(const std::string& conninfo) : conninfo_(conninfo) {}
  ~Postgres_Store() override {
    if (conn_) PQfinish(conn_);
  }

  // Connects, upgrades the schema and prepares every statement.
  int Connect() {
    if (conn_) PQfinish(conn_);
    // The URI's own settings, with a bound on how long a connection attempt may block.
    const char* const keys[] = {"dbname", "connect_timeout", nullptr};
    const char* const values[] = {conninfo_.c_str(), "5", nullptr};
    conn_ = PQconnectdbParams(keys, values, 1);
    if (PQstatus(conn_) != CONNECTION_OK) return 0;
    PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);  // "already exists, skipping"
    if (!Upgrade()) return 0;
    for (const Statement& statement : kStatements)
      if (!Result(PQprepare(conn_, statement.name, statement.sql, statement.params, nullptr)).Is(PGRES_COMMAND_OK))
        return 0;
    return 1;
  }
  std::string Error() const { return conn_ ? PQerrorMessage(conn_) : "no connection"; }

  int Keep_Best_Tournament(const std::string& player, int score, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    return Keep_Best_Unlocked(player, score, now);
  }

  int Keep_Best_Tournaments(const std::vector<Leaderboard_Row>& rows, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    if (!Plain("BEGIN")) return 0;
    int ok = 1;
    for (const Leaderboard_Row& row : rows)
      ok = ok && Keep_Best_Unlocked(row.player, row.score, now);
    return Plain(ok ? "COMMIT" : "ROLLBACK") && ok;
  }

  int Best_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) override {
    return Rows("best", limit, rows);
  }
  int Latest_Tournaments(int limit, std::vector<Leaderboard_Row>* rows) override {
    return Rows("latest", limit, rows);
  }

  int Add_Round(const std::string& player, int round, int score, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    return Command("add_round", {player, std::to_string(round), std::to_string(score), std::to_string(now)});
  }

  int64_t Best_Rounds_Sum(const std::string& player, int64_t since) override {
    std::lock_guard<std::mutex> hold(lock_);
    return Number("rounds_sum", {player, std::to_string(since)});
  }

  int Add_Update_Log(const std::string& player, const std::string& os, int64_t now) override {
    std::lock_guard<std::mutex> hold(lock_);
    return Command("add_log", {player, os, std::to_string(now)});
  }

  int Trim(int64_t rounds_before, int64_t update_log_keep) override {
    std::lock_guard<std::mutex> hold(lock_);
    int ok = Command("trim_rounds", {std::to_string(rounds_before)});
    return Command("trim_log", {std::to_string(update_log_keep)}) && ok;
  }

  int64_t Count(const std::string& table) override {
    if (table != "tournaments" && table != "rounds" && table != "update_log") return -1;
    std::lock_guard<std::mutex> hold(lock_);
    return Number(("count_" + table).c_str(), {});
  }

  // Copies every row of an SQLite store into this empty database in one transaction, in the
  // order they were written; the SQLite file is only read.
  int Import(sqlite3* source) {
    std::lock_guard<std::mutex> hold(lock_);
    for (const char* table : {"tournaments", "rounds", "update_log"})
      if (Number((std::string("count_") + table).c_str(), {}) != 0) {
        std::printf("The database already holds %s: import only into an empty one\n", table);
        return 0;
      }
    if (!Plain("BEGIN")) return 0;
    int ok = Copy(source, "SELECT player, score, submitted FROM tournaments ORDER BY id", "keep_best") &&
             Copy(source, "SELECT player, track, score, submitted FROM rounds ORDER BY id", "add_round") &&
             Copy(source, "SELECT player, os, submitted FROM update_log ORDER BY id", "add_log");
    return Plain(ok ? "COMMIT" : "ROLLBACK") && ok;
  }

  int Available() override {
    std::lock_guard<std::mutex> hold(lock_);
    return Usable();
  }

 private:
  using Clock = std::chrono::steady_clock;

  // Checks the connection and, once the back-off has passed, reconnects a lost one.
  bool Usable() {
    if (conn_ && PQstatus(conn_) == CONNECTION_OK && !broken_) return true;
    Clock::time_point now = Clock::now();
    if (now < retry_at_) return false;
    if (Connect()) {
      broken_ = false;
      backoff_ = std::chrono::milliseconds(250);
      std::printf("Database connection restored\n");
      std::fflush(stdout);
      return true;
    }
    retry_at_ = now + backoff_;
    backoff_ = std::min<std::chrono::milliseconds>(backoff_ * 2, std::chrono::milliseconds(5000));
    return false;
  }

  // Runs a prepared statement; a failure on a lost connection marks it for reconnection.
  PGresult* Run(const char* name, const std::vector<std::string>& values) {
    if (!Usable()) return nullptr;
    std::vector<const char*> params;
    for (const std::string& value : values) params.push_back(value.c_str());
    PGresult* result = PQexecPrepared(conn_, name, static_cast<int>(params.size()), params.data(), nullptr, nullptr, 0);
    ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if ((status == PGRES_FATAL_ERROR || status == PGRES_BAD_RESPONSE) && PQstatus(conn_) != CONNECTION_OK) {
      if (!broken_) std::printf("Database connection lost: %s", PQerrorMessage(conn_));
      std::fflush(stdout);
      broken_ = true;
      retry_at_ = Clock::now();
    }
    return result;
  }

  int Command(const char* name, const std::vector<std::string>& values) {
    return Result(Run(name, values)).Is(PGRES_COMMAND_OK);
  }

  int64_t Number(const char* name, const std::vector<std::string>& values) {
    Result result(Run(name, values));
    if (!result.Is(PGRES_TUPLES_OK) || PQntuples(result.result) != 1) return -1;
    return std::atoll(PQgetvalue(result.result, 0, 0));
  }

  int Rows(const char* name, int limit, std::vector<Leaderboard_Row>* rows) {
    std::lock_guard<std::mutex> hold(lock_);
    Result result(Run(name, {std::to_string(limit)}));
    if (!result.Is(PGRES_TUPLES_OK)) return 0;
    rows->clear();
    for (int i = 0; i < PQntuples(result.result); ++i)
      rows->push_back({std::string(PQgetvalue(result.result, i, 0), PQgetlength(result.result, i, 0)),
                       std::atoi(PQgetvalue(result.result, i, 1))});
    return 1;
  }

  int Keep_Best_Unlocked(const std::string& player, int score, int64_t now) {
    return Command("keep_best", {player, std::to_string(score), std::to_string(now)});
  }

  // Runs SQL that answers no rows on the connection as it is; 1 when it succeeded.
  int Exec(const char* sql) { return Result(PQexec(conn_, sql)).Is(PGRES_COMMAND_OK); }

  int Plain(const char* sql) { return Usable() && Exec(sql); }

  // Runs `statement` for every row `query` reads from the SQLite store, its columns as values.
  int Copy(sqlite3* source, const char* query, const char* statement) {
    sqlite3_stmt* rows = nullptr;
    if (sqlite3_prepare_v2(source, query, -1, &rows, nullptr) != SQLITE_OK) {
      std::printf("Cannot read the SQLite store: %s\n", sqlite3_errmsg(source));
      return 0;
    }
    int ok = 1, step;
    long copied = 0;
    while (ok && (step = sqlite3_step(rows)) == SQLITE_ROW) {
      std::vector<std::string> values;
      for (int i = 0; i < sqlite3_column_count(rows); ++i) {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(rows, i));
        values.emplace_back(text ? std::string(text, sqlite3_column_bytes(rows, i)) : "");
      }
      ok = Command(statement, values);
      copied += ok;
    }
    ok = ok && step == SQLITE_DONE;
    sqlite3_finalize(rows);
    if (!ok) std::printf("Import stopped: %s", PQerrorMessage(conn_));
    std::printf("%ld rows for %s\n", copied, statement);
    return ok;
  }

  // Creates the tables and records the version, in one transaction.
  int Upgrade() {
    if (!Exec("BEGIN")) return 0;
    int ok = Exec(kCreateSchema);  // the status of the last statement
    if (ok) {
      Result version(PQexec(conn_, "SELECT COALESCE(MAX(version), 0) FROM schema_version"));
      int current = version.Is(PGRES_TUPLES_OK) ? std::atoi(PQgetvalue(version.result, 0, 0)) : -1;
      ok = current >= 0 && current <= kSchemaVersion;
      if (ok && current < kSchemaVersion)
        ok = Exec(("DELETE FROM schema_version; INSERT INTO schema_version VALUES(" + std::to_string(kSchemaVersion) +
                   ")")
                      .c_str());
    }
    return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
  }

  std::string conninfo_;
  PGconn* conn_ = nullptr;
  bool broken_ = false;
  Clock::time_point retry_at_;
  std::chrono::milliseconds backoff_{250};
  std::mutex lock_;
};

}  // namespace

std::unique_ptr<Store_Backend> Open_Postgres_Store(const std::string& conninfo) {
  std::unique_ptr<Postgres_Store> store(new Postgres_Store(conninfo));
  if (!store->Connect()) {
    std::printf("Cannot use the database: %s", store->Error().c_str());
    return nullptr;
  }
  return store;
}

int Import_Sqlite_Store(const std::string& sqlite_path, const std::string& conninfo) {
  sqlite3* source = nullptr;
  if (sqlite3_open_v2(sqlite_path.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    std::printf("Cannot open %s\n", sqlite_path.c_str());
    sqlite3_close(source);
    return 0;
  }
  Postgres_Store store(conninfo);
  int ok = store.Connect();
  if (!ok) std::printf("Cannot use the database: %s", store.Error().c_str());
  ok = ok && store.Import(source);
  sqlite3_close(source);
  return ok;
}
