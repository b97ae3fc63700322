#pragma once
// Thread control on POSIX: real-time scheduling where the system grants it.

#include "platform/ThreadControl.h"

namespace zarnel {

// Thread: any thread; each call acts on the calling thread.
class PosixThreadControl : public ThreadControl {
 public:
  // Asks for SCHED_FIFO at kFifoPriority (clamped to the system's range).
  // Refused (an ordinary user without an rtprio limit): asks for a nice
  // value of kFallbackNice instead, which may be refused too.
  // Return: whether the thread now runs SCHED_FIFO.
  bool setTimeCritical() override;
  // Sleeps at least ms milliseconds; nothing for ms <= 0.
  void sleepMs(int32_t ms) override;

  // High enough to preempt desktop work, below the kernel's own threads
  // and audio servers' highest.
  static constexpr int kFifoPriority = 70;
  static constexpr int kFallbackNice = -10;
};

}  // namespace zarnel
