// vantorello-service: the game's web service. One data directory holds its database, the
// published tracks and the published release.
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "seed.h"
#include "service.h"
#include "shelves.h"

namespace {

const char kUsage[] =
    "usage: vantorello-service DATA_DIR [--host ADDRESS] [--port N]   serve (default 127.0.0.1:8780)\n"
    "       vantorello-service DATA_DIR --publish-track FILE.TRK...   validate and publish tracks\n"
    "       vantorello-service DATA_DIR --publish-release DIR VERSION publish DIR as the release\n"
    "       vantorello-service DATA_DIR --seed RUN_DIR                sample tracks and results\n";

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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    std::fputs(kUsage, stderr);
    return 2;
  }
  Service service;
  if (!service.Open(argv[1])) {
    std::printf("Cannot open the data directory %s\n", argv[1]);
    return 1;
  }
  std::string command = argc > 2 ? argv[2] : "";
  if (command == "--publish-track" && argc > 3) return Publish_Tracks(argv[1], argc, argv, 3);
  if (command == "--publish-release" && argc == 5) return Publish_Release(argv[1], argv[3], argv[4]) ? 0 : 1;
  if (command == "--seed" && argc == 4) return Seed_Service(service, argv[3]) ? 0 : 1;
  std::string host = "127.0.0.1";
  int port = 8780;
  for (int i = 2; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--host") && i + 1 < argc) host = argv[++i];
    else if (!std::strcmp(argv[i], "--port") && i + 1 < argc) port = std::atoi(argv[++i]);
    else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  return Serve(service, host, port);
}
