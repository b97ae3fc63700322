#include "platform/posix/PosixThreadControl.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

#include <thread>

namespace zarnel {
namespace {

TEST(PosixThreadControlTest, TimeCriticalReportsWhatTheSystemGranted) {
  // A thread of its own: the test runner's thread keeps its policy.
  bool granted = false;
  int policy = -1;
  sched_param param{};
  std::thread worker([&] {
    PosixThreadControl control;
    granted = control.setTimeCritical();
    pthread_getschedparam(pthread_self(), &policy, &param);
  });
  worker.join();
  if (granted) {
    EXPECT_EQ(policy, SCHED_FIFO);
    EXPECT_GE(param.sched_priority, sched_get_priority_min(SCHED_FIFO));
  } else {
    EXPECT_EQ(policy, SCHED_OTHER);
  }
}

}  // namespace
}  // namespace zarnel
