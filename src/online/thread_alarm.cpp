#include "online/thread_alarm.h"

#include <pthread.h>
#include <unistd.h>

#include <mutex>

// Named only by newer C libraries.
#ifndef sigev_notify_thread_id
#define sigev_notify_thread_id _sigev_un._tid
#endif

namespace {

const long kRepeatMs = 20;

int Alarm_Signal() { return SIGRTMIN + 4; }

void Do_Nothing(int) {}

void Install_Handler() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    struct sigaction action = {};
    action.sa_handler = Do_Nothing;
    sigemptyset(&action.sa_mask);
    sigaction(Alarm_Signal(), &action, nullptr);
  });
}

timespec Span(long ms) { return timespec{ms / 1000, (ms % 1000) * 1000000}; }

}  // namespace

Thread_Alarm::Thread_Alarm(long ms) {
  if (ms <= 0) return;
  Install_Handler();
  sigevent event = {};
  event.sigev_notify = SIGEV_THREAD_ID;
  event.sigev_signo = Alarm_Signal();
  event.sigev_notify_thread_id = gettid();
  if (timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) return;
  // Threads started by SDL block some signals; this one must get through.
  sigset_t alarm_only;
  sigemptyset(&alarm_only);
  sigaddset(&alarm_only, Alarm_Signal());
  pthread_sigmask(SIG_UNBLOCK, &alarm_only, &old_mask_);
  // The repeat covers a first signal that lands just before the call blocks.
  itimerspec when = {Span(kRepeatMs), Span(ms)};
  armed_ = timer_settime(timer_, 0, &when, nullptr) == 0;
  if (!armed_) {
    timer_delete(timer_);
    pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
  }
}

Thread_Alarm::~Thread_Alarm() {
  if (!armed_) return;
  timer_delete(timer_);
  pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
}
