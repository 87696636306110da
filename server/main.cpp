// vantorello-service: the game's web service. One data directory holds its database, the
// published tracks and the published release.
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "client_address.h"
#include "postgres_store.h"
#include "seed.h"
#include "service.h"
#include "shelves.h"

namespace {

const char kUsage[] =
    "usage: vantorello-service DATA_DIR [OPTION...]                     serve (default 127.0.0.1:8780)\n"
    "       vantorello-service DATA_DIR --publish-track FILE.TRK...     validate and publish tracks\n"
    "       vantorello-service DATA_DIR --publish-release DIR VERSION   publish DIR as the release\n"
    "       vantorello-service DATA_DIR --seed RUN_DIR                  sample tracks and results\n"
    "       vantorello-service DATA_DIR --import-sqlite FILE --database postgresql://...\n"
    "                                   copy an SQLite store into an empty PostgreSQL database\n"
    "\n"
    "Serving options:\n"
    "  --database sqlite:PATH | postgresql://...  where results are kept (DATA_DIR/service.db);\n"
    "                               a libpq URI lets several instances share one database\n"
    "  --host ADDRESS               IPv4 address to listen on (127.0.0.1)\n"
    "  --port N                     port 1..65535 (8780)\n"
    "  --connections-per-address N  open connections one address may hold (16); behind a reverse\n"
    "                               proxy every connection comes from the proxy: raise it there\n"
    "  --trusted-proxy ADDRESS      a reverse proxy whose X-Forwarded-For names the client; may be\n"
    "                               given several times\n"
    "  --writes-per-minute N        results and update reports one client address may send a\n"
    "                               minute, then 429 (30; 0 switches the limit off)\n"
    "  --keep-round-days N          days round results are kept (2, at least 1)\n"
    "  --keep-update-log N          update log entries kept, the newest (10000)\n"
    "  The write limit is counted in each instance; everything else shared is in the database.\n"
    "\n"
    "What is kept: one tournament result per player (name with platform digit), the best;\n"
    "round results for --keep-round-days days (they check tournament totals); the newest\n"
    "--keep-update-log entries of the update log. A request must arrive whole within 10 s,\n"
    "its header within 16 KiB; only GET and HEAD are served.\n";

int Serve(Service& service, const std::string& host, int port) {
  // The worker threads inherit the blocked signals; this thread waits for them.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
  int bound = service.Start(host, port);
  if (bound < 0) {
    std::printf("Cannot listen on %s:%d\n", host.c_str(), port);
    return 1;
  }
  int known = service.store.bounds.Known_Rounds();
  if (known < kRoundsPerTournament)
    std::printf("Warning: %d of %d tournament tracks are published; results of the other rounds are not checked\n",
                known, kRoundsPerTournament);
  std::printf("Serving %s on http://%s:%d/VantoRello/\n", service.data_dir.c_str(), host.c_str(), bound);
  std::fflush(stdout);
  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  service.Stop();
  return 0;
}

int Publish_Tracks(const std::string& data_dir, int argc, char** argv, int first) {
  int failed = 0;
  for (int i = first; i < argc; ++i) failed += !Publish_Track(data_dir, argv[i]);
  return failed ? 1 : 0;
}

// A decimal number within lo..hi, nothing else.
int Read_Option_Number(const char* text, long lo, long hi, long* value) {
  if (!*text || std::strspn(text, "0123456789") != std::strlen(text) || std::strlen(text) > 9) return 0;
  *value = std::atol(text);
  return *value >= lo && *value <= hi;
}

// Reads the serving options from argv[first] on into `service`, `host`, `port` and
// `database`; prints what is wrong and returns 0 on a bad one.
int Read_Serving_Options(int argc, char** argv, int first, Service& service, std::string* host, int* port,
                         std::string* database) {
  for (int i = first; i < argc; i += 2) {  // every option takes one value
    std::string option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    long number = 0;
    int ok = value != nullptr;
    if (option == "--host") ok = ok && (*host = value, true);
    else if (option == "--database") ok = ok && (*database = value, true);
    else if (option == "--port") ok = ok && Read_Option_Number(value, 1, 65535, &number) && (*port = number, true);
    else if (option == "--connections-per-address")
      ok = ok && Read_Option_Number(value, 1, 100000, &number) && (service.limits.connections_per_address = number, true);
    else if (option == "--trusted-proxy") {
      std::string address = ok ? Canonical_Address(value) : "";
      ok = !address.empty() && (service.limits.trusted_proxies.push_back(address), true);
    } else if (option == "--writes-per-minute")
      ok = ok && Read_Option_Number(value, 0, 1000000, &number) && (service.write_limit.per_minute = number, true);
    else if (option == "--keep-round-days")
      ok = ok && Read_Option_Number(value, 1, 36500, &number) && (service.store.retention.round_days = number, true);
    else if (option == "--keep-update-log")
      ok = ok && Read_Option_Number(value, 0, 1000000000, &number) &&
           (service.store.retention.update_log_entries = number, true);
    else {
      std::fprintf(stderr, "Unknown option %s\n\n%s", option.c_str(), kUsage);
      return 0;
    }
    if (!ok) {
      std::fprintf(stderr, "Bad value for %s: %s\n", option.c_str(), value ? value : "(missing)");
      return 0;
    }
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc < 2 || argv[1][0] == '-') {
    std::fputs(kUsage, stderr);
    return 2;
  }
  Service service;
  std::string command = argc > 2 ? argv[2] : "";
  std::string host = "127.0.0.1", database;
  int port = 8780;
  if (command == "--import-sqlite") {
    if (argc < 4 || !Read_Serving_Options(argc, argv, 4, service, &host, &port, &database)) return 2;
    if (database.compare(0, 10, "postgresql") != 0 && database.compare(0, 8, "postgres") != 0) {
      std::fputs("--import-sqlite needs --database postgresql://...\n", stderr);
      return 2;
    }
    return Import_Sqlite_Store(argv[3], database) ? 0 : 1;
  }
  bool serving = command != "--publish-track" && command != "--publish-release" && command != "--seed";
  if (serving && !Read_Serving_Options(argc, argv, 2, service, &host, &port, &database)) return 2;
  if (!service.Open(argv[1], database)) {
    std::printf("Cannot open the data directory %s\n", argv[1]);
    return 1;
  }
  if (command == "--publish-track" && argc > 3) return Publish_Tracks(argv[1], argc, argv, 3);
  if (command == "--publish-release" && argc == 5) return Publish_Release(argv[1], argv[3], argv[4]) ? 0 : 1;
  if (command == "--seed" && argc == 4) return Seed_Service(service, argv[3]) ? 0 : 1;
  if (!serving) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return Serve(service, host, port);
}
