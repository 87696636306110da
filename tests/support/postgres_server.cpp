#include "support/postgres_server.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The bin folder of the newest PostgreSQL installed from Debian's packages.
std::string Postgres_Bin() {
  std::string best;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator("/usr/lib/postgresql", error)) {
    std::string bin = (entry.path() / "bin").string();
    if (fs::exists(bin + "/pg_ctl", error) &&
        (best.empty() || std::stoi(entry.path().filename().string()) > std::stoi(fs::path(best).parent_path().filename().string())))
      best = bin;
  }
  return best;
}

std::string Tail_Of(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  std::string text = all.str();
  return text.size() > 1500 ? text.substr(text.size() - 1500) : text;
}

}  // namespace

Postgres_Server::Postgres_Server() {
  bin_ = Postgres_Bin();
  if (bin_.empty()) {
    error_ = "PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/pg_ctl): install the package postgresql";
    return;
  }
  char pattern[] = "/tmp/vantorello-pg-XXXXXX";
  if (!mkdtemp(pattern)) {
    error_ = "cannot make a temporary folder";
    return;
  }
  dir_ = pattern;
  if (getuid() == 0) {
    passwd* user = getpwnam("postgres");
    if (!user || chown(dir_.c_str(), user->pw_uid, user->pw_gid) != 0) {
      error_ = "running as root, but there is no user postgres to run the server as";
      return;
    }
  }
  if (!Run("initdb", "-D " + dir_ + "/cluster -U postgres -A trust -E UTF8 --no-sync")) {
    error_ = "initdb failed: " + Tail_Of(dir_ + "/programs.log");
    return;
  }
  Start();
}

Postgres_Server::~Postgres_Server() {
  Stop();
  std::error_code ignored;
  if (!dir_.empty()) fs::remove_all(dir_, ignored);
}

int Postgres_Server::Run(const std::string& program, const std::string& arguments) {
  std::string command = bin_ + "/" + program + " " + arguments + " >>" + dir_ + "/programs.log 2>&1";
  if (getuid() == 0) command = "runuser -u postgres -- " + command;
  return std::system(command.c_str()) == 0;
}

int Postgres_Server::Start() {
  if (running_) return 1;
  running_ = Run("pg_ctl", "-D " + dir_ + "/cluster -l " + dir_ + "/server.log -w -t 60 -o \"-k " + dir_ +
                               " -h '' -p 5432 -F\" start");
  if (!running_) error_ = "the server did not start: " + Tail_Of(dir_ + "/server.log");
  return running_;
}

int Postgres_Server::Stop() {
  if (!running_) return 1;
  running_ = !Run("pg_ctl", "-D " + dir_ + "/cluster -m fast -w -t 60 stop");
  return !running_;
}

std::string Postgres_Server::Create_Database(const std::string& name) {
  if (!running_ || !Run("createdb", "-h " + dir_ + " -p 5432 -U postgres " + name)) return "";
  return "postgresql:///" + name + "?host=" + dir_ + "&port=5432&user=postgres";
}
