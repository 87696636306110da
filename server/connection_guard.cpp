#include "connection_guard.h"

#include <sys/socket.h>

void Connection_Guard::Start(int deadline_ms) {
  Stop();
  std::lock_guard<std::mutex> hold(lock_);
  deadline_ = std::chrono::milliseconds(deadline_ms);
  stopping_ = false;
  watchdog_ = std::thread(&Connection_Guard::Watch, this);
}

void Connection_Guard::Stop() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (watchdog_.joinable()) watchdog_.join();
}

void Connection_Guard::Opened(void** context, int fd) {
  Guarded* guarded = new Guarded;
  guarded->fd = fd;
  std::lock_guard<std::mutex> hold(lock_);
  guarded->deadline = Clock::now() + deadline_;
  open_.insert(guarded);
  *context = guarded;
}

// The library reports a connection closed before it closes its socket, so the watchdog
// never touches a descriptor that already belongs to someone else.
void Connection_Guard::Closed(void** context) {
  Guarded* guarded = static_cast<Guarded*>(*context);
  if (!guarded) return;
  {
    std::lock_guard<std::mutex> hold(lock_);
    open_.erase(guarded);
  }
  delete guarded;
  *context = nullptr;
}

void Connection_Guard::Answered(void* context) {
  if (context) static_cast<Guarded*>(context)->answered = true;
}

void Connection_Guard::Watch() {
  std::unique_lock<std::mutex> hold(lock_);
  while (!stopping_) {
    wake_.wait_for(hold, std::chrono::milliseconds(100));
    Clock::time_point now = Clock::now();
    for (Guarded* guarded : open_) {
      if (guarded->cut || guarded->answered || now < guarded->deadline) continue;
      // The library sees the connection end and closes it on its own thread.
      shutdown(guarded->fd, SHUT_RDWR);
      guarded->cut = true;
      ++cut_;
    }
  }
}
