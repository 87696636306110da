#pragma once
// The game's web service: everything below "/VantoRello/" that the game requests, served
// from one data directory (database, published tracks, published release).
#include <map>
#include <string>

#include "score_store.h"

struct MHD_Daemon;

using Query = std::multimap<std::string, std::string>;

struct Service_Answer {
  int status;
  std::string body;
  const char* content_type;
};

class Service {
 public:
  Service();
  ~Service();

  // Opens (creating when needed) the data directory and its database; 1 on success.
  int Open(const std::string& data_dir);
  // Answers a GET of `path` (decoded, below "/VantoRello/") with its decoded query values.
  Service_Answer Answer(const std::string& path, const Query& query);

  // Serves on the IPv4 address `host`, port `port` (0 picks a free port), on worker threads;
  // returns the port, or -1 when it cannot listen. Every connection is closed after its
  // answer, and request lines may end with a bare line feed, as the game sends them.
  int Start(const std::string& host, int port);
  void Stop();

  Score_Store store;
  std::string data_dir;

 private:
  Service_Answer Answer_Script(const std::string& path, const Query& query);

  MHD_Daemon* daemon_ = nullptr;
};
