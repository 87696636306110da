// The web service on 127.0.0.1 as the game asks it: one request per connection, read until
// the server closes. Bounded in count and time. Latencies are per request; the floor is the
// same exchange for a path the service answers without touching its database. Each database
// is measured: SQLite in the data folder, and PostgreSQL on a server of the run's own (one
// instance, and two instances on one database). Write limits are off.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "service.h"
#include "support/postgres_server.h"

namespace {

using Clock = std::chrono::steady_clock;

// A socket connected to the service from the loopback address `source`; -1 on failure.
int Connect_From(const char* source, int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in from = {}, to = {};
  from.sin_family = to.sin_family = AF_INET;
  inet_pton(AF_INET, source, &from.sin_addr);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(static_cast<uint16_t>(port));
  if (fd >= 0 && (bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
                  connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0)) {
    close(fd);
    fd = -1;
  }
  return fd;
}

// One exchange; the answer's status code once the server closed, 0 on any failure.
int Exchange(int port, const std::string& resource, const char* source = "127.0.0.1") {
  int fd = Connect_From(source, port);
  bool ok = fd >= 0;
  std::string request = "GET /VantoRello/" + resource + " HTTP/1.1\nHost: localhost\nUser-Agent: VantoRello\n\n";
  ok = ok && send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size());
  std::string answer;
  char block[4096];
  while (ok) {
    pollfd wait = {fd, POLLIN, 0};
    if (poll(&wait, 1, 5000) <= 0) {
      ok = false;
      break;
    }
    ssize_t got = recv(fd, block, sizeof block, 0);
    if (got < 0) ok = false;
    if (got <= 0) break;
    answer.append(block, static_cast<size_t>(got));
  }
  if (fd >= 0) close(fd);
  return ok && answer.compare(0, 9, "HTTP/1.1 ") == 0 ? std::atoi(answer.c_str() + 9) : 0;
}

// The PostgreSQL server of this run, started on first use and stopped at exit; a new
// database per call.
std::string New_Postgres_Database() {
  static Postgres_Server server;
  static int made = 0;
  if (!server.ok()) {
    std::fprintf(stderr, "PostgreSQL could not be started: %s\n", server.error().c_str());
    std::abort();
  }
  return server.Create_Database("bench" + std::to_string(++made));
}

// A service whose database ("" for SQLite in its data folder) holds `results` tournaments.
struct Running_Service {
  std::string dir;
  Service service;
  int port = -1;
  explicit Running_Service(int results, const std::string& database = "") {
    char pattern[] = "/tmp/vantorello-bench-XXXXXX";
    dir = mkdtemp(pattern);
    if (!service.Open(dir, database)) std::abort();
    service.write_limit.per_minute = 0;  // the clients all come from one address
    service.limits.connections_per_address = 1000;
    std::vector<Leaderboard_Row> rows;
    for (int i = 0; i < results; ++i) rows.push_back({"3Driver_" + std::to_string(i), 600000 + (i * 7919) % 1000000});
    if (results) service.store.Add_Tournaments(rows);
    port = service.Start("127.0.0.1", 0);
  }
  ~Running_Service() {
    service.Stop();
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p * (values.size() - 1))];
}

// The machine's one-minute load average, reported beside every figure (the machine is shared).
double Load_Average() {
  double load = -1;
  if (FILE* file = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(file, "%lf", &load) != 1) load = -1;
    std::fclose(file);
  }
  return load;
}

double Ms_Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Sequential requests: the leaderboard from 100 000 results on each database, and the floor.
void BM_Sequential(benchmark::State& state, const char* resource, int expected, bool postgres) {
  // Kept for the whole run, stopped and removed at exit.
  static std::unique_ptr<Running_Service> on_sqlite, on_postgres;
  std::unique_ptr<Running_Service>& shared = postgres ? on_postgres : on_sqlite;
  if (!shared) shared.reset(new Running_Service(100000, postgres ? New_Postgres_Database() : ""));
  const int kRequests = 1000;
  for (auto _ : state) {
    std::vector<double> latencies;
    int errors = 0;
    for (int i = 0; i < kRequests; ++i) {
      Clock::time_point start = Clock::now();
      errors += Exchange(shared->port, resource) != expected;
      latencies.push_back(Ms_Since(start));
    }
    state.counters["median_ms"] = Percentile(latencies, 0.5);
    state.counters["p99_ms"] = Percentile(latencies, 0.99);
    state.counters["errors"] = errors;
    state.counters["load_1min"] = Load_Average();
  }
}

// 20 clients, each paced to 10 requests a second for 5 s (200 a second in all), nine
// leaderboard downloads to one round submission; then the same clients unpaced, 100 each.
void BM_Twenty_Clients(benchmark::State& state) {
  Running_Service running(100000);
  const int kClients = 20;
  const bool paced = state.range(0) == 1;
  const int kPerClient = paced ? 50 : 100;
  for (auto _ : state) {
    std::atomic<int> errors{0};
    std::vector<std::vector<double>> latencies(kClients);
    Clock::time_point begin = Clock::now();
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
      clients.emplace_back([&, c] {
        for (int i = 0; i < kPerClient; ++i) {
          Clock::time_point due = begin + std::chrono::milliseconds(100 * i + 5 * c);
          if (paced) std::this_thread::sleep_until(due);
          std::string resource = i % 10 == 9 ? "ots.php?player=3Load_" + std::to_string(c) + "&track=3&score=61234"
                                             : "highscore.txt";
          Clock::time_point start = Clock::now();
          if (Exchange(running.port, resource) != 200) ++errors;
          latencies[c].push_back(Ms_Since(start));
        }
      });
    for (std::thread& client : clients) client.join();
    double seconds = Ms_Since(begin) / 1000.0;
    std::vector<double> all;
    for (const auto& list : latencies) all.insert(all.end(), list.begin(), list.end());
    state.counters["requests_per_s"] = all.size() / seconds;
    state.counters["median_ms"] = Percentile(all, 0.5);
    state.counters["p99_ms"] = Percentile(all, 0.99);
    state.counters["errors"] = errors.load();
    state.counters["load_1min"] = Load_Average();
  }
}

// Keeps `count` connections from 127.0.0.2 open against the service until `stop`: half send a
// POST announcing 100 MB and then one byte a second, half trickle their header a byte a
// second; each one the service closes is opened again at once.
void Slow_Attack(int port, int count, const std::atomic<bool>& stop, std::atomic<long>* connects) {
  std::vector<int> sockets(count, -1);
  std::vector<Clock::time_point> next(count, Clock::now());
  const std::string kStarts[2] = {"POST /VantoRello/ohs.php HTTP/1.1\nHost: x\nContent-Length: 100000000\n\n",
                                  "G"};
  while (!stop) {
    for (int i = 0; i < count && !stop; ++i) {
      if (sockets[i] >= 0) {
        pollfd wait = {sockets[i], POLLIN, 0};
        char block[512];
        if (poll(&wait, 1, 0) > 0 && recv(sockets[i], block, sizeof block, MSG_DONTWAIT) <= 0) {
          close(sockets[i]);
          sockets[i] = -1;
        }
      }
      if (sockets[i] < 0) {
        sockets[i] = Connect_From("127.0.0.2", port);
        ++*connects;
        if (sockets[i] >= 0) send(sockets[i], kStarts[i % 2].data(), kStarts[i % 2].size(), MSG_NOSIGNAL);
        next[i] = Clock::now() + std::chrono::seconds(1);
      } else if (Clock::now() >= next[i]) {
        send(sockets[i], "x", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        next[i] += std::chrono::seconds(1);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  for (int fd : sockets)
    if (fd >= 0) close(fd);
}

// The goal: while one address holds 500 slow connections, another (127.0.0.3) downloads the
// leaderboard 200 times, one every 60 ms (12 s, past the 10 s request deadline). Arg 0 is
// the floor, the same downloads without the attack.
void BM_Slow_Attack(benchmark::State& state) {
  Running_Service running(1000);
  const int kAttackers = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::atomic<bool> stop{false};
    std::atomic<long> connects{0};
    std::thread attacker;
    if (kAttackers > 0) {
      attacker = std::thread(Slow_Attack, running.port, kAttackers, std::cref(stop), &connects);
      std::this_thread::sleep_for(std::chrono::seconds(2));
    }
    std::vector<double> latencies;
    int failures = 0;
    Clock::time_point begin = Clock::now();
    for (int i = 0; i < 200; ++i) {
      std::this_thread::sleep_until(begin + std::chrono::milliseconds(60 * i));
      Clock::time_point start = Clock::now();
      failures += Exchange(running.port, "highscore.txt", "127.0.0.3") != 200;
      latencies.push_back(Ms_Since(start));
    }
    stop = true;
    if (attacker.joinable()) attacker.join();
    state.counters["median_ms"] = Percentile(latencies, 0.5);
    state.counters["p99_ms"] = Percentile(latencies, 0.99);
    state.counters["max_ms"] = Percentile(latencies, 1.0);
    state.counters["failures"] = failures;
    state.counters["attack_connects"] = connects.load();
    state.counters["cut_at_deadline"] = running.service.guard.cut_count();
    state.counters["load_1min"] = Load_Average();
  }
}

// Result submissions as fast as 20 clients can send them, each a new player (so every one is
// a row): on SQLite (arg 0), PostgreSQL (1), two instances on one PostgreSQL (2). Afterwards
// the database must hold exactly one row per submission.
void BM_Submissions(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  std::string database = kind ? New_Postgres_Database() : "";
  Running_Service first(0, database);
  std::unique_ptr<Running_Service> second(kind == 2 ? new Running_Service(0, database) : nullptr);
  const int kClients = 20, kPerClient = 100;
  for (auto _ : state) {
    std::atomic<int> errors{0};
    Clock::time_point begin = Clock::now();
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
      clients.emplace_back([&, c] {
        int port = second && c % 2 ? second->port : first.port;
        for (int i = 0; i < kPerClient; ++i)
          if (Exchange(port, "ohs.php?player=3P" + std::to_string(c) + "_" + std::to_string(i) + "&score=700000") != 200)
            ++errors;
      });
    for (std::thread& client : clients) client.join();
    double seconds = Ms_Since(begin) / 1000.0;
    state.counters["submissions_per_s"] = kClients * kPerClient / seconds;
    state.counters["errors"] = errors.load();
    state.counters["rows_missing_or_extra"] =
        static_cast<double>(std::abs(first.service.store.Count("tournaments") - kClients * kPerClient));
    state.counters["load_1min"] = Load_Average();
  }
}

BENCHMARK_CAPTURE(BM_Sequential, highscore_of_100000_sqlite, "highscore.txt", 200, false)
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sequential, highscore_of_100000_postgresql, "highscore.txt", 200, true)
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sequential, floor_not_found, "nothing.here", 404, false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Submissions)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Twenty_Clients)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Slow_Attack)->Arg(0)->Arg(500)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
