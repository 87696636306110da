#pragma once
// An absolute deadline for receiving a request. The HTTP library only times out silence, so a
// client trickling one byte a second could hold a connection for ever: a watchdog thread shuts
// down the socket of every connection that has not delivered its whole request within the
// deadline of being accepted. Answers themselves (a slow download) are not limited here.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

class Connection_Guard {
 public:
  ~Connection_Guard() { Stop(); }

  void Start(int deadline_ms);
  void Stop();

  // From the library's connection notifications, on its threads. `context` is the
  // connection's own slot; Opened fills it, Closed empties it.
  void Opened(void** context, int fd);
  void Closed(void** context);
  // The request of this connection has arrived whole (`context` as filled by Opened).
  static void Answered(void* context);

  // How many connections the watchdog has cut.
  long cut_count() const { return cut_.load(); }

 private:
  using Clock = std::chrono::steady_clock;
  struct Guarded {
    int fd;
    Clock::time_point deadline;
    std::atomic<bool> answered{false};
    bool cut = false;
  };
  void Watch();

  std::mutex lock_;
  std::condition_variable wake_;
  std::set<Guarded*> open_;
  std::thread watchdog_;
  bool stopping_ = false;
  std::chrono::milliseconds deadline_{10000};
  std::atomic<long> cut_{0};
};
