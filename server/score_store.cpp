#include "score_store.h"

#include <ctime>

namespace {

const char kSchema[] =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=NORMAL;"
    "CREATE TABLE IF NOT EXISTS tournaments(id INTEGER PRIMARY KEY, player TEXT NOT NULL,"
    " score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS tournaments_by_score ON tournaments(score, id);"
    "CREATE TABLE IF NOT EXISTS rounds(id INTEGER PRIMARY KEY, player TEXT NOT NULL,"
    " track INTEGER NOT NULL, score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS update_log(id INTEGER PRIMARY KEY, player TEXT NOT NULL,"
    " os TEXT NOT NULL, submitted INTEGER NOT NULL);";

}  // namespace

Score_Store::~Score_Store() {
  if (db_) sqlite3_close(db_);
}

int Score_Store::Open(const std::string& path) {
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) return 0;
  sqlite3_busy_timeout(db_, 2000);
  return Exec(kSchema);
}

int Score_Store::Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

int Score_Store::Insert(const char* sql, const std::string& text, int a, int b, int bind_b) {
  std::lock_guard<std::mutex> hold(lock_);
  return Insert_Unlocked(sql, text, a, b, bind_b);
}

// Inserts one row: the text, a, then b when bind_b is set, then the time.
int Score_Store::Insert_Unlocked(const char* sql, const std::string& text, int a, int b, int bind_b) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) return 0;
  int column = 1;
  sqlite3_bind_text(statement, column++, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int(statement, column++, a);
  if (bind_b) sqlite3_bind_int(statement, column++, b);
  sqlite3_bind_int64(statement, column, static_cast<sqlite3_int64>(std::time(nullptr)));
  int ok = sqlite3_step(statement) == SQLITE_DONE;
  sqlite3_finalize(statement);
  return ok;
}

namespace {
const char kAddTournament[] = "INSERT INTO tournaments(player, score, submitted) VALUES(?, ?, ?)";
}

int Score_Store::Add_Tournament(const std::string& player, int score) {
  return Insert(kAddTournament, player, score, 0, 0);
}

int Score_Store::Add_Tournaments(const std::vector<Leaderboard_Row>& rows) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!Exec("BEGIN")) return 0;
  int ok = 1;
  for (const Leaderboard_Row& row : rows) ok = ok && Insert_Unlocked(kAddTournament, row.player, row.score, 0, 0);
  return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
}

int Score_Store::Add_Round(const std::string& player, int track, int score) {
  return Insert("INSERT INTO rounds(player, track, score, submitted) VALUES(?, ?, ?, ?)", player, track, score, 1);
}

int Score_Store::Add_Update_Log(const std::string& player, const std::string& os) {
  std::lock_guard<std::mutex> hold(lock_);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, "INSERT INTO update_log(player, os, submitted) VALUES(?, ?, ?)", -1, &statement,
                         nullptr) != SQLITE_OK)
    return 0;
  sqlite3_bind_text(statement, 1, player.data(), static_cast<int>(player.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(statement, 2, os.data(), static_cast<int>(os.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int64(statement, 3, static_cast<sqlite3_int64>(std::time(nullptr)));
  int ok = sqlite3_step(statement) == SQLITE_DONE;
  sqlite3_finalize(statement);
  return ok;
}

std::vector<Leaderboard_Row> Score_Store::Best_Tournaments(int limit) {
  std::vector<Leaderboard_Row> rows;
  std::lock_guard<std::mutex> hold(lock_);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, "SELECT player, score FROM tournaments ORDER BY score, id LIMIT ?", -1, &statement,
                         nullptr) != SQLITE_OK)
    return rows;
  sqlite3_bind_int(statement, 1, limit);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const unsigned char* player = sqlite3_column_text(statement, 0);
    int bytes = sqlite3_column_bytes(statement, 0);
    rows.push_back({std::string(reinterpret_cast<const char*>(player), bytes), sqlite3_column_int(statement, 1)});
  }
  sqlite3_finalize(statement);
  return rows;
}

long Score_Store::Count(const char* table) {
  std::string sql = std::string("SELECT COUNT(*) FROM ") + table;
  std::lock_guard<std::mutex> hold(lock_);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return -1;
  long count = sqlite3_step(statement) == SQLITE_ROW ? static_cast<long>(sqlite3_column_int64(statement, 0)) : -1;
  sqlite3_finalize(statement);
  return count;
}
