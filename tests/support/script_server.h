#pragma once
// A scripted TCP server on 127.0.0.1 for the answers a real server should never give. Each
// connection runs the script on the server's thread with the socket and the request read
// so far (up to its blank line); the socket is closed when the script returns.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class Script_Server {
 public:
  using Script = std::function<void(Script_Server& server, int fd, const std::string& request)>;

  // `backlog_only`: listen with a backlog of 0 and never accept, after filling the queue,
  // so that a further connect waits for ever.
  explicit Script_Server(Script script, bool backlog_only = false);
  ~Script_Server();

  int port() const { return port_; }
  std::string Last_Request();
  // Sleeps until the server is destroyed (or `max_ms` passed).
  void Hold(int max_ms = 60000);
  // Sends all bytes; false when the client went away.
  static bool Send_All(int fd, const std::string& bytes);

 private:
  void Serve();

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  int fillers_[4] = {-1, -1, -1, -1};
  std::atomic<bool> stopping_{false};
  std::mutex lock_;
  std::string last_request_;
  std::thread thread_;
};

// A complete answer with a Content-Length.
std::string Http_Answer(int status, const std::string& body);

// A port of 127.0.0.1 on which nothing listens.
int Closed_Port();
