#pragma once
// The game's web service: everything below "/VantoRello/" that the game requests, served
// from one data directory (published tracks and release, the SQLite database unless another
// is named), and the leaderboard page for browsers at "/".
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "connection_guard.h"
#include "course_picture.h"
#include "score_store.h"
#include "write_limit.h"

struct MHD_Daemon;

using Query = std::multimap<std::string, std::string>;

struct Service_Answer {
  int status;
  std::string body;
  const char* content_type;
  int file = -1;  // when not -1 the body is this open file of `file_size` bytes, sent from it
  uint64_t file_size = 0;
  int retry_after = 0;  // seconds, for 429
  std::string etag = {};  // when set, a request naming it in If-None-Match is answered 304
  const char* cache_control = nullptr;
  bool page = false;    // sent with the page's Content-Security-Policy
};

// What one client may take of the service.
struct Service_Limits {
  unsigned connections_per_address = 16;
  unsigned connections = 1000;      // from all addresses together
  int request_deadline_ms = 10000;  // header and body of a request, from the connection's start
  unsigned idle_seconds = 5;        // silence on a connection, also while an answer is sent
  size_t header_bytes = 16384;      // request line and header together
  std::vector<std::string> trusted_proxies;  // peers whose X-Forwarded-For names the client
};

class Service {
 public:
  Service();
  ~Service();

  // Opens (creating when needed) the data directory and its database: `database` is
  // "sqlite:PATH", a PostgreSQL URI, or "" for the SQLite file in the data directory.
  // 1 on success.
  int Open(const std::string& data_dir, const std::string& database = "");
  // Answers a GET of `path` (decoded, below "/VantoRello/") with its decoded query values.
  // A file answer's descriptor belongs to the caller.
  Service_Answer Answer(const std::string& path, const Query& query);

  // Serves on the IPv4 address `host`, port `port` (0 picks a free port), on worker threads;
  // returns the port, or -1 when it cannot listen. Every connection is closed after its
  // answer, and request lines may end with a bare line feed, as the game sends them.
  int Start(const std::string& host, int port);
  void Stop();

  Score_Store store;
  Service_Limits limits;
  Write_Limit write_limit;  // per client address; its per_minute 0 switches it off
  Connection_Guard guard;
  std::string data_dir;
  Course_Pictures course_pictures;
  std::atomic<long> course_pictures_served{0};

 private:
  Service_Answer Answer_Script(const std::string& path, const Query& query);
  Service_Answer Answer_Page();
  Service_Answer Answer_Course(const std::string& file);

  MHD_Daemon* daemon_ = nullptr;
};
