#pragma once
#include <signal.h>
#include <time.h>
// Bounds a blocking system call on the calling thread, such as the connect() inside
// SDLNet_TCP_Open, which has no time limit of its own. From `ms` on, and every 20 ms after,
// a signal whose handler does nothing (installed without SA_RESTART) reaches this thread,
// so the call returns EINTR. Disarmed, and the thread's signal mask restored, when it goes
// out of scope.
class Thread_Alarm {
 public:
  explicit Thread_Alarm(long ms);
  ~Thread_Alarm();
  Thread_Alarm(const Thread_Alarm&) = delete;
  Thread_Alarm& operator=(const Thread_Alarm&) = delete;

  // False when no timer could be made; the call would then not be bounded.
  bool armed() const { return armed_; }

 private:
  timer_t timer_{};
  bool armed_ = false;
  sigset_t old_mask_{};
};
