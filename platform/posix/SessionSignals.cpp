#include "platform/posix/SessionSignals.h"

#include <csignal>

#include <atomic>

namespace zarnel {

namespace {

// Lock-free, so safe to store from a signal handler.
std::atomic<int> gPendingSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onSessionSignal(int signal) { gPendingSignal.store(signal, std::memory_order_relaxed); }

}  // namespace

void installSessionSignals() {
  static const bool installed = [] {
    struct sigaction action {};
    action.sa_handler = onSessionSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
    return true;
  }();
  (void)installed;
}

bool takeSessionEnd() { return gPendingSignal.exchange(0, std::memory_order_relaxed) != 0; }

}  // namespace zarnel
