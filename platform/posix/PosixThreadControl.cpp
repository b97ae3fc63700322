#include "platform/posix/PosixThreadControl.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace zarnel {

bool PosixThreadControl::setTimeCritical() {
  sched_param param{};
  param.sched_priority = std::clamp(kFifoPriority, sched_get_priority_min(SCHED_FIFO),
                                    sched_get_priority_max(SCHED_FIFO));
  if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0) return true;
  // On Linux a thread id names just this thread, not the whole process.
  setpriority(PRIO_PROCESS, id_t(gettid()), kFallbackNice);
  return false;
}

void PosixThreadControl::sleepMs(int32_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace zarnel
