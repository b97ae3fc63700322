#include "platform/posix/SessionSignals.h"

#include <gtest/gtest.h>

#include <csignal>

namespace zarnel {
namespace {

// Each of the three signals is noted once and consumed by the first look;
// the handler then gives the signal its default action back, so the child
// process that runs this ends on a second SIGTERM.
TEST(SessionSignals, HangUpInterruptAndTerminateEachEndTheSessionOnce) {
  EXPECT_EXIT(
      {
        installSessionSignals();
        bool seen = !takeSessionEnd();
        for (int signal : {SIGHUP, SIGINT, SIGTERM}) {
          std::raise(signal);
          seen = seen && takeSessionEnd() && !takeSessionEnd();
        }
        if (!seen) std::_Exit(3);
        std::raise(SIGTERM);  // the default action now
        std::_Exit(4);
      },
      testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
}  // namespace zarnel
