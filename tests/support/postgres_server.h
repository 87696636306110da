#pragma once
// A PostgreSQL server of a test's own: a fresh cluster in a temporary folder, reached only
// through a Unix socket in that folder (no TCP), stopped and removed when the object goes,
// also after a failed assertion. PostgreSQL refuses to run as root; as root the server runs
// as the user "postgres".
#include <string>

class Postgres_Server {
 public:
  Postgres_Server();  // initialises and starts; ok() tells, error() says why not
  ~Postgres_Server();
  Postgres_Server(const Postgres_Server&) = delete;
  Postgres_Server& operator=(const Postgres_Server&) = delete;

  bool ok() const { return running_; }
  const std::string& error() const { return error_; }
  // Creates the empty database `name` and returns its libpq connection URI ("" on failure).
  std::string Create_Database(const std::string& name);
  // Stops or starts the server of the same cluster (for outages); 1 on success.
  int Stop();
  int Start();

 private:
  // Runs a PostgreSQL program of the installed version as the server's user; its output
  // goes to the folder's log. 1 when it succeeded.
  int Run(const std::string& program, const std::string& arguments);

  std::string dir_, bin_, error_;
  bool running_ = false;
};
